// UTF-8 checks and conversion into the printer's encodings through iconv.
#include "strings/text_codec.h"

#include <iconv.h>

#include <bit>

namespace textcodec {

namespace {

constexpr std::size_t kMaxUtf8Bytes = 4;
/// Room for one character in any target encoding: a surrogate pair of UTF-16 is the longest.
constexpr std::size_t kMaxEncodedBytes = 8;
constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;

// Bytes of the UTF-8 character that starts with `lead`; 0 for a byte that cannot start one.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed character at the start of `text`; 0 when there is none.
std::size_t characterAt(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = sequenceLength(lead);
    if (length == 0 || length > text.size()) {
        return 0;
    }
    // The value decides what the bytes alone do not: overlong forms, surrogates, the top.
    constexpr unsigned char kLeadMasks[kMaxUtf8Bytes + 1] = {0, 0x7F, 0x1F, 0x0F, 0x07};
    char32_t value = lead & kLeadMasks[length];
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isContinuation(byte)) {
            return 0;
        }
        value = (value << 6) | (byte & 0x3F);
    }
    constexpr char32_t kSmallest[kMaxUtf8Bytes + 1] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > kMaxCodePoint ||
        (value >= kSurrogateFirst && value <= kSurrogateLast)) {
        return 0;
    }
    return length;
}

const char* iconvName(std::uint32_t encoding) {
    switch (encoding) {
        case kEncodingUnicode:
            return std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";
        case kEncodingASCII:
            return "ASCII";
        case kEncodingShiftJIS:
            return "SHIFT_JIS";
        case kEncodingLatin1:
            return "ISO-8859-1";
        default:
            return nullptr;
    }
}

// One iconv conversion descriptor from UTF-8, closed when it goes out of scope.
class Converter {
  public:
    explicit Converter(const char* to)
        : handle_(to != nullptr ? ::iconv_open(to, "UTF-8") : kInvalid) {}
    ~Converter() {
        if (valid()) {
            ::iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != kInvalid; }

    /// Appends the form of one character to `out`; false when it has none.
    bool appendCharacter(std::string_view character, std::string& out) {
        char encoded[kMaxEncodedBytes];
        char* in = const_cast<char*>(character.data());
        std::size_t inLeft = character.size();
        char* to = encoded;
        std::size_t toLeft = sizeof encoded;
        if (::iconv(handle_, &in, &inLeft, &to, &toLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0) {
            return false;
        }
        out.append(encoded, sizeof encoded - toLeft);
        return true;
    }

  private:
    static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);
    iconv_t handle_;
};

}  // namespace

bool isValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const std::size_t length = characterAt(text);
        if (length == 0) {
            return false;
        }
        text.remove_prefix(length);
    }
    return true;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    while (!text.empty()) {
        const std::size_t length = characterAt(text);
        text.remove_prefix(length == 0 ? 1 : length);
        ++count;
    }
    return count;
}

std::size_t cutLength(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return text.size();
    }
    // Step back over the continuation bytes before the cut to the character's first byte; the
    // character is kept when it ends exactly at the cut.
    std::size_t start = limit;
    while (start > 0 && limit - start < kMaxUtf8Bytes - 1 &&
           isContinuation(static_cast<unsigned char>(text[start]))) {
        --start;
    }
    if (start == limit) {
        return limit;
    }
    const std::size_t length = sequenceLength(static_cast<unsigned char>(text[start]));
    return length != 0 && start + length > limit ? start : limit;
}

std::optional<std::string> encode(std::string_view utf8, std::uint32_t encoding,
                                  std::size_t maxBytes) {
    Converter converter(iconvName(encoding));
    if (!converter.valid() || !isValidUtf8(utf8)) {
        return std::nullopt;
    }
    std::string out;
    std::string character;
    while (!utf8.empty()) {
        const std::size_t length = characterAt(utf8);
        character.clear();
        if (!converter.appendCharacter(utf8.substr(0, length), character)) {
            return std::nullopt;
        }
        if (out.size() + character.size() > maxBytes) {
            break;
        }
        out += character;
        utf8.remove_prefix(length);
    }
    return out;
}

}  // namespace textcodec
