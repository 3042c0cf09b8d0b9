// The library interface's test fixture: a private work directory and registry for each test,
// handles that are always released, and a look at the registry's records.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <string>

#include "DovoCommonLib/ios_library.h"
#include "DovoCommonLib/ios_printer_address.h"
#include "DovoCommonLib/ios_ticket.h"
#include "interface/lib_state.h"
#include "registry/shared_memory.h"
#include "registry/work_directory.h"
#include "support/temporary_folder.h"

namespace interfacetest {

/// A printer address made through the exported interface, released with the object.
class Address {
  public:
    Address(const char* iomName, const std::string& name) {
        EXPECT_EQ(IOS_PrinterAddressCreate(iomName, name.c_str(), nullptr, nullptr, &handle_),
                  kIOS_NoErr);
    }
    explicit Address(void* handle) : handle_(handle) {}
    ~Address() { IOS_PrinterAddressDispose(handle_); }
    Address(const Address&) = delete;
    Address& operator=(const Address&) = delete;
    void* get() const { return handle_; }

  private:
    void* handle_ = nullptr;
};

/// A ticket made through the exported interface, released with the object.
class Ticket {
  public:
    Ticket() { EXPECT_EQ(IOS_TicketCreate(&handle_), kIOS_NoErr); }
    ~Ticket() { IOS_TicketDispose(handle_); }
    Ticket(const Ticket&) = delete;
    Ticket& operator=(const Ticket&) = delete;
    void* get() const { return handle_; }

  private:
    void* handle_ = nullptr;
};

class InterfaceTest : public ::testing::Test {
  protected:
    InterfaceTest()
        : prefix_("InterfaceTest." + std::to_string(::getpid()) + "." +
                  std::to_string(counter()++)) {
        ::setenv("STRATOLINE_CACHES", (folder_.path() / "caches").c_str(), 1);
        ::setenv("HOME", (folder_.path() / "home").c_str(), 1);
        ::setenv("STRATOLINE_DOVO_SHM_PREFIX", prefix_.c_str(), 1);
    }
    ~InterfaceTest() override {
        // Every test closes what it opened: the library is torn down again.
        EXPECT_EQ(LibProcessState().openCount, 0u);
        EXPECT_EQ(LibProcessState().sharedInfo, nullptr);
        device::SharedMemoryMapping::unlink(device::SharedMemoryName(kLibGroupName));
    }

    /// Whether the registry's block exists.
    static bool registryExists() {
        const int descriptor =
            ::shm_open(device::SharedMemoryName(kLibGroupName).c_str(), O_RDONLY, 0);
        if (descriptor < 0) {
            return false;
        }
        ::close(descriptor);
        return true;
    }

    /// The record of `uri` in the open registry, or null.
    static const SharedDeviceRecord* record(const std::string& uri) {
        const auto& registry = LibProcessState().sharedInfo;
        if (!registry) {
            return nullptr;
        }
        for (const SharedDeviceRecord& device : registry->contents()->devices) {
            if (uri == device.identifier) {
                return &device;
            }
        }
        return nullptr;
    }

  private:
    static std::atomic<int>& counter() {
        static std::atomic<int> value{0};
        return value;
    }

    testsupport::TemporaryFolder folder_;
    std::string prefix_;
};

}  // namespace interfacetest
