// Reading a job's data file while its writer may still be appending to it.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "cf/regular_file.h"
#include "job/local_job.h"

namespace jobsender {
namespace {

constexpr const char* kJobDataFile = "JobData";

}  // namespace

bool CLocalJob::OpenFile() {
    if (fileOpen_ == 1) {
        return true;
    }
    if (spoolFolder_.empty()) {
        return false;
    }
    // Only a regular file is read: a pipe or a device at its name would hold the program.
    cf::RegularFile data(spoolFile(kJobDataFile));
    if (!data.isOpen()) {
        return false;
    }
    dataFile_ = data.release();
    fileOpen_ = 1;
    return true;
}

void CLocalJob::CloseFile() {
    if (fileOpen_ == 1) {
        ::close(dataFile_);
        dataFile_ = -1;
        fileOpen_ = 0;
    }
}

// Reads go by position (pread), so the handle's own offset needs no keeping.
bool CLocalJob::ReopenFile() {
    CloseFile();
    return OpenFile();
}

bool CLocalJob::CalculationFileSize() {
    struct stat data {};
    if (spoolFolder_.empty() || ::stat(spoolFile(kJobDataFile).c_str(), &data) != 0) {
        return false;
    }
    fileSize_ = data.st_size;
    return true;
}

bool CLocalJob::ReadData(std::uint8_t* buffer, std::uint32_t* length) {
    if (buffer == nullptr || length == nullptr) {
        return false;
    }
    if (fileOpen_ != 1 && !OpenFile()) {
        return false;
    }
    const auto available = [this]() -> std::int64_t {
        struct stat data {};
        return ::fstat(dataFile_, &data) == 0 ? data.st_size - sendSize_ : -1;
    };
    std::int64_t left = available();
    if (*length > left) {
        // The file may have been replaced; a fresh handle sees its present end.
        if (!ReopenFile()) {
            return false;
        }
        left = available();
    }
    if (*length > left) {
        *length = 0;  // the data has not arrived yet
        return true;
    }
    std::uint32_t done = 0;
    while (done < *length) {
        const ssize_t got = ::pread(dataFile_, buffer + done, *length - done, sendSize_ + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            *length = 0;  // fewer bytes than the size promised: nothing is taken yet
            return true;
        }
        done += static_cast<std::uint32_t>(got);
    }
    sendSize_ += *length;
    return true;
}

}  // namespace jobsender
