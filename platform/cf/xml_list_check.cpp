// Walks the markup of an XML text without building a tree.
#include "cf/xml_list_check.h"

#include <array>
#include <cstddef>

#include "cf/list_text.h"

namespace cf::detail {
namespace {

constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";
constexpr std::string_view kCharacterDataOpen = "<![CDATA[";
constexpr std::string_view kCharacterDataClose = "]]>";
constexpr std::string_view kInstructionOpen = "<?";
constexpr std::string_view kInstructionClose = "?>";
constexpr std::string_view kDeclarationOpen = "<!";
constexpr std::string_view kEndTagOpen = "</";
constexpr std::size_t kNowhere = std::string_view::npos;

constexpr std::array<std::string_view, 5> kPredefinedEntities = {"amp", "lt", "gt", "quot", "apos"};
constexpr char kCharacterReference = '#';
constexpr char kHexadecimalMark = 'x';
constexpr int kDecimalBase = 10;
constexpr int kHexadecimalBase = 16;
// Past the last code point: digits beyond it need not be added up.
constexpr char32_t kPastCodePoints = 0x110000;

enum class Construct { Comment, CharacterData, Instruction, Declaration, EndTag, StartTag };

/// One construct that starts with '<': its kind, and the position just past it (kNowhere when
/// the text ends inside it).
struct Markup {
    Construct kind;
    std::size_t end;
};

/// The position just past `close` found from `from`, or kNowhere.
std::size_t pastClose(std::string_view text, std::size_t from, std::string_view close) {
    const std::size_t at = text.find(close, from);
    return at == kNowhere ? kNowhere : at + close.size();
}

/// The position just past the '>' ending the tag or declaration at `from`: quoted attribute
/// values and a declaration's bracketed internal subset may hold '>'. kNowhere when unended.
std::size_t pastTag(std::string_view text, std::size_t from) {
    char quote = 0;
    int brackets = 0;
    for (std::size_t i = from; i < text.size(); ++i) {
        const char c = text[i];
        if (quote != 0) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '[') {
            ++brackets;
        } else if (c == ']') {
            --brackets;
        } else if (c == '>' && brackets <= 0) {
            return i + 1;
        }
    }
    return kNowhere;
}

/// The construct that starts at the '<' at `at`.
Markup markupAt(std::string_view text, std::size_t at) {
    const std::string_view rest = text.substr(at);
    if (rest.starts_with(kCommentOpen)) {
        return {Construct::Comment, pastClose(text, at + kCommentOpen.size(), kCommentClose)};
    }
    if (rest.starts_with(kCharacterDataOpen)) {
        return {Construct::CharacterData,
                pastClose(text, at + kCharacterDataOpen.size(), kCharacterDataClose)};
    }
    if (rest.starts_with(kInstructionOpen)) {
        return {Construct::Instruction,
                pastClose(text, at + kInstructionOpen.size(), kInstructionClose)};
    }
    if (rest.starts_with(kDeclarationOpen)) {
        return {Construct::Declaration, pastTag(text, at + kDeclarationOpen.size())};
    }
    if (rest.starts_with(kEndTagOpen)) {
        return {Construct::EndTag, pastTag(text, at + kEndTagOpen.size())};
    }
    return {Construct::StartTag, pastTag(text, at + 1)};
}

int digitValue(char c, int base) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (base == kHexadecimalBase && c >= 'a' && c <= 'f') {
        return c - 'a' + kDecimalBase;
    }
    if (base == kHexadecimalBase && c >= 'A' && c <= 'F') {
        return c - 'A' + kDecimalBase;
    }
    return -1;
}

/// Whether `name` (between '&' and ';') names a predefined entity or a character XML holds.
bool isGoodReference(std::string_view name) {
    for (const std::string_view entity : kPredefinedEntities) {
        if (name == entity) {
            return true;
        }
    }
    if (!name.starts_with(kCharacterReference)) {
        return false;
    }
    name.remove_prefix(1);
    const int base = name.starts_with(kHexadecimalMark) ? kHexadecimalBase : kDecimalBase;
    if (base == kHexadecimalBase) {
        name.remove_prefix(1);
    }
    if (name.empty()) {
        return false;
    }
    char32_t code = 0;
    for (const char c : name) {
        const int digit = digitValue(c, base);
        if (digit < 0) {
            return false;
        }
        code = code < kPastCodePoints ? code * base + static_cast<char32_t>(digit) : code;
    }
    return isXmlCharacter(code);
}

/// Whether every reference in text[from, to) is good.
bool referencesGood(std::string_view text, std::size_t from, std::size_t to) {
    const std::string_view part = text.substr(from, to - from);
    for (std::size_t at = part.find('&'); at != kNowhere; at = part.find('&', at + 1)) {
        const std::size_t end = part.find(';', at + 1);
        if (end == kNowhere || !isGoodReference(part.substr(at + 1, end - at - 1))) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool xmlElementsNestedWithin(std::string_view text, int maxElements) {
    int depth = 0;
    for (std::size_t at = text.find('<'); at != kNowhere;) {
        const Markup markup = markupAt(text, at);
        if (markup.end == kNowhere) {
            return false;
        }
        if (markup.kind == Construct::EndTag) {
            depth = depth > 0 ? depth - 1 : 0;
        } else if (markup.kind == Construct::StartTag && text[markup.end - 2] != '/' &&
                   ++depth > maxElements) {
            return false;
        }
        at = text.find('<', markup.end);
    }
    return true;
}

bool xmlReferencesWellFormed(std::string_view text) {
    std::size_t textStart = 0;
    for (std::size_t at = text.find('<'); at != kNowhere;) {
        const Markup markup = markupAt(text, at);
        if (markup.end == kNowhere || !referencesGood(text, textStart, at)) {
            return false;
        }
        const bool tag = markup.kind == Construct::StartTag || markup.kind == Construct::EndTag;
        if (tag && !referencesGood(text, at, markup.end)) {
            return false;
        }
        textStart = markup.end;
        at = text.find('<', markup.end);
    }
    return referencesGood(text, textStart, text.size());
}

}  // namespace cf::detail
