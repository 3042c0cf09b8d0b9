// Checks of XML property lists made before libplist parses them: libplist recurses once per
// level of nesting, and reads some text that is not well-formed XML, which other readers refuse.
#pragma once

#include <string_view>

namespace cf::detail {

/// True when no element of the XML text is nested more than `maxElements` deep (the document's
/// root element lies at depth 1). libplist parses and frees containers recursively, so a deeper
/// list would exhaust the stack. Comments, processing instructions, character data sections and
/// declarations are skipped; a construct left open at the end of the text fails.
bool xmlElementsNestedWithin(std::string_view text, int maxElements);

/// True when every reference ("&...;") of the XML text's character data and tags is one of the
/// five predefined entities or a character reference to a character that XML holds (see
/// cf/list_text.h). Comments, processing instructions, character data sections and declarations
/// are skipped; a construct left open at the end of the text fails. libplist would read "&#7;"
/// as a control character that no XML reader takes.
bool xmlReferencesWellFormed(std::string_view text);

}  // namespace cf::detail
