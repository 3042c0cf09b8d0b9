// Test support for discovery: printers that answer the echo and tell their model, a private
// registry for the administration sessions the LPR search opens, and printer lists read back.
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "DovoCommonLib/ios_discovery.h"
#include "DovoCommonLib/ios_printer_address.h"
#include "address/printer_address.h"
#include "printer/test_printer.h"
#include "qdxa_printer_hook.h"
#include "qdxa_responder.h"
#include "registry/shared_memory.h"
#include "registry/work_directory.h"
#include "support/temporary_folder.h"

namespace discoverytest {

/// A network printer on a loopback address of its own (127.0.0.`host`, or one that is free) that
/// answers the echo, also when broadcast to `broadcasts`, and tells its model through the
/// printer-control protocol.
class ModelPrinter {
  public:
    explicit ModelPrinter(const std::string& model, std::vector<std::string> broadcasts = {},
                          int host = 0) {
        responder.objects[101] = {{kModelAttribute, qdxa_test::codedString(1, model)}};
        testsupport::TestPrinterOptions options;
        options.responder = hook.controlResponder();
        options.broadcastAddresses = std::move(broadcasts);
        options.loopbackHost = host;
        printer = std::make_unique<testsupport::TestPrinter>(std::move(options));
    }
    bool start() { return printer->start(); }

    /// The printer's address as a 32-bit number, most significant byte first.
    std::uint32_t number() const {
        in_addr address{};
        ::inet_pton(AF_INET, printer->address().c_str(), &address);
        return ntohl(address.s_addr);
    }
    /// The echo requests that reached the printer.
    std::size_t echoes() const {
        std::size_t count = 0;
        for (const auto& message : printer->controlMessages()) {
            count += message.bytes.size() == 20 && message.bytes[5] == 1 ? 1 : 0;
        }
        return count;
    }

    static constexpr std::uint16_t kModelAttribute = 1056;
    qdxa_test::Responder responder;
    qdxa_test::PrinterHook hook{responder};
    std::unique_ptr<testsupport::TestPrinter> printer;
};

/// Points the library's shared caches and registry at this test's own.
class PrivateRegistry {
  public:
    PrivateRegistry()
        : prefix_("DiscoveryTest." + std::to_string(::getpid()) + "." +
                  std::to_string(counter()++)) {
        ::setenv("STRATOLINE_CACHES", (folder_.path() / "caches").c_str(), 1);
        ::setenv("HOME", (folder_.path() / "home").c_str(), 1);
        ::setenv("STRATOLINE_DOVO_SHM_PREFIX", prefix_.c_str(), 1);
    }
    ~PrivateRegistry() {
        device::SharedMemoryMapping::unlink(device::SharedMemoryName(kLibGroupName));
    }
    const std::filesystem::path& folder() const { return folder_.path(); }

  private:
    static std::atomic<int>& counter() {
        static std::atomic<int> value{0};
        return value;
    }
    testsupport::TemporaryFolder folder_;
    std::string prefix_;
};

/// A search-key list, released with the object.
class Keys {
  public:
    Keys(std::initializer_list<const char*> keys) {
        IOS_SearchKeyListCreate(&handle_);
        for (const char* key : keys) {
            IOS_SearchKeyListAppend(handle_, key);
        }
    }
    ~Keys() { IOS_SearchKeyListDispose(handle_); }
    Keys(const Keys&) = delete;
    Keys& operator=(const Keys&) = delete;
    void* get() const { return handle_; }

  private:
    void* handle_ = nullptr;
};

/// One printer of a list as the tests compare it.
struct Found {
    std::string name;
    std::optional<std::string> uri;
    bool operator==(const Found&) const = default;
};
inline std::ostream& operator<<(std::ostream& out, const Found& found) {
    return out << found.name << " at " << found.uri.value_or("(no URI)");
}

/// A printer list made by IOS_PrinterListCreate, read back; `status` receives its status.
inline std::vector<Found> findPrinters(const char* kind, const IOS_LPRSearchContext* context,
                                       const Keys& keys, std::uint32_t* status = nullptr) {
    void* list = nullptr;
    const std::uint32_t result = IOS_PrinterListCreate(kind, context, keys.get(), &list);
    if (status != nullptr) {
        *status = result;
    }
    std::vector<Found> found;
    for (std::int32_t i = 0; i < IOS_PrinterListGetCount(list); ++i) {
        char name[kIOS_PrinterNameBufferSize] = {};
        void* address = nullptr;
        EXPECT_EQ(IOS_PrinterListGetAddress(list, i, name, &address), kIOS_NoErr);
        found.push_back({name, static_cast<CLibPrinterAddress*>(address)->storedDeviceURI()});
        IOS_PrinterAddressDispose(address);
    }
    IOS_PrinterListDispose(list);
    return found;
}

/// An LPR search context.
inline IOS_LPRSearchContext lprContext(std::uint32_t address, std::uint64_t timeLimit,
                                       std::uint8_t directed = 1) {
    IOS_LPRSearchContext context{};
    context.timeLimit = timeLimit;
    context.directed = directed;
    for (int i = 0; i < 4; ++i) {
        context.address[i] = static_cast<std::uint8_t>(address >> (24 - 8 * i));
    }
    return context;
}

}  // namespace discoverytest
