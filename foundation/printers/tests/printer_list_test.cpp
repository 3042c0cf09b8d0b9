// The printer list from the queues of a private CUPS scheduler: family and model from each
// queue's PPD, name and kind from its device URI, the use-backend value from the capability
// record of the model-information bundle's tables, grouped in the connection order.
#include "printers/printer_list.h"

#include <gtest/gtest.h>

#include "cups_server/cups_server.h"
#include "loaders/interface_bundle_id.h"
#include "printers/make_printer_list.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

const fs::path kPpds = PRINTERS_TEST_PPD_DIR;
constexpr char kShellID[] = "com.stratoline.test.atlas.printers";

struct Printer {
    std::string name, model;
    std::int32_t typeID = 0;
    std::int32_t kind = 0;
    bool operator==(const Printer&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Printer& p) {
    return out << "{" << p.name << ", " << p.model << ", " << p.typeID << ", " << p.kind << "}";
}

testsupport::CupsQueue queue(const char* name, const char* uri, const char* ppd) {
    return {name, uri, ppd != nullptr ? std::optional(kPpds / ppd) : std::nullopt};
}

class PrinterList : public testing::Test {
  protected:
    void SetUp() override {
        if (!testsupport::CupsServer::installed()) {
            GTEST_SKIP() << testsupport::CupsServer::kCupsd
                         << " is not installed (Debian package cups-daemon)";
        }
        ASSERT_TRUE(host_.ready());

        server_ = std::make_unique<testsupport::CupsServer>(std::vector<testsupport::CupsQueue>{
            // SL-7000 prints through the maker's backend.
            queue("a_bonjour_system", "mdns://Studio%20A._printer._tcp.local./", "sl7000.ppd"),
            queue("b_ip", "tarnbe://Lab%20IP/?ip=10.0.0.2", "sl7000.ppd"),
            queue("c_ipv6", "lpd://%5bfe80::1%5d/queue", "sl7000.ppd"),
            queue("d_usb", "tarnbe://Printer%20Name/?usb&serial=1", "sl7000.ppd"),
            queue("e_usb_again", "tarnbe://Printer%20Name/?usb&serial=2", "sl7000.ppd"),
            queue("f_firewire", "tarnbe://Fire/?fw", "sl7000.ppd"),
            queue("g_bonjour", "tarnbe://Studio%20B/?bon", "sl7000.ppd"),
            queue("h_system_usb", "usb://Orvane/SL-7000?serial=9", "sl7000.ppd"),
            queue("i_other_family", "tarnbe://Other/?usb", "other_family.ppd"),
            queue("j_other_model", "tarnbe://Five/?usb", "sl5000.ppd"),
            queue("k_raw", "tarnbe://Raw/?usb", nullptr),
            queue("l_lpd", "lpd://10.0.0.3/queue", "sl7000.ppd"),
            queue("m_unusable", "tarnbe://Nothing/", "sl7000.ppd"),
            // SL-5000 prints through the system's backends.
            queue("n_five_mdns", "mdns://Studio%20C._printer._tcp.local./", "sl5000.ppd"),
            queue("o_five_dnssd", "dnssd://Studio%20D._pdl-datastream._tcp.local./", "sl5000.ppd"),
            queue("p_five_usb", "usb://Orvane/SL-5000?serial=5", "sl5000.ppd"),
        });
        ASSERT_TRUE(server_->running()) << server_->failure();
        ASSERT_EQ(KMenu::NewMenuData(&menu_), 0);
    }

    void TearDown() override { KMenu::DisposeMenuData(&menu_); }

    std::vector<Printer> printers() const {
        std::vector<Printer> all;
        for (std::int32_t index = 1; index <= static_cast<std::int32_t>(menu_->array()->size());
             ++index) {
            const char *name = nullptr, *model = nullptr, *model2 = nullptr;
            Printer printer;
            bool enabled = false;
            KMenu::GetMenuData2(menu_, &name, &model, &model2, &printer.typeID, &printer.kind,
                                &enabled, index);
            EXPECT_STREQ(model, model2);
            EXPECT_TRUE(enabled);
            printer.name = name;
            printer.model = model;
            all.push_back(printer);
        }
        return all;
    }

    testsupport::TemporaryFolder folder_;
    testsupport::ScopedVariable home_{"HOME", folder_.path().c_str()};
    testsupport::ModelAtlasHost host_{ATLAS_PRINTERS_SHELL};
    std::unique_ptr<testsupport::CupsServer> server_;
    MenuDataArray menu_ = nullptr;
};

TEST_F(PrinterList, MakersBackendModelInConnectionOrder) {
    ASSERT_EQ(ConstructPrinterList(menu_, "SL-7000"), 0);
    const std::vector<Printer> expected = {
        {"Printer Name", "SL-7000", 7000, kConnectUsb},
        {"Studio B", "SL-7000", 7000, kConnectBonjour},
        {"Lab IP", "SL-7000", 7000, kConnectIp},
        {"10.0.0.3", "SL-7000", 7000, kConnectIp},
        {"fe80::1", "SL-7000", 7000, kConnectIpv6},
        {"Fire", "SL-7000", 7000, kConnectFireWire},
    };
    EXPECT_EQ(printers(), expected);
}

TEST_F(PrinterList, SystemBackendModelAppendsToTheMenu) {
    KMenu::AddMenuData2(menu_, "Earlier", "x", "x", 1, 1, 1);
    ASSERT_EQ(ConstructPrinterList(menu_, "SL-5000"), 0);
    const std::vector<Printer> expected = {
        {"Earlier", "x", 1, 1},
        {"Five", "SL-5000", 5000, kConnectUsb},
        {"SL-5000", "SL-5000", 5000, kConnectUsb},
        {"Studio D", "SL-5000", 5000, kConnectDnsSd},
        {"Studio C", "SL-5000", 5000, kConnectBonjour},
    };
    EXPECT_EQ(printers(), expected);
}

TEST_F(PrinterList, WithoutModelInformationTheModelPrintsThroughItsBackend) {
    DeleteInterfaceBundleIDFile(kShellID);
    ASSERT_EQ(ConstructPrinterList(menu_, "SL-5000"), 0);
    const std::vector<Printer> expected = {{"Five", "SL-5000", 0, kConnectUsb}};
    EXPECT_EQ(printers(), expected);
}

TEST_F(PrinterList, NoPrinterOfTheModelLeavesTheMenuAlone) {
    ASSERT_EQ(ConstructPrinterList(menu_, "SL-9000"), 0);
    EXPECT_TRUE(printers().empty());
    EXPECT_EQ(ConstructPrinterList(menu_, nullptr), 0);
    EXPECT_TRUE(printers().empty());
}

TEST_F(PrinterList, PpdValuesAndUseBackendOfTheModels) {
    const kMakePrinterList_ZORVEX_common_V600_PS list;
    const auto ppd = printing::Ppd::ofQueue("i_other_family");
    ASSERT_NE(ppd, nullptr);
    EXPECT_EQ(list.getPPDValue(*ppd, kPpdFamilyKeyword), "OTHR");
    EXPECT_EQ(list.getPPDValue(*ppd, kPpdModelKeyword), "SL-7000");
    EXPECT_EQ(list.getPPDValue(*ppd, "VQAbsent"), std::nullopt);
    EXPECT_EQ(list.getUseBackend(7000), 1);
    EXPECT_EQ(list.getUseBackend(5000), 0);
    EXPECT_EQ(list.getUseBackend(1234), kThroughMakersBackend);
}

}  // namespace
