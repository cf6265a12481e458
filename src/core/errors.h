#pragma once

#include <stdexcept>
#include <string>

namespace climstat {

// A text that should hold a decimal number does not. The message is the one the user sees:
// "'<text>' is not a valid floating point value".
class ConversionError : public std::runtime_error {
  public:
    explicit ConversionError(std::string text)
        : std::runtime_error("'" + text + "' is not a valid floating point value"),
          text_(std::move(text)) {}
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// A data file is missing, unreadable or not in the expected layout. The message names the file.
class DataFileError : public std::runtime_error {
  public:
    DataFileError(std::string path, const std::string& reason)
        : std::runtime_error(path + ": " + reason), path_(std::move(path)) {}
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// A request that cannot be carried out as asked (an unknown name, a value out of range).
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace climstat
