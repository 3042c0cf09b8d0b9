// A check of XML property lists made before libplist parses them.
#pragma once

#include <string_view>

namespace cf::detail {

/// True when no element of the XML text is nested more than `maxElements` deep (the document's
/// root element lies at depth 1). libplist parses and frees containers recursively, so a deeper
/// list would exhaust the stack. Comments, processing instructions, character data sections and
/// declarations are skipped; a construct left open at the end of the text fails.
bool xmlElementsNestedWithin(std::string_view text, int maxElements);

}  // namespace cf::detail
