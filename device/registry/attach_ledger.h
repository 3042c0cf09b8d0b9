// Which processes hold the attachments counted in the registry block.
//
// The block counts attachments but not who holds them, so the share of a process that dies
// without releasing them would stay counted for good. The ledger is a second shared-memory block
// beside the registry block ("<block name>.holders"; the registry block's own layout is fixed and
// has no room for it): one entry per process holding attachments, with the process's start time
// so that a reused process identifier is not taken for the dead holder. Entries are claimed with
// an atomic exchange of the process field; the block share of an entry changes under the
// registry lock and its share of a record under that record's device lock, so only the holder
// itself or, once it is dead, a reclaiming process under those locks writes them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "registry/shared_block.h"
#include "registry/shared_memory.h"

namespace device {

inline constexpr std::size_t kAttachHolderCount = 256;  ///< processes the ledger can name

/// The attachments of one process; free when `process` is 0.
struct AttachHolder {
    std::uint32_t process;           ///< process identifier
    std::uint32_t blockAttachments;  ///< its registry objects counted in the block header
    std::uint64_t startTime;         ///< its start in clock ticks after boot; 0 while claimed
    std::uint32_t deviceAttachments[kSharedDeviceCount];  ///< its share of each record's count
};

struct AttachLedgerBlock {
    AttachHolder holders[kAttachHolderCount];
};

static_assert(std::is_trivial_v<AttachLedgerBlock> && sizeof(AttachHolder) == 80);

/// The POSIX name of the group's ledger.
std::string AttachLedgerName(std::string_view groupName);

class AttachLedger {
  public:
    /// Maps the group's ledger, creating it zeroed when missing. Null when it cannot be mapped.
    static std::unique_ptr<AttachLedger> open(std::string_view groupName);

    /// Forgets every holder; for a block that no process has attached.
    void clear();

    /// Adds `delta` to this process's block share or its share of record `record`; the share
    /// stays within 0 … 0xFFFFFFFF. Nothing when the ledger has no entry left for this process.
    void addBlockAttachment(int delta);
    void addDeviceAttachment(std::size_t record, int delta);

    /// Entries of processes that have ended (or whose identifier now names another process).
    bool holderIsGone(const AttachHolder& holder) const;
    std::span<AttachHolder> holders();

    /// Frees an entry whose shares have all been given back.
    static void release(AttachHolder& holder);
    /// Forgets every process's share of record `record`, which has been unregistered.
    void forgetRecord(std::size_t record);

  private:
    explicit AttachLedger(std::unique_ptr<SharedMemoryMapping> mapping)
        : mapping_(std::move(mapping)) {}
    AttachLedgerBlock& contents() const;
    /// This process's entry, claimed when it has none; null when every entry is taken.
    AttachHolder* ownHolder();

    std::unique_ptr<SharedMemoryMapping> mapping_;
};

}  // namespace device
