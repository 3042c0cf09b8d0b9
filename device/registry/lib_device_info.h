// A view on one printer's record in the shared registry, with the record's three locks.
//
// The record's attach count and queue owner are touched under its device lock, the queue slots
// under its queue lock and the complete slots under its complete-list lock. A view keeps the
// memory its record lives in mapped for as long as it exists.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "registry/attach_ledger.h"
#include "registry/lib_lock.h"
#include "registry/lib_operation_task.h"
#include "registry/registry_error.h"
#include "registry/shared_block.h"

namespace device {

/// Where a view records this process's share of its record's attach count: the ledger and the
/// record's place in the block. Without a ledger the share is not recorded.
struct AttachShare {
    std::shared_ptr<AttachLedger> ledger;
    std::size_t record = 0;
};

}  // namespace device

class CLibDeviceInfo {
  public:
    static constexpr double kDeviceLockTimeout = 60;        // seconds
    static constexpr double kQueueLockTimeout = 60;         // seconds
    static constexpr double kCompleteListLockTimeout = 10;  // seconds

    /// A view on `contents`; `keepAlive` owns the memory it lives in (may be null when the caller
    /// keeps it alive). Null when the record or group is missing or a lock cannot be made.
    static std::unique_ptr<CLibDeviceInfo> initWithContents(
        SharedDeviceRecord* contents, std::string_view groupName, bool onSandbox,
        std::shared_ptr<const void> keepAlive = {}, device::AttachShare share = {});

    CLibDeviceInfo(const CLibDeviceInfo&) = delete;
    CLibDeviceInfo& operator=(const CLibDeviceInfo&) = delete;

    /// The record's identifier, the printer's device URI (at most 255 bytes).
    std::string identifier() const;
    /// Whether the printer's administration requests go through the operation queue (USB).
    bool shouldUseQueue() const { return contents_->useQueue != 0; }

    /// The device lock, taken over from a dead holder after its time-out. Device-view codes.
    std::uint32_t lock();
    std::uint32_t unlock();

    /// One more or one fewer context using the printer; the new count, which stays within
    /// 0 … 0xFFFFFFFF; this process's share in the ledger follows. Called with the device lock
    /// held.
    std::uint32_t attach();
    std::uint32_t detach();

    /// Whether a running process serves the printer's operation queue.
    bool queueOwnerExists() const;
    /// Names this process as the queue owner, or no process.
    void setQueueOwner();
    void clearQueueOwner();

    /// A new view on the same record, with locks of its own.
    std::unique_ptr<CLibDeviceInfo> clone() const;

    /// The request and response ticket folders, created when missing; empty when they cannot be.
    std::optional<std::filesystem::path> ticketDirectoryURLForRequest() const;
    std::optional<std::filesystem::path> ticketDirectoryURLForResponse() const;
    static std::optional<std::filesystem::path> ticketDirectoryURLForRequestWithGroupName(
        std::string_view groupName, bool onSandbox);
    static std::optional<std::filesystem::path> ticketDirectoryURLForResponseWithGroupName(
        std::string_view groupName, bool onSandbox);

    /// Deletes both ticket folders with everything in them.
    static void clearTicketFilesWithGroupName(std::string_view groupName, bool onSandbox);

    /// Lock results to device-view codes: 0 → 0, time-out → 4, misuse → 3, others → 12.
    static std::uint32_t errorForLockError(std::uint32_t lockError);
    /// Ticket library codes to device-view codes: 0 → 0, 2 → 2, 4 → 6, 5 → 7, others → 12.
    static std::uint32_t errorForTicketError(int ticketError);

    // The operation queue. Results are the device-view codes.

    /// Puts an operation at the tail: types 1 to 3 need both tickets, which are written to the
    /// request folder; a stop (4) takes none. `identifier` receives its task identifier, the
    /// time in seconds since 1 January 2001. 8 when all 16 slots wait.
    std::uint32_t enqueueOperationWithType(std::uint32_t type, const TktLibTicket* inputTicket,
                                           const TktLibTicket* outputTicket, double* identifier);

    /// Takes the head operation with its tickets (their files are deleted). 9 when the queue is
    /// empty. A head whose ticket files cannot be read goes to the tail and its failure is
    /// returned; a head whose files are gone is taken without tickets, so that its requester
    /// gets an answer instead of waiting for one that can never come.
    std::uint32_t dequeueOperation(std::unique_ptr<CLibOperationTask>& operation);

    /// Removes the waiting operation `identifier` and its ticket files; false when none waits.
    bool removeOperationWithIdentifier(double identifier);

    /// Posts a finished operation and writes its output ticket to the response folder. 10 when
    /// all 16 complete slots are taken. Completions that no requester can be waiting for any
    /// more (older than kCompletionLifetime) are cleared first, with their files.
    std::uint32_t addCompleteTask(const CLibCompleteTask& task);

    /// Waits (polling at the settings' retry interval) for the completion `identifier`, takes it
    /// from the list and deletes its file. 11 after kCompletionWait.
    std::uint32_t waitForCompleteTaskWithIdentifier(double identifier,
                                                    std::unique_ptr<CLibCompleteTask>& task);

    static constexpr double kCompletionWait = 60;  // seconds a requester waits for its answer
    /// Age after which a completion has outlived every requester's wait.
    static constexpr double kCompletionLifetime = kCompletionWait + 30;  // seconds

    /// The record and the queue's locks, for the operation queue.
    SharedDeviceRecord* contents() const { return contents_; }
    CLibLock& queueLock() { return *queueLock_; }
    CLibLock& completeListLock() { return *completeListLock_; }
    const std::string& groupName() const { return groupName_; }
    bool onSandbox() const { return appSandbox_; }

  private:
    CLibDeviceInfo(SharedDeviceRecord* contents, std::string_view groupName, bool onSandbox,
                   std::shared_ptr<const void> keepAlive, device::AttachShare share);
    void recordShare(int delta);

    SharedDeviceRecord* contents_;
    std::string groupName_;
    bool appSandbox_;
    std::shared_ptr<const void> keepAlive_;
    device::AttachShare share_;
    std::unique_ptr<CLibLock> bodyLock_;
    std::unique_ptr<CLibLock> queueLock_;
    std::unique_ptr<CLibLock> completeListLock_;
};

namespace device {

/// The text of a fixed string field of the block, which need not be terminated.
std::string SharedString(const char (&field)[kSharedStringSize]);

}  // namespace device
