// libDovoCommonLib.so exports the interface, printer-address and discovery functions by their C
// names.
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

TEST(DovoCommonLibExports, InterfaceAndAddressFunctions) {
    void* library = ::dlopen(DOVO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << ::dlerror();
    const char* names[] = {
        "IOS_Initialize",
        "IOS_Terminate",
        "IOS_GetVersion",
        "IOS_GetConnectionCount",
        "IOS_GetConnectionCountOnSandbox",
        "IOS_JobOpen",
        "IOS_JobOpen2",
        "IOS_JobOpenOnSandbox",
        "IOS_JobOpen2OnSandbox",
        "IOS_JobSend",
        "IOS_JobCancel",
        "IOS_JobClose",
        "IOS_AdminOpen",
        "IOS_AdminOpenOnSandbox",
        "IOS_AdminGetInfo",
        "IOS_AdminSetInfo",
        "IOS_AdminControlInfo",
        "IOS_AdminClose",
        "IOS_PrinterAddressCreate",
        "IOS_PrinterAddressDispose",
        "IOS_GetPrinterName",
        "IOS_PrinterAddressGetIomName",
        "IOS_PrinterAddressGetPrinterInfo",
        "IOS_WritePrinterAddressToFile",
        "IOS_ReadPrinterAddressFromFile",
        "IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS",
        "IOS_PrinterListCreateFromPreference",
        "IOS_PrinterListGetCount",
        "IOS_PrinterListGetAddress",
        "IOS_PrinterListDispose",
        "IOS_IOMListCreate",
        "IOS_IOMListGetCount",
        "IOS_IOMListGetName",
        "IOS_IOMListDispose",
        "IOS_SearchKeyListCreate",
        "IOS_SearchKeyListAppend",
        "IOS_SearchKeyListDispose",
        "IOS_PrinterListCreate",
    };
    for (const char* name : names) {
        EXPECT_NE(::dlsym(library, name), nullptr) << name;
    }
    for (const char* hidden : {"LibConnectorJobOpen", "LocalConvertCoreError", "LocalSetUp"}) {
        EXPECT_EQ(::dlsym(library, hidden), nullptr) << hidden;
    }
    ::dlclose(library);
}

}  // namespace
