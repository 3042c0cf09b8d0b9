// The queue owner's administration thread.
#include "interface/lib_admin_thread.h"

#include "DovoCommonLib/ios_status.h"
#include "interface/lib_connector.h"
#include "registry/lib_settings.h"

namespace {

std::chrono::duration<double> seconds(double value) {
    return std::chrono::duration<double>(value);
}

}  // namespace

std::unique_ptr<CLibAdminThread> CLibAdminThread::initWithDeviceInfo(
    std::unique_ptr<CLibDeviceInfo> deviceInfo, CLibPrinterAddress* printerAddress,
    const std::atomic<bool>* mapping) {
    if (!deviceInfo || printerAddress == nullptr || mapping == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<CLibAdminThread>(new CLibAdminThread(
        std::move(deviceInfo), device::PrinterAddressRef::retain(printerAddress), mapping));
}

CLibAdminThread::~CLibAdminThread() {
    abort();
}

int CLibAdminThread::condition() const {
    std::lock_guard lock(conditionMutex_);
    return condition_;
}

void CLibAdminThread::setCondition(int condition) {
    std::lock_guard lock(conditionMutex_);
    condition_ = condition;
    conditionChanged_.notify_all();
}

bool CLibAdminThread::waitForCondition(int condition) {
    std::unique_lock lock(conditionMutex_);
    return conditionChanged_.wait_for(lock, kWaitLimit, [&] { return condition_ == condition; });
}

void CLibAdminThread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

std::uint32_t CLibAdminThread::start() {
    if (thread_.joinable()) {
        return kIOS_ErrInternal;
    }
    startingError_ = 0;
    cancelled_ = false;
    setCondition(kNotRunning);
    thread_ = std::thread(&CLibAdminThread::threadBody, this);
    const bool answered = waitForCondition(kRunning);
    const std::uint32_t status = answered ? startingError_ : kIOS_ErrInternal;
    if (status != kIOS_NoErr) {
        cancelled_ = true;
        join();
    }
    return status;
}

bool CLibAdminThread::pause() {
    if (!thread_.joinable()) {
        return false;
    }
    if (pauseRequestFlag_.exchange(true)) {
        return true;
    }
    if (!waitForCondition(kPaused)) {
        pauseRequestFlag_ = false;
        return false;
    }
    return true;
}

bool CLibAdminThread::resume() {
    if (!thread_.joinable()) {
        return false;
    }
    if (!pauseRequestFlag_.exchange(false)) {
        return true;
    }
    if (!waitForCondition(kRunning)) {
        pauseRequestFlag_ = true;
        return false;
    }
    return true;
}

void CLibAdminThread::abort() {
    if (!thread_.joinable()) {
        return;
    }
    cancelled_ = true;
    waitForCondition(kEnded);
    join();
}

std::uint32_t CLibAdminThread::perform(const CLibOperationTask& operation) {
    const bool withTickets =
        operation.inputTicket() != nullptr && operation.outputTicket() != nullptr;
    switch (operation.type()) {
        case kCLibOperationGet:
            return withTickets ? LibConnectorAdminGetInfo(connection_, operation.inputTicket(),
                                                          operation.outputTicket())
                               : kIOS_ErrInternal;
        case kCLibOperationSet:
            return withTickets ? LibConnectorAdminSetInfo(connection_, operation.inputTicket(),
                                                          operation.outputTicket())
                               : kIOS_ErrInternal;
        case kCLibOperationControl:
            return withTickets ? LibConnectorAdminControlInfo(connection_, operation.inputTicket(),
                                                              operation.outputTicket())
                               : kIOS_ErrInternal;
        case kCLibOperationStop:
            cancelled_ = true;
            return kIOS_NoErr;
        default:
            return kIOS_ErrInternal;  // unknown, or its ticket files were lost
    }
}

void CLibAdminThread::threadBody() {
    const CLibSettings& settings = CLibSettings::sharedSettings();
    const auto dequeueInterval = seconds(settings.dequeueInterval());
    const auto pausingInterval = seconds(settings.pausingInterval());
    startingError_ = LibConnectorAdminOpen(&connection_, printerAddress_.get());
    if (startingError_ != kIOS_NoErr) {
        cancelled_ = true;
        setCondition(kRunning);  // the starter reads the error
        return;
    }
    setCondition(kRunning);
    while (!cancelled_) {
        if (pauseRequestFlag_) {
            if (condition() != kPaused) {
                setCondition(kPaused);
            }
            std::this_thread::sleep_for(pausingInterval);
            continue;
        }
        if (condition() != kRunning) {
            setCondition(kRunning);
        }
        if (!*mapping_) {
            break;
        }
        std::unique_ptr<CLibOperationTask> operation;
        const std::uint32_t dequeued = deviceInfo_->dequeueOperation(operation);
        if (dequeued != kCLibDeviceInfoNoErr) {
            // Empty, or a head that cannot be read yet: never poll without a pause.
            std::this_thread::sleep_for(dequeueInterval);
            continue;
        }
        const std::uint32_t result = perform(*operation);
        if (!*mapping_) {
            break;
        }
        CLibCompleteTask complete(std::move(operation));
        complete.setError(result);
        deviceInfo_->addCompleteTask(complete);
    }
    setCondition(kNotRunning);
    LibConnectorAdminClose(connection_);
    connection_ = nullptr;
    setCondition(kEnded);
}
