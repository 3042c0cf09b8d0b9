// The library's shared work directory: its location, its folders and its ticket file names.
//
// Off the sandbox the base folder is "Orvane/TARN/<group name>" inside the machine-wide caches
// folder (cf::Folders::sharedCaches()); on the sandbox it is the application group's container,
// "<home>/.local/share/group-containers/<group name>". Folders are created with their
// intermediate folders, permissions 0777 and a zero file-creation mask, so that every user's
// processes share them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

/// Group names, chosen by the sandbox flag.
inline constexpr std::string_view kLibGroupName = "IJDovoLib";
inline constexpr std::string_view kLibSandboxGroupName = "K7Q2WZR4MT.IJ.DovoLib";

std::string_view LibGroupName(bool onSandbox);

namespace device {

/// The folders inside the base folder.
enum class WorkFolder {
    RequestTicket,    ///< input and output ticket files of queued operations
    ResponseTicket,   ///< output ticket files of completed operations
    DistributedLock,  ///< one file per cross-process lock
};

/// The base folder of the group; nothing is created.
std::filesystem::path WorkDirectoryBase(std::string_view groupName, bool onSandbox);

/// The path of one folder of the group; nothing is created.
std::filesystem::path WorkDirectoryFolderPath(std::string_view groupName, bool onSandbox,
                                              WorkFolder folder);

/// The folder, created when missing; empty when it cannot be made (or the group is empty), or
/// when it or the base folder is a symbolic link.
std::optional<std::filesystem::path> WorkDirectoryFolder(std::string_view groupName, bool onSandbox,
                                                         WorkFolder folder);

/// Makes sure the base folder is a directory: a file in its place is removed, a missing folder
/// is created. 0, or kIOS_ErrWorkDirectory when either step fails.
std::uint32_t WorkDirectoryPrepare(std::string_view groupName, bool onSandbox);

/// Creates `folder` with its intermediate folders, 0777, under a zero creation mask. True when
/// the folder exists afterwards.
bool WorkDirectoryCreateFolder(const std::filesystem::path& folder);

/// Ticket file kinds.
enum class TicketFileKind { Input, Output };

/// "InputTicket_<identifier with 10 decimals>.ticket" or "OutputTicket_…"; the decimal point is
/// always ".", whatever the process's locale.
std::string TicketFileName(TicketFileKind kind, double taskIdentifier);

}  // namespace device
