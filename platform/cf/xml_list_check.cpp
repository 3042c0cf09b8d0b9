// Counts open elements of an XML text without building a tree.
#include "cf/xml_list_check.h"

#include <cstddef>

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

}  // namespace

bool xmlElementsNestedWithin(std::string_view text, int maxElements) {
    int depth = 0;
    std::size_t at = text.find('<');
    while (at != kNowhere) {
        const std::string_view rest = text.substr(at);
        std::size_t next = kNowhere;
        if (rest.starts_with(kCommentOpen)) {
            next = pastClose(text, at + kCommentOpen.size(), kCommentClose);
        } else if (rest.starts_with(kCharacterDataOpen)) {
            next = pastClose(text, at + kCharacterDataOpen.size(), kCharacterDataClose);
        } else if (rest.starts_with(kInstructionOpen)) {
            next = pastClose(text, at + kInstructionOpen.size(), kInstructionClose);
        } else if (rest.starts_with(kDeclarationOpen)) {
            next = pastTag(text, at + kDeclarationOpen.size());
        } else if (rest.starts_with(kEndTagOpen)) {
            next = pastTag(text, at + kEndTagOpen.size());
            depth = depth > 0 ? depth - 1 : 0;
        } else {
            next = pastTag(text, at + 1);
            const bool selfClosing = next != kNowhere && text[next - 2] == '/';
            if (!selfClosing && ++depth > maxElements) {
                return false;
            }
        }
        if (next == kNowhere) {
            return false;
        }
        at = text.find('<', next);
    }
    return true;
}

}  // namespace cf::detail
