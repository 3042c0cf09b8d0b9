// The device view: its locks, its attach count, its queue owner and its ticket folders.
#include "registry/lib_device_info.h"

#include <unistd.h>

#include <cstring>
#include <limits>
#include <system_error>

#include "registry/lib_settings.h"
#include "registry/work_directory.h"
#include "ticket/ticket_library.h"

namespace device {

std::string SharedString(const char (&field)[kSharedStringSize]) {
    return std::string(field, ::strnlen(field, kSharedStringSize));
}

}  // namespace device

CLibDeviceInfo::CLibDeviceInfo(SharedDeviceRecord* contents, std::string_view groupName,
                               bool onSandbox, std::shared_ptr<const void> keepAlive,
                               device::AttachShare share)
    : contents_(contents),
      groupName_(groupName),
      appSandbox_(onSandbox),
      keepAlive_(std::move(keepAlive)),
      share_(std::move(share)) {}

std::unique_ptr<CLibDeviceInfo> CLibDeviceInfo::initWithContents(
    SharedDeviceRecord* contents, std::string_view groupName, bool onSandbox,
    std::shared_ptr<const void> keepAlive, device::AttachShare share) {
    if (contents == nullptr || groupName.empty()) {
        return nullptr;
    }
    std::unique_ptr<CLibDeviceInfo> view(
        new CLibDeviceInfo(contents, groupName, onSandbox, std::move(keepAlive), std::move(share)));
    view->bodyLock_ = CLibLock::initWithName(device::SharedString(contents->deviceLockName),
                                             groupName, kDeviceLockTimeout, onSandbox);
    view->queueLock_ = CLibLock::initWithName(device::SharedString(contents->queueLockName),
                                              groupName, kQueueLockTimeout, onSandbox);
    view->completeListLock_ =
        CLibLock::initWithName(device::SharedString(contents->completeListLockName), groupName,
                               kCompleteListLockTimeout, onSandbox);
    if (!view->bodyLock_ || !view->queueLock_ || !view->completeListLock_) {
        return nullptr;
    }
    return view;
}

std::string CLibDeviceInfo::identifier() const {
    return device::SharedString(contents_->identifier);
}

std::uint32_t CLibDeviceInfo::lock() {
    return errorForLockError(bodyLock_->lockWithOwnerReference(&contents_->deviceLockOwner));
}

std::uint32_t CLibDeviceInfo::unlock() {
    return errorForLockError(bodyLock_->unlock());
}

std::uint32_t CLibDeviceInfo::attach() {
    if (contents_->attachCount < std::numeric_limits<std::uint32_t>::max()) {
        ++contents_->attachCount;
        recordShare(+1);
    }
    return contents_->attachCount;
}

std::uint32_t CLibDeviceInfo::detach() {
    if (contents_->attachCount > 0) {
        --contents_->attachCount;
        recordShare(-1);
    }
    return contents_->attachCount;
}

void CLibDeviceInfo::recordShare(int delta) {
    if (share_.ledger) {
        share_.ledger->addDeviceAttachment(share_.record, delta);
    }
}

bool CLibDeviceInfo::queueOwnerExists() const {
    const std::uint32_t owner = contents_->queueOwner;
    return owner != kSharedNoProcess &&
           CLibSettings::isProcessRunningByPID(static_cast<std::int32_t>(owner));
}

void CLibDeviceInfo::setQueueOwner() {
    contents_->queueOwner = static_cast<std::uint32_t>(::getpid());
}

void CLibDeviceInfo::clearQueueOwner() {
    contents_->queueOwner = kSharedNoProcess;
}

std::unique_ptr<CLibDeviceInfo> CLibDeviceInfo::clone() const {
    return initWithContents(contents_, groupName_, appSandbox_, keepAlive_, share_);
}

std::optional<std::filesystem::path> CLibDeviceInfo::ticketDirectoryURLForRequest() const {
    return ticketDirectoryURLForRequestWithGroupName(groupName_, appSandbox_);
}

std::optional<std::filesystem::path> CLibDeviceInfo::ticketDirectoryURLForResponse() const {
    return ticketDirectoryURLForResponseWithGroupName(groupName_, appSandbox_);
}

std::optional<std::filesystem::path> CLibDeviceInfo::ticketDirectoryURLForRequestWithGroupName(
    std::string_view groupName, bool onSandbox) {
    return device::WorkDirectoryFolder(groupName, onSandbox, device::WorkFolder::RequestTicket);
}

std::optional<std::filesystem::path> CLibDeviceInfo::ticketDirectoryURLForResponseWithGroupName(
    std::string_view groupName, bool onSandbox) {
    return device::WorkDirectoryFolder(groupName, onSandbox, device::WorkFolder::ResponseTicket);
}

void CLibDeviceInfo::clearTicketFilesWithGroupName(std::string_view groupName, bool onSandbox) {
    if (groupName.empty()) {
        return;
    }
    for (const auto folder :
         {device::WorkFolder::RequestTicket, device::WorkFolder::ResponseTicket}) {
        std::error_code ignored;
        std::filesystem::remove_all(device::WorkDirectoryFolderPath(groupName, onSandbox, folder),
                                    ignored);
    }
}

std::uint32_t CLibDeviceInfo::errorForLockError(std::uint32_t lockError) {
    switch (lockError) {
        case kCLibLockNoErr:
            return kCLibDeviceInfoNoErr;
        case kCLibLockTimeout:
            return kCLibDeviceInfoLockTimeout;
        case kCLibLockAlreadyHeld:
        case kCLibLockNotHeld:
            return kCLibDeviceInfoLockMisuse;
        default:
            return kCLibDeviceInfoOtherErr;
    }
}

std::uint32_t CLibDeviceInfo::errorForTicketError(int ticketError) {
    switch (ticketError) {
        case kTktLibNoErr:
            return kCLibDeviceInfoNoErr;
        case kTktLibMemErr:
            return kCLibDeviceInfoMemErr;
        case kTktLibSerializeErr:
            return kCLibDeviceInfoSerializeErr;
        case kTktLibParseErr:
            return kCLibDeviceInfoParseErr;
        default:
            return kCLibDeviceInfoOtherErr;
    }
}
