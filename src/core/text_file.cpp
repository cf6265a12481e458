#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "core/errors.h"

namespace climstat {

namespace fs = std::filesystem;

namespace {

// Links followed before a chain is taken for a loop, as the system itself does.
constexpr int kMaxLinks = 40;

[[noreturn]] void fail(ErrorKind kind, const std::string& path, int errnoValue) {
    throw DataFileError(kind, fileFields(path, errnoValue));
}

// Writes all the bytes, going on after partial writes and interruptions.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string replacedFilePath(const std::string& path) {
    fs::path target(path);
    if (target.filename().empty()) throw DataFileError(ErrorKind::NotAFileName, pathFields(path));
    std::error_code ec;
    for (int hop = 0; fs::is_symlink(fs::symlink_status(target, ec)); ++hop) {
        if (hop == kMaxLinks) {
            throw DataFileError(ErrorKind::LinkCannotBeFollowed, fileFields(path, ELOOP));
        }
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) throw DataFileError(ErrorKind::LinkCannotBeFollowed, fileFields(path, ec));
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) throw DataFileError(ErrorKind::IsAFolder, pathFields(path));
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        throw DataFileError(ErrorKind::NotARegularFile, pathFields(path));
    }
    return target.string();
}

void writeNewFile(const std::string& temporary, std::string_view bytes, const std::string& original,
                  const std::string& shownPath) {
    struct stat old {};
    const bool hasOriginal = ::stat(original.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const mode_t mode = hasOriginal ? (old.st_mode & 07777) : 0666;
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) fail(ErrorKind::CannotCreate, shownPath, errno);
    int error = 0;
    if (hasOriginal) {
        // The mode asked at creation is cut by the umask; the old file's is given back whole.
        // Another user's file keeps at least its group where the system allows no more.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
            [[maybe_unused]] const int ignored = ::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
        }
        if (::fchmod(fd, mode) != 0) error = errno;
    }
    if (error == 0 && !writeAll(fd, bytes)) error = errno;
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        fail(ErrorKind::NotWrittenCompletely, shownPath, error);
    }
}

void syncFolder(const std::string& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void writeFileReplacing(const std::string& path, std::string_view bytes) {
    const std::string target = replacedFilePath(path);
    const std::string temporary = target + ".tmp~" + std::to_string(::getpid());
    ::unlink(temporary.c_str());  // left by a killed process that had the same number
    writeNewFile(temporary, bytes, target, path);
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail(ErrorKind::CannotReplace, path, error);
    }
    syncFolder(fs::path(target).parent_path().string());
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
    if (fs::is_directory(status)) throw DataFileError(ErrorKind::IsAFolder, pathFields(path));
    if (!fs::is_regular_file(status))
        throw DataFileError(ErrorKind::NotARegularFile, pathFields(path));
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > kMaxInputFileBytes)
        throw DataFileError(ErrorKind::TooLarge, pathFields(path));
}

std::ifstream openInputFile(const std::string& path) {
    checkInputFile(path);
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) fail(ErrorKind::CannotOpen, path, errno);
    return in;
}

bool isSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

std::string readInputFile(const std::string& path) {
    std::ifstream in = openInputFile(path);
    std::string bytes;
    std::size_t used = 0;
    std::size_t chunk = 1 << 16;
    for (;;) {
        bytes.resize(used + chunk);
        in.read(bytes.data() + used, static_cast<std::streamsize>(chunk));
        used += static_cast<std::size_t>(in.gcount());
        if (used > kMaxInputFileBytes) throw DataFileError(ErrorKind::TooLarge, pathFields(path));
        if (!in) break;
        chunk = std::min<std::size_t>(chunk * 2, std::size_t{1} << 24);
    }
    if (in.bad()) throw DataFileError(ErrorKind::NotReadCompletely, fileFields(path, errno));
    bytes.resize(used);
    return bytes;
}

}  // namespace climstat
