// Printer addresses by connection kind, through a recording device library and through the real
// one, and the status monitor's start through an injected launcher.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "DovoCommonLib/ios_printer_address.h"
#include "rastercore/result_codes.h"
#include "scripted_transport.h"
#include "support/scoped_variable.h"
#include "transport/print_monitor.h"
#include "transport/printer_address.h"

namespace {

using namespace transporttest;

std::string text(const char* value) {
    return value != nullptr ? value : "<null>";
}

// What the device library was asked for: kind, name, service, domain.
class RecordingAddresses {
  public:
    explicit RecordingAddresses(std::uint32_t status) {
        calls_.printerAddressCreate = [this, status](const char* kind, const char* name,
                                                     const char* service, const char* domain,
                                                     void** address) {
            asked = text(kind) + "|" + text(name) + "|" + text(service) + "|" + text(domain);
            *address = status == 0 ? &token_ : nullptr;
            return status;
        };
    }
    std::string asked;

  private:
    char token_ = 0;
    TransportCalls calls_ = transportCalls().production();
    seam::ScopedOverride<TransportCalls> override_{transportCalls(), calls_};
};

TEST(PrinterAddress, ConnectionKindsAskTheDeviceLibraryForTheirAddresses) {
    const struct {
        const char* kind;
        std::string asked;
    } cases[] = {
        {"DNSSD", "Rendezvous|Studio 7|_pdl-datastream._tcp.|local."},
        {"Rendezvous", "Rendezvous|Studio 7|_pdl-datastream._tcp.|local."},
        {"WQS_LPR", "WQS_LPR|Studio 7|<null>|<null>"},
        {"WQS_LPRV6", "WQS_LPRV6|Studio 7|<null>|<null>"},
        {"USB", "USB|Studio 7|<null>|<null>"},
        {"AppleTalk", "AppleTalk|Studio 7|TARN|zone 4"},
    };
    for (const auto& c : cases) {
        RecordingAddresses addresses(0);
        void* address = nullptr;
        EXPECT_EQ(PLG_Get_PrinterAddress(c.kind, "Studio 7", "zone 4", &address), 0) << c.kind;
        EXPECT_NE(address, nullptr);
        EXPECT_EQ(addresses.asked, c.asked) << c.kind;
    }
}

TEST(PrinterAddress, CancelPassesAndEveryOtherFailureIsATransportFailure) {
    for (const auto& [status, result] : {std::pair{1100u, 1100}, std::pair{21000u, 14000}}) {
        RecordingAddresses addresses(status);
        void* address = &addresses;
        EXPECT_EQ(PLG_Get_PrinterAddress("USB", "Studio", nullptr, &address), result);
        EXPECT_EQ(address, nullptr);
    }
    void* address = nullptr;
    EXPECT_EQ(PLG_Get_PrinterAddress(nullptr, "Studio", nullptr, &address), 14000);
    EXPECT_EQ(PLG_Get_PrinterAddress("USB", "Studio", nullptr, nullptr), 14000);
}

TEST(PrinterAddress, RealDeviceLibraryRefusesAppleTalkAndMakesNetworkAddresses) {
    void* address = nullptr;
    EXPECT_EQ(PLG_Get_PrinterAddress("AppleTalk", "Studio", "zone", &address), 14000);
    EXPECT_EQ(address, nullptr);

    ASSERT_EQ(PLG_Get_PrinterAddress("WQS_LPR", "192.0.2.7", nullptr, &address), 0);
    char kind[kIOS_IomNameBufferSize] = {};
    EXPECT_EQ(IOS_PrinterAddressGetIomName(address, kind), kIOS_NoErr);
    EXPECT_STREQ(kind, "WQS_LPR");
    EXPECT_EQ(PLG_Dispose_PrinterAddress(address), 0);
    EXPECT_EQ(PLG_Dispose_PrinterAddress(nullptr), 0);
    EXPECT_EQ(PLG_CheckPrinter_Rendezvous(nullptr), -1);
}

TEST(PrintMonitor, StartedThroughTheLauncherOnlyWhenNoProcessIsTheMonitor) {
    const testsupport::ScopedVariable root("STRATOLINE_ROOT", "/opt/strato root");
    const std::string command =
        "\"/opt/strato root/Orvane/TARN/Utilities/TARN Printmonitor.app/Contents/MacOS/TARN "
        "Printmonitor\" mode=print &";
    EXPECT_EQ(printMonitorCommand(), command);
    {
        ScriptedTransport transport;
        transport.runningProcesses = {"/usr/bin/bash", "/opt/other/Printmonitor"};
        EXPECT_EQ(launchPrintMonitor(nullptr, &transport), 0);
        EXPECT_EQ(transport.log, (std::vector<std::string>{"monitorPrinter", "launch"}));
        EXPECT_EQ(transport.launched, std::vector<std::string>{command});
    }
    {
        ScriptedTransport transport;
        transport.runningProcesses = {
            "/opt/x/TARN Printmonitor.app/Contents/MacOS/TARN Printmonitor"};
        EXPECT_TRUE(isLaunchProcess(kPrintMonitorName));
        EXPECT_EQ(launchPrintMonitor(nullptr, &transport), 0);
        EXPECT_TRUE(transport.log.empty());
    }
}

TEST(PrintMonitor, AMonitorPathTheShellWouldReadInsideQuotesIsNeverRun) {
    for (const char* root : {"/tmp/a\"; rm -rf x; \"", "/tmp/$(id)", "/tmp/`id`", "/tmp/a\\"}) {
        const testsupport::ScopedVariable variable("STRATOLINE_ROOT", root);
        ScriptedTransport transport;
        EXPECT_EQ(launchPrintMonitor(nullptr, &transport), -1) << root;
        EXPECT_TRUE(transport.launched.empty()) << root;
    }
}

TEST(PrintMonitor, TheProductionProcessListSeesThisProcess) {
    const std::vector<std::string> paths = corePrintMonitorLauncher().runningProcessPaths();
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    EXPECT_NE(std::find(paths.begin(), paths.end(), self), paths.end());
}

}  // namespace
