#include "printers/printer_list.h"

#include "printers/make_printer_list.h"

const ConnectNumRec PS_Connect = {
    7,
    {kConnectUsb, kConnectDnsSd, kConnectBonjour, kConnectAppleTalk, kConnectIp, kConnectIpv6,
     kConnectFireWire},
};

void GetConnectOrderNumber(ConnectNumRec* order) {
    if (order != nullptr) {
        *order = PS_Connect;
    }
}

std::int32_t ConstructPrinterList(MenuDataArray array, const char* modelName) {
    MenuDataArray workList = nullptr;
    if (const std::int32_t status = KMenu::NewMenuData(&workList); status != 0) {
        return status;
    }
    kMakePrinterList_ZORVEX_common_V600_PS().create(workList, modelName);

    ConnectNumRec order{};
    GetConnectOrderNumber(&order);
    const auto count = static_cast<std::int32_t>(workList->array()->size());
    for (std::int32_t k = 0; k < order.count && k < kConnectOrderSlots; ++k) {
        for (std::int32_t index = 1; index <= count; ++index) {
            const char* strings[3] = {};
            std::int32_t typeID = 0;
            std::int32_t kind = 0;
            bool enabled = false;
            KMenu::GetMenuData2(workList, &strings[0], &strings[1], &strings[2], &typeID, &kind,
                                &enabled, index);
            if (kind == order.kinds[k]) {
                KMenu::AddMenuData2(array, strings[0], strings[1], strings[2], typeID, kind,
                                    enabled ? 1 : 0);
            }
        }
    }
    KMenu::DisposeMenuData(&workList);
    return 0;
}
