// Localized texts of a bundle's default string table in the user's language, looked up the way
// the dialogs' texts are: a key without a text shows the default text, else the key itself.
#pragma once

#include <string>
#include <vector>

#include "cf/bundle.h"

/// The user's preferred language, then its first part alone ("zh-Hans", "zh").
std::vector<std::string> UserLanguages();

/// The text of `key` in the bundle's "Localizable" table; when the bundle is null or has no text
/// for the key: `defaultText` when it is neither null nor empty, else the key.
std::string CopyLocalizedString(const cf::Bundle* bundle, const char* key,
                                const char* defaultText = nullptr);
