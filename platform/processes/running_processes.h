// The programs running on the machine, read from /proc.
#pragma once

#include <filesystem>
#include <vector>

namespace processes {

/// The executable file of each running process that this user may inspect (the processes of
/// other users keep theirs hidden), one entry per process. A file removed or replaced since its
/// process started is given under the path it had.
std::vector<std::filesystem::path> runningExecutables();

}  // namespace processes
