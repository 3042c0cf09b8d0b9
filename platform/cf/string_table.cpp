// A small reader of string-table files: a cursor over the text that never steps past its end.
#include "cf/string_table.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

namespace cf {
namespace {

// No interface text table comes near this; larger files are refused unread.
constexpr std::uintmax_t kLargestTable = 16U << 20;
constexpr std::size_t kHexDigits = 4;
constexpr std::uint32_t kHighSurrogateFirst = 0xD800;
constexpr std::uint32_t kLowSurrogateFirst = 0xDC00;
constexpr std::uint32_t kSurrogateEnd = 0xE000;
constexpr std::uint32_t kSupplementaryFirst = 0x10000;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUnquotedExtra = "_.-$:/";

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < kSupplementaryFirst) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool isUnquotedCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           kUnquotedExtra.find(c) != std::string_view::npos;
}

class TableReader {
  public:
    explicit TableReader(std::string_view text) : text_(text) {}

    std::optional<StringTable> table() {
        StringTable entries;
        while (skipBlanks()) {
            if (atEnd()) {
                return entries;
            }
            auto key = string();
            if (!key || !skipBlanks() || !take('=') || !skipBlanks()) {
                return std::nullopt;
            }
            auto value = string();
            if (!value || !skipBlanks() || !take(';')) {
                return std::nullopt;
            }
            entries.insert_or_assign(std::move(*key), std::move(*value));
        }
        return std::nullopt;
    }

  private:
    bool atEnd() const { return position_ >= text_.size(); }
    char peek(std::size_t ahead = 0) const {
        return position_ + ahead < text_.size() ? text_[position_ + ahead] : '\0';
    }
    bool take(char c) {
        if (atEnd() || text_[position_] != c) {
            return false;
        }
        ++position_;
        return true;
    }

    // Skips white space and comments; false for a comment that never ends.
    bool skipBlanks() {
        while (!atEnd()) {
            const char c = peek();
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
                ++position_;
            } else if (c == '/' && peek(1) == '/') {
                const std::size_t end = text_.find('\n', position_);
                position_ = end == std::string_view::npos ? text_.size() : end;
            } else if (c == '/' && peek(1) == '*') {
                const std::size_t end = text_.find("*/", position_ + 2);
                if (end == std::string_view::npos) {
                    return false;
                }
                position_ = end + 2;
            } else {
                break;
            }
        }
        return true;
    }

    std::optional<std::string> string() {
        if (take('"')) {
            return quoted();
        }
        const std::size_t start = position_;
        while (!atEnd() && isUnquotedCharacter(peek())) {
            ++position_;
        }
        if (position_ == start) {
            return std::nullopt;
        }
        return std::string(text_.substr(start, position_ - start));
    }

    std::optional<std::string> quoted() {
        std::string out;
        while (!atEnd()) {
            const char c = text_[position_++];
            if (c == '"') {
                return out;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (atEnd()) {
                return std::nullopt;
            }
            const char escaped = text_[position_++];
            switch (escaped) {
                case 'n':
                    out += '\n';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 'U':
                case 'u':
                    if (!unicodeEscape(out)) {
                        return std::nullopt;
                    }
                    break;
                default:
                    out += escaped;
            }
        }
        return std::nullopt;
    }

    std::optional<std::uint32_t> hexUnit() {
        if (text_.size() - position_ < kHexDigits) {
            return std::nullopt;
        }
        std::uint32_t unit = 0;
        for (std::size_t i = 0; i < kHexDigits; ++i) {
            const char c = text_[position_ + i];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                return std::nullopt;
            }
            unit = unit * 16 + static_cast<std::uint32_t>(digit);
        }
        position_ += kHexDigits;
        return unit;
    }

    // One \Uxxxx escape after its "\U"; a high surrogate takes the low one of the next escape.
    bool unicodeEscape(std::string& out) {
        auto unit = hexUnit();
        if (!unit || *unit == 0 || (*unit >= kLowSurrogateFirst && *unit < kSurrogateEnd)) {
            return false;
        }
        if (*unit >= kHighSurrogateFirst && *unit < kLowSurrogateFirst) {
            if (!take('\\') || !(take('U') || take('u'))) {
                return false;
            }
            const auto low = hexUnit();
            if (!low || *low < kLowSurrogateFirst || *low >= kSurrogateEnd) {
                return false;
            }
            unit = kSupplementaryFirst + ((*unit - kHighSurrogateFirst) << 10) +
                   (*low - kLowSurrogateFirst);
        }
        appendUtf8(out, *unit);
        return true;
    }

    std::string_view text_;
    std::size_t position_ = 0;
};

std::optional<StringTable> tableIn(const std::filesystem::path& folder, std::string_view table) {
    const std::filesystem::path file = folder / (std::string(table) + ".strings");
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    return readStringTableFile(file);
}

}  // namespace

std::optional<StringTable> parseStringTable(std::string_view text) {
    if (text.starts_with(kUtf8Mark)) {
        text.remove_prefix(kUtf8Mark.size());
    }
    return TableReader(text).table();
}

std::optional<StringTable> readStringTableFile(const std::filesystem::path& path) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kLargestTable) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parseStringTable(text);
}

std::optional<std::string> localizedString(const Bundle& bundle, std::string_view key,
                                           std::span<const std::string> languages,
                                           std::string_view table) {
    std::vector<std::filesystem::path> folders;
    for (const std::string& language : languages) {
        if (!language.empty() && language.find('/') == std::string::npos) {
            folders.push_back(bundle.resourcesPath() / (language + ".lproj"));
        }
    }
    const Value* region = bundle.info().find("CFBundleDevelopmentRegion");
    if (region != nullptr && region->isString() && !region->string()->empty() &&
        region->string()->find('/') == std::string::npos) {
        folders.push_back(bundle.resourcesPath() / (*region->string() + ".lproj"));
    }
    folders.push_back(bundle.resourcesPath());
    for (const auto& folder : folders) {
        if (auto entries = tableIn(folder, table)) {
            const auto found = entries->find(key);
            return found != entries->end() ? std::optional(found->second) : std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace cf
