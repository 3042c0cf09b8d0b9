// Moves to the trash on threads of their own, so that a move that hangs costs the caller no more
// than the wait. A move that outlasts its wait is kept, and joined by a later call or at exit.
#include "job/folder_trash.h"

#include <gio/gio.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace jobsender {
namespace {

bool trashWithGio(const std::filesystem::path& folder) {
    GFile* file = g_file_new_for_path(folder.c_str());
    GError* error = nullptr;
    const bool moved = g_file_trash(file, nullptr, &error) != FALSE;
    if (error != nullptr) {
        g_error_free(error);
    }
    g_object_unref(file);
    return moved;
}

struct Move {
    std::filesystem::path folder;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    bool moved = false;
    std::thread worker;
};

class TrashMoves {
  public:
    ~TrashMoves() {
        for (const auto& move : moves_) {
            move->worker.join();
        }
    }

    bool move(const std::filesystem::path& folder, const TrashCalls& calls) {
        joinEnded();
        if (std::any_of(moves_.begin(), moves_.end(),
                        [&](const auto& move) { return move->folder == folder; })) {
            return false;  // an earlier move of this folder has not ended
        }
        auto move = std::make_shared<Move>();
        move->folder = folder;
        move->worker = std::thread([move, trash = calls.trash] {
            const bool moved = trash(move->folder);
            const std::lock_guard lock(move->mutex);
            move->moved = moved;
            move->done = true;
            move->ended.notify_all();
        });
        std::unique_lock lock(move->mutex);
        if (move->ended.wait_for(lock, calls.wait, [&] { return move->done; })) {
            const bool moved = move->moved;
            lock.unlock();
            move->worker.join();
            return moved;
        }
        lock.unlock();
        moves_.push_back(std::move(move));
        return false;
    }

  private:
    void joinEnded() {
        std::erase_if(moves_, [](const std::shared_ptr<Move>& move) {
            std::unique_lock lock(move->mutex);
            if (!move->done) {
                return false;
            }
            lock.unlock();
            move->worker.join();
            return true;
        });
    }

    std::vector<std::shared_ptr<Move>> moves_;
};

}  // namespace

seam::Seam<TrashCalls>& trashCalls() {
    static const TrashCalls production{.trash = trashWithGio, .wait = kTrashWait};
    static seam::Seam<TrashCalls> seam(production);
    return seam;
}

bool IOS_Utl_MoveTrashFolder(const char* folder) {
    std::error_code error;
    if (folder == nullptr || !std::filesystem::exists(folder, error)) {
        return false;
    }
    static TrashMoves moves;
    return moves.move(folder, trashCalls().current());
}

}  // namespace jobsender
