#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace climstat {

// A station's two files are one pair: every reader sees the old pair or the new pair, never a
// new temperature file beside an old humidity file. In the data folder:
//   .station-<code>.lock     taken by the writers of the station (exclusively) and by its
//                            readers (shared) while they work; removed by the last one out
//   .station-<code>.replace  the note of a replace under way: the new pair is complete, and
//                            the files named in it are still to take their places (or, after a
//                            failure, the old pair is to be given back)
//   T<code>_.bin.new~, .old~ the new files before they take their places, and second names of
//                            the old ones until the replace is done
// A writer that is killed leaves the note, and the next writer or reader finishes its replace;
// its temporaries are removed by the next writer (or reader, when it may write there).

// The steps of a replace, in order. A test's hook runs after each one.
enum class PairStep {
    Locked,               // the lock is held, an earlier writer's replace finished or cleared
    TemperatureWritten,   // the new temperature file is complete on the disk, under its new~ name
    HumidityWritten,      // the new humidity file too
    OldKept,              // the old files also have their old~ names
    Committed,            // the note is on the disk: from here on the new pair is the one
    TemperatureReplaced,  // the new temperature file has its place
    HumidityReplaced,     // the new humidity file too
    Done,                 // the note and the old~ names are gone
};

struct PairWriteHooks {
    std::function<void(PairStep)> afterStep;
};

// Writes the two files of station `code` into `folder` (which must exist): the temperature
// file T<code>_.bin and the humidity file H<code>_.bin. A file that is a symbolic link keeps
// it, and its target is replaced; a replaced file keeps its permissions and, where the system
// allows, its owner. Throws DataFileError naming the file and the cause when the pair cannot
// be written or replaced; the old pair is then what stays, and no temporary is left.
void writeStationPair(const std::string& folder, std::string_view code,
                      std::string_view temperatureBytes, std::string_view humidityBytes,
                      const PairWriteHooks* hooks = nullptr);

// Holds a station's pair still for reading: writers of the station wait until it is
// destroyed. A replace a killed writer left unfinished is finished first, or, when the
// folder cannot be written to, read through its note. Throws DataFileError when that note
// cannot be understood.
class StationPairRead {
  public:
    StationPairRead(const std::string& folder, std::string_view code);
    ~StationPairRead();
    StationPairRead(const StationPairRead&) = delete;
    StationPairRead& operator=(const StationPairRead&) = delete;

    // The files that hold the pair now (the names in the folder, unless a replace is
    // unfinished).
    const std::string& temperaturePath() const { return temperaturePath_; }
    const std::string& humidityPath() const { return humidityPath_; }

  private:
    std::string lockPath_;
    std::string temperaturePath_;
    std::string humidityPath_;
    int lockFd_ = -1;
};

}  // namespace climstat
