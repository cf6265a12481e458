#include "core/gzip.h"

#include <array>
#include <cstdint>

#include "core/errors.h"

namespace climstat {

namespace {

constexpr int kMaxBits = 15;        // longest Huffman code of deflate
constexpr int kLiteralCodes = 288;  // literal/length alphabet, with the two never used
constexpr int kDistanceCodes = 30;
constexpr int kFastBits = 9;  // codes this long or shorter decode with one table look-up

// Thrown inside the decoder and turned into the file's error at the top.
struct Corrupt {
    const char* what;
};
struct TooLarge {};

class Input {
  public:
    explicit Input(std::string_view bytes)
        : data_(reinterpret_cast<const std::uint8_t*>(bytes.data())), size_(bytes.size()) {}

    // The next `count` bits (0..25), first bit lowest.
    std::uint32_t bits(int count) {
        while (held_ < count) {
            if (pos_ == size_) throw Corrupt{"it ends inside the compressed data"};
            buffer_ |= static_cast<std::uint64_t>(data_[pos_++]) << held_;
            held_ += 8;
        }
        const auto value = static_cast<std::uint32_t>(buffer_ & ((1ull << count) - 1));
        buffer_ >>= count;
        held_ -= count;
        return value;
    }

    // Up to `count` bits without consuming them; fewer at the end of the input (zeros after).
    std::uint32_t peek(int count) {
        while (held_ < count && pos_ < size_) {
            buffer_ |= static_cast<std::uint64_t>(data_[pos_++]) << held_;
            held_ += 8;
        }
        return static_cast<std::uint32_t>(buffer_ & ((1ull << count) - 1));
    }
    int held() const { return held_; }
    void drop(int count) {
        buffer_ >>= count;
        held_ -= count;
    }

    // To the next byte boundary, giving back the whole bytes already taken into the buffer.
    void alignToByte() {
        drop(held_ % 8);
        pos_ -= static_cast<std::size_t>(held_ / 8);
        held_ = 0;
        buffer_ = 0;
    }
    std::uint8_t byte() {
        if (pos_ == size_) throw Corrupt{"it ends early"};
        return data_[pos_++];
    }
    std::size_t position() const { return pos_; }
    std::size_t size() const { return size_; }
    const std::uint8_t* at(std::size_t pos) const { return data_ + pos; }
    void skip(std::size_t count) {
        if (count > size_ - pos_) throw Corrupt{"it ends early"};
        pos_ += count;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint64_t buffer_ = 0;
    int held_ = 0;
};

// A canonical Huffman code: the number of codes of each length and the symbols in code order,
// with a table for the short codes.
class Huffman {
  public:
    // Builds the code of `lengths` (0 = symbol unused). An over-subscribed set of lengths is
    // corrupt; an incomplete one only with at most one code (a lone distance code), or when
    // `incomplete` allows it (the fixed distance code, 30 of 32 codes).
    void build(const std::uint8_t* lengths, int n, bool incomplete = false) {
        count_.fill(0);
        for (int s = 0; s < n; ++s)
            ++count_[lengths[s]];
        if (count_[0] == n) {
            codes_ = 0;
            fast_.fill(0);
            return;
        }
        int left = 1;
        for (int len = 1; len <= kMaxBits; ++len) {
            left = left * 2 - count_[static_cast<std::size_t>(len)];
            if (left < 0) throw Corrupt{"a Huffman code is over-subscribed"};
        }
        codes_ = n - count_[0];
        if (left > 0 && codes_ > 1 && !incomplete) throw Corrupt{"a Huffman code is incomplete"};
        std::array<int, kMaxBits + 2> offset{};
        for (int len = 1; len <= kMaxBits; ++len)
            offset[static_cast<std::size_t>(len + 1)] =
                offset[static_cast<std::size_t>(len)] + count_[static_cast<std::size_t>(len)];
        for (int s = 0; s < n; ++s) {
            if (lengths[s] != 0)
                symbol_[static_cast<std::size_t>(offset[lengths[s]]++)] =
                    static_cast<std::uint16_t>(s);
        }
        // Table of the codes up to kFastBits long, by their bits as they come (reversed).
        fast_.fill(0);
        int code = 0;
        int index = 0;
        for (int len = 1; len <= kFastBits; ++len) {
            for (int k = 0; k < count_[static_cast<std::size_t>(len)]; ++k, ++index, ++code) {
                int reversed = 0;
                for (int b = 0; b < len; ++b)
                    reversed |= ((code >> b) & 1) << (len - 1 - b);
                const auto entry =
                    static_cast<std::uint32_t>(symbol_[static_cast<std::size_t>(index)]) << 4 |
                    static_cast<std::uint32_t>(len);
                for (int fill = reversed; fill < (1 << kFastBits); fill += 1 << len)
                    fast_[static_cast<std::size_t>(fill)] = entry;
            }
            code <<= 1;
        }
    }

    int decode(Input& in) const {
        const std::uint32_t look = in.peek(kFastBits);
        const std::uint32_t entry = fast_[look];
        const int len = static_cast<int>(entry & 15u);
        if (len != 0 && len <= in.held()) {
            in.drop(len);
            return static_cast<int>(entry >> 4);
        }
        // A longer code, or the end of the input: bit by bit.
        int code = 0;
        int first = 0;
        int index = 0;
        for (int l = 1; l <= kMaxBits; ++l) {
            code |= static_cast<int>(in.bits(1));
            const int count = count_[static_cast<std::size_t>(l)];
            if (code - count < first)
                return symbol_[static_cast<std::size_t>(index + code - first)];
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        throw Corrupt{"a code is not in its Huffman table"};
    }

    int codes() const { return codes_; }

  private:
    std::array<int, kMaxBits + 1> count_{};
    std::array<std::uint16_t, kLiteralCodes> symbol_{};
    std::array<std::uint32_t, 1 << kFastBits> fast_{};
    int codes_ = 0;
};

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

class Inflater {
  public:
    Inflater(Input& in, std::string& out, std::size_t maxBytes)
        : in_(in), out_(out), max_(maxBytes) {}

    // One deflate stream, its blocks up to the last.
    void run() {
        for (bool last = false; !last;) {
            last = in_.bits(1) == 1;
            switch (in_.bits(2)) {
                case 0:
                    stored();
                    break;
                case 1:
                    fixed();
                    break;
                case 2:
                    dynamic();
                    break;
                default:
                    throw Corrupt{"a block has the reserved type 3"};
            }
        }
    }

  private:
    void room(std::size_t more) const {
        if (more > max_ - out_.size()) throw TooLarge{};
    }

    void stored() {
        in_.alignToByte();
        const unsigned length = in_.byte() | static_cast<unsigned>(in_.byte()) << 8;
        const unsigned check = in_.byte() | static_cast<unsigned>(in_.byte()) << 8;
        if ((length ^ 0xFFFFu) != check) throw Corrupt{"a stored block has a wrong length"};
        if (length > in_.size() - in_.position()) throw Corrupt{"it ends inside a stored block"};
        room(length);
        out_.append(reinterpret_cast<const char*>(in_.at(in_.position())), length);
        in_.skip(length);
    }

    void fixed() {
        std::array<std::uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
        for (int s = 0; s < kLiteralCodes; ++s)
            lengths[static_cast<std::size_t>(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        for (int s = 0; s < kDistanceCodes; ++s)
            lengths[static_cast<std::size_t>(kLiteralCodes + s)] = 5;
        literals_.build(lengths.data(), kLiteralCodes);
        distances_.build(lengths.data() + kLiteralCodes, kDistanceCodes, true);
        codes();
    }

    void dynamic() {
        const int literals = static_cast<int>(in_.bits(5)) + 257;
        const int distances = static_cast<int>(in_.bits(5)) + 1;
        const int codeLengths = static_cast<int>(in_.bits(4)) + 4;
        if (literals > 286 || distances > 30) throw Corrupt{"a block has too many codes"};
        static constexpr std::array<std::uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
        std::array<std::uint8_t, 19> lengthOfLength{};
        for (int k = 0; k < codeLengths; ++k)
            lengthOfLength[kOrder[static_cast<std::size_t>(k)]] =
                static_cast<std::uint8_t>(in_.bits(3));
        Huffman lengthCode;
        lengthCode.build(lengthOfLength.data(), 19);
        if (lengthCode.codes() == 0) throw Corrupt{"a block has no code-length codes"};

        std::array<std::uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
        int k = 0;
        while (k < literals + distances) {
            const int symbol = lengthCode.decode(in_);
            if (symbol < 16) {
                lengths[static_cast<std::size_t>(k++)] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            int times = 0;
            if (symbol == 16) {
                if (k == 0) throw Corrupt{"a length repeats before the first one"};
                repeated = lengths[static_cast<std::size_t>(k - 1)];
                times = 3 + static_cast<int>(in_.bits(2));
            } else if (symbol == 17) {
                times = 3 + static_cast<int>(in_.bits(3));
            } else {
                times = 11 + static_cast<int>(in_.bits(7));
            }
            if (k + times > literals + distances) throw Corrupt{"code lengths run past the end"};
            while (times-- > 0)
                lengths[static_cast<std::size_t>(k++)] = repeated;
        }
        if (lengths[256] == 0) throw Corrupt{"a block has no end-of-block code"};
        literals_.build(lengths.data(), literals);
        distances_.build(lengths.data() + literals, distances);
        codes();
    }

    void codes() {
        for (;;) {
            const int symbol = literals_.decode(in_);
            if (symbol < 256) {
                room(1);
                out_.push_back(static_cast<char>(symbol));
                continue;
            }
            if (symbol == 256) return;
            const int l = symbol - 257;
            if (l >= 29) throw Corrupt{"a length code is out of range"};
            const std::size_t length = kLengthBase[static_cast<std::size_t>(l)] +
                                       in_.bits(kLengthExtra[static_cast<std::size_t>(l)]);
            if (distances_.codes() == 0) throw Corrupt{"a match has no distance code"};
            const int d = distances_.decode(in_);
            if (d >= kDistanceCodes) throw Corrupt{"a distance code is out of range"};
            const std::size_t distance = kDistanceBase[static_cast<std::size_t>(d)] +
                                         in_.bits(kDistanceExtra[static_cast<std::size_t>(d)]);
            if (distance > out_.size() - start_) throw Corrupt{"a match reaches before the start"};
            room(length);
            std::size_t from = out_.size() - distance;
            for (std::size_t i = 0; i < length; ++i)
                out_.push_back(out_[from++]);
        }
    }

    Input& in_;
    std::string& out_;
    std::size_t max_;
    std::size_t start_ = out_.size();  // where this member's output begins
    Huffman literals_;
    Huffman distances_;
};

constexpr std::array<std::uint32_t, 256> makeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<std::uint32_t, 256> kCrcTable = makeCrcTable();

std::uint32_t crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes)
        c = kCrcTable[(c ^ static_cast<std::uint8_t>(ch)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t word(Input& in) {
    std::uint32_t value = 0;
    for (int k = 0; k < 4; ++k)
        value |= static_cast<std::uint32_t>(in.byte()) << (8 * k);
    return value;
}

void skipZeroTerminated(Input& in) {
    while (in.byte() != 0) {
    }
}

// One gzip member: header, deflate data, CRC-32 and length of what it held.
void member(Input& in, std::string& out, std::size_t maxBytes) {
    if (in.byte() != 0x1F || in.byte() != 0x8B) throw Corrupt{"a member lacks the gzip magic"};
    if (in.byte() != 8) throw Corrupt{"the compression method is not deflate"};
    const std::uint8_t flags = in.byte();
    if (flags & 0xE0) throw Corrupt{"the header has reserved flags set"};
    in.skip(6);  // modification time, extra flags, system
    if (flags & 0x04) {
        const unsigned extra = in.byte() | static_cast<unsigned>(in.byte()) << 8;
        in.skip(extra);
    }
    if (flags & 0x08) skipZeroTerminated(in);  // file name
    if (flags & 0x10) skipZeroTerminated(in);  // comment
    if (flags & 0x02) in.skip(2);              // header CRC
    const std::size_t start = out.size();
    Inflater(in, out, maxBytes).run();
    in.alignToByte();
    const std::uint32_t crc = word(in);
    const std::uint32_t size = word(in);
    const std::string_view content(out.data() + start, out.size() - start);
    if (crc != crc32(content)) throw Corrupt{"the CRC-32 of the content is wrong"};
    if (size != static_cast<std::uint32_t>(content.size())) throw Corrupt{"the length is wrong"};
}

}  // namespace

bool isGzip(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<std::uint8_t>(bytes[0]) == 0x1F &&
           static_cast<std::uint8_t>(bytes[1]) == 0x8B;
}

std::string gunzip(std::string_view bytes, const std::string& path, std::size_t maxBytes) {
    std::string out;
    try {
        Input in(bytes);
        member(in, out, maxBytes);
        // Members may follow one another; zeros padding the end are no member.
        while (in.position() < in.size()) {
            std::string_view rest(reinterpret_cast<const char*>(in.at(in.position())),
                                  in.size() - in.position());
            if (rest.find_first_not_of('\0') == std::string_view::npos) break;
            member(in, out, maxBytes);
        }
    } catch (const Corrupt& corrupt) {
        ErrorFields fields = pathFields(path);
        fields.value = corrupt.what;
        throw DataFileError(ErrorKind::GzipCorrupt, std::move(fields));
    } catch (const TooLarge&) {
        throw DataFileError(ErrorKind::TooLargeUnpacked, pathFields(path));
    }
    return out;
}

}  // namespace climstat
