// The per-job timing log.
#include "diagnostics/debug_time.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <new>
#include <string>

#include "cf/folders.h"
#include "diagnostics/log_file.h"

struct TimeProcessRecord {
    std::clock_t start = 0;
    std::string logFileName;
    std::string imageName;
    std::string dateText;
    std::string label;
};

namespace {

constexpr const char* kProbeFile = "dummy";
constexpr const char* kHeaderLine = "name,fileName,date,print Time[ms]\r\n";
constexpr std::size_t kMaxPathBytes = 512;  // longest file-system path the log accepts
constexpr double kTicksPerMillisecond = CLOCKS_PER_SEC / 1000.0;

// The path of `name` in the Desktop's timing folder; false when there is no Desktop folder.
bool timingPath(const char* name, std::filesystem::path& path) {
    const std::filesystem::path desktop = cf::Folders::desktop();
    std::error_code error;
    if (!std::filesystem::is_directory(desktop, error)) {
        return false;
    }
    path = desktop / kDebugTimeFolder / name;
    return true;
}

std::string jobLine(const TimeProcessRecord& record, double milliseconds) {
    const std::string head = record.label + "," + record.imageName + "," + record.dateText + ",";
    char elapsed[64];
    std::snprintf(elapsed, sizeof elapsed, "%f\r\n", milliseconds);
    return head + elapsed;
}

}  // namespace

int getDebugTimeMode() {
    std::filesystem::path probe;
    if (!timingPath(kProbeFile, probe) || probe.native().size() >= kMaxPathBytes) {
        return 0;
    }
    int fd = -1;
    if (open_logFile(probe.c_str(), &fd, true) != 0) {
        return 0;
    }
    const bool closed = close_logFile(fd) == 0;
    const bool removed = remove_logFile(probe.c_str()) == 0;
    return closed && removed ? 1 : 0;
}

int startTimeProcess(TimeProcessRecord** record, const char* logFileName, const char* imageName,
                     const char* dateText, const char* label) {
    if (record == nullptr) {
        return -1;
    }
    auto* made = new (std::nothrow) TimeProcessRecord;
    if (made == nullptr) {
        return -1;
    }
    made->logFileName = logFileName != nullptr ? logFileName : kDebugTimeLogFile;
    made->imageName = imageName != nullptr ? imageName : "";
    made->dateText = dateText != nullptr ? dateText : "";
    made->label = label != nullptr ? label : "";
    made->start = std::clock();
    *record = made;
    return 0;
}

int endTimeProcess(TimeProcessRecord* record) {
    if (record == nullptr) {
        return 0;
    }
    const std::unique_ptr<TimeProcessRecord> owned(record);
    const double milliseconds =
        static_cast<double>(std::clock() - owned->start) / kTicksPerMillisecond;
    std::filesystem::path path;
    if (!timingPath(owned->logFileName.c_str(), path)) {
        return rastercore::kDebugTimeNoDesktop;
    }
    if (path.native().size() >= kMaxPathBytes) {
        return rastercore::kDebugTimeBadPath;
    }
    int fd = -1;
    if (open_logFile2(path.c_str(), &fd, O_RDWR | O_APPEND | O_CREAT, false) != 0) {
        return rastercore::kDebugTimeBadPath;
    }
    struct stat status {};
    const bool empty = ::fstat(fd, &status) == 0 && status.st_size == 0;
    if (empty) {
        write_logText(fd, kHeaderLine);
    }
    write_logText(fd, jobLine(*owned, milliseconds));
    ::fchmod(fd, kLogFileMode);
    close_logFile(fd);
    return 0;
}
