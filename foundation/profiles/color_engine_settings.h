// The host colour engine's settings file, the colour engine check, the locale text of media
// strings and the colour modes.
#pragma once

#include <cstddef>

#include "cf/bundle.h"

/// The host colour engine's settings file in the user's Preferences folder.
inline constexpr char kColorEngineSettingsFile[] = "com.adobe.AdobeCMM.plist";
inline constexpr char kBlackPointCompensationKey[] = "BlackPointCompensation";
inline constexpr char kDitherKey[] = "Dither";

/// The black-point-compensation setting of the host's colour engine. A present file answers
/// whether its "BlackPointCompensation" is anything but false (a missing key counts as true);
/// with `write` set the value becomes `value` (added when missing), the list is written back
/// and the answer is `value`. A missing file is created with "BlackPointCompensation" = `value`
/// and "Dither" = true, answering `value`. Whenever the Preferences folder cannot be made or the
/// file cannot be read or written, the answer is true and nothing is written.
bool Check_BPCValueFromPlist(bool write, bool value);

/// Whether the host's own colour engine is among the installed colour engines. This system has
/// one engine (lcms2), so the answer is false.
bool isAdobeCMMInstalled();

/// Size of the buffer of `GetLocaleCharforMDB`, terminating zero included.
inline constexpr std::size_t kMediaLocaleSize = 255;
inline constexpr char kMediaLocaleKey[] = "STEXT_SET_MDB_LOCALE";

/// Copies the bundle's text of "STEXT_SET_MDB_LOCALE" in the user's language into `buffer`
/// (kMediaLocaleSize bytes) as UTF-8; the buffer stays as it was when the key has no text or
/// the text does not fit.
void GetLocaleCharforMDB(const cf::Bundle* bundle, char* buffer);

/// 1 for the colour modes 1, 3 and 4, else 0.
int CheckColor(int mode);
