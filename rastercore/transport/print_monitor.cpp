// Starting the printer status monitor.
#include "transport/print_monitor.h"

#include <cstdlib>
#include <filesystem>

#include "cf/folders.h"
#include "processes/running_processes.h"
#include "rastercore/result_codes.h"
#include "transport/transport_calls.h"

namespace {

constexpr const char* kMonitorUnderRoot =
    "Orvane/TARN/Utilities/TARN Printmonitor.app/Contents/MacOS/TARN Printmonitor";
constexpr const char* kMonitorArguments = " mode=print &";
/// Characters that keep a meaning inside double quotes of the shell.
constexpr const char* kQuotedShellCharacters = "\"$`\\\n";

std::filesystem::path monitorPath() {
    return cf::Folders::driverRoot() / kMonitorUnderRoot;
}

std::vector<std::string> processExecutables() {
    std::vector<std::string> paths;
    for (const auto& executable : processes::runningExecutables()) {
        paths.push_back(executable.string());
    }
    return paths;
}

}  // namespace

const PrintMonitorLauncher& corePrintMonitorLauncher() {
    static const PrintMonitorLauncher launcher{
        .runningProcessPaths = processExecutables,
        .launch = [](const std::string& command) { return std::system(command.c_str()); },
    };
    return launcher;
}

seam::Seam<PrintMonitorLauncher>& printMonitorLauncher() {
    static seam::Seam<PrintMonitorLauncher> seam(corePrintMonitorLauncher());
    return seam;
}

std::string printMonitorCommand() {
    return "\"" + monitorPath().string() + "\"" + kMonitorArguments;
}

bool isLaunchProcess(const char* name) {
    if (name == nullptr) {
        return false;
    }
    for (const std::string& path : printMonitorLauncher().current().runningProcessPaths()) {
        if (path.find(name) != std::string::npos) {
            return true;
        }
    }
    return false;
}

std::int32_t launchPrintMonitor(void*, void* address) {
    if (isLaunchProcess(kPrintMonitorName)) {
        return rastercore::kResultOk;
    }
    transportCalls().current().setPrintMonitorPrinter(address);
    if (monitorPath().string().find_first_of(kQuotedShellCharacters) != std::string::npos) {
        return rastercore::kResultFailure;
    }
    return printMonitorLauncher().current().launch(printMonitorCommand());
}
