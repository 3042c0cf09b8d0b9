#include "paper/paper_lists.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

#include "loaders/model_atlas_loader.h"
#include "paper/paper_size.h"
#include "paper/paper_source.h"
#include "printer/printer_function.h"

namespace {

constexpr std::int32_t kEnabled = 1;
constexpr std::int64_t kLimitPerSizeUnit = 10;  // limits are ten times finer than paper sizes

struct FreeText {
    void operator()(char* text) const { std::free(text); }
};
using Text = std::unique_ptr<char, FreeText>;

// The numbers of an id list the bundle handed over (and that is released here); elements that
// are no number are left out.
std::vector<std::int32_t> takeIDs(cf::Value* list) {
    const std::unique_ptr<cf::Value> owned(list);
    std::vector<std::int32_t> ids;
    if (owned == nullptr || owned->array() == nullptr)
        return ids;
    for (const cf::Value& element : *owned->array()) {
        if (const auto number = element.integer())
            ids.push_back(static_cast<std::int32_t>(*number));
    }
    return ids;
}

// The id list of a model export that answers 1 with an array, or none.
template <typename Export>
std::optional<std::vector<std::int32_t>> modelIDs(Export load, std::int32_t printerTypeID) {
    cf::Value* list = nullptr;
    const bool answered = load(printerTypeID, &list) == 1 && list != nullptr;
    std::vector<std::int32_t> ids = takeIDs(list);
    if (!answered)
        return std::nullopt;
    return ids;
}

struct SourceLimits {
    std::uint32_t maxHeight = 0, minHeight = 0, maxWidth = 0, minWidth = 0;

    bool hold(std::int32_t width, std::int32_t height) const {
        const std::int64_t w = width * kLimitPerSizeUnit;
        const std::int64_t h = height * kLimitPerSizeUnit;
        return maxHeight >= h && maxWidth >= w && h >= minHeight && w >= minWidth;
    }
};

// Whether the model's cassette takes only its cassette sizes, and those sizes.
bool cassetteOnly(std::int32_t printerTypeID, std::vector<std::int32_t>& cassetteIDs) {
    const bool withCassette = Check_Cassette_Printer(printerTypeID) == 1;
    cf::Value* list = nullptr;
    const bool answered = Load_GetCasetteSupportPaperIDArray(printerTypeID, &list) != 0;
    const bool gotList = list != nullptr;
    cassetteIDs = takeIDs(list);
    return withCassette && (answered || gotList);
}

}  // namespace

std::uint8_t CheckNoMarginRollWidth(std::int32_t rollWidthID, std::int32_t printerTypeID) {
    return Load_FullBleedSupportChk(printerTypeID, rollWidthID);
}

std::int32_t ConstructRollPaperWidthList(std::int32_t printerTypeID, std::uint8_t borderlessOnly,
                                         MenuDataArray menu) {
    if (menu == nullptr)
        return KMenu::kBadArgument;
    const auto ids = modelIDs(Load_GetSupportRollWidthIDArray, printerTypeID);
    std::int32_t result = 0;
    for (const std::int32_t id : ids.value_or(std::vector<std::int32_t>{})) {
        const Text name(Load_GetRollPaperSizeName(id));
        if (name == nullptr)
            continue;
        if (borderlessOnly == 0 || CheckNoMarginRollWidth(id, printerTypeID) == 1)
            result = KMenu::AddMenuData(menu, name.get(), id, 0, 0, kEnabled);
    }
    return result;
}

std::int32_t ConstructOutPutPaperList(std::int32_t printerTypeID, std::int32_t paperSource,
                                      MenuDataArray menu) {
    if (menu == nullptr)
        return KMenu::kBadArgument;
    const bool manual = SelectManualFeed(paperSource) || SelectManualFeed3mm(paperSource);
    const bool cassette = paperSource == kPaperSourceCassette;
    std::vector<std::int32_t> cassetteIDs;
    const bool onlyCassetteSizes = cassette && cassetteOnly(printerTypeID, cassetteIDs);
    SourceLimits limits;
    GetSupportSize(printerTypeID, static_cast<std::uint16_t>(paperSource), &limits.maxHeight,
                   &limits.minHeight, &limits.maxWidth, &limits.minWidth);
    const auto ids = modelIDs(Load_GetSupportPaperIDArray, printerTypeID);
    std::int32_t result = 0;
    for (const std::int32_t id : ids.value_or(std::vector<std::int32_t>{})) {
        std::int32_t width = 0, height = 0;
        Load_GetPaperSizeInfo(id, &width, &height);
        if (manual && !limits.hold(width, height))
            continue;
        if (onlyCassetteSizes &&
            std::find(cassetteIDs.begin(), cassetteIDs.end(), id) == cassetteIDs.end()) {
            continue;
        }
        const Text name(Load_GetPaperSizeName(id));
        if (name != nullptr)
            result = KMenu::AddMenuData(menu, name.get(), id, width, height, kEnabled);
    }
    return result;
}
