#include "core/text_file.h"

#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "core/errors.h"

namespace climstat {

namespace fs = std::filesystem;

namespace {

// The file that is really replaced: a symbolic link's target (the link itself stays), or the
// path itself. Refuses what is not a regular file: replacing a device, a pipe or a folder by
// a regular file would break it.
fs::path replacedFile(const std::string& path) {
    const fs::path target(path);
    if (target.filename().empty()) throw DataFileError(path, "is not a file name");
    std::error_code ec;
    fs::path resolved = target;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        resolved = fs::weakly_canonical(target, ec);
        if (ec) throw DataFileError(path, "is a link that cannot be followed: " + ec.message());
    }
    const fs::file_status status = fs::status(resolved, ec);
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        throw DataFileError(path, fs::is_directory(status)
                                      ? "is a folder; nothing was written"
                                      : "is not a regular file (a device or a pipe); nothing "
                                        "was written");
    }
    return resolved;
}

struct Pending {
    fs::path target;
    fs::path temporary;
    std::string shownName;
};

// Writes the bytes to a temporary file beside the target, with the target's permissions when
// it exists already.
Pending writeTemporary(const std::string& path, std::string_view bytes) {
    Pending pending{replacedFile(path), {}, path};
    pending.temporary = pending.target;
    pending.temporary += ".tmp~" + std::to_string(::getpid());
    {
        std::ofstream out(pending.temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            throw DataFileError(path, std::string("cannot be created: ") + std::strerror(errno));
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();  // a full disk may only show when the file is closed
        if (!out) {
            std::error_code ignored;
            fs::remove(pending.temporary, ignored);
            throw DataFileError(path, "could not be written completely");
        }
    }
    std::error_code ec;
    const fs::file_status old = fs::status(pending.target, ec);
    if (!ec && fs::is_regular_file(old)) {
        fs::permissions(pending.temporary, old.permissions(), fs::perm_options::replace, ec);
    }
    return pending;
}

void discard(const std::vector<Pending>& pending) {
    for (const Pending& p : pending) {
        std::error_code ignored;
        fs::remove(p.temporary, ignored);
    }
}

}  // namespace

void writeFilesReplacing(const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<Pending> pending;
    try {
        for (const auto& [path, bytes] : files)
            pending.push_back(writeTemporary(path, bytes));
    } catch (...) {
        discard(pending);
        throw;
    }
    // Every file is complete on disk before the first one replaces anything.
    for (std::size_t i = 0; i < pending.size(); ++i) {
        std::error_code ec;
        fs::rename(pending[i].temporary, pending[i].target, ec);
        if (ec) {
            discard({pending.begin() + static_cast<std::ptrdiff_t>(i), pending.end()});
            throw DataFileError(pending[i].shownName, "could not be replaced: " + ec.message());
        }
    }
}

void writeFileReplacing(const std::string& path, std::string_view bytes) {
    writeFilesReplacing({{path, std::string(bytes)}});
}

void writeFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& writer) {
    std::ostringstream buffer(std::ios::binary);
    writer(buffer);
    writeFileReplacing(path, buffer.str());
}

void checkInputFile(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (ec || !fs::exists(status)) return;  // opening it says why it cannot be read
    if (fs::is_directory(status)) throw DataFileError(path, "is a folder");
    if (!fs::is_regular_file(status)) {
        throw DataFileError(path, "is not a regular file (a device or a pipe)");
    }
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxInputFileBytes) throw DataFileError(path, "is larger than 64 MB");
}

}  // namespace climstat
