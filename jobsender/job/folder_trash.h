// Moving a folder to the user's trash (the freedesktop trash, through GIO), waiting a bounded
// time for the move to end.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>

#include "seam/seam.h"

namespace jobsender {

/// How long the job sender waits for a move to the trash.
inline constexpr std::chrono::milliseconds kTrashWait{60000};

struct TrashCalls {
    /// Moves `folder` to the trash; true when it did. May take long; runs on a thread of its own.
    std::function<bool(const std::filesystem::path& folder)> trash;
    /// How long a caller waits for `trash` to end.
    std::chrono::milliseconds wait;
};

/// GIO's trash and kTrashWait unless a test put its own in place.
seam::Seam<TrashCalls>& trashCalls();

/// Moves `folder` to the trash. False when it does not exist, when the move fails, and when the
/// move has not ended within the wait (it goes on in the background and is joined later; the
/// folder counts as not moved, so that its removal is tried again).
bool IOS_Utl_MoveTrashFolder(const char* folder);

}  // namespace jobsender
