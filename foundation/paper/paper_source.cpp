#include "paper/paper_source.h"

#include <algorithm>
#include <string>

#include "helpers/bundle_string.h"
#include "loaders/media_db_loader.h"
#include "loaders/model_atlas_loader.h"
#include "printer/printer_function.h"

namespace {

constexpr std::uint16_t kSupportedSources = 1;  // mdb3PaperSource: the bit set of sources
constexpr std::uint16_t kDefaultSource = 0;     // mdb3PaperSource: the medium's default
constexpr const char* kManualFeedKey = "FEED_MANUAL";
constexpr std::int32_t kEnabled = 1;

}  // namespace

bool SelectManualFeed(std::int32_t paperSource) {
    return paperSource == kPaperSourceManual || paperSource == kPaperSourceManual2;
}

bool SelectManualFeed3mm(std::int32_t paperSource) {
    return paperSource == kPaperSourceManual3mm;
}

bool SelectRoll(std::int32_t paperSource) {
    return paperSource == kPaperSourceRoll256 || paperSource == kPaperSourceRollPaper ||
           paperSource == kPaperSourceRoll1024 || paperSource == kPaperSourceRoll2048;
}

std::int16_t AddPaperSourceMenu(std::int32_t printerTypeID, std::int32_t paperSource,
                                const char** textKey) {
    const char* key = nullptr;
    switch (paperSource) {
        case kPaperSourceCassetteAuto:
            key = "FEED_CASSETTE_AUTO";
            break;
        case kPaperSourceCassette:
            key = "FEED_CASSETTE";
            break;
        case kPaperSourceCassette2:
            key = "FEED_CASSETTE_2";
            break;
        case kPaperSourceManual3mm:
            if (Check_Manual3mm_Printer(printerTypeID) == 1)
                key = "FEED_MANUAL3MM";
            break;
        case kPaperSourceManual:
        case kPaperSourceManual2:
            key =
                GetPrinterFormat(printerTypeID) == kMediumFormat ? kManualFeedKey : "FEED_CUTPAPER";
            break;
        case kPaperSourceRollPaper:
            key = "FEED_ROLLPAPER";
            break;
        default:
            break;
    }
    if (textKey != nullptr)
        *textKey = key;
    return key != nullptr ? 1 : 0;
}

std::int16_t ConstructFeedList(std::uint8_t* mediaDatabase, std::int32_t printerTypeID,
                               const cf::Bundle* bundle, std::int16_t mediumID,
                               std::int32_t /*reserved*/, MenuDataArray menu) {
    if (menu == nullptr)
        return 0;
    if (mediaDatabase == nullptr) {
        const std::string text = CopyLocalizedString(bundle, kManualFeedKey);
        KMenu::AddMenuData(menu, text.c_str(), kPaperSourceManual, 0, 0, kEnabled);
        return 1;
    }
    const std::uint16_t supported =
        Load_mdb3PaperSource(mediaDatabase, mediumID, kSupportedSources);
    PaperSourceNumRec order{};
    Load_GetPaperSourceNumber(printerTypeID, &order);
    const std::uint32_t count = std::min<std::uint32_t>(order.count, kPaperSourceSlots);
    std::int16_t rows = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto source =
            static_cast<std::uint16_t>(supported & static_cast<std::uint16_t>(order.codes[i]));
        const char* key = nullptr;
        if (source == 0 || AddPaperSourceMenu(printerTypeID, source, &key) == 0)
            continue;
        const std::string text = CopyLocalizedString(bundle, key);
        if (KMenu::AddMenuData(menu, text.c_str(), source, 0, 0, kEnabled) == 0)
            ++rows;
    }
    return rows;
}

std::uint16_t validatePaperSource(std::uint8_t* mediaDatabase, std::int16_t mediumID,
                                  std::uint16_t paperSource) {
    const std::uint16_t supported =
        Load_mdb3PaperSource(mediaDatabase, mediumID, kSupportedSources);
    if ((supported & paperSource) != 0)
        return paperSource;
    if (SelectManualFeed(paperSource)) {
        if ((supported & kPaperSourceManual) != 0)
            return kPaperSourceManual;
        if ((supported & kPaperSourceManual2) != 0)
            return kPaperSourceManual2;
    }
    return Load_mdb3PaperSource(mediaDatabase, mediumID, kDefaultSource);
}
