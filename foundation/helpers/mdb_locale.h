// The locale letters that choose the language of medium names in the media database.
#pragma once

#include "cf/bundle.h"

/// Bytes of a locale buffer, terminator included.
inline constexpr int kMdbLocaleBytes = 256;

/// Writes the bundle's text of "STEXT_SET_MDB_LOCALE" in the user's language into `buffer`
/// (kMdbLocaleBytes bytes) as terminated UTF-8 of at most 255 bytes; leaves the buffer as it is
/// when the key has no text.
void GetLocaleCharforMDB(const cf::Bundle* bundle, char* buffer);
