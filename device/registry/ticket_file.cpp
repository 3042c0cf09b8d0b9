// Ticket files of the shared request and response folders.
#include "registry/ticket_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "cf/value.h"
#include "registry/creation_mask.h"
#include "registry/lib_device_info.h"

namespace {

constexpr mode_t kSharedFileMode = 0666;  // every user's processes read and remove the file
constexpr std::size_t kReadChunk = 64 * 1024;
// A ticket holds a few settings; anything far larger was not written by this library.
constexpr std::size_t kLargestTicketFile = 16 * 1024 * 1024;

// Closes the descriptor when the scope ends.
class Descriptor {
  public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return descriptor_; }
    /// Closes now; false when the close reports an error.
    bool close() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return ::close(descriptor) == 0;
    }

  private:
    int descriptor_;
};

bool writeAll(int descriptor, const cf::Value::Data& bytes) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads to the end of the file; false when it fails or runs past kLargestTicketFile.
bool readAll(int descriptor, cf::Value::Data& bytes) {
    std::uint8_t chunk[kReadChunk];
    while (bytes.size() <= kLargestTicketFile) {
        const ssize_t n = ::read(descriptor, chunk, sizeof chunk);
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return false;
}

// A new file at `path`, never one that is there already. Whatever holds the name (a file left by
// a dead process of the same identifier, or a planted link) is removed, never written through.
int createShared(const std::filesystem::path& path) {
    device::ZeroCreationMask mask;
    constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    const int descriptor = ::open(path.c_str(), kFlags, kSharedFileMode);
    if (descriptor >= 0 || errno != EEXIST || ::unlink(path.c_str()) != 0) {
        return descriptor;
    }
    return ::open(path.c_str(), kFlags, kSharedFileMode);
}

}  // namespace

namespace device {

bool IsTicketFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

std::filesystem::path TemporaryTicketPath(const std::filesystem::path& path) {
    return path.string() + ".tmp" + std::to_string(::getpid()) + "_" +
           std::to_string(std::hash<std::thread::id>{}(std::this_thread::get_id()));
}

std::uint32_t WriteTicketFile(const std::filesystem::path& folder, std::string_view name,
                              const TktLibTicket* ticket) {
    if (!IsTicketFileName(name)) {
        return kCLibDeviceInfoWriteErr;
    }
    cf::Value data;
    if (const int status = TktLibCreateSerializedDataWithTicket(ticket, &data);
        status != kTktLibNoErr) {
        return CLibDeviceInfo::errorForTicketError(status);
    }
    const std::filesystem::path path = folder / name;
    const std::filesystem::path temporary = TemporaryTicketPath(path);
    Descriptor file(createShared(temporary));
    if (file.get() < 0) {
        return kCLibDeviceInfoWriteErr;
    }
    const bool written = writeAll(file.get(), *data.data());
    if (!file.close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return kCLibDeviceInfoWriteErr;
    }
    return kCLibDeviceInfoNoErr;
}

std::uint32_t ReadTicketFile(const std::filesystem::path& folder, std::string_view name,
                             OwnedTicket& ticket, bool& missing) {
    missing = !IsTicketFileName(name);  // names no file of the folder: lost like a gone one
    if (missing) {
        return kCLibDeviceInfoOtherErr;
    }
    // Non-blocking, so that a pipe planted under the name cannot hold the open.
    Descriptor file(
        ::open((folder / name).c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) {
        missing = errno == ENOENT;
        return kCLibDeviceInfoOtherErr;
    }
    struct stat status {};
    cf::Value::Data bytes;
    if (::fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        !readAll(file.get(), bytes)) {
        return kCLibDeviceInfoOtherErr;
    }
    const cf::Value data = cf::Value::data(bytes.data(), bytes.size());
    TktLibTicket* made = nullptr;
    if (const int result = TktLibCreateTicketWithSerializedData(&data, &made);
        result != kTktLibNoErr) {
        return CLibDeviceInfo::errorForTicketError(result);
    }
    ticket.reset(made);
    return kCLibDeviceInfoNoErr;
}

void RemoveTicketFile(const std::optional<std::filesystem::path>& folder, std::string_view name) {
    if (folder && IsTicketFileName(name)) {
        std::error_code ignored;
        std::filesystem::remove(*folder / name, ignored);
    }
}

}  // namespace device
