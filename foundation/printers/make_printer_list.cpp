// The printer list from the machine's print queues, their PPDs and the model-information bundle.
#include "printers/make_printer_list.h"

#include <memory>

#include "loaders/model_atlas_loader.h"
#include "printer/printer_function.h"
#include "printing/queues.h"

namespace {

constexpr char kItemNameKey[] = "cf_string1";

bool listed(MenuDataArray list, const std::string& name) {
    for (const cf::Value& item : *list->array()) {
        const cf::Value* itemName = item.find(kItemNameKey);
        if (itemName != nullptr && itemName->string() != nullptr && *itemName->string() == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

void kMakePrinterList_ZORVEX_common_V600_PS::create(MenuDataArray workList, const char* modelName) {
    if (workList == nullptr || !workList->isArray() || modelName == nullptr) {
        return;
    }
    for (const printing::Queue& queue : printing::localQueues()) {
        if (queue.remote) {
            continue;
        }
        const std::unique_ptr<printing::Ppd> ppd = printing::Ppd::ofQueue(queue.name);
        if (ppd == nullptr || getPPDValue(*ppd, kPpdFamilyKeyword) != kPpdFamily ||
            getPPDValue(*ppd, kPpdModelKeyword) != modelName) {
            continue;
        }
        std::int32_t typeID = 0;
        Load_GetEPrinterTypeID(modelName, &typeID);
        const std::int32_t useBackend = getUseBackend(typeID);
        const UrlType urlType = getUrlType(queue.deviceUri, useBackend);
        if (urlType == kUrlUnusable) {
            continue;
        }
        const auto name = getPrinterNameFromDeviceURI(queue.deviceUri, useBackend);
        if (name && !listed(workList, *name)) {
            KMenu::AddMenuData2(workList, name->c_str(), modelName, modelName, typeID,
                                getConnectType(urlType), 1);
        }
    }
}

std::optional<std::string> kMakePrinterList_ZORVEX_common_V600_PS::getPPDValue(
    const printing::Ppd& ppd, const char* keyword) const {
    if (keyword == nullptr || !ppd.hasAttributes()) {
        return std::nullopt;
    }
    return ppd.attribute(keyword);
}

std::int32_t kMakePrinterList_ZORVEX_common_V600_PS::getUseBackend(std::int32_t typeID) const {
    return GetUseBackendFlag(typeID);
}
