#include "data/met_file.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <span>
#include <sstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/errors.h"
#include "core/number_text.h"
#include "core/text_file.h"

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
        if (tokens_.size() < keep) {
            tokens_.resize(keep);
            cut_.resize(keep);
        }
        used_ = 0;
        count_ = 0;
        bool inToken = false;
        bool sawAnything = false;
        for (;;) {
            if (pos_ == end_ && !refill()) return sawAnything;
            sawAnything = true;
            while (pos_ < end_) {
                const char c = buffer_[pos_];
                // A CR is the end of a line only with the LF after it; alone it ends the lines
                // of files this reader cannot split.
                if (afterCr_ && c != '\n') throw CrOnly{};
                afterCr_ = c == '\r';
                if (c == '\n') {
                    ++pos_;
                    return true;
                }
                if (isSpace(c)) {
                    inToken = false;
                    ++pos_;
                    continue;
                }
                // A run of token characters, copied at once (a token may go on in the next
                // buffer, where it is appended to).
                const std::size_t start = pos_;
                while (pos_ < end_ && buffer_[pos_] != '\n' && !isSpace(buffer_[pos_]))
                    ++pos_;
                if (!inToken) {
                    inToken = true;
                    ++count_;
                    if (used_ < keep) {
                        cut_[used_] = false;
                        tokens_[used_++].clear();
                    }
                }
                if (count_ <= keep) {
                    std::string& token = tokens_[used_ - 1];
                    const std::size_t room = kMaxKeptTokenLength - token.size();
                    if (pos_ - start > room) cut_[used_ - 1] = true;
                    token.append(buffer_.data() + start, std::min(room, pos_ - start));
                }
            }
        }
    }

    std::span<const std::string> tokens() const { return {tokens_.data(), used_}; }
    // Whether kept token i was longer than the characters kept of it.
    bool cut(std::size_t i) const { return cut_[i]; }
    std::size_t tokenCount() const { return count_; }
    long lineNumber() const { return lineNumber_; }
    void countLine() { ++lineNumber_; }

  private:
    bool refill() {
        if (!in_) return false;
        in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        pos_ = 0;
        end_ = static_cast<std::size_t>(in_.gcount());
        consumed_ += end_;
        // A typical-year file is under 1 MB; whatever streams on past the cap is no such file.
        if (consumed_ > kMaxInputFileBytes) throw TooLarge{};
        return end_ > 0;
    }

    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::vector<std::string> tokens_;  // kept from line to line, so that they keep their storage
    std::vector<bool> cut_;
    bool afterCr_ = false;
    std::size_t used_ = 0;
    std::size_t count_ = 0;
    long lineNumber_ = 0;
    std::uintmax_t consumed_ = 0;

  public:
    struct TooLarge {};
    struct CrOnly {};
};

// Physical bounds of a typical-year value: outside them the file is corrupt.
constexpr double kLowestDryBulb = -90.0;
constexpr double kHighestDryBulb = 70.0;
constexpr double kHighestHumidityRatio = 0.1;

// The fields of an error on a line, after `records` records.
ErrorFields lineFields(const std::string& path, long line, int records) {
    ErrorFields fields = pathFields(path);
    fields.line = line;
    fields.count = records;
    return fields;
}

std::string valueText(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

}  // namespace

MetFileData readMetFile(const std::string& path) {
    std::ifstream in = openInputFile(path);
    try {
        return readMetStream(in, path);
    } catch (const LineTokenizer::TooLarge&) {
        throw DataFileError(ErrorKind::TooLarge, pathFields(path));
    }
}

namespace {

// A record value: its number, however large (an infinity beyond a double), or nothing when the
// token holds none. A token longer than any number of a typical-year file counts as beyond
// every bound.
std::optional<double> recordValue(const LineTokenizer& lines, std::size_t i) {
    std::optional<double> value = leadingNumberValue(lines.tokens()[i]);
    if (value && lines.cut(i)) value = std::numeric_limits<double>::infinity();
    return value;
}

// How an implausible value is shown: as the file writes it when it is no number a double holds.
std::string shownValue(const LineTokenizer& lines, std::size_t i, double value) {
    if (std::isfinite(value)) return valueText(value);
    return lines.tokens()[i] + (lines.cut(i) ? "..." : "");
}

MetFileData readMetLines(std::istream& in, const std::string& path) {
    LineTokenizer lines(in);
    MetFileData data;

    // Header: lines until five tokens have been seen.
    int headerTokens = 0;
    int headerLines = 0;
    bool firstLineOnlyName = false;
    std::string latitudeToken;
    std::vector<std::string> headerStream;
    while (headerTokens < kHeaderTokens) {
        if (!lines.nextLine(kHeaderTokens)) {
            if (headerTokens == 0) throw DataFileError(ErrorKind::Empty, pathFields(path));
            throw DataFileError(ErrorKind::MetEndsInHeader, pathFields(path));
        }
        lines.countLine();
        if (lines.tokenCount() == 0) continue;
        ++headerLines;
        // A line of a record's length inside the header: a header line is missing, and the
        // header would swallow the first record.
        if (lines.tokenCount() >= kNeededRecordTokens) {
            ErrorFields fields = lineFields(path, lines.lineNumber(), 0);
            fields.total = static_cast<long>(lines.tokenCount());
            throw DataFileError(ErrorKind::MetHeaderLacksLine, std::move(fields));
        }
        if (headerLines == 1) firstLineOnlyName = lines.tokenCount() == 1;
        if (headerLines == 2 && firstLineOnlyName) latitudeToken = lines.tokens()[0];
        for (const std::string& token : lines.tokens())
            headerStream.push_back(token);
        headerTokens += static_cast<int>(lines.tokenCount());
    }
    if (!firstLineOnlyName) latitudeToken = headerStream[2];
    data.latitude = leadingNumber(latitudeToken);
    if (!leadingNumberOrNothing(latitudeToken)) data.latitudeNotANumber = latitudeToken;

    int records = 0;
    while (records < kMetRecords && lines.nextLine(kNeededRecordTokens)) {
        lines.countLine();
        if (lines.tokenCount() == 0) continue;  // blank line
        if (lines.tokenCount() < kNeededRecordTokens) {
            ErrorFields fields = lineFields(path, lines.lineNumber(), records);
            fields.total = static_cast<long>(lines.tokenCount());
            throw DataFileError(ErrorKind::MetRecordTooShort, std::move(fields));
        }
        ++records;
        const std::optional<double> ts = recordValue(lines, 3);
        const std::optional<double> w = recordValue(lines, 7);
        // A token without a number keeps the fallback 0, but the file is not silent about it.
        for (const auto* value : {&ts, &w}) {
            if (!value->has_value()) {
                if (data.nonNumberTokens++ == 0) data.firstNonNumberLine = lines.lineNumber();
            }
        }
        // Every hour of a typical year is valid data: a value beyond the physical bounds, as
        // large as it may be, means the file is corrupt, and nothing of it is used.
        const double t = ts.value_or(0.0);
        const double x = w.value_or(0.0);
        if (!(t >= kLowestDryBulb && t <= kHighestDryBulb)) {
            ErrorFields fields = lineFields(path, lines.lineNumber(), records);
            fields.value = shownValue(lines, 3, t);
            throw DataFileError(ErrorKind::MetDryBulbOutside, std::move(fields));
        }
        if (!(x >= 0.0 && x <= kHighestHumidityRatio)) {
            ErrorFields fields = lineFields(path, lines.lineNumber(), records);
            fields.value = shownValue(lines, 7, x);
            throw DataFileError(ErrorKind::MetHumidityOutside, std::move(fields));
        }
        data.ts[records] = static_cast<float>(t);
        data.w[records] = static_cast<float>(x);
    }
    if (records < kMetRecords) {
        ErrorFields fields = pathFields(path);
        fields.count = records;
        throw DataFileError(ErrorKind::MetEndsEarly, std::move(fields));
    }
    return data;
}

}  // namespace

MetFileData readMetStream(std::istream& in, const std::string& path) {
    try {
        return readMetLines(in, path);
    } catch (const LineTokenizer::CrOnly&) {
        throw DataFileError(ErrorKind::CrOnlyLineEnds, pathFields(path));
    }
}

}  // namespace climstat
