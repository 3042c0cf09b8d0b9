// A scope in which the process's file-creation mask is 0, so that the shared work directory's
// folders and files can be used by every user's processes.
#pragma once

#include <sys/types.h>

#include <mutex>

namespace device {

/// Sets the mask to 0 on construction and restores it on destruction. The mask belongs to the
/// whole process, so the scopes of this library's threads are serialised: two overlapping
/// scopes would otherwise restore each other's 0 and leave the mask cleared for good.
class ZeroCreationMask {
  public:
    ZeroCreationMask();
    ~ZeroCreationMask();
    ZeroCreationMask(const ZeroCreationMask&) = delete;
    ZeroCreationMask& operator=(const ZeroCreationMask&) = delete;

  private:
    std::unique_lock<std::recursive_mutex> serialised_;
    mode_t saved_;
};

}  // namespace device
