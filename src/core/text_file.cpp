#include "core/text_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/errors.h"

namespace climstat {

void writeFileReplacing(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (target.filename().empty()) throw DataFileError(path, "is not a file name");
    fs::path temporary = target;
    temporary += ".tmp~";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw DataFileError(path, std::string("cannot be created: ") + std::strerror(errno));
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();  // a full disk may only show when the file is closed
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            throw DataFileError(path, "could not be written completely");
        }
    }
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        throw DataFileError(path, "could not be replaced: " + ec.message());
    }
}

void writeFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& writer) {
    std::ostringstream buffer(std::ios::binary);
    writer(buffer);
    writeFileReplacing(path, buffer.str());
}

}  // namespace climstat
