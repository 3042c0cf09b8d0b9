// The band loop: copies, pages, and the steps of every line.
#include "band/band_loop.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include "band/band_services.h"
#include "band/blank_skip.h"
#include "band/cursor_move.h"
#include "band/host_fetch.h"
#include "band/image_line.h"
#include "band/line_layout.h"
#include "command/cmd_info.h"
#include "command/raster_modes.h"
#include "command/tarn_cmd.h"
#include "imaging/zoom/fg_zoom.h"
#include "qdxa/tarn_qdxa.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "record/progress_channel.h"
#include "util/memory.h"

namespace {

using namespace rastercore;

constexpr std::int32_t kSendOnce = 1;  // model value 6: one image whatever the copy count
constexpr std::int32_t kFirstFilter = 1;
constexpr std::int32_t kLastFilter = 5;
constexpr std::int16_t kPercentDone = 100;
double secondsNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::size_t pixelBytes(const PLGContext& context) {
    return (static_cast<std::size_t>(context.bitsPerPixel) + 7) / 8;
}

// Every line buffer holds its working line: the band line the image line, the copy and the
// colour output the band line.
bool lineBuffersFit(const PLGContext& context) {
    const std::size_t pixel = pixelBytes(context);
    const std::size_t bandLine = pixel * context.bandLineWidth;
    return context.bandLineSize >= pixel * context.imageLineWidth &&
           context.colorOutputLineSize >= bandLine &&
           (context.colorOnCopy == 0 || context.colorCopySize >= bandLine);
}

bool sharesLines(const TARNRect& image, const TARNRect& caption) {
    return caption.top < image.bottom && image.top < caption.bottom;
}

// Replaces a context buffer by `bytes` zeroed bytes; the tear-down releases it.
std::int32_t allocateContextBuffer(std::uint8_t** buffer, std::size_t bytes) {
    Dispose_MemoryClear(buffer, kUnusedKind);
    return Get_MemoryClear(1, bytes, kUnusedKind, buffer) == kResultOk ? kResultOk
                                                                       : kResultNoMemory;
}

class BandLoop {
  public:
    BandLoop(PLGContext& context, const BandServices& services)
        : context_(context),
          info_(*context.cmdInfo),
          services_(services),
          fetcher_(context, services),
          lines_(context, fetcher_, zoom_) {}

    std::int32_t run();

  private:
    std::int32_t prepareCaption();
    std::int32_t runCopy();
    std::int32_t openZoom();
    std::int32_t beginPage();
    std::int32_t endPage();
    std::int32_t runLine(std::int32_t line);
    std::int32_t pollCancel();
    std::int32_t processColor(TARNRect* rect);
    std::int32_t placeCaption(std::int32_t line, TARNRect* rect, std::uint8_t** toSend);
    std::int32_t moveCursor(const CursorTarget& target);

    template <typename Generate>
    std::int32_t sendCommands(Generate generate);

    PLGContext& context_;
    Cmd_Info& info_;
    const BandServices& services_;
    imaging::FG_Zoom zoom_;
    SourceFetcher fetcher_;
    ImageLineMaker lines_;

    std::int32_t lineCount_ = 0;
    std::int32_t imageLines_ = 0;
    std::int32_t imageStart_ = 0;
    std::int32_t captionStart_ = 0;
    std::int32_t startWidth_ = 0;
    std::uint8_t hostType_ = 0;
    std::int16_t lastPercent_ = 0;
    double lastCancelPoll_ = 0;

    // Per copy.
    std::int32_t rasterWidth_ = 0;
    bool cursorMoved_ = true;
};

std::int32_t BandLoop::run() {
    std::int32_t result = prepareCaption();
    if (result != kResultOk) {
        return result;
    }
    PLG_Get_Send_Line(&context_, &lineCount_, &imageLines_);
    PLG_Get_Start_Line(&context_, lineCount_, imageLines_, &imageStart_, &captionStart_);
    PLG_Get_Start_SrcWidth(&context_, imageStart_, captionStart_, &startWidth_);

    const std::uint16_t copies = context_.modelTable.HDD == kSendOnce ? 1 : context_.copies;
    lastCancelPoll_ = secondsNow();
    context_.currentCopy = 1;
    if (copies == 0) {
        return kResultOk;
    }
    if ((result = fetcher_.prepare()) != kResultOk || (result = lines_.prepare()) != kResultOk) {
        return result;
    }
    hostType_ = hostTypeOf(context_.jobRecord);
    while (context_.currentCopy <= copies) {
        if ((result = runCopy()) != kResultOk) {
            return result;
        }
        ++context_.currentCopy;
    }
    return kResultOk;
}

// The caption bitmap, and the lines its merge needs.
std::int32_t BandLoop::prepareCaption() {
    if (context_.captionFlag == 0) {
        return kResultOk;
    }
    std::int32_t result = services_.captionMakeData(&context_, context_.captionKind);
    if (result != kResultOk) {
        return result;
    }
    const TARNRect& image = context_.imageRect;
    const TARNRect& caption = context_.captionRect;
    if (sharesLines(image, caption)) {
        const std::int32_t width =
            std::max(image.right, caption.right) - std::min(image.left, caption.left);
        if ((result = allocateContextBuffer(&context_.captionMergeLine,
                                            pixelBytes(context_) * std::max(width, 0))) !=
            kResultOk) {
            return result;
        }
        context_.captionMergeWidth = width;
    }
    if (context_.colorInfo != nullptr &&
        context_.colorInfo->colorMode == kColorModeMonochromePhoto) {
        const std::uint32_t rowBytes =
            context_.captionHeight > 0
                ? context_.captionBitmapSize / static_cast<std::uint32_t>(context_.captionHeight)
                : 0;
        return allocateContextBuffer(&context_.captionColorLine, rowBytes);
    }
    return kResultOk;
}

std::int32_t BandLoop::runCopy() {
    std::int32_t result = openZoom();
    if (result == kResultOk) {
        result = beginPage();
    }
    lines_.startCopy();
    rasterWidth_ = startWidth_;
    cursorMoved_ = true;
    for (std::int32_t line = 0; result == kResultOk && line < lineCount_; ++line) {
        result = runLine(line);
    }
    if (result == kResultOk) {
        result = endPage();
    }
    // A front left open, enabled or not, would refuse the next copy's open.
    zoom_.Close();
    return result;
}

std::int32_t BandLoop::openZoom() {
    const std::int32_t width = context_.imageRect.right - context_.imageRect.left;
    const std::int32_t height = context_.imageRect.bottom - context_.imageRect.top;
    if (width <= 0 || height <= 0) {
        return kResultOk;
    }
    const std::int32_t filter =
        info_.resampleFilter >= kFirstFilter && info_.resampleFilter <= kLastFilter
            ? info_.resampleFilter
            : imaging::kZoomTypeDefault;
    return zoom_.Open(width, height, static_cast<int>(fetcher_.pixelCount()),
                      static_cast<int>(fetcher_.lineCount()), context_.bitsPerPixel,
                      filter) == imaging::kZoomDone
               ? kResultOk
               : kResultFailure;
}

template <typename Generate>
std::int32_t BandLoop::sendCommands(Generate generate) {
    std::uint32_t length = 0;
    std::int32_t result =
        generate(&info_, context_.commandBuffer, context_.commandBufferSize, &length);
    if (result == kResultOk && length > 0) {
        result = tarn_QDXA_SendData(context_.qdxaInfo, context_.commandBuffer, length, 0, nullptr);
    }
    return result;
}

std::int32_t BandLoop::beginPage() {
    if (info_.compression == kCompSeedRow) {
        emptySeedStores(info_);
    }
    const std::int32_t result = stepResult(services_.startPage(&context_));
    return result != kResultOk ? result : stepResult(sendCommands(tarn_Cmd_BeginImage));
}

std::int32_t BandLoop::endPage() {
    const std::int32_t result = stepResult(sendCommands(tarn_Cmd_EndImage));
    return result != kResultOk ? result : stepResult(services_.endPage(&context_));
}

std::int32_t BandLoop::runLine(std::int32_t line) {
    const std::int16_t percent =
        line == lineCount_ - 1
            ? kPercentDone
            : static_cast<std::int16_t>((std::int64_t{100} * line + 100) / (lineCount_ + 1));
    progressSetValue(&context_, percent, &lastPercent_);
    std::int32_t result = pollCancel();
    if (result != kResultOk) {
        return result;
    }

    TARNRect rect{line, 0, line + 1, static_cast<std::int32_t>(context_.imageLineWidth)};
    if (context_.colorInfo != nullptr) {
        context_.colorInfo->captionMerge =
            context_.colorInfo->colorMode == kColorModeMonochromePhoto && context_.captionFlag != 0;
    }
    if (line >= imageStart_ && line < imageStart_ + imageLines_ &&
        (result = lines_.make(context_.bandLine)) != kResultOk) {
        return result;
    }
    if ((result = processColor(&rect)) != kResultOk) {
        return result;
    }
    std::uint8_t* toSend = context_.colorOutputLine;
    if (context_.captionFlag != 0 && (result = placeCaption(line, &rect, &toSend)) != kResultOk) {
        return result;
    }
    return sendCommands(
        [&](Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity, std::uint32_t* length) {
            return tarn_Cmd_ImageBand(info, buffer, capacity, length, toSend, &rect);
        });
}

std::int32_t BandLoop::pollCancel() {
    if (hostType_ == kHostTypeImageEditor) {
        const double now = secondsNow();
        if (now <= lastCancelPoll_) {
            return kResultOk;
        }
        lastCancelPoll_ = now;
    }
    return ::pollCancel(hostType_, context_.progress, &context_.jobRecord->cancelRequest,
                        CancelPoll::Normal)
               ? kResultCancelled
               : kResultOk;
}

std::int32_t BandLoop::processColor(TARNRect* rect) {
    std::uint8_t* source = context_.bandLine;
    if (context_.colorOnCopy != 0) {
        std::memcpy(context_.colorCopy, context_.bandLine,
                    pixelBytes(context_) * static_cast<std::size_t>(rect->right - rect->left));
        source = context_.colorCopy;
    }
    return services_.colorProcessing(context_.colorInfo, source, rect, context_.colorOutputLine);
}

// Blank skipping, then the caption line and the raster restart its width change needs.
std::int32_t BandLoop::placeCaption(std::int32_t line, TARNRect* rect, std::uint8_t** toSend) {
    const BlankSkipLayout layout{context_.rotate != 0, context_.captionKind, context_.imageRect,
                                 context_.captionRect, imageStart_,          captionStart_};
    std::int32_t result = kResultOk;
    if (const auto target = blankSkipMove(layout, line);
        target && (result = moveCursor(*target)) != kResultOk) {
        return result;
    }
    const std::int32_t captionLines = context_.captionRect.bottom - context_.captionRect.top;
    if (line >= captionStart_ && line < captionStart_ + captionLines) {
        std::uint8_t* captionLine = nullptr;
        result = services_.captionSetBuff(&context_, line, imageStart_, captionStart_,
                                          context_.colorOutputLine, context_.imageLineWidth,
                                          &captionLine, &rect->right);
        if (result != kResultOk) {
            return result;
        }
        if (captionLine != nullptr) {
            *toSend = captionLine;
        }
    }
    if (rect->right != rasterWidth_) {
        if (!cursorMoved_) {
            result = QDXA_Move_CapHV(context_.qdxaInfo, &info_, context_.commandBuffer,
                                     context_.commandBufferSize, 0, 0, kRelativeMove);
            if (result != kResultOk) {
                return result;
            }
            cursorMoved_ = true;
        }
        rasterWidth_ = rect->right;
    }
    if (cursorMoved_) {
        if (info_.compression == kCompSeedRow) {
            emptySeedStores(info_);
        }
        cursorMoved_ = false;
    }
    return kResultOk;
}

// An absolute move to working pixels (x, y), in printer dots.
std::int32_t BandLoop::moveCursor(const CursorTarget& target) {
    const auto dots = [](std::uint16_t printer, std::int32_t pixels, double working) {
        return static_cast<std::int32_t>(
            static_cast<double>(static_cast<std::int64_t>(printer) * pixels) / working);
    };
    const std::int32_t result = QDXA_Move_CapHV(
        context_.qdxaInfo, &info_, context_.commandBuffer, context_.commandBufferSize,
        dots(info_.graphicsResolution[0], target.x, context_.outputResolution[0]),
        dots(info_.graphicsResolution[1], target.y, context_.outputResolution[1]), kAbsoluteMove);
    if (result == kResultOk) {
        cursorMoved_ = true;
    }
    return result;
}

}  // namespace

std::int32_t mainloop_for_LFP(PLGContext* context) {
    if (context == nullptr || context->cmdInfo == nullptr || context->qdxaInfo == nullptr ||
        context->jobRecord == nullptr || context->commandBuffer == nullptr ||
        context->bandLine == nullptr || context->colorOutputLine == nullptr ||
        (context->colorOnCopy != 0 && context->colorCopy == nullptr) || !lineBuffersFit(*context)) {
        return kResultFailure;
    }
    // The generator's bound covers the largest band and every raster restart, so a buffer of
    // that size is never overrun; a smaller one fails the job before anything is written.
    if (context->commandBufferSize < context->cmdInfo->bandCommandSize) {
        return kCommandBadArgument;
    }
    BandLoop loop(*context, bandServices().current());
    return loop.run();
}
