// Locations and creation of the shared work directory's folders.
#include "registry/work_directory.h"

#include <charconv>
#include <system_error>

#include "DovoCommonLib/ios_status.h"
#include "cf/folders.h"
#include "registry/creation_mask.h"

namespace {

constexpr const char* kCachesSubfolder = "Orvane/TARN";
constexpr const char* kGroupContainers = ".local/share/group-containers";
constexpr int kTicketIdentifierDecimals = 10;
constexpr const char* kTicketExtension = ".ticket";

const char* folderName(device::WorkFolder folder) {
    switch (folder) {
        case device::WorkFolder::RequestTicket:
            return "RequestTicket";
        case device::WorkFolder::ResponseTicket:
            return "ResponseTicket";
        case device::WorkFolder::DistributedLock:
            break;
    }
    return "DistributedLock";
}

// The base folder is writable by every user, so its folders, and the base in the folder above,
// may have been replaced by links leading elsewhere; files are never made through them.
bool isLink(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error));
}

}  // namespace

std::string_view LibGroupName(bool onSandbox) {
    return onSandbox ? kLibSandboxGroupName : kLibGroupName;
}

namespace device {

std::filesystem::path WorkDirectoryBase(std::string_view groupName, bool onSandbox) {
    if (onSandbox) {
        return cf::Folders::home() / kGroupContainers / groupName;
    }
    return cf::Folders::sharedCaches() / kCachesSubfolder / groupName;
}

std::filesystem::path WorkDirectoryFolderPath(std::string_view groupName, bool onSandbox,
                                              WorkFolder folder) {
    return WorkDirectoryBase(groupName, onSandbox) / folderName(folder);
}

bool WorkDirectoryCreateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    {
        ZeroCreationMask mask;
        std::filesystem::create_directories(folder, error);
    }
    return !error && std::filesystem::is_directory(folder, error);
}

std::optional<std::filesystem::path> WorkDirectoryFolder(std::string_view groupName, bool onSandbox,
                                                         WorkFolder folder) {
    if (groupName.empty()) {
        return std::nullopt;
    }
    auto path = WorkDirectoryFolderPath(groupName, onSandbox, folder);
    if (isLink(path.parent_path()) || !WorkDirectoryCreateFolder(path) || isLink(path)) {
        return std::nullopt;
    }
    return path;
}

std::uint32_t WorkDirectoryPrepare(std::string_view groupName, bool onSandbox) {
    const auto base = WorkDirectoryBase(groupName, onSandbox);
    std::error_code error;
    const auto status = std::filesystem::symlink_status(base, error);
    if (std::filesystem::is_directory(std::filesystem::status(base, error))) {
        return kIOS_NoErr;
    }
    if (std::filesystem::exists(status) && !std::filesystem::remove(base, error)) {
        return kIOS_ErrWorkDirectory;
    }
    return WorkDirectoryCreateFolder(base) ? kIOS_NoErr : kIOS_ErrWorkDirectory;
}

std::string TicketFileName(TicketFileKind kind, double taskIdentifier) {
    std::string name = kind == TicketFileKind::Input ? "InputTicket_" : "OutputTicket_";
    // A double below 2^1024 has at most 309 integer digits.
    char digits[400];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, taskIdentifier,
                                            std::chars_format::fixed, kTicketIdentifierDecimals);
    name.append(digits, error == std::errc() ? end : digits);
    return name + kTicketExtension;
}

}  // namespace device
