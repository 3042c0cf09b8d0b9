#include "paper/paper_size.h"

#include <array>

#include "loaders/model_atlas_loader.h"
#include "paper/paper_source.h"

namespace {

// What a model gets when the bundle does not answer (hundredths of a millimetre).
constexpr PaperSizeLimits kDefaultLimits{
    .hBannerRollMax = 1800000,
    .hRollMax = 1800000,
    .hRollMin = 20320,
    .wRollMax = 152400,
    .wRollMin = 20320,
    .hCutMax = 160000,
    .hCutMin = 20320,
    .wCutMax = 152400,
    .wCutMin = 20320,
    .hCasetteMax = 0,
    .hCasetteMin = 0,
    .wCasetteMax = 0,
    .wCasetteMin = 0,
};

constexpr std::uint16_t kDefaultMarginType = 30;
constexpr std::uint32_t kDefaultMargin = 30;
constexpr std::uint32_t kDefaultManualBottomMargin = 230;
constexpr std::int32_t kBorderlessMargin = -30;

template <typename T>
void put(T* out, T value) {
    if (out != nullptr)
        *out = value;
}

// Four outputs in order from four values.
void putFour(std::array<std::uint32_t*, 4> outputs, std::array<std::int32_t, 4> values) {
    for (std::size_t i = 0; i < outputs.size(); ++i)
        put(outputs[i], static_cast<std::uint32_t>(values[i]));
}

bool bundleLimits(std::int32_t printerTypeID, PaperSizeLimits& l) {
    return Load_GetPrinterSupportPaperSize(printerTypeID, &l.hBannerRollMax, &l.hRollMax,
                                           &l.hRollMin, &l.wRollMax, &l.wRollMin, &l.hCutMax,
                                           &l.hCutMin, &l.wCutMax, &l.wCutMin, &l.hCasetteMax,
                                           &l.hCasetteMin, &l.wCasetteMax, &l.wCasetteMin) == 1;
}

}  // namespace

void GetSupportPaperSize(std::int32_t printerTypeID, std::int32_t /*paperSource*/,
                         PaperSizeLimits* limits) {
    if (limits == nullptr)
        return;
    PaperSizeLimits answered{};
    *limits = bundleLimits(printerTypeID, answered) ? answered : kDefaultLimits;
}

void GetSupportSize(std::int32_t printerTypeID, std::uint16_t paperSource, std::uint32_t* maxHeight,
                    std::uint32_t* minHeight, std::uint32_t* maxWidth, std::uint32_t* minWidth) {
    PaperSizeLimits l{};
    GetSupportPaperSize(printerTypeID, paperSource, &l);
    if (paperSource == kPaperSourceCassette) {
        putFour({maxHeight, minHeight, maxWidth, minWidth},
                {l.hCasetteMax, l.hCasetteMin, l.wCasetteMax, l.wCasetteMin});
    } else if (SelectManualFeed(paperSource) || SelectManualFeed3mm(paperSource)) {
        putFour({maxHeight, minHeight, maxWidth, minWidth},
                {l.hCutMax, l.hCutMin, l.wCutMax, l.wCutMin});
    } else if (SelectRoll(paperSource)) {
        putFour({maxHeight, minHeight, maxWidth, minWidth},
                {l.hRollMax, l.hRollMin, l.wRollMax, l.wRollMin});
    }
}

std::uint8_t GetSupportCustomPaperSize(std::int32_t printerTypeID, std::uint32_t* maxHeight,
                                       std::uint32_t* minHeight, std::uint32_t* maxWidth,
                                       std::uint32_t* minWidth) {
    PaperSizeLimits l{};
    const bool answered = bundleLimits(printerTypeID, l);
    if (!answered)
        l = PaperSizeLimits{};
    putFour({maxHeight, minHeight, maxWidth, minWidth},
            {l.hRollMax, l.hRollMin, l.wRollMax, l.wRollMin});
    return answered ? 1 : 0;
}

std::uint16_t GetPrinterMarginSize(std::int32_t printerTypeID, std::int32_t paperSource,
                                   std::uint32_t* top, std::uint32_t* left, std::uint32_t* bottom,
                                   std::uint32_t* right) {
    const bool manual = SelectManualFeed(paperSource);
    std::int32_t type = 0;
    std::array<std::int32_t, 4> normal{};  // top, left, bottom, right
    std::array<std::int32_t, 4> manualFeed{};
    if (Load_GetPrinterSupportMarginSize(printerTypeID, &type, &normal[0], &normal[1], &normal[2],
                                         &normal[3], &manualFeed[0], &manualFeed[1], &manualFeed[2],
                                         &manualFeed[3]) != 1) {
        put(top, kDefaultMargin);
        put(left, kDefaultMargin);
        put(bottom, manual ? kDefaultManualBottomMargin : kDefaultMargin);
        put(right, kDefaultMargin);
        return kDefaultMarginType;
    }
    putFour({top, left, bottom, right}, manual ? manualFeed : normal);
    return static_cast<std::uint16_t>(type);
}

void GetBorderlessMarginSize(std::int32_t /*printerTypeID*/, std::int32_t* top, std::int32_t* left,
                             std::int32_t* bottom, std::int32_t* right) {
    for (std::int32_t* margin : {top, left, bottom, right}) put(margin, kBorderlessMargin);
}

std::int32_t GetQDXAMediaWidthValue(std::int32_t paperSizeID) {
    std::int32_t width = 0, height = 0;
    return Load_GetPaperSizeInfo(paperSizeID, &width, &height) == 1 ? width : 0;
}

std::int32_t GetQDXAMediaLengthValue(std::int32_t paperSizeID) {
    std::int32_t width = 0, height = 0;
    return Load_GetPaperSizeInfo(paperSizeID, &width, &height) == 1 ? height : 0;
}
