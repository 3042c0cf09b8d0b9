// Running one print as the host type does.
#include "host_print.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "cf/notification_center.h"
#include "rastercore/raster_core.h"

namespace host {

namespace {

constexpr std::chrono::milliseconds kWorkerPoll{10};

// The photo application prints on a worker over a byte copy of the job record, while its
// window posts the cancel when the user asks for it.
std::uint32_t printOnWorker(const CoreCommonInfoTbl& record, ProgressDisplay& display) {
    PhotoApplicationCancel cancel(display);
    const CoreProgressObservers observers(
        [&](int percent) {
            display.progress(percent);
            cancel.postWhenAsked();
        },
        [&display](int message) { display.status(message); });
    std::vector<std::uint8_t> copy(sizeof record);
    std::memcpy(copy.data(), &record, sizeof record);
    std::atomic<bool> ended{false};
    std::uint32_t result = 0;
    std::thread worker([&] {
        result = RasterCore_Process(reinterpret_cast<CoreCommonInfoTbl*>(copy.data()), nullptr);
        ended = true;
    });
    while (!ended) {
        cancel.postWhenAsked();
        std::this_thread::sleep_for(kWorkerPoll);
    }
    worker.join();
    return result;
}

}  // namespace

void PhotoApplicationCancel::postWhenAsked() {
    if (display_.cancelRequested() && !posted_.exchange(true)) {
        cf::NotificationCenter::localCenter().post(rastercore::kRasterCoreCancelNotification);
    }
}

CoreProgressObservers::CoreProgressObservers(std::function<void(int)> percent,
                                             std::function<void(int)> status) {
    cf::NotificationCenter& center = cf::NotificationCenter::localCenter();
    progress_ = center.addObserver(rastercore::kChangeProgressValueNotification, nullptr,
                                   [percent](const cf::Notification& posted) {
                                       const auto* value =
                                           static_cast<const cf::Value*>(posted.object);
                                       if (value != nullptr && value->real()) {
                                           percent(static_cast<int>(*value->real()));
                                       }
                                   });
    status_ = center.addObserver(rastercore::kChangeProgressStringNotification, nullptr,
                                 [status](const cf::Notification& posted) {
                                     const auto* value =
                                         static_cast<const cf::Value*>(posted.object);
                                     if (value != nullptr && value->integer()) {
                                         status(static_cast<int>(*value->integer()));
                                     }
                                 });
}

std::uint32_t runPrint(HostType type, CoreCommonInfoTbl& record, ProgressDisplay& display) {
    if (type == HostType::PhotoApplication) {
        return printOnWorker(record, display);
    }
    EditorProgress progress(display);
    return RasterCore_Process(&record, static_cast<rastercore::ProgressObject*>(&progress));
}

}  // namespace host
