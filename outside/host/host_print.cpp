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
    cf::NotificationCenter& center = cf::NotificationCenter::localCenter();
    const auto progress =
        center.addObserver(rastercore::kChangeProgressValueNotification, nullptr,
                           [&display](const cf::Notification& posted) {
                               const auto* value = static_cast<const cf::Value*>(posted.object);
                               if (value != nullptr && value->real()) {
                                   display.progress(static_cast<int>(*value->real()));
                               }
                           });
    const auto status =
        center.addObserver(rastercore::kChangeProgressStringNotification, nullptr,
                           [&display](const cf::Notification& posted) {
                               const auto* value = static_cast<const cf::Value*>(posted.object);
                               if (value != nullptr && value->integer()) {
                                   display.status(static_cast<int>(*value->integer()));
                               }
                           });
    std::vector<std::uint8_t> copy(sizeof record);
    std::memcpy(copy.data(), &record, sizeof record);
    std::atomic<bool> ended{false};
    std::uint32_t result = 0;
    std::thread worker([&] {
        result = RasterCore_Process(reinterpret_cast<CoreCommonInfoTbl*>(copy.data()), nullptr);
        ended = true;
    });
    bool cancelPosted = false;
    while (!ended) {
        if (!cancelPosted && display.cancelRequested()) {
            center.post(rastercore::kRasterCoreCancelNotification);
            cancelPosted = true;
        }
        std::this_thread::sleep_for(kWorkerPoll);
    }
    worker.join();
    return result;
}

}  // namespace

std::uint32_t runPrint(HostType type, CoreCommonInfoTbl& record, ProgressDisplay& display) {
    if (type == HostType::PhotoApplication) {
        return printOnWorker(record, display);
    }
    EditorProgress progress(display);
    return RasterCore_Process(&record, static_cast<rastercore::ProgressObject*>(&progress));
}

}  // namespace host
