// Opening, sizing and mapping the registry's POSIX shared memory.
#include "registry/shared_memory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "registry/creation_mask.h"

namespace {

constexpr const char* kPrefixVariable = "STRATOLINE_DOVO_SHM_PREFIX";
constexpr const char* kBodySuffix = ".body";
constexpr mode_t kSharedMemoryMode = 0777;

int openBlock(const std::string& name, int flags) {
    device::ZeroCreationMask mask;  // every user's processes map the block
    return ::shm_open(name.c_str(), flags | O_RDWR | O_CREAT, kSharedMemoryMode);
}

// Grows a block found shorter than `size`: touching a page past its end would raise SIGBUS.
bool atLeast(int descriptor, std::size_t size) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return false;
    }
    return static_cast<std::size_t>(status.st_size) >= size ||
           ::ftruncate(descriptor, static_cast<off_t>(size)) == 0;
}

}  // namespace

namespace device {

std::string SharedMemoryName(std::string_view groupName) {
    std::string name = "/";
    if (const char* prefix = std::getenv(kPrefixVariable); prefix != nullptr && *prefix != '\0') {
        name.append(prefix).append(".");
    }
    return name.append(groupName).append(kBodySuffix);
}

std::unique_ptr<SharedMemoryMapping> SharedMemoryMapping::open(const std::string& name,
                                                               std::size_t size) {
    int descriptor = openBlock(name, O_EXCL);
    const bool created = descriptor >= 0;
    if (created) {
        if (::ftruncate(descriptor, static_cast<off_t>(size)) != 0) {
            ::close(descriptor);
            ::shm_unlink(name.c_str());
            return nullptr;
        }
    } else {
        descriptor = openBlock(name, 0);
        if (descriptor < 0) {
            return nullptr;
        }
        if (!atLeast(descriptor, size)) {
            ::close(descriptor);
            return nullptr;
        }
    }
    void* address = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0);
    ::close(descriptor);
    if (address == MAP_FAILED) {
        return nullptr;
    }
    if (created) {
        std::memset(address, 0, size);
    }
    return std::unique_ptr<SharedMemoryMapping>(new SharedMemoryMapping(address, size, created));
}

SharedMemoryMapping::~SharedMemoryMapping() {
    ::munmap(address_, size_);
}

bool SharedMemoryMapping::unlink(const std::string& name) {
    return ::shm_unlink(name.c_str()) == 0;
}

}  // namespace device
