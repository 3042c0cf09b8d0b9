// The exported job entry: runs the job driver and, when the timing switch is on, logs its time.
#include <ctime>
#include <new>
#include <string>

#include "cf/value.h"
#include "diagnostics/debug_time.h"
#include "job/main_process.h"
#include "rastercore/raster_core.h"

namespace {

constexpr const char* kTimingLabel = "print_plugIn";
constexpr std::size_t kImageNameBuffer = 256;  // bytes, terminator included

// The host's document name, when it fits the timing record's buffer.
bool imageName(const CoreCommonInfoTbl* table, std::string& name) {
    const CommonInfoTable* host = table->commonInfo;
    const std::string* text =
        host != nullptr && host->documentName != nullptr ? host->documentName->string() : nullptr;
    if (text == nullptr || text->size() >= kImageNameBuffer) {
        return false;
    }
    name = *text;
    return true;
}

// Local date and time as "2026/12/08/07/05/09".
std::string dateText() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[80];  // room for any int fields the format may meet
    std::snprintf(text, sizeof text, "%d/%02d/%02d/%02d/%02d/%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

std::uint32_t timedProcess(CoreCommonInfoTbl* table, void* progress) {
    TimeProcessRecord* timing = nullptr;
    if (getDebugTimeMode() == 1) {
        std::string name;
        const bool named = imageName(table, name);
        startTimeProcess(&timing, nullptr, named ? name.c_str() : nullptr, dateText().c_str(),
                         kTimingLabel);
    }
    const std::uint32_t result = PLG_CCC_Main_Process(nullptr, table, progress);
    endTimeProcess(timing);
    return result;
}

}  // namespace

extern "C" std::uint32_t RasterCore_Process(CoreCommonInfoTbl* table, void* progress) {
    if (table == nullptr) {
        return rastercore::kPlgNoJobRecord;
    }
    try {
        return timedProcess(table, progress);
    } catch (const std::bad_alloc&) {
        return rastercore::kPlgNoMemory;
    } catch (...) {
        return rastercore::kPlgPrintingError;
    }
}
