// The background, labels and captions of a test-pattern sheet line.
#include "pattern/pattern_sheet_line.h"

#include <algorithm>
#include <cstring>

#include "band/band_services.h"
#include "caption/pattern_caption_areas.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "record/tarn_rect.h"

namespace {

using rastercore::kResultFailure;
using rastercore::kResultOk;

// Background colours and the bytes that fill their row.
constexpr std::uint8_t kBackgroundBytes[] = {0xFF, 0x00, 0x80};  // white, black, grey

// Where an item's row lands in the line: its first pixel to take, the line's pixel it goes to
// and how many.
struct Span {
    std::int32_t skip;
    std::int32_t to;
    std::int32_t count;
};

Span spanOf(const PatternSheetLine& line, const PatternRect& rect, std::int32_t itemWidth) {
    const std::int32_t start = rect.x - line.originX;
    const std::int32_t skip = std::max(0, -start);
    const std::int32_t to = std::max(0, start);
    const std::int32_t count = std::min(std::min(rect.width, itemWidth) - skip, line.width - to);
    return {skip, to, std::max(0, count)};
}

// Colour-processes `count` working pixels of `row` with the caption entry into the line's
// processed scratch.
std::int32_t processItemRow(PLGContext* context, PatternSheetLine& line, const std::uint8_t* row,
                            std::int32_t count) {
    std::memcpy(line.source, row, static_cast<std::size_t>(count) * line.workPixelBytes);
    context->colorInfo->currentTableIndex = line.captionTable;
    TARNRect rect{0, 0, 1, count};
    return bandServices().current().colorProcessing(context->colorInfo, line.source, &rect,
                                                    line.processed) == kResultOk
               ? kResultOk
               : kResultFailure;
}

// The row of `area` that `line` crosses, as output pixels, or null when there is none.
struct ItemRow {
    const std::uint8_t* pixels;
    Span span;
};

std::int32_t itemRow(PLGContext* context, PatternSheetLine& sheetLine, const PatternRect& rect,
                     const PatternCaptionArea& area, std::int32_t line, ItemRow* row) {
    row->pixels = nullptr;
    if (area.bitmap == nullptr || !rect.holdsLine(line) || line - rect.y >= area.height) {
        return kResultOk;
    }
    row->span = spanOf(sheetLine, rect, area.width);
    if (row->span.count == 0) {
        return kResultOk;
    }
    const std::uint8_t* pixels = area.bitmap + (static_cast<std::size_t>(line - rect.y) *
                                                    static_cast<std::size_t>(area.width) +
                                                static_cast<std::size_t>(row->span.skip)) *
                                                   sheetLine.workPixelBytes;
    if (sheetLine.colorProcessItems) {
        if (processItemRow(context, sheetLine, pixels, row->span.count) != kResultOk) {
            return kResultFailure;
        }
        pixels = sheetLine.processed;
    }
    row->pixels = pixels;
    return kResultOk;
}

bool allZero(const std::uint8_t* bytes, std::size_t count) {
    return std::all_of(bytes, bytes + count, [](std::uint8_t b) { return b == 0; });
}

}  // namespace

std::int32_t fillPatternBackground(PLGContext* context, PatternSheetLine* sheetLine,
                                   const PatternRect& rect, std::int32_t color, std::int32_t line) {
    if (!rect.holdsLine(line)) {
        return kResultOk;
    }
    if (color < 0 || color >= static_cast<std::int32_t>(std::size(kBackgroundBytes))) {
        return kResultFailure;
    }
    const Span span = spanOf(*sheetLine, rect, rect.width);
    if (span.count == 0) {
        return kResultOk;
    }
    const std::uint8_t fill = kBackgroundBytes[color];
    std::uint8_t* to =
        sheetLine->pixels + static_cast<std::size_t>(span.to) * sheetLine->pixelBytes;
    if (!sheetLine->colorProcessItems) {
        std::memset(to, fill, static_cast<std::size_t>(span.count) * sheetLine->pixelBytes);
        return kResultOk;
    }
    std::memset(sheetLine->source, fill,
                static_cast<std::size_t>(span.count) * sheetLine->workPixelBytes);
    context->colorInfo->currentTableIndex = sheetLine->captionTable;
    TARNRect band{0, 0, 1, span.count};
    if (bandServices().current().colorProcessing(context->colorInfo, sheetLine->source, &band,
                                                 sheetLine->processed) != kResultOk) {
        return kResultFailure;
    }
    std::memcpy(to, sheetLine->processed,
                static_cast<std::size_t>(span.count) * sheetLine->pixelBytes);
    return kResultOk;
}

std::int32_t PLG_PPL_Com_Pattern_Print_PasteItem(PLGContext* context, PatternSheetLine* sheetLine,
                                                 const PatternRect& rect,
                                                 const PatternCaptionArea& area,
                                                 std::int32_t line) {
    ItemRow row{};
    if (itemRow(context, *sheetLine, rect, area, line, &row) != kResultOk) {
        return kResultFailure;
    }
    if (row.pixels != nullptr) {
        std::memcpy(
            sheetLine->pixels + static_cast<std::size_t>(row.span.to) * sheetLine->pixelBytes,
            row.pixels, static_cast<std::size_t>(row.span.count) * sheetLine->pixelBytes);
    }
    return kResultOk;
}

std::int32_t PLG_PPL_Com_Pattern_Print_MargeItem(PLGContext* context, PatternSheetLine* sheetLine,
                                                 const PatternRect& rect,
                                                 const PatternCaptionArea& area,
                                                 std::int32_t line) {
    if (sheetLine->colorProcessItems && context->colorInfo->outputDepth > kOutput12Bit) {
        return kResultFailure;
    }
    ItemRow row{};
    if (itemRow(context, *sheetLine, rect, area, line, &row) != kResultOk) {
        return kResultFailure;
    }
    if (row.pixels == nullptr) {
        return kResultOk;
    }
    const std::size_t pixel = sheetLine->pixelBytes;
    if (allZero(sheetLine->key, pixel)) {
        std::memcpy(sheetLine->key, row.pixels, pixel);
    }
    std::uint8_t* to = sheetLine->pixels + static_cast<std::size_t>(row.span.to) * pixel;
    for (std::int32_t i = 0; i < row.span.count; ++i) {
        const std::uint8_t* from = row.pixels + static_cast<std::size_t>(i) * pixel;
        if (std::memcmp(from, sheetLine->key, pixel) != 0) {
            std::memcpy(to + static_cast<std::size_t>(i) * pixel, from, pixel);
        }
    }
    return kResultOk;
}
