// The test-pattern print loop.
#include "pattern/pattern_print_loop.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "band/band_services.h"
#include "band/core_buffer.h"
#include "caption/pattern_caption_areas.h"
#include "command/cmd_info.h"
#include "command/tarn_cmd.h"
#include "imaging/zoom/fg_zoom.h"
#include "pattern/pattern_base_image.h"
#include "pattern/pattern_print_info.h"
#include "pattern/pattern_progress.h"
#include "pattern/pattern_sheet_line.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "record/tarn_rect.h"

namespace {

using namespace rastercore;

constexpr std::uint8_t kWhiteByte = 0xFF;
constexpr std::int32_t kModelYes = 1;
constexpr std::int32_t kFirstFilter = 1;
constexpr std::int32_t kLastFilter = 5;
constexpr std::int32_t kGreyPlaneDivisor = 3;  // one sample of three

const PatternCaptionArea kNoArea{};

class PatternPrintLoop {
  public:
    PatternPrintLoop(PLGContext& context, const PatternPrintInfo& sheet)
        : context_(context),
          info_(*context.cmdInfo),
          services_(bandServices().current()),
          sheet_(sheet),
          areas_(context.patternCaptionAreas) {}

    std::int32_t run();

  private:
    std::int32_t prepare();
    std::int32_t beginImage();
    std::int32_t endImage();
    std::int32_t runLine(std::int32_t line);
    std::int32_t pasteItems(std::int32_t line);
    std::int32_t drawCells(std::int32_t line);
    std::int32_t drawCell(const PatternPrintCell& cell, std::int32_t column, std::int32_t line,
                          std::int32_t* position);
    std::int32_t colorBaseRow(std::int32_t index, std::uint16_t table);
    std::int32_t openZooms();
    void closeZooms();
    std::int32_t rowTop(std::int32_t row) const;
    std::int32_t sendLine(std::int32_t line);

    template <typename Generate>
    std::int32_t sendCommands(Generate generate);

    const PatternCaptionArea& cellArea(const PatternPrintCell& cell,
                                       PatternCaptionArea PatternCellCaptions::*which) const {
        return areas_ != nullptr && areas_->cells != nullptr &&
                       cell.captionIndex < areas_->cellCount
                   ? areas_->cells[cell.captionIndex].*which
                   : kNoArea;
    }

    PLGContext& context_;
    Cmd_Info& info_;
    const BandServices& services_;
    const PatternPrintInfo& sheet_;
    const PatternCaptionAreas* areas_;

    PatternProgress progress_{};
    PatternBaseImage base_;
    PatternSheetLine line_{};
    CoreBuffer linePixels_;
    CoreBuffer itemSource_;
    CoreBuffer itemProcessed_;
    CoreBuffer baseSource_;                      ///< one base row, working pixels
    CoreBuffer baseProcessed_;                   ///< one base row, colour-processed
    CoreBuffer cellLine_;                        ///< one resampled cell row
    std::unique_ptr<imaging::FG_Zoom[]> zooms_;  ///< one per column of cells
    std::int32_t outputBits_ = 0;
    std::int32_t filter_ = imaging::kZoomTypeDefault;
    std::int32_t currentRow_ = 0;  ///< the row of cells in use
    bool zoomsOpen_ = false;
    std::int32_t basePosition_ = 0;  ///< the next base row the cells of the row take
};

std::int32_t PatternPrintLoop::run() {
    std::int32_t result = prepare();
    if (result == kResultOk) {
        result = beginImage();
    }
    if (result == kResultOk) {
        result = base_.fill(context_, &progress_);
    }
    const PatternRect& area = sheet_.printedArea;
    for (std::int32_t line = 0; result == kResultOk && line < area.y + area.height; ++line) {
        if (line >= area.y) {
            result = runLine(line);
        }
    }
    closeZooms();
    return result == kResultOk ? endImage() : result;
}

// Sizes, buffers and resamplers of the whole loop.
std::int32_t PatternPrintLoop::prepare() {
    const Color_Info& color = *context_.colorInfo;
    const bool monochrome = color.colorMode == kColorModeMonochromePhoto;
    const bool greyPlane = monochrome && context_.modelTable.TNR2_T_RGB_Y == kModelYes;
    outputBits_ = greyPlane ? context_.bitsPerPixel / kGreyPlaneDivisor : context_.bitsPerPixel;
    const std::size_t workPixel = (static_cast<std::size_t>(context_.bitsPerPixel) + 7) / 8;
    const std::size_t outputPixel = (static_cast<std::size_t>(outputBits_) + 7) / 8;
    const std::int32_t width = sheet_.printedArea.width;
    if (width <= 0 || workPixel == 0 || outputPixel > kPatternPixelMax) {
        return kResultFailure;
    }
    std::int32_t result = base_.size(context_);
    if (result != kResultOk) {
        return result;
    }
    progress_.total = std::int64_t{base_.height()} + sheet_.printedArea.height;
    const std::size_t lineBytes = workPixel * static_cast<std::size_t>(width);
    const std::size_t baseBytes = workPixel * static_cast<std::size_t>(std::max(base_.width(), 0));
    const std::size_t cellBytes = outputPixel * static_cast<std::size_t>(sheet_.cellWidth);
    if ((result = base_.allocate(workPixel)) != kResultOk) {
        return result;
    }
    if (linePixels_.allocate(lineBytes) != kResultOk || itemSource_.allocate(lineBytes) != 0 ||
        itemProcessed_.allocate(lineBytes) != kResultOk ||
        baseSource_.allocate(baseBytes) != kResultOk ||
        baseProcessed_.allocate(baseBytes) != kResultOk ||
        cellLine_.allocate(cellBytes) != kResultOk) {
        return kResultNoMemory;
    }
    zooms_.reset(new (std::nothrow) imaging::FG_Zoom[std::max<std::int16_t>(sheet_.columns, 1)]);
    if (zooms_ == nullptr) {
        return kResultNoMemory;
    }
    std::memset(linePixels_.data(), kWhiteByte, lineBytes);
    line_ = PatternSheetLine{
        .pixels = linePixels_.data(),
        .width = width,
        .originX = sheet_.printedArea.x,
        .pixelBytes = outputPixel,
        .workPixelBytes = workPixel,
        .colorProcessItems = monochrome,
        .captionTable =
            static_cast<std::uint16_t>(std::uint32_t{color.patternXCount} * color.patternYCount),
        .source = itemSource_.data(),
        .processed = itemProcessed_.data(),
        .key = {},
    };
    filter_ = info_.resampleFilter >= kFirstFilter && info_.resampleFilter <= kLastFilter
                  ? info_.resampleFilter
                  : imaging::kZoomTypeDefault;
    return kResultOk;
}

template <typename Generate>
std::int32_t PatternPrintLoop::sendCommands(Generate generate) {
    std::uint32_t length = 0;
    std::int32_t result =
        generate(&info_, context_.commandBuffer, context_.commandBufferSize, &length);
    if (result == kResultOk && length > 0) {
        result = tarn_QDXA_SendData(context_.qdxaInfo, context_.commandBuffer, length, 0, nullptr);
    }
    return stepResult(result);
}

std::int32_t PatternPrintLoop::beginImage() {
    if (info_.compression == kCompSeedRow) {
        emptySeedStores(info_);
    }
    const std::int32_t result = stepResult(services_.startPage(&context_));
    return result != kResultOk ? result : sendCommands(tarn_Cmd_BeginImage);
}

std::int32_t PatternPrintLoop::endImage() {
    const std::int32_t result = sendCommands(tarn_Cmd_EndImage);
    if (result != kResultOk) {
        return result;
    }
    return stepResult(services_.endPage(&context_));
}

std::int32_t PatternPrintLoop::runLine(std::int32_t line) {
    std::int32_t result = PLG_PPL_Progress(&context_, &progress_);
    if (result == kResultOk) {
        result = fillPatternBackground(&context_, &line_, sheet_.background, sheet_.backgroundColor,
                                       line);
    }
    if (result == kResultOk) {
        result = pasteItems(line);
    }
    if (result == kResultOk) {
        result = drawCells(line);
    }
    return result == kResultOk ? sendLine(line) : result;
}

// The labels, titles and settings boxes, in their order on the sheet.
std::int32_t PatternPrintLoop::pasteItems(std::int32_t line) {
    if (areas_ == nullptr) {
        return kResultOk;
    }
    const auto paste = [&](const PatternRect& rect, const PatternCaptionArea& area) {
        return PLG_PPL_Com_Pattern_Print_PasteItem(&context_, &line_, rect, area, line);
    };
    const auto pasteLabels = [&](const CoreArray<PatternLabel>& labels,
                                 const PatternScaleArea* scales, std::int32_t count) {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const PatternCaptionArea& area =
                scales != nullptr && static_cast<std::int32_t>(i) < count ? scales[i].area
                                                                          : kNoArea;
            if (const std::int32_t result = paste(labels[i].rect, area); result != kResultOk) {
                return result;
            }
        }
        return kResultOk;
    };
    std::int32_t result = pasteLabels(sheet_.yLabels, areas_->yScales, areas_->yScaleCount);
    if (result == kResultOk) {
        result = paste(sheet_.yTitle, areas_->yTitle);
    }
    if (result == kResultOk) {
        result = pasteLabels(sheet_.xLabels, areas_->xScales, areas_->xScaleCount);
    }
    if (result == kResultOk) {
        result = paste(sheet_.xTitle, areas_->xTitle);
    }
    if (result == kResultOk) {
        result = paste(sheet_.settingBox1, areas_->basicSettings);
    }
    if (result == kResultOk) {
        result = paste(sheet_.settingBox2, areas_->colorSettings);
    }
    return result;
}

std::int32_t PatternPrintLoop::rowTop(std::int32_t row) const {
    for (std::int32_t column = 0; column < sheet_.columns; ++column) {
        if (sheet_.at(row, column).filled != 0) {
            return sheet_.at(row, column).image.y;
        }
    }
    return -1;  // a row without cells has no lines
}

// The current row of cells: passed rows are closed, the row the line enters is opened.
std::int32_t PatternPrintLoop::drawCells(std::int32_t line) {
    const std::int32_t height = sheet_.cellHeight;
    while (currentRow_ < sheet_.rows &&
           (rowTop(currentRow_) < 0 || line >= rowTop(currentRow_) + height)) {
        closeZooms();
        ++currentRow_;
    }
    if (currentRow_ >= sheet_.rows || line < rowTop(currentRow_)) {
        return kResultOk;
    }
    std::int32_t result = kResultOk;
    if (!zoomsOpen_ && (result = openZooms()) != kResultOk) {
        return result;
    }
    std::int32_t furthest = basePosition_;
    for (std::int32_t column = 0; column < sheet_.columns; ++column) {
        const PatternPrintCell& cell = sheet_.at(currentRow_, column);
        if (cell.filled == 0) {
            continue;
        }
        std::int32_t position = basePosition_;
        if ((result = drawCell(cell, column, line, &position)) != kResultOk) {
            return result;
        }
        furthest = std::max(furthest, position);
    }
    basePosition_ = furthest;
    if (line == rowTop(currentRow_) + height - 1) {
        closeZooms();
        ++currentRow_;
    }
    return kResultOk;
}

// One cell's part of the line: its overlay when out of range, else its image row; then its
// captions.
std::int32_t PatternPrintLoop::drawCell(const PatternPrintCell& cell, std::int32_t column,
                                        std::int32_t line, std::int32_t* position) {
    std::int32_t result = kResultOk;
    if (cell.outOfRange != 0) {
        result = PLG_PPL_Com_Pattern_Print_MargeItem(
            &context_, &line_, cell.image, cellArea(cell, &PatternCellCaptions::outside), line);
    } else if (!cell.image.empty() && cell.image.holdsLine(line)) {
        imaging::FG_Zoom& zoom = zooms_[column];
        const std::uint8_t* row = nullptr;
        std::int32_t rowWidth = cell.image.width;
        if (zoom.IsEnable() == 0) {
            // The cell is the base image's size: its rows are the base rows.
            const std::int32_t index = line - cell.image.y;
            if ((result = colorBaseRow(index, cell.colorTableIndex)) != kResultOk) {
                return result;
            }
            row = baseProcessed_.data();
            rowWidth = std::min(rowWidth, base_.width());
        } else {
            while (zoom.CheckData() == 0) {
                if ((result = colorBaseRow(*position, cell.colorTableIndex)) != kResultOk) {
                    return result;
                }
                ++*position;
                if (zoom.Send(baseProcessed_.data()) != imaging::kZoomDone) {
                    return kResultFailure;
                }
            }
            if (zoom.Read(cellLine_.data()) != imaging::kZoomDone) {
                return kResultFailure;
            }
            row = cellLine_.data();
        }
        const std::int32_t to = cell.image.x - line_.originX;
        const std::int32_t count = std::min(rowWidth, line_.width - to);
        if (to >= 0 && count > 0) {
            std::memcpy(line_.pixels + static_cast<std::size_t>(to) * line_.pixelBytes, row,
                        static_cast<std::size_t>(count) * line_.pixelBytes);
        }
    }
    if (result == kResultOk) {
        result = PLG_PPL_Com_Pattern_Print_MargeItem(
            &context_, &line_, cell.caption1, cellArea(cell, &PatternCellCaptions::xValue), line);
    }
    if (result == kResultOk) {
        result = PLG_PPL_Com_Pattern_Print_MargeItem(
            &context_, &line_, cell.caption2, cellArea(cell, &PatternCellCaptions::yValue), line);
    }
    return result;
}

// Base row `index` colour-processed with the colour-adjust entry `table`.
std::int32_t PatternPrintLoop::colorBaseRow(std::int32_t index, std::uint16_t table) {
    if (index < 0 || index >= base_.height()) {
        return kResultFailure;  // the cell wants more rows than the base image has
    }
    std::memcpy(baseSource_.data(), base_.row(index), base_.rowBytes());
    context_.colorInfo->currentTableIndex = table;
    TARNRect rect{0, 0, 1, base_.width()};
    return services_.colorProcessing(context_.colorInfo, baseSource_.data(), &rect,
                                     baseProcessed_.data()) == kResultOk
               ? kResultOk
               : kResultFailure;
}

// Every column's resampler from the base size to the cell size, for a new row of cells.
std::int32_t PatternPrintLoop::openZooms() {
    for (std::int32_t column = 0; column < sheet_.columns; ++column) {
        if (zooms_[column].Open(sheet_.cellWidth, sheet_.cellHeight, base_.width(), base_.height(),
                                outputBits_, filter_) != imaging::kZoomDone) {
            return kResultFailure;
        }
    }
    zoomsOpen_ = true;
    basePosition_ = 0;
    return kResultOk;
}

void PatternPrintLoop::closeZooms() {
    for (std::int32_t column = 0; zooms_ != nullptr && column < sheet_.columns; ++column) {
        zooms_[column].Close();
    }
    zoomsOpen_ = false;
}

// Sends the line as a one-line band and blanks it for the next.
std::int32_t PatternPrintLoop::sendLine(std::int32_t line) {
    TARNRect rect{line, 0, line + 1, line_.width};
    const std::int32_t result = sendCommands(
        [&](Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* length) {
            return tarn_Cmd_ImageBand(info, buffer, capacity, length, line_.pixels, &rect);
        });
    std::memset(line_.pixels, kWhiteByte, line_.pixelBytes * static_cast<std::size_t>(line_.width));
    return result;
}

}  // namespace

std::int32_t PLG_PatternPrintLoop(PLGContext* context) {
    if (context == nullptr || context->cmdInfo == nullptr || context->qdxaInfo == nullptr ||
        context->colorInfo == nullptr || context->jobRecord == nullptr ||
        context->patternTables == nullptr || context->commandBuffer == nullptr ||
        context->commandBufferSize < context->cmdInfo->bandCommandSize) {
        return kResultFailure;
    }
    PatternPrintLoop loop(*context, *context->patternTables);
    return loop.run();
}
