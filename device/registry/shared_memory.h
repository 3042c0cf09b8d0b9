// The POSIX shared memory behind the device registry.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace device {

/// The POSIX name of the group's block. The block is called "<group>/body"; POSIX names hold no
/// inner "/", so it becomes "/<group>.body". When $STRATOLINE_DOVO_SHM_PREFIX is set (tests, or
/// several installations on one machine) the name is "/<prefix>.<group>.body".
std::string SharedMemoryName(std::string_view groupName);

/// A mapping of a named block, readable, writable and shared; unmapped on destruction.
class SharedMemoryMapping {
  public:
    /// Opens the block `name` (POSIX form), creating it with `size` zero bytes when it does not
    /// exist; a block found shorter than `size` (its creator died before sizing it) is grown to
    /// it. Null when the block cannot be created, sized or mapped.
    static std::unique_ptr<SharedMemoryMapping> open(const std::string& name, std::size_t size);

    ~SharedMemoryMapping();
    SharedMemoryMapping(const SharedMemoryMapping&) = delete;
    SharedMemoryMapping& operator=(const SharedMemoryMapping&) = delete;

    void* address() const { return address_; }
    std::size_t size() const { return size_; }
    bool created() const { return created_; }  ///< this process created the block

    /// Removes the name; processes that have the block mapped keep it until they unmap it.
    static bool unlink(const std::string& name);

  private:
    SharedMemoryMapping(void* address, std::size_t size, bool created)
        : address_(address), size_(size), created_(created) {}

    void* address_;
    std::size_t size_;
    bool created_;
};

}  // namespace device
