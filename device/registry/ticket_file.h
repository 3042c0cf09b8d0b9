// Ticket files of the shared request and response folders.
//
// The folders are writable by every user and the names of their files travel through the shared
// registry block, which every user may write too: a name is used only when it names a file of the
// folder itself, no file is opened through a symbolic link, and only a plain file is read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "registry/lib_operation_task.h"

namespace device {

/// Whether `name` can name a file of a ticket folder: one path component, not "." or "..".
bool IsTicketFileName(std::string_view name);

/// The temporary file beside `path` that the ticket is written to before it is renamed into place.
std::filesystem::path TemporaryTicketPath(const std::filesystem::path& path);

/// Writes the serialised ticket to `folder`/`name`, readable and removable by every user's
/// processes. Whatever is already at the temporary name (a planted link included) is replaced,
/// never written through.
std::uint32_t WriteTicketFile(const std::filesystem::path& folder, std::string_view name,
                              const TktLibTicket* ticket);

/// Reads the ticket file `folder`/`name`. `missing` tells a file that is gone from one that cannot
/// be read; a link, a pipe or a device is refused without being read.
std::uint32_t ReadTicketFile(const std::filesystem::path& folder, std::string_view name,
                             OwnedTicket& ticket, bool& missing);

/// Removes `folder`/`name` when both are given and the name is a ticket folder's own.
void RemoveTicketFile(const std::optional<std::filesystem::path>& folder, std::string_view name);

}  // namespace device
