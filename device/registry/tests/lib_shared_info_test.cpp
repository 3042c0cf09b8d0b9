// The shared device registry: the block's layout, records shared between processes, the last
// release, a full registry and unregistration.
#include "registry/lib_shared_info.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <vector>

#include "registry/lib_settings.h"
#include "registry/tests/registry_test_support.h"
#include "support/python_oracle.h"

namespace {

using namespace registrytest;

constexpr std::uint32_t kPrinterUSB = 0;  // printer address connection types
constexpr std::uint32_t kPrinterLPR = 1;
constexpr const char* kUSBPrinter = "usb://Orvane/Stratoline%20X9?serial=00A1";
constexpr const char* kNetworkPrinter = "net:192.0.2.15";
constexpr char kReady = 'R';

class LibSharedInfoTest : public ::testing::Test {
  protected:
    std::unique_ptr<CLibSharedInfo> openRegistry() {
        return CLibSharedInfo::initWithGroupName(work_.group(), false);
    }

    // Finds or registers the printer and counts one more user, as an open does.
    static std::unique_ptr<CLibDeviceInfo> attachPrinter(CLibSharedInfo& registry, const char* uri,
                                                         std::uint32_t type = kPrinterUSB) {
        if (registry.lock() != kCLibSharedInfoNoErr) {
            return nullptr;
        }
        auto device = registry.deviceInfoForPrinterAddress(uri, type);
        if (device && device->lock() == kCLibDeviceInfoNoErr) {
            registry.unlock();
            device->attach();
            device->unlock();
        } else {
            registry.unlock();
        }
        return device;
    }

    static bool blockExists(const std::string& name) {
        const int descriptor = ::shm_open(name.c_str(), O_RDONLY, 0);
        if (descriptor < 0) {
            return false;
        }
        ::close(descriptor);
        return true;
    }

    PrivateWorkDirectory work_;
};

TEST_F(LibSharedInfoTest, IndependentReaderFindsTheDocumentedLayout) {
    auto registry = openRegistry();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(CLibSharedInfo::memorySize(), 289416u);
    auto usb = attachPrinter(*registry, kUSBPrinter, kPrinterUSB);
    auto network = attachPrinter(*registry, kNetworkPrinter, kPrinterLPR);
    ASSERT_NE(usb, nullptr);
    ASSERT_NE(network, nullptr);
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);  // the header names this process
    registry->unlock();
    const std::string block = "/dev/shm" + registry->memoryName();
    EXPECT_EQ(
        testsupport::runPython(REGISTRY_TEST_DIR "/registry_block_oracle.py",
                               {block, std::to_string(::getpid()), std::string(kUSBPrinter) + ":1",
                                std::string(kNetworkPrinter) + ":2"}),
        0);
}

TEST_F(LibSharedInfoTest, MemoryNameIsOnePosixNamePerGroup) {
    EXPECT_EQ(device::SharedMemoryName("IJDovoLib"), "/IJDovoLib.body");
    EXPECT_EQ(device::SharedMemoryName("K7Q2WZR4MT.IJ.DovoLib"), "/K7Q2WZR4MT.IJ.DovoLib.body");
    ::setenv("STRATOLINE_DOVO_SHM_PREFIX", "run42", 1);
    EXPECT_EQ(device::SharedMemoryName("IJDovoLib"), "/run42.IJDovoLib.body");
    ::unsetenv("STRATOLINE_DOVO_SHM_PREFIX");
    EXPECT_EQ(CLibSharedInfo::initWithGroupName("", false), nullptr);
}

TEST_F(LibSharedInfoTest, TwoProcessesShareOneRecordUntilTheLastReleaseRemovesTheBlock) {
    auto registry = openRegistry();
    ASSERT_NE(registry, nullptr);
    const std::string name = registry->memoryName();
    auto device = attachPrinter(*registry, kUSBPrinter);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->ticketDirectoryURLForRequest());
    ASSERT_TRUE(device->ticketDirectoryURLForResponse());

    Pipe ready;
    Pipe release;
    const pid_t child = runChild([&] {
        release.closeWrite();
        auto other = openRegistry();
        auto view = other ? attachPrinter(*other, kUSBPrinter) : nullptr;
        ready.send(view ? kReady : 'F');
        release.receive();  // until the parent closes its end
        if (other->lock() != kCLibSharedInfoNoErr || view->lock() != kCLibDeviceInfoNoErr) {
            return 1;
        }
        other->unlock();
        view->detach();
        view->unlock();
        return 0;
    });
    release.closeRead();
    ASSERT_EQ(ready.receive(), kReady);
    EXPECT_EQ(device->contents()->attachCount, 2u);
    EXPECT_EQ(registry->contents()->attachCount, 2u);
    EXPECT_EQ(device->contents(), &registry->contents()->devices[0]);
    release.closeWrite();
    ASSERT_EQ(waitChild(child), 0);
    EXPECT_EQ(device->contents()->attachCount, 1u);
    EXPECT_EQ(registry->contents()->attachCount, 1u) << "the child's release uncounted it";
    EXPECT_TRUE(blockExists(name));

    registry.reset();
    EXPECT_FALSE(blockExists(name));
    EXPECT_FALSE(std::filesystem::exists(work_.base() / "RequestTicket"));
    EXPECT_FALSE(std::filesystem::exists(work_.base() / "ResponseTicket"));
    EXPECT_FALSE(std::filesystem::exists(work_.base() / "DistributedLock/SharedInfo.lock"))
        << "the release let go of the registry lock";
    // A view keeps its record's memory mapped after the registry object has gone.
    EXPECT_EQ(device->identifier(), kUSBPrinter);
    device.reset();

    auto next = openRegistry();
    ASSERT_NE(next, nullptr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(next->contents());
    EXPECT_EQ(next->contents()->attachCount, 1u);
    EXPECT_TRUE(std::all_of(bytes + 8, bytes + CLibSharedInfo::memorySize(),
                            [](unsigned char byte) { return byte == 0; }));
}

// Processes that count users of one printer at once lose no update: the registry and device
// locks exclude each other across processes. The count is raised slowly, so that any overlap
// would lose updates.
TEST_F(LibSharedInfoTest, LocksSerialiseUpdatesFromSeveralProcesses) {
    constexpr int kProcesses = 4;
    constexpr int kRounds = 20;
    auto registry = openRegistry();
    auto device = attachPrinter(*registry, kUSBPrinter);
    ASSERT_NE(device, nullptr);
    Pipe start;
    pid_t children[kProcesses];
    for (pid_t& child : children) {
        child = runChild([&] {
            start.closeWrite();
            auto own = openRegistry();
            if (!own) {
                return 1;
            }
            start.receive();  // all begin together, when the parent closes its end
            for (int round = 0; round < kRounds; ++round) {
                if (own->lock() != kCLibSharedInfoNoErr) {
                    return 2;
                }
                auto view = own->deviceInfoForPrinterAddress(kUSBPrinter, kPrinterUSB);
                if (!view || view->lock() != kCLibDeviceInfoNoErr) {
                    return 3;
                }
                own->unlock();
                const std::uint32_t count = view->contents()->attachCount;
                std::this_thread::sleep_for(1ms);
                view->contents()->attachCount = count + 1;
                view->unlock();
            }
            return 0;
        });
    }
    start.closeRead();
    start.closeWrite();
    for (const pid_t child : children) {
        EXPECT_EQ(waitChild(child), 0);
    }
    EXPECT_EQ(device->contents()->attachCount, 1u + kProcesses * kRounds);
    EXPECT_EQ(registry->contents()->attachCount, 1u);
}

TEST_F(LibSharedInfoTest, SeventeenthPrinterGetsNoRecord) {
    auto registry = openRegistry();
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);
    for (int i = 0; i < 16; ++i) {
        const std::string uri = "net:192.0.2." + std::to_string(i);
        ASSERT_NE(registry->deviceInfoForPrinterAddress(uri.c_str(), i % 2 ? kPrinterLPR : 3),
                  nullptr);
    }
    EXPECT_EQ(registry->deviceInfoForPrinterAddress("net:192.0.2.99", kPrinterLPR), nullptr);
    EXPECT_NE(registry->deviceInfoForPrinterAddress("net:192.0.2.7", kPrinterLPR), nullptr)
        << "a registered printer is still found";
    EXPECT_EQ(registry->deviceCountForConnectionType(kSharedConnectionLPR), 8u);
    EXPECT_EQ(registry->deviceCountForConnectionType(kSharedConnectionBonjour), 8u);
    EXPECT_EQ(registry->deviceCountForConnectionType(kSharedConnectionUSB), 0u);
    EXPECT_EQ(registry->deviceInfoForPrinterAddress(nullptr, kPrinterLPR), nullptr);
    EXPECT_EQ(registry->deviceInfoForPrinterAddress("", kPrinterLPR), nullptr);
    registry->unlock();
}

TEST_F(LibSharedInfoTest, UnregisteringZeroesTheWholeRecord) {
    auto registry = openRegistry();
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);
    auto first = registry->deviceInfoForPrinterAddress(kNetworkPrinter, kPrinterLPR);
    auto second = registry->deviceInfoForPrinterAddress(kUSBPrinter, kPrinterUSB);
    const std::string oldLockName = device::SharedString(first->contents()->deviceLockName);
    SharedDeviceRecord* record = first->contents();
    record->queue[3].operationType = 2;  // stray bytes a queue would leave
    std::strcpy(record->completeList[5].slot.outputTicketName, "OutputTicket_1.0000000000.ticket");

    EXPECT_EQ(registry->unregisterDevice(first.get()), kCLibSharedInfoNoErr);
    const auto* bytes = reinterpret_cast<const unsigned char*>(record);
    EXPECT_TRUE(std::all_of(bytes, bytes + sizeof(SharedDeviceRecord),
                            [](unsigned char byte) { return byte == 0; }));
    EXPECT_EQ(registry->unregisterDevice(first.get()), kCLibSharedInfoNotFound);
    EXPECT_EQ(registry->unregisterDevice(nullptr), kCLibSharedInfoNoDevice);
    EXPECT_EQ(second->identifier(), kUSBPrinter) << "the other record is untouched";

    auto again = registry->deviceInfoForPrinterAddress("net:198.51.100.1", kPrinterLPR);
    EXPECT_EQ(again->contents(), record) << "the first free record is reused";
    EXPECT_NE(device::SharedString(again->contents()->deviceLockName), oldLockName);
    registry->unlock();
}

TEST_F(LibSharedInfoTest, LongDeviceURIsAreKeptAndMatchedOnTheirFirst255Bytes) {
    auto registry = openRegistry();
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);
    const std::string longURI = "usb://Orvane/" + std::string(400, 'x');
    auto device = registry->deviceInfoForPrinterAddress(longURI.c_str(), kPrinterUSB);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->identifier(), longURI.substr(0, 255));
    auto same = registry->deviceInfoForPrinterAddress(longURI.c_str(), kPrinterUSB);
    EXPECT_EQ(same->contents(), device->contents());
    EXPECT_EQ(registry->deviceCountForConnectionType(kSharedConnectionUSB), 1u);
    EXPECT_EQ(registry->unregisterDevice(same.get()), kCLibSharedInfoNoErr);
    registry->unlock();
}

TEST_F(LibSharedInfoTest, LockResultsAndOwnerFields) {
    auto registry = openRegistry();
    EXPECT_EQ(registry->unlock(), kCLibSharedInfoLockMisuse);
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);
    EXPECT_EQ(registry->lock(), kCLibSharedInfoLockMisuse);
    EXPECT_EQ(registry->contents()->lockOwner, thisProcess());
    auto device = registry->deviceInfoForPrinterAddress(kUSBPrinter, kPrinterUSB);
    EXPECT_EQ(device->contents()->deviceLockOwner, 0xFFFFFFFFu);
    EXPECT_EQ(device->unlock(), kCLibDeviceInfoLockMisuse);
    ASSERT_EQ(device->lock(), kCLibDeviceInfoNoErr);
    EXPECT_EQ(device->lock(), kCLibDeviceInfoLockMisuse);
    EXPECT_EQ(device->contents()->deviceLockOwner, thisProcess());
    EXPECT_EQ(device->unlock(), kCLibDeviceInfoNoErr);
    EXPECT_EQ(registry->unlock(), kCLibSharedInfoNoErr);
}

TEST_F(LibSharedInfoTest, AttachCountsQueueOwnerAndClones) {
    auto registry = openRegistry();
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);
    auto device = registry->deviceInfoForPrinterAddress(kUSBPrinter, kPrinterUSB);
    auto network = registry->deviceInfoForPrinterAddress(kNetworkPrinter, kPrinterLPR);
    registry->unlock();
    EXPECT_TRUE(device->shouldUseQueue());
    EXPECT_FALSE(network->shouldUseQueue());

    EXPECT_EQ(device->detach(), 0u) << "stops at 0";
    EXPECT_EQ(device->attach(), 1u);
    EXPECT_EQ(device->attach(), 2u);
    EXPECT_EQ(device->detach(), 1u);
    device->contents()->attachCount = 0xFFFFFFFFu;
    EXPECT_EQ(device->attach(), 0xFFFFFFFFu) << "stops at the maximum";

    EXPECT_FALSE(device->queueOwnerExists());
    device->setQueueOwner();
    EXPECT_EQ(device->contents()->queueOwner, thisProcess());
    EXPECT_TRUE(device->queueOwnerExists());
    const pid_t child = runIdleChild();
    device->contents()->queueOwner = static_cast<std::uint32_t>(child);
    EXPECT_TRUE(device->queueOwnerExists());
    killChild(child);
    EXPECT_FALSE(device->queueOwnerExists()) << "the owner died";
    device->clearQueueOwner();
    EXPECT_EQ(device->contents()->queueOwner, 0xFFFFFFFFu);

    // A clone is a second view on the same record, with locks of its own.
    auto clone = device->clone();
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->contents(), device->contents());
    EXPECT_EQ(clone->identifier(), kUSBPrinter);
    ASSERT_EQ(device->lock(), kCLibDeviceInfoNoErr);
    EXPECT_FALSE(clone->queueLock().isLocking());
    EXPECT_EQ(clone->unlock(), kCLibDeviceInfoLockMisuse) << "the clone does not hold it";
    device->unlock();
    EXPECT_EQ(CLibDeviceInfo::initWithContents(nullptr, work_.group(), false), nullptr);
    EXPECT_EQ(CLibDeviceInfo::initWithContents(device->contents(), "", false), nullptr);
    SharedDeviceRecord empty{};
    EXPECT_EQ(CLibDeviceInfo::initWithContents(&empty, work_.group(), false), nullptr)
        << "a record without lock names";

    // A lock name rewritten in the shared block to lead out of the lock folder makes no view.
    SharedDeviceRecord rewritten = *device->contents();
    std::strcpy(rewritten.completeListLockName, "../../victim");
    EXPECT_EQ(CLibDeviceInfo::initWithContents(&rewritten, work_.group(), false), nullptr);
}

// Processes killed while attached never release their attachments themselves: the next process
// to attach gives them back, so records and the block do not stay taken for good.
TEST_F(LibSharedInfoTest, AttachmentsOfKilledProcessesAreGivenBack) {
    auto registry = openRegistry();
    ASSERT_NE(registry, nullptr);
    auto shared = attachPrinter(*registry, kUSBPrinter);
    ASSERT_NE(shared, nullptr);

    // Two processes share the parent's printer and fill the other 15 records between them; the
    // second one is killed holding the device lock of one of its records.
    struct Holder {
        int firstPrinter, lastPrinter;
        bool holdsADeviceLock;
    };
    const Holder holders[] = {{0, 7, false}, {8, 14, true}};
    std::vector<pid_t> children;
    for (const Holder& holder : holders) {
        Pipe ready;
        children.push_back(runChild([&] {
            auto own = openRegistry();
            auto view = own ? attachPrinter(*own, kUSBPrinter) : nullptr;
            std::vector<std::unique_ptr<CLibDeviceInfo>> views;
            for (int i = holder.firstPrinter; i <= holder.lastPrinter; ++i) {
                const std::string uri = "net:192.0.2." + std::to_string(i);
                views.push_back(attachPrinter(*own, uri.c_str(), kPrinterLPR));
                if (!views.back()) {
                    return 1;
                }
            }
            if (holder.holdsADeviceLock && views.back()->lock() != kCLibDeviceInfoNoErr) {
                return 1;
            }
            return view ? reportReadyAndWaitForKill(ready) : 1;
        }));
        ASSERT_EQ(ready.receive(), kReady);
    }
    EXPECT_EQ(registry->contents()->attachCount, 3u);
    EXPECT_EQ(shared->contents()->attachCount, 3u);
    for (const pid_t child : children) {
        killChild(child);
    }

    auto next = attachPrinter(*registry, "net:192.0.2.99", kPrinterLPR);
    EXPECT_NE(next, nullptr) << "the records of the killed processes are free again";
    EXPECT_EQ(registry->contents()->attachCount, 1u);
    EXPECT_EQ(shared->contents()->attachCount, 1u);
    ASSERT_EQ(registry->lock(), kCLibSharedInfoNoErr);
    EXPECT_EQ(registry->deviceCountForConnectionType(kSharedConnectionLPR), 1u);
    registry->unlock();

    const std::string name = registry->memoryName();
    registry.reset();
    EXPECT_FALSE(blockExists(name)) << "the last live user removed the block";
}

// A killed process that held only the block: the next registry object gives its share back, and
// its release, as the last one, removes the block and the ticket folders the dead process used.
TEST_F(LibSharedInfoTest, BlockShareOfAKilledProcessIsGivenBack) {
    Pipe ready;
    const pid_t child = runChild([&] {
        auto own = openRegistry();
        if (!own ||
            !CLibDeviceInfo::ticketDirectoryURLForRequestWithGroupName(work_.group(), false)) {
            return 1;
        }
        std::ofstream(work_.base() / "RequestTicket/InputTicket_1.0000000000.ticket") << "left";
        return reportReadyAndWaitForKill(ready);
    });
    ASSERT_EQ(ready.receive(), kReady);
    killChild(child);

    auto registry = openRegistry();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->contents()->attachCount, 1u);
    const std::string name = registry->memoryName();
    registry.reset();
    EXPECT_FALSE(blockExists(name));
    EXPECT_FALSE(std::filesystem::exists(work_.base() / "RequestTicket"));
}

// A holder's process identifier may be reused by a later process: the start time tells them
// apart, so the share of the earlier, dead holder is given back all the same.
TEST_F(LibSharedInfoTest, HolderWhoseIdentifierWasReusedIsGivenBack) {
    auto registry = openRegistry();
    ASSERT_NE(registry, nullptr);
    auto ledger = device::AttachLedger::open(work_.group());
    ASSERT_NE(ledger, nullptr);
    // An earlier process with this process's identifier, started at another time.
    device::AttachHolder& earlier = ledger->holders().back();
    earlier.process = thisProcess();
    earlier.startTime = CLibSettings::processStartTime(::getpid()) + 1;
    earlier.blockAttachments = 1;
    ++registry->contents()->attachCount;

    auto second = openRegistry();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(registry->contents()->attachCount, 2u) << "this process's two objects";
    EXPECT_EQ(earlier.process, 0u);
}

// A creator that died between creating the block and sizing it leaves a block of 0 bytes;
// mapping it as it is would raise SIGBUS at the first access.
TEST_F(LibSharedInfoTest, BlockLeftUnsizedIsGrownBeforeUse) {
    const std::string name = device::SharedMemoryName(work_.group());
    const int descriptor = ::shm_open(name.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(descriptor, 0);
    ::close(descriptor);
    auto registry = openRegistry();
    ASSERT_NE(registry, nullptr);
    EXPECT_EQ(registry->contents()->attachCount, 1u);
    EXPECT_EQ(registry->contents()->devices[15].attachCount, 0u);
}

TEST(RegistryConversions, Tables) {
    const std::uint32_t types[][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 0}, {0xFFFFFFFF, 0}};
    for (const auto& [printer, registry] : types) {
        EXPECT_EQ(CLibSharedInfo::connectionTypeForPrinterConnectionType(printer), registry);
    }
    const std::uint32_t lockErrors[][3] = {{0, 0, 0}, {1, 3, 4},  {2, 2, 3},
                                           {3, 2, 3}, {4, 4, 12}, {99, 4, 12}};
    for (const auto& [lock, shared, device] : lockErrors) {
        EXPECT_EQ(CLibSharedInfo::errorForLockError(lock), shared) << lock;
        EXPECT_EQ(CLibDeviceInfo::errorForLockError(lock), device) << lock;
    }
    const int ticketErrors[][2] = {{0, 0}, {1, 12}, {2, 2}, {3, 12}, {4, 6}, {5, 7}, {6, 12}};
    for (const auto& [ticket, device] : ticketErrors) {
        EXPECT_EQ(CLibDeviceInfo::errorForTicketError(ticket), static_cast<std::uint32_t>(device));
    }
}

TEST(RegistryUUID, FreshUpperCaseRandomUUIDs) {
    const std::string first = CLibSharedInfo::uuidCString();
    EXPECT_EQ(first.size(), 36u);
    EXPECT_EQ(first.find_first_not_of("0123456789ABCDEF-"), std::string::npos) << first;
    EXPECT_NE(first, CLibSharedInfo::uuidCString());
}

}  // namespace
