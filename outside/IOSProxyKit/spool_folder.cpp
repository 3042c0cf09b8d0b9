// The spool folder's places, its locks and its job list.
#include "spool_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "bytes/byte_order.h"
#include "cf/file_replace.h"
#include "cf/folders.h"
#include "cf/regular_file.h"

namespace spool {
namespace {

constexpr std::size_t kIdBytes = 4;
constexpr const char* kSpoolUnderData = "Orvane/IOSProxyKit/Spool";

std::filesystem::path userDataFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return data;
    }
    return cf::Folders::home() / ".local/share";
}

}  // namespace

std::filesystem::path rootSpoolFolder() {
    const char* root = std::getenv(kRootVariable);
    if (root != nullptr && root[0] != '\0') {
        return root;
    }
    return userDataFolder() / kSpoolUnderData;
}

bool makeRootFolder(const std::filesystem::path& root) {
    constexpr mode_t kPrivateFolder = 0700;
    std::error_code error;
    if (root.has_parent_path()) {
        std::filesystem::create_directories(root.parent_path(), error);
    }
    if (::mkdir(root.c_str(), kPrivateFolder) != 0 && errno != EEXIST) {
        return false;
    }
    return std::filesystem::is_directory(root, error);
}

std::filesystem::path jobFolder(const std::filesystem::path& root, std::uint32_t id) {
    return root / std::to_string(id);
}

std::optional<std::uint32_t> jobIdOfFolderName(const std::string& name) {
    constexpr std::size_t kMaxDigits = 10;
    if (name.empty() || name.size() > kMaxDigits || name[0] == '0' ||
        name.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const unsigned long long value = std::stoull(name);
    if (value > UINT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

RootLock::RootLock(const std::filesystem::path& root) {
    descriptor_ = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX) != 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

RootLock::~RootLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // releases the lock
    }
}

JobWriterLock::JobWriterLock(const std::filesystem::path& jobFolder)
    : file_(jobFolder / kJobWriterLockFile) {
    constexpr mode_t kPrivateFile = 0600;
    descriptor_ =
        ::open(file_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivateFile);
    if (descriptor_ >= 0 && ::flock(descriptor_, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

JobWriterLock::~JobWriterLock() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);  // releases the lock
    }
}

void JobWriterLock::releaseFinal() {
    if (descriptor_ >= 0) {
        ::unlink(file_.c_str());
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

// A shared lock is had only when no writer holds its exclusive one; it goes with the descriptor.
JobWriter jobWriter(const std::filesystem::path& jobFolder) {
    cf::RegularFile lock(jobFolder / kJobWriterLockFile);
    if (!lock.isOpen()) {
        return JobWriter::kUnknown;
    }
    const int descriptor = lock.release();
    JobWriter writer = JobWriter::kUnknown;
    if (::flock(descriptor, LOCK_SH | LOCK_NB) == 0) {
        writer = JobWriter::kGone;
    } else if (errno == EWOULDBLOCK) {
        writer = JobWriter::kWriting;
    }
    ::close(descriptor);
    return writer;
}

std::vector<std::uint32_t> parseJobList(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint32_t> ids;
    for (std::size_t offset = 0; offset + kIdBytes <= bytes.size(); offset += kIdBytes) {
        ids.push_back(bytes::loadBE32(bytes.data() + offset));
    }
    return ids;
}

std::vector<std::uint8_t> encodeJobList(const std::vector<std::uint32_t>& ids) {
    std::vector<std::uint8_t> bytes(ids.size() * kIdBytes);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        bytes::storeBE32(bytes.data() + i * kIdBytes, ids[i]);
    }
    return bytes;
}

std::vector<std::uint32_t> readJobList(const std::filesystem::path& root) {
    std::vector<std::uint8_t> bytes;
    if (cf::readRegularFile(root / kJobListFile, kMaxJobListIds * kIdBytes, bytes) !=
        cf::FileReadStatus::Ok) {
        return {};
    }
    return parseJobList(bytes);
}

bool writeJobList(const std::filesystem::path& root, const std::vector<std::uint32_t>& ids) {
    return cf::replaceFile(root / kJobListFile, encodeJobList(ids));
}

}  // namespace spool
