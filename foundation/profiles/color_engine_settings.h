// The host colour engine's settings file, the colour engine check and the colour modes.
#pragma once

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

/// 1 for the colour modes 1, 3 and 4, else 0.
int CheckColor(int mode);
