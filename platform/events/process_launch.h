// Starting a background program, as the launch of an application that events are then sent to.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace events {

/// Starts `program` with `arguments` in a session of its own, detached from the caller: it is
/// not the caller's child (nothing to wait for) and its standard input, output and error are the
/// null device. 0 once the program runs, else the errno of the step that failed (the exec's
/// included: a missing program gives ENOENT).
int launchDetached(const std::filesystem::path& program, const std::vector<std::string>& arguments);

}  // namespace events
