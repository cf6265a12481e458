#include "data/met_file.h"

#include <filesystem>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/errors.h"
#include "core/number_text.h"

namespace climstat {

namespace {

constexpr int kHeaderTokens = 5;
constexpr int kNeededRecordTokens = 8;
constexpr std::size_t kMaxKeptTokenLength = 64;  // longer tokens are not numbers we could use

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Splits a file into lines of tokens as it streams through it, keeping only the first few tokens
// of each line (and only the first characters of each), so that neither a huge line nor a huge
// token makes it hold more than a few hundred bytes.
class LineTokenizer {
  public:
    explicit LineTokenizer(std::istream& in) : in_(in) { buffer_.resize(1 << 16); }

    // Next line; false at the end of the input. tokens() then holds up to `keep` tokens and
    // tokenCount() the number of tokens of the whole line.
    bool nextLine(std::size_t keep) {
        tokens_.clear();
        count_ = 0;
        bool inToken = false;
        bool sawAnything = false;
        for (;;) {
            if (pos_ == end_ && !refill()) return sawAnything;
            char c = buffer_[pos_++];
            sawAnything = true;
            if (c == '\n') return true;
            if (isSpace(c)) {
                inToken = false;
                continue;
            }
            if (!inToken) {
                inToken = true;
                ++count_;
                if (tokens_.size() < keep) tokens_.emplace_back();
            }
            if (count_ <= keep && tokens_.back().size() < kMaxKeptTokenLength) {
                tokens_.back().push_back(c);
            }
        }
    }

    const std::vector<std::string>& tokens() const { return tokens_; }
    std::size_t tokenCount() const { return count_; }
    long lineNumber() const { return lineNumber_; }
    void countLine() { ++lineNumber_; }

  private:
    bool refill() {
        if (!in_) return false;
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        pos_ = 0;
        end_ = static_cast<std::size_t>(in_.gcount());
        return end_ > 0;
    }

    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::vector<std::string> tokens_;
    std::size_t count_ = 0;
    long lineNumber_ = 0;
};

}  // namespace

MetFileData readMetFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw DataFileError(path, "is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in) throw DataFileError(path, "cannot be opened");

    LineTokenizer lines(in);
    MetFileData data;

    // Header: lines until five tokens have been seen.
    int headerTokens = 0;
    int headerLines = 0;
    bool firstLineOnlyName = false;
    std::vector<std::string> headerStream;
    while (headerTokens < kHeaderTokens) {
        if (!lines.nextLine(kHeaderTokens)) {
            if (headerTokens == 0) throw DataFileError(path, "is empty");
            throw DataFileError(path, "ends inside its header, before record 1 of 8760");
        }
        lines.countLine();
        if (lines.tokenCount() == 0) continue;
        ++headerLines;
        if (headerLines == 1) firstLineOnlyName = lines.tokenCount() == 1;
        if (headerLines == 2 && firstLineOnlyName) {
            data.latitude = leadingNumber(lines.tokens()[0]);
        }
        for (const std::string& token : lines.tokens())
            headerStream.push_back(token);
        headerTokens += static_cast<int>(lines.tokenCount());
    }
    if (!firstLineOnlyName) data.latitude = leadingNumber(headerStream[2]);

    int records = 0;
    while (records < kMetRecords && lines.nextLine(kNeededRecordTokens)) {
        lines.countLine();
        if (lines.tokenCount() == 0) continue;  // blank line
        if (lines.tokenCount() < kNeededRecordTokens) {
            throw DataFileError(path, "line " + std::to_string(lines.lineNumber()) + " holds " +
                                          std::to_string(lines.tokenCount()) +
                                          " values, a record needs at least 8 (" +
                                          std::to_string(records) + " of 8760 records read)");
        }
        ++records;
        data.ts[records] = leadingNumber(lines.tokens()[3]);
        data.w[records] = leadingNumber(lines.tokens()[7]);
    }
    if (records < kMetRecords) {
        throw DataFileError(path, "ends after " + std::to_string(records) + " of 8760 records");
    }
    return data;
}

}  // namespace climstat
