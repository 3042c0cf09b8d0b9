// Discovery in a private network of the loopback interface: printers announced by a real
// avahi-daemon, printers that answer the echo broadcast, and an emulated USB printer, found
// together; printers that vanish, cannot be resolved or answer wrongly are skipped.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "DovoCommonLib/ios_printer_address.h"
#include "avahi_bed.h"
#include "cf/property_list.h"
#include "discovery/bonjour_search.h"
#include "discovery/lpr_search.h"
#include "discovery/search_status.h"
#include "discovery_printers.h"
#include "private_network.h"
#include "support/scoped_variable.h"
#include "umockdev_usb_bed.h"

namespace {

using namespace discoverytest;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;
using Service = nettest::AvahiBed::Service;

constexpr std::uint32_t kLimitedBroadcast = 0xFFFFFFFF;
constexpr std::uint32_t kLoopbackBroadcast = 0x7FFFFFFF;  // 127.255.255.255
constexpr std::uint64_t kCollectTime = 300;               // ms

class NetworkDiscovery : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!network.entered()) {
            GTEST_SKIP() << network.error();
        }
    }

    /// Starts the mDNS daemon of the private network.
    void startBonjour() { ASSERT_TRUE(bed.start()) << bed.error(); }

    /// Announces a printer service on a host of its own at `address`.
    void announce(const std::string& name, const std::string& type, const std::string& host,
                  const std::string& address, const std::string& product) {
        if (!address.empty()) {
            ASSERT_TRUE(bed.publishAddress(host, address)) << bed.error();
        }
        ASSERT_TRUE(
            bed.publish({name, type, 515, {"txtvers=1", "product=(" + product + ")"}, host}))
            << bed.error();
    }

    std::vector<std::uint32_t> lprSearch(const IOS_LPRSearchContext& context) {
        cf::Value entries = cf::Value::emptyArray();
        EXPECT_EQ(SearchLPRPrinterAddressList(context, entries), kSearchNoErr);
        std::vector<std::uint32_t> found;
        for (const cf::Value& entry : *entries.array()) {
            found.push_back(
                static_cast<std::uint32_t>(*device::Int32Value(entry.find("PrinterAddress"))));
        }
        return found;
    }

    PrivateRegistry registry;
    testsupport::TemporaryFolder folder;
    // No search of these tests may reach the machine's own system bus.
    testsupport::ScopedVariable bus{"DBUS_SYSTEM_BUS_ADDRESS",
                                    ("unix:path=" + (folder.path() / "no_bus").string()).c_str()};
    nettest::PrivateNetwork network;
    nettest::AvahiBed bed{folder.path()};
};

TEST_F(NetworkDiscovery, PrintersOfThreeKindsAreFoundTogether) {
    usb_test::UmockdevUsbBed usb;
    usb.addPrinter();
    startBonjour();
    announce("Studio North", "_printer._tcp", "north.local", "127.0.0.71", "Stratoline SL-7440");
    announce("Studio South", "_pdl-datastream._tcp", "south.local", "127.0.0.72",
             "Stratoline SL-5170");
    ModelPrinter lpr("Stratoline SL-2400", {"255.255.255.255"}, 10);
    ASSERT_TRUE(lpr.start()) << lpr.printer->error();
    const std::string lprAddress = lpr.printer->address();
    const auto broadcast = lprContext(0, kCollectTime, 0);

    EXPECT_EQ(findPrinters("USB", nullptr, Keys{"Stratoline"}),
              (std::vector<Found>{{"Stratoline X9", "usb://Orvane/Stratoline X9?serial=00A1"}}));
    // The types in their order: "_printer._tcp." first.
    EXPECT_EQ(findPrinters("Rendezvous", nullptr, Keys{"Stratoline"}),
              (std::vector<Found>{{"Studio North", "dnssd://net:127.0.0.71"},
                                  {"Studio South", "dnssd://net:127.0.0.72"}}));
    EXPECT_EQ(findPrinters("WQS_LPR", &broadcast, Keys{"Stratoline"}),
              (std::vector<Found>{
                  {"Stratoline SL-2400 (" + lprAddress + ")", "lpd://" + lprAddress + "/"}}));

    // The keys narrow each list.
    EXPECT_EQ(findPrinters("Rendezvous", nullptr, Keys{"SL-5170", "SL-9999"}),
              (std::vector<Found>{{"Studio South", "dnssd://net:127.0.0.72"}}));
    EXPECT_TRUE(findPrinters("WQS_LPR", &broadcast, Keys{"SL-5170"}).empty());
}

TEST_F(NetworkDiscovery, APrinterThatCannotBeResolvedHidesNoLaterOne) {
    startBonjour();
    // Its host has no address: its resolution fails after the daemon's time limit.
    announce("Gone Printer", "_printer._tcp", "gone.local", "", "Stratoline SL-7440");
    std::vector<Found> found;
    std::thread search([&] { found = findPrinters("Rendezvous", nullptr, Keys{"Stratoline"}); });
    // Announced while the search waits for the first one: resolved after it.
    announce("Late Printer", "_printer._tcp", "late.local", "127.0.0.73", "Stratoline SL-5170");
    search.join();
    EXPECT_EQ(found, (std::vector<Found>{{"Late Printer", "dnssd://net:127.0.0.73"}}));
}

TEST_F(NetworkDiscovery, APrinterThatDisappearsDuringItsResolutionIsSkipped) {
    startBonjour();
    announce("Studio North", "_printer._tcp", "north.local", "127.0.0.71", "Stratoline SL-7440");
    // Its resolution waits for an address record that never comes.
    const auto vanishing = bed.publish({"Vanishing Printer",
                                        "_printer._tcp",
                                        515,
                                        {"product=(Stratoline SL-5170)"},
                                        "nowhere.local"});
    ASSERT_TRUE(vanishing) << bed.error();

    const auto start = Clock::now();
    std::vector<Found> found;
    std::thread search([&] { found = findPrinters("Rendezvous", nullptr, Keys{"Stratoline"}); });
    std::this_thread::sleep_for(1500ms);  // the browse is over, the resolutions run
    bed.withdraw(*vanishing);
    search.join();
    EXPECT_EQ(found, (std::vector<Found>{{"Studio North", "dnssd://net:127.0.0.71"}}));
    // The search went on when the printer went, not when its resolution gave up (5 s).
    EXPECT_LT(Clock::now() - start, 4500ms);
}

TEST_F(NetworkDiscovery, AnIPv4AddressWithoutARouteGivesWayToIPv6) {
    startBonjour();
    // 192.0.2.1 has no route in this network: the attempt fails at once.
    ASSERT_TRUE(bed.publishAddress("dual.local", "192.0.2.1")) << bed.error();
    announce("Dual Printer", "_printer._tcp", "dual.local", "::1", "Stratoline SL-7440");
    announce("Six Printer", "_printer._tcp", "six.local", "::1", "Stratoline SL-5170");
    auto found = findPrinters("Rendezvous", nullptr, Keys{"Stratoline"});
    std::sort(found.begin(), found.end(),
              [](const Found& a, const Found& b) { return a.name < b.name; });
    EXPECT_EQ(found, (std::vector<Found>{{"Dual Printer", "dnssd://net6:::1"},
                                         {"Six Printer", "dnssd://net6:::1"}}));
}

TEST_F(NetworkDiscovery, ABonjourAddressWithoutURIIsResolvedByItsServiceName) {
    startBonjour();
    ASSERT_TRUE(bed.publishAddress("north.local", "127.0.0.71")) << bed.error();
    for (const char* type : {"_printer._tcp", "_pdl-datastream._tcp"}) {
        ASSERT_TRUE(bed.publish({"Studio North", type, 515, {"product=(SL-7440)"}, "north.local"}))
            << bed.error();
    }
    // As the print monitor and the spool folder keep it: a name and no URI.
    const auto file = folder.path() / "address.plist";
    cf::Value form = cf::Value::emptyDictionary();
    form.set("MODEL:", "Studio North");
    form.set("connectionType", 3);
    ASSERT_EQ(cf::writePropertyListFile(file, form), cf::PlistStatus::Ok);
    void* address = nullptr;
    ASSERT_EQ(IOS_ReadPrinterAddressFromFile(&address, file.c_str()), kIOS_NoErr);
    auto* printer = static_cast<CLibPrinterAddress*>(address);
    EXPECT_FALSE(printer->storedDeviceURI());
    EXPECT_EQ(printer->deviceURI(), "dnssd://net:127.0.0.71");
    EXPECT_EQ(printer->storedDeviceURI(), "dnssd://net:127.0.0.71");
    IOS_PrinterAddressDispose(address);

    ASSERT_EQ(IOS_PrinterAddressCreate("Rendezvous", "Studio North", "_pdl-datastream._tcp.",
                                       "local.", &address),
              kIOS_NoErr);
    EXPECT_EQ(static_cast<CLibPrinterAddress*>(address)->printerIdentifier(),
              "dnssd://net:127.0.0.71");
    IOS_PrinterAddressDispose(address);
}

TEST_F(NetworkDiscovery, WithoutADaemonBonjourFindsNothing) {
    std::uint32_t status = 1;
    EXPECT_TRUE(findPrinters("Rendezvous", nullptr, Keys{"Stratoline"}, &status).empty());
    EXPECT_EQ(status, kIOS_NoErr);
    EXPECT_FALSE(bonjourPrinterAddress("Studio North"));
}

// Answers every echo broadcast with fixed bytes from its own loopback address and port.
class OddAnswerer {
  public:
    OddAnswerer(int host, std::uint16_t port, Bytes answer) : answer_(std::move(answer)) {
        const int on = 1;
        listener_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in bound{AF_INET, htons(47545), {htonl(kLimitedBroadcast)}, {}};
        bound_ = ::bind(listener_, reinterpret_cast<sockaddr*>(&bound), sizeof bound) == 0;
        sender_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in own{
            AF_INET, htons(port), {htonl(0x7F000000u | static_cast<std::uint32_t>(host))}, {}};
        bound_ = bound_ && ::bind(sender_, reinterpret_cast<sockaddr*>(&own), sizeof own) == 0;
        thread_ = std::thread([this] { serve(); });
    }
    ~OddAnswerer() {
        ::shutdown(listener_, SHUT_RDWR);
        thread_.join();
        ::close(listener_);
        ::close(sender_);
    }
    bool bound() const { return bound_; }

  private:
    void serve() {
        std::uint8_t request[64];
        sockaddr_in peer{};
        socklen_t size = sizeof peer;
        while (::recvfrom(listener_, request, sizeof request, 0, reinterpret_cast<sockaddr*>(&peer),
                          &size) > 0) {
            ::sendto(sender_, answer_.data(), answer_.size(), 0, reinterpret_cast<sockaddr*>(&peer),
                     sizeof peer);
            size = sizeof peer;
        }
    }

    Bytes answer_;
    int listener_ = -1;
    int sender_ = -1;
    bool bound_ = false;
    std::thread thread_;
};

TEST_F(NetworkDiscovery, BroadcastAnswersThatAreCutOrMalformedAreSkipped) {
    ModelPrinter good("Stratoline SL-2400", {"255.255.255.255"}, 10);
    ASSERT_TRUE(good.start()) << good.printer->error();
    const Bytes answer = qdxa_test::buildPacket(1, 1, 0x01, 0, Bytes{0x10});
    Bytes cut(answer.begin(), answer.begin() + 12);
    Bytes otherMagic = answer;
    otherMagic[1] = 0xCB;
    Bytes secondSequence = qdxa_test::buildPacket(1, 2, 0x01, 0, Bytes{0x10});
    OddAnswerer odd[] = {{201, 47545, cut},
                         {202, 47545, otherMagic},
                         {203, 47545, secondSequence},
                         {204, 47546, answer}};  // not from the printers' port
    for (const OddAnswerer& answerer : odd) {
        ASSERT_TRUE(answerer.bound());
    }
    const auto start = Clock::now();
    EXPECT_EQ(lprSearch(lprContext(0, kCollectTime, 0)), std::vector<std::uint32_t>{good.number()});
    // A broadcast collects answers for the whole time limit.
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(kCollectTime));
}

TEST_F(NetworkDiscovery, EchoesGoWhereTheContextSays) {
    ModelPrinter everywhere("SL-7440", {"255.255.255.255"}, 10);
    ModelPrinter subnet("SL-5170", {"127.255.255.255"}, 11);
    ASSERT_TRUE(everywhere.start()) << everywhere.printer->error();
    ASSERT_TRUE(subnet.start()) << subnet.printer->error();
    // No direction, or a direction to no host or every host: the limited broadcast.
    for (const auto& context :
         {lprContext(subnet.number(), kCollectTime, 0), lprContext(0, kCollectTime, 1),
          lprContext(kLimitedBroadcast, kCollectTime, 1)}) {
        EXPECT_EQ(lprSearch(context), std::vector<std::uint32_t>{everywhere.number()});
    }
    EXPECT_EQ(everywhere.echoes(), 6u);  // each search: the broadcast and the confirmation
    EXPECT_EQ(subnet.echoes(), 0u);
    // An address with a byte 255: that subnet's broadcast.
    EXPECT_EQ(lprSearch(lprContext(kLoopbackBroadcast, kCollectTime)),
              std::vector<std::uint32_t>{subnet.number()});
    EXPECT_EQ(subnet.echoes(), 2u);
}

}  // namespace
