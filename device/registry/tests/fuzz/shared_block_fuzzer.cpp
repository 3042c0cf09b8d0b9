// The shared registry block, which every local user can write: its printer records are filled
// with the input (repeated to fill all of them) and read through the registry. A look-up either
// finds no free record or hands out a view on the printer asked for.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "registry/lib_shared_info.h"
#include "registry_test_support.h"
#include "support/fuzz_check.h"

namespace {

constexpr const char* kDeviceURI = "lpd://192.0.2.7/";
constexpr std::uint32_t kLPRConnection = 1;  // a printer address's connection type

struct Registry {
    registrytest::PrivateWorkDirectory work;
    std::unique_ptr<CLibSharedInfo> info = CLibSharedInfo::initWithGroupName(work.group(), false);
};

// The records filled with the input over and over; all zero for an empty input.
void fillRecords(SharedInfoBlock& block, const std::uint8_t* data, std::size_t size) {
    auto* records = reinterpret_cast<std::uint8_t*>(block.devices);
    constexpr std::size_t kRecordBytes = sizeof(block.devices);
    if (size == 0) {
        std::memset(records, 0, kRecordBytes);
        return;
    }
    for (std::size_t offset = 0; offset < kRecordBytes; offset += size) {
        std::memcpy(records + offset, data, std::min(size, kRecordBytes - offset));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Registry registry;
    CLibSharedInfo& info = *registry.info;
    testsupport::fuzzRequire(info.lock() == 0, "the registry lock is free");
    fillRecords(*info.contents(), data, size);
    for (std::uint32_t type = kSharedConnectionOther; type <= kSharedConnectionBonjour; ++type) {
        testsupport::fuzzRequire(info.deviceCountForConnectionType(type) <= kSharedDeviceCount,
                                 "no more printers than records");
    }
    if (auto device = info.deviceInfoForPrinterAddress(kDeviceURI, kLPRConnection)) {
        testsupport::fuzzRequire(device->identifier() == kDeviceURI, "the printer asked for");
        device->shouldUseQueue();
        device->queueOwnerExists();
        device->ticketDirectoryURLForRequest();
        device->ticketDirectoryURLForResponse();
        testsupport::fuzzRequire(device->clone() != nullptr, "a view can be copied");
        testsupport::fuzzRequire(info.unregisterDevice(device.get()) == 0,
                                 "the printer found can be removed");
    }
    testsupport::fuzzRequire(info.unlock() == 0, "the registry lock is given back");
    return 0;
}
