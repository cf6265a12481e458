#include "data/station_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <system_error>

#include "core/errors.h"
#include "core/text_file.h"

namespace climstat {

namespace {

constexpr std::array<int, 12> kMonthLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kLastFileYear = kFirstFileYear + kTableYears - 1;
constexpr std::size_t kReadChunk = 1u << 20;

// Consumes the items of a file held in memory. Every read checks the bytes left first, so that
// a file cut short anywhere ends the parse instead of reading past its end.
class ItemReader {
  public:
    explicit ItemReader(std::span<const unsigned char> bytes) : bytes_(bytes) {}

    std::size_t consumed() const { return pos_; }
    long long item() const { return item_; }

    // A text item: its bytes and the zero byte that ends it.
    bool text() {
        for (std::size_t i = pos_; i < bytes_.size(); ++i) {
            if (bytes_[i] == 0) {
                pos_ = i + 1;
                ++item_;
                return true;
            }
        }
        return false;
    }

    bool number(std::int32_t& value) {
        if (bytes_.size() - pos_ < 4) return false;
        const std::uint32_t stored = static_cast<std::uint32_t>(bytes_[pos_]) |
                                     (static_cast<std::uint32_t>(bytes_[pos_ + 1]) << 8) |
                                     (static_cast<std::uint32_t>(bytes_[pos_ + 2]) << 16) |
                                     (static_cast<std::uint32_t>(bytes_[pos_ + 3]) << 24);
        value = static_cast<std::int32_t>(stored ^ VALUE_KEY);
        pos_ += 4;
        ++item_;
        return true;
    }

    bool skipNumber() {
        std::int32_t ignored = 0;
        return number(ignored);
    }

  private:
    std::span<const unsigned char> bytes_;
    std::size_t pos_ = 0;
    long long item_ = 0;
};

bool isTextPosition(long long item, int itemsPerRecord) {
    const long long position = item % itemsPerRecord;
    return position == 4 || position == 6;
}

// A date a record may carry: a day of 1997..2008, 29 February included whatever the year.
bool isFileDate(std::int32_t year, std::int32_t month, std::int32_t day) {
    if (year < kFirstFileYear || year > kLastFileYear) return false;
    if (month < 1 || month > 12) return false;
    const int length = month == 2 ? 29 : kMonthLengths[static_cast<std::size_t>(month - 1)];
    return day >= 1 && day <= length;
}

long long dateKey(long long year, long long month, long long day) {
    return (year * 100 + month) * 100 + day;
}

// Walks the records of a file against the calendar of expected days. The expected day advances
// by one for every record or missing day; a record of the expected day fills its 24 columns, a
// record of a later day leaves the expected days before it as MISSING_RAW, a record of
// 29 February is read and dropped.
void parseHourlyBytes(std::span<const unsigned char> bytes, int itemsPerRecord, HourlyTable& table,
                      std::ostream& trace) {
    ItemReader in(bytes);
    bool readText = true;
    bool needHeader = true;
    bool inSync = true;
    int yearIndex = 0;
    int monthIndex = 0;
    int dayIndex = -1;
    int column = 0;
    std::int32_t fileYear = 0;
    std::int32_t fileMonth = 0;
    std::int32_t fileDay = 0;
    auto headerIsLeapDay = [&] { return fileMonth == 2 && fileDay == 29; };

    while (in.consumed() < bytes.size()) {
        if (in.item() % itemsPerRecord == 0) {
            readText = true;
            needHeader = true;
        }
        if (isTextPosition(in.item(), itemsPerRecord)) readText = true;
        if (readText) {
            if (!in.text()) return;
            readText = false;
        }

        if (!headerIsLeapDay()) {
            ++dayIndex;
            if (dayIndex == kMonthLengths[static_cast<std::size_t>(monthIndex)]) {
                dayIndex = 0;
                ++monthIndex;
            }
            if (monthIndex == 12) {
                monthIndex = 0;
                ++yearIndex;
                column = 0;
            }
            if (yearIndex >= kTableYears) return;  // the table is full
            if (yearIndex == 7 && monthIndex == 1 && dayIndex == 1) trace << "aqui\n";
        }

        if (needHeader || inSync) {
            if (!in.number(fileYear) || !in.number(fileMonth) || !in.number(fileDay)) return;
            needHeader = false;
            if (fileYear == 2004 && fileMonth == 1 && fileDay == 1) trace << "aqui\n";
            if (isTextPosition(in.item(), itemsPerRecord) && !in.text()) return;
            if (!in.skipNumber()) return;
            if (isTextPosition(in.item(), itemsPerRecord) && !in.text()) return;
            // A record the expected days can never reach would otherwise walk the calendar to
            // its end and leave the rest of the file unread anyway.
            if (!isFileDate(fileYear, fileMonth, fileDay)) return;
            if (!headerIsLeapDay() &&
                dateKey(fileYear, fileMonth, fileDay) <
                    dateKey(kFirstFileYear + yearIndex, monthIndex + 1, dayIndex + 1)) {
                return;
            }
        }

        inSync = fileYear == kFirstFileYear + yearIndex && fileMonth == monthIndex + 1 &&
                 fileDay == dayIndex + 1;
        if (column + 24 > kTableHours)
            return;  // cannot happen with the walk above; never write past a row
        if (inSync || headerIsLeapDay()) {
            const bool keep = !headerIsLeapDay();
            for (int k = 0; k < 24; ++k) {
                std::int32_t value = 0;
                if (!in.number(value)) return;
                if (keep) table[static_cast<std::size_t>(yearIndex)][column++] = value;
            }
            while (in.item() % itemsPerRecord != 0) {
                if (!in.skipNumber()) return;
            }
        } else {
            std::int32_t* row = table[static_cast<std::size_t>(yearIndex)];
            std::fill_n(row + column, 24, MISSING_RAW);
            column += 24;
        }
    }
}

void appendNumber(std::string& out, std::int32_t value) {
    const std::uint32_t stored = static_cast<std::uint32_t>(value) ^ VALUE_KEY;
    out.push_back(static_cast<char>(stored & 0xFFu));
    out.push_back(static_cast<char>((stored >> 8) & 0xFFu));
    out.push_back(static_cast<char>((stored >> 16) & 0xFFu));
    out.push_back(static_cast<char>((stored >> 24) & 0xFFu));
}

void appendText(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c != '\0') out.push_back(c);
    }
    out.push_back('\0');
}

int itemsPerRecord(std::string_view variable) {
    return variable == "T" ? kTemperatureItems : kHumidityItems;
}

}  // namespace

void parseStationBytes(std::span<const unsigned char> bytes, std::string_view variable,
                       HourlyTable& table, std::ostream& trace) {
    parseHourlyBytes(bytes, itemsPerRecord(variable), table, trace);
}

HourlyTable makeHourlyTable() {
    HourlyTable table(kTableYears, kTableHours);
    table.fill(MISSING_RAW);
    return table;
}

std::string stationFilePath(const std::string& dataFolder, std::string_view variable,
                            std::string_view code) {
    std::filesystem::path path(dataFolder);
    path /= std::string(variable) + std::string(code) + "_.bin";
    return path.string();
}

bool isStationFileCode(std::string_view code) {
    if (code.empty() || code.size() > 16) return false;
    return std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    });
}

int daysInMonth365(int month) {
    if (month < 1 || month > 12) return 0;
    return kMonthLengths[static_cast<std::size_t>(month - 1)];
}

conversorAEMET::conversorAEMET(std::string defaultPath, int option, std::ostream& trace)
    : defaultPath_(std::move(defaultPath)), option_(option), trace_(trace) {}

int conversorAEMET::readHourlyFile(HourlyTable& table, const std::string& path,
                                   const std::string& variable) {
    namespace fs = std::filesystem;
    failure_ = {};
    if (table.rows() != static_cast<std::size_t>(kTableYears) ||
        table.cols() != static_cast<std::size_t>(kTableHours)) {
        table = makeHourlyTable();
    } else {
        table.fill(MISSING_RAW);
    }

    const std::string& file = path.empty() ? defaultPath_ : path;
    trace_ << "Fichero lectura = " << file << '\n';
    std::error_code ec;
    const fs::file_status status = fs::status(file, ec);
    // Looked at before opening: opening a pipe waits for a writer, reading a device may never
    // end. Only regular files are read.
    if (!ec && fs::exists(status) && !fs::is_regular_file(status)) {
        failure_ = {fs::is_directory(status) ? ErrorKind::IsAFolder : ErrorKind::NotARegularFile,
                    pathFields(file)};
        return 1;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        failure_ = {ErrorKind::CannotOpen, fileFields(file, errno)};
        return 1;
    }
    const Problem tooLarge{ErrorKind::TooLarge, pathFields(file)};
    std::optional<std::uintmax_t> size;
    if (!ec && fs::is_regular_file(status)) {
        std::error_code sizeError;
        const std::uintmax_t bytes = fs::file_size(file, sizeError);
        if (!sizeError) size = bytes;
    }
    std::vector<unsigned char> buffer;
    if (size) {
        // One read of the whole file into a buffer of its size.
        if (*size > kMaxStationFileBytes) {
            failure_ = tooLarge;
            return 1;
        }
        buffer.resize(static_cast<std::size_t>(*size));
        in.read(reinterpret_cast<char*>(buffer.data()),
                static_cast<std::streamsize>(buffer.size()));
        buffer.resize(static_cast<std::size_t>(in.gcount()));
    } else {
        // Size unknown (a pipe, a device): read in chunks up to the same limit.
        for (;;) {
            const std::size_t old = buffer.size();
            buffer.resize(old + kReadChunk);
            in.read(reinterpret_cast<char*>(buffer.data() + old),
                    static_cast<std::streamsize>(kReadChunk));
            buffer.resize(old + static_cast<std::size_t>(in.gcount()));
            if (buffer.size() > kMaxStationFileBytes) {
                failure_ = tooLarge;
                return 1;
            }
            if (!in) break;
        }
    }

    parseHourlyBytes(buffer, itemsPerRecord(variable), table, trace_);
    return 0;
}

std::string encodeStationFile(std::string_view variable, std::span<const StationDay> days,
                              std::string_view label) {
    const int items = itemsPerRecord(variable);
    std::string out;
    out.reserve(days.size() * static_cast<std::size_t>(items * 4 + 8 + label.size()));
    for (const StationDay& day : days) {
        appendText(out, label);  // 0
        appendNumber(out, day.year);
        appendNumber(out, day.month);
        appendNumber(out, day.day);
        appendText(out, "");  // 4
        appendNumber(out, 0);
        appendText(out, "");  // 6
        for (std::int32_t value : day.values)
            appendNumber(out, value);
        for (int item = 31; item < items; ++item)
            appendNumber(out, 0);
    }
    return out;
}

void writeStationFile(const std::string& path, std::string_view variable,
                      std::span<const StationDay> days, std::string_view label) {
    writeFileReplacing(path, encodeStationFile(variable, days, label));
}

std::vector<StationDay> stationDaysFromTable(const HourlyTable& table) {
    std::vector<StationDay> days;
    if (table.cols() < static_cast<std::size_t>(kTableHours)) return days;
    const int rows = static_cast<int>(std::min<std::size_t>(table.rows(), kTableYears));
    for (int r = 0; r < rows; ++r) {
        int column = 0;
        for (int month = 1; month <= 12; ++month) {
            for (int d = 1; d <= daysInMonth365(month); ++d) {
                StationDay day{kFirstFileYear + r, month, d, {}};
                bool any = false;
                for (int k = 0; k < 24; ++k) {
                    const std::int32_t value =
                        table.at(static_cast<std::size_t>(r), static_cast<std::size_t>(column + k));
                    day.values[static_cast<std::size_t>(k)] = value;
                    any = any || value != MISSING_RAW;
                }
                column += 24;
                if (any) days.push_back(day);
            }
        }
    }
    return days;
}

}  // namespace climstat
