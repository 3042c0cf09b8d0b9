// The printer status monitor, started after a job was spooled so that the user sees the
// printer. The monitor lies outside the system, in the driver's utilities folder; it is started
// through the shell, in the background, unless a running process already is the monitor.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "seam/seam.h"

/// The monitor's name, which its executable's path holds.
inline constexpr const char* kPrintMonitorName = "TARN Printmonitor";

/// How the core finds running processes and starts the monitor. Production reads the
/// executables of the processes in /proc and runs the command with the shell; tests put
/// recorders in place, so that no process is ever started.
struct PrintMonitorLauncher {
    /// The executable paths of the running processes.
    std::function<std::vector<std::string>()> runningProcessPaths;
    /// Runs `command` through the shell; the shell's status.
    std::function<int(const std::string& command)> launch;
};

const PrintMonitorLauncher& corePrintMonitorLauncher();
seam::Seam<PrintMonitorLauncher>& printMonitorLauncher();

/// The command that starts the monitor: its executable (Orvane/TARN/Utilities/TARN
/// Printmonitor.app/Contents/MacOS/TARN Printmonitor under the driver root) in double quotes,
/// then " mode=print &".
std::string printMonitorCommand();

/// True when the path of a running process contains `name`.
bool isLaunchProcess(const char* name);

/// Starts the monitor for `address` unless it runs already: the address becomes the monitor's
/// printer and the command runs. The shell's status, 0 when the monitor runs already, or -1
/// when the monitor's path holds a character that the shell would read inside double quotes.
std::int32_t launchPrintMonitor(void* ignored, void* address);
