#include "launch/run_data_converter.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "cf/bundle.h"
#include "rastercore/common_info_table.h"
#include "settings/settings_folders.h"

namespace {

// Paths and names are handed over in 256-byte buffers: at most 255 bytes and the zero.
constexpr std::size_t kMaxArgumentBytes = 255;
constexpr std::uint8_t kHostPhotoApplication = 2;
// The child's status when the program cannot be executed: nothing to convert.
constexpr int kExecFailedStatus = 0;

std::optional<std::string> programPath() {
    const auto bundle = cf::Bundle::containing(reinterpret_cast<const void*>(&RunDataConverter));
    if (!bundle || bundle->identifier() != kPlugInBundleIdentifier) {
        return std::nullopt;
    }
    std::string path = (bundle->path() / kDataConverterProgram).string();
    if (path.size() > kMaxArgumentBytes) {
        return std::nullopt;
    }
    return path;
}

// The first 255 bytes of `text`, not cutting a UTF-8 character in two.
std::string cutToArgument(const std::string& text) {
    if (text.size() <= kMaxArgumentBytes) {
        return text;
    }
    std::size_t end = kMaxArgumentBytes;
    constexpr unsigned char kContinuationMask = 0xC0;
    constexpr unsigned char kContinuation = 0x80;
    while (end > 0 &&
           (static_cast<unsigned char>(text[end]) & kContinuationMask) == kContinuation) {
        --end;
    }
    return text.substr(0, end);
}

std::int32_t waitForChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return 0;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : status;
}

}  // namespace

std::int32_t RunDataConverter(CommonInfoTable* table, const char* mode) {
    const auto path = table != nullptr ? programPath() : std::nullopt;
    if (!path) {
        std::fputs("RunDataConverter : getFullPath = NULL\n", stderr);
        return 0;
    }
    const cf::Value* queue = table->printerQueueName;
    if (queue == nullptr || !queue->isString()) {
        std::fputs("RunDataConverter : PrinterName = NULL\n", stderr);
        return 0;
    }
    const std::string printerName = cutToArgument(*queue->string());
    const char* productFolder =
        table->hostType == kHostPhotoApplication ? kProductFolderVPX : kProductFolderStratoline;
    // Everything the child needs is made before the fork: it only executes or exits.
    const char* const arguments[] = {path->c_str(), printerName.c_str(), productFolder,
                                     mode != nullptr ? mode : "", nullptr};
    const pid_t child = ::fork();
    if (child < 0) {
        std::perror("The fork failed!");
        return 0;
    }
    if (child == 0) {
        ::execv(arguments[0], const_cast<char* const*>(arguments));
        ::_exit(kExecFailedStatus);
    }
    return waitForChild(child);
}
