#include "data/station_pair.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "core/errors.h"
#include "core/text_file.h"
#include "data/station_file.h"

namespace climstat {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNoteHeading = "climstat station replace 1";
constexpr std::size_t kMaxNoteBytes = 8192;
constexpr int kMaxLinks = 40;

// The names of one station's pair. Index 0 is the temperature file, 1 the humidity file.
struct PairNames {
    std::string lock;
    std::string note;
    std::string noteNew;
    std::array<std::string, 2> shown;   // as the data folder names them
    std::array<std::string, 2> target;  // the files themselves, links followed
    std::string newName(int i) const { return target[static_cast<std::size_t>(i)] + ".new~"; }
    std::string oldName(int i) const { return target[static_cast<std::size_t>(i)] + ".old~"; }
};

// The final target of a chain of links, or the path itself; what a reader opens.
std::string followLinks(const std::string& path) {
    fs::path current(path);
    std::error_code ec;
    for (int hop = 0; hop < kMaxLinks && fs::is_symlink(fs::symlink_status(current, ec)); ++hop) {
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.string();
}

// `strict`: as a writer needs them, refusing a folder, a device or a link that leads nowhere.
PairNames pairNames(const std::string& folder, std::string_view code, bool strict) {
    PairNames names;
    const std::string base = (fs::path(folder) / (".station-" + std::string(code))).string();
    names.lock = base + ".lock";
    names.note = base + ".replace";
    names.noteNew = names.note + ".new~";
    names.shown = {stationFilePath(folder, "T", code), stationFilePath(folder, "H", code)};
    for (std::size_t i = 0; i < 2; ++i) {
        names.target[i] = strict ? replacedFilePath(names.shown[i]) : followLinks(names.shown[i]);
    }
    return names;
}

bool exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

std::set<std::string> targetFolders(const PairNames& names) {
    std::set<std::string> folders;
    for (const std::string& target : names.target)
        folders.insert(fs::path(target).parent_path().string());
    folders.insert(fs::path(names.note).parent_path().string());
    return folders;
}

void syncFolders(const PairNames& names) {
    for (const std::string& folder : targetFolders(names))
        syncFolder(folder);
}

// --- the lock ---

bool isSameInode(int fd, const std::string& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

// Opens and locks the lock file (LOCK_SH or LOCK_EX), creating it when missing. The lock file
// is removed by whoever leaves last, so a lock taken on a file that has just lost its name is
// worth nothing: then the named one is locked instead. -1 when the file can be neither created
// nor opened, or not locked; *error then holds the errno.
int lockPair(const std::string& path, int operation, int* error) {
    for (;;) {
        int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd < 0) {
            *error = errno;
            fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);  // another user's lock file
            if (fd < 0) return -1;
        }
        int locked;
        while ((locked = ::flock(fd, operation)) != 0 && errno == EINTR) {
        }
        if (locked != 0) {
            *error = errno;
            ::close(fd);
            return -1;
        }
        if (isSameInode(fd, path)) return fd;
        ::close(fd);
    }
}

// Lets the lock go. The last one out removes the lock file: a writer always (nobody else can
// hold the lock meanwhile), a reader when no one else holds or waits for it.
void unlockPair(const std::string& path, int fd, bool exclusive) {
    if (fd < 0) return;
    if (exclusive || ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        if (isSameInode(fd, path)) ::unlink(path.c_str());
    }
    ::close(fd);
}

// --- the note of a replace ---

struct Note {
    bool forward = true;        // finish the new pair; false: give the old one back
    std::array<bool, 2> old{};  // whether an old file was there to be given back
};

std::string noteText(const PairNames& names, const Note& note) {
    std::string text(kNoteHeading);
    text += note.forward ? "\nforward\n" : "\nback\n";
    for (std::size_t i = 0; i < 2; ++i)
        text += (note.old[i] ? "old " : "none ") + names.target[i] + "\n";
    return text;
}

// The note in the folder, if any; one that is not what a writer of this station writes is
// refused, so that nothing is ever renamed on the word of a damaged or foreign file.
std::optional<Note> readNote(const PairNames& names) {
    if (!exists(names.note)) return std::nullopt;
    std::string text;
    {
        std::ifstream in(names.note, std::ios::binary);
        text.resize(kMaxNoteBytes);
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
    }
    for (const bool forward : {true, false}) {
        for (int mask = 0; mask < 4; ++mask) {
            const Note note{forward, {(mask & 1) != 0, (mask & 2) != 0}};
            if (text == noteText(names, note)) return note;
        }
    }
    throw DataFileError(ErrorKind::StationPairJournalBad, pathFields(names.note));
}

// Puts a note in place whole: written beside, then renamed. Throws DataFileError.
void putNote(const PairNames& names, const Note& note) {
    ::unlink(names.noteNew.c_str());
    writeNewFile(names.noteNew, noteText(names, note), {}, names.note);
    if (::rename(names.noteNew.c_str(), names.note.c_str()) != 0) {
        const int error = errno;
        ::unlink(names.noteNew.c_str());
        throw DataFileError(ErrorKind::CannotCreate, fileFields(names.note, error));
    }
    syncFolder(fs::path(names.note).parent_path().string());
}

// Temporaries of writers of earlier versions: <file name>.tmp~<process number>.
bool isOldTemporary(const std::string& name, const std::string& fileName) {
    const std::string prefix = fileName + ".tmp~";
    return name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
           name.find_first_not_of("0123456789", prefix.size()) == std::string::npos;
}

// What a replace may leave besides the pair and its note: the new~ and old~ names, a
// half-written note and the temporaries of writers of earlier versions.
std::vector<std::string> leftovers(const PairNames& names) {
    std::vector<std::string> found;
    for (const std::string& path :
         {names.newName(0), names.newName(1), names.oldName(0), names.oldName(1), names.noteNew}) {
        if (exists(path)) found.push_back(path);
    }
    for (const std::string& target : names.target) {
        const fs::path path(target);
        const std::string fileName = path.filename().string();
        std::error_code ec;
        for (fs::directory_iterator it(path.parent_path(), ec), end; !ec && it != end;
             it.increment(ec)) {
            if (isOldTemporary(it->path().filename().string(), fileName)) {
                found.push_back(it->path().string());
            }
        }
    }
    return found;
}

void removeLeftovers(const PairNames& names) {
    for (const std::string& path : leftovers(names))
        ::unlink(path.c_str());
}

void renameOrThrow(const std::string& from, const std::string& to, const std::string& shown) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        throw DataFileError(ErrorKind::CannotReplace, fileFields(shown, errno));
    }
}

// The end of every replace: the note goes (the pair stands), then whatever is left over.
void closeReplace(const PairNames& names) {
    syncFolders(names);
    ::unlink(names.note.c_str());
    removeLeftovers(names);
    syncFolders(names);
}

// Gives the old pair back, as a "back" note says. Throws DataFileError when the system refuses
// a step; the note then stays.
void giveBack(const PairNames& names, const Note& note) {
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (note.old[k]) {
            if (exists(names.oldName(i))) {
                renameOrThrow(names.oldName(i), names.target[k], names.shown[k]);
            }
        } else if (::unlink(names.target[k].c_str()) != 0 && errno != ENOENT) {
            throw DataFileError(ErrorKind::CannotReplace, fileFields(names.shown[k], errno));
        }
    }
    closeReplace(names);
}

// Puts the new pair in place, as a "forward" note says; when a new file cannot take its place
// the old pair is given back instead, and the refusal is thrown as DataFileError. Either way
// the pair is whole afterwards, unless the system refused to give back as well (the note then
// stays for the next writer or reader).
void putNewPair(const PairNames& names, Note note) {
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (!exists(names.newName(i))) continue;  // in place already
        if (::rename(names.newName(i).c_str(), names.target[k].c_str()) != 0) {
            const DataFileError refused(ErrorKind::CannotReplace,
                                        fileFields(names.shown[k], errno));
            note.forward = false;
            putNote(names, note);
            giveBack(names, note);
            throw refused;
        }
    }
    closeReplace(names);
}

// Brings the folder back to a whole pair and nothing else, with the exclusive lock held.
void recover(const PairNames& names) {
    if (const std::optional<Note> note = readNote(names)) {
        if (note->forward) {
            putNewPair(names, *note);
        } else {
            giveBack(names, *note);
        }
    }
    removeLeftovers(names);
}

}  // namespace

void writeStationPair(const std::string& folder, std::string_view code,
                      std::string_view temperatureBytes, std::string_view humidityBytes,
                      const PairWriteHooks* hooks) {
    const PairNames names = pairNames(folder, code, true);
    auto step = [hooks](PairStep done) {
        if (hooks != nullptr && hooks->afterStep) hooks->afterStep(done);
    };
    int error = 0;
    const int fd = lockPair(names.lock, LOCK_EX, &error);
    if (fd < 0) throw DataFileError(ErrorKind::CannotCreate, fileFields(names.shown[0], error));
    struct Unlock {
        const std::string& path;
        int fd;
        ~Unlock() { unlockPair(path, fd, true); }
    } unlock{names.lock, fd};
    recover(names);
    step(PairStep::Locked);

    bool committed = false;
    struct Discard {
        const PairNames& names;
        const bool& committed;
        ~Discard() {
            if (!committed) removeLeftovers(names);
        }
    } discard{names, committed};
    const std::array<std::string_view, 2> bytes = {temperatureBytes, humidityBytes};
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        writeNewFile(names.newName(i), bytes[k], names.target[k], names.shown[k]);
        step(i == 0 ? PairStep::TemperatureWritten : PairStep::HumidityWritten);
    }
    // Second names of the old files, to give them back if a new one cannot take its place. An
    // old file that may not even be linked (immutable) could not be replaced either: refused
    // here, before anything changed.
    Note note;
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        note.old[k] = exists(names.target[k]);
        if (note.old[k] && ::link(names.target[k].c_str(), names.oldName(i).c_str()) != 0) {
            throw DataFileError(ErrorKind::CannotReplace, fileFields(names.shown[k], errno));
        }
    }
    step(PairStep::OldKept);
    putNote(names, note);
    committed = true;
    step(PairStep::Committed);

    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (::rename(names.newName(i).c_str(), names.target[k].c_str()) != 0) {
            const DataFileError refused(ErrorKind::CannotReplace,
                                        fileFields(names.shown[k], errno));
            // The old pair is given back; if even that is refused, the note stays and the next
            // writer or reader finishes the replace one way or the other.
            try {
                note.forward = false;
                putNote(names, note);
                giveBack(names, note);
            } catch (const DataFileError&) {
            }
            throw refused;
        }
        step(i == 0 ? PairStep::TemperatureReplaced : PairStep::HumidityReplaced);
    }
    closeReplace(names);
    step(PairStep::Done);
}

StationPairRead::StationPairRead(const std::string& folder, std::string_view code) {
    const PairNames names = pairNames(folder, code, false);
    lockPath_ = names.lock;
    temperaturePath_ = names.shown[0];
    humidityPath_ = names.shown[1];
    // No data folder: nothing to hold still, and no lock file made in the working folder.
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return;
    int error = 0;
    lockFd_ = lockPair(names.lock, LOCK_SH, &error);
    if (!exists(names.note) && leftovers(names).empty()) return;

    // A writer was killed, or failed half-way: its replace is finished (or its leftovers
    // removed) with the lock held alone, when the folder allows it.
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = lockPair(names.lock, LOCK_EX, &error);
    if (lockFd_ >= 0) {
        try {
            recover(names);
        } catch (const DataFileError& e) {
            if (e.kind() == ErrorKind::StationPairJournalBad) {
                unlockPair(lockPath_, lockFd_, true);
                lockFd_ = -1;
                throw;
            }
            // Refused by the system (a folder this user may not write into): read below.
        }
        ::close(lockFd_);
        lockFd_ = lockPair(names.lock, LOCK_SH, &error);
    }

    // Still unfinished: the pair the note stands for.
    std::optional<Note> note;
    try {
        note = readNote(names);
    } catch (...) {
        unlockPair(lockPath_, lockFd_, false);
        lockFd_ = -1;
        throw;
    }
    if (!note) return;
    std::array<std::string, 2> paths;
    for (int i = 0; i < 2; ++i) {
        const auto k = static_cast<std::size_t>(i);
        if (note->forward) {
            paths[k] = exists(names.newName(i)) ? names.newName(i) : names.target[k];
        } else if (note->old[k]) {
            paths[k] = exists(names.oldName(i)) ? names.oldName(i) : names.target[k];
        } else {
            paths[k] = names.oldName(i);  // there was none: the read finds no file
        }
    }
    temperaturePath_ = paths[0];
    humidityPath_ = paths[1];
}

StationPairRead::~StationPairRead() {
    unlockPair(lockPath_, lockFd_, false);
}

}  // namespace climstat
