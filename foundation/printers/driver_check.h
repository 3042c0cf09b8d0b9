// Start-up checks that the installed printer driver is recent enough: its status monitor and
// the PPD of the printer's model.
#pragma once

/// The driver version from which the plug-in works.
inline constexpr double kLowestDriverVersion = 5.0;
/// The status monitor application under the driver root.
inline constexpr char kPrintMonitorApp[] = "Orvane/TARN/Utilities/TARN Printmonitor.app";

/// True when both the status monitor and the PPD of the model `name` are recent enough.
bool isDriverSupported(const char* name);

/// True when the status monitor's "CFBundleVersion" reads as 5 or more.
bool isPrintMonitorSupprted();

/// True when the first installed PPD whose ModelName is exactly `name` and that has a
/// "FileVersion" has one that reads as 5 or more; a matching PPD without "FileVersion" is passed
/// over.
bool isPPDSupported(const char* name);
