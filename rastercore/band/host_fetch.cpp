// Source lines from the host, for both host kinds.
#include "band/host_fetch.h"

#include <algorithm>
#include <cstring>

#include "band/band_services.h"
#include "command/cmd_info.h"
#include "imaging/buffer/unsharp.h"
#include "rastercore/common_info_table.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"

namespace {

using namespace rastercore;

/// The advance-state value that asks the host for the requested rectangle.
constexpr std::int32_t kAdvanceToRequest = 2;
/// The host's answer that asks to be asked once more.
constexpr std::int32_t kAskAgain = -128;
constexpr std::int32_t kMirrorOn = 1;
constexpr std::int32_t kBits8Pixel = 24;
/// UnsharpL's pixel types: three 8-bit or three 16-bit samples.
constexpr std::uint16_t kUnsharpType8 = 8;
constexpr std::uint16_t kUnsharpType16 = 10;
constexpr std::size_t kWindowLines = 3;

std::uint32_t extent(double from, double to) {
    const double size = to - from;
    return size > 0 ? static_cast<std::uint32_t>(size) : 0;
}

CommonInfoTable* hostTable(const PLGContext& context) {
    return context.jobRecord != nullptr ? context.jobRecord->commonInfo : nullptr;
}

}  // namespace

std::size_t hostModeSamples(std::int16_t imageMode) {
    switch (imageMode) {
        case 1:
        case 10:
            return 1;
        case 3:
        case 11:
            return 3;
        case 4:
        case 13:
            return 4;
        default:
            return 0;
    }
}

std::uint32_t sourceLinePixels(const PLGContext& context) {
    return context.rotate != 0 ? extent(context.sourceRect[0], context.sourceRect[2])
                               : extent(context.sourceRect[1], context.sourceRect[3]);
}

std::int32_t advanceStateForMac(PLGContext* context) {
    CommonInfoTable* table = context != nullptr ? hostTable(*context) : nullptr;
    if (table == nullptr || context->hostImage == nullptr || table->advanceStateProc == nullptr) {
        return kResultFailure;
    }
    HostImageRecord& image = *context->hostImage;
    table->print.rect[0] = image.requestLeft;
    table->print.rect[1] = image.requestTop;
    table->print.rect[2] = static_cast<double>(image.requestRight) - image.requestLeft;
    table->print.rect[3] = static_cast<double>(image.requestBottom) - image.requestTop;
    const std::int32_t result =
        table->advanceStateProc(table, kAdvanceToRequest, table->hostReference);
    if (result == kResultOk) {
        image.data = table->print.data;
        image.rowBytes = static_cast<std::int32_t>(table->print.rowBytes);
    }
    return result;
}

std::int32_t SourceFetcher::prepare() {
    const CommonInfoTable* table = hostTable(context_);
    const Cmd_Info* info = context_.cmdInfo;
    photoApplication_ = context_.hostFetchMode == 1;
    if (table == nullptr || info == nullptr ||
        (photoApplication_ ? table->lineProc == nullptr
                           : table->advanceStateProc == nullptr || context_.hostImage == nullptr)) {
        return kResultFailure;
    }
    rotate_ = context_.rotate != 0;
    mirrorColumns_ = rotate_ && info->mirror == kMirrorOn;
    sharpenLevel_ = info->sharpenLevel;
    sharpening_ = sharpenLevel_ != 0;
    sourceTop_ = static_cast<std::int32_t>(context_.sourceRect[0]);
    sourceLeft_ = static_cast<std::int32_t>(context_.sourceRect[1]);
    sourceHeight_ = extent(context_.sourceRect[0], context_.sourceRect[2]);
    sourceWidth_ = extent(context_.sourceRect[1], context_.sourceRect[3]);
    lineCount_ = rotate_ ? sourceWidth_ : sourceHeight_;
    pixelCount_ = sourceLinePixels(context_);
    workPixelBytes_ = (static_cast<std::size_t>(context_.bitsPerPixel) + 7) / 8;
    workLineBytes_ = workPixelBytes_ * pixelCount_;

    std::int32_t result = line_.allocate(workLineBytes_);
    if (result == kResultOk && sharpening_) {
        result = window_.allocate(kWindowLines * workLineBytes_);
    }
    if (result != kResultOk || photoApplication_) {
        return result;
    }
    const std::size_t samples = hostModeSamples(context_.hostImage->imageMode);
    if (samples == 0 || context_.hostImage->depth <= 0) {
        return kResultFailure;
    }
    hostPixelBytes_ = (static_cast<std::size_t>(context_.hostImage->depth) * samples + 7) / 8;
    hostLineBytes_ = hostPixelBytes_ * pixelCount_;
    // Sharpening converts three delivered lines; a turned image gathers its one column.
    if (sharpening_ || rotate_) {
        return hostLines_.allocate((sharpening_ ? kWindowLines : 1) * hostLineBytes_);
    }
    return kResultOk;
}

std::int32_t SourceFetcher::fetch(std::uint32_t index, std::uint8_t** line) {
    if (index >= lineCount_ || workLineBytes_ == 0) {
        return kResultFailure;
    }
    return photoApplication_ ? fetchFromPhotoApplication(index, line)
                             : fetchFromImageEditor(index, line);
}

SourceFetcher::Neighbours SourceFetcher::neighbours(std::uint32_t index) const {
    return {sharpening_ && index > 0, sharpening_ && index + 1 < lineCount_};
}

std::uint32_t SourceFetcher::hostPosition(std::uint32_t index) const {
    return mirrorColumns_ ? lineCount_ - 1 - index : index;
}

std::int32_t SourceFetcher::fetchFromPhotoApplication(std::uint32_t index, std::uint8_t** line) {
    const std::int64_t position = hostPosition(index);
    const std::int64_t step = mirrorColumns_ ? -1 : 1;
    *line = line_.data();
    if (!sharpening_) {
        return callLineCallback(position, line_.data());
    }
    std::uint8_t* slots[kWindowLines] = {window_.data(), window_.data() + workLineBytes_,
                                         window_.data() + 2 * workLineBytes_};
    const Neighbours around = neighbours(index);
    std::int32_t result = kResultOk;
    if (around.hasPrevious && (result = callLineCallback(position - step, slots[0])) != 0) {
        return result;
    }
    if ((result = callLineCallback(position, slots[1])) != kResultOk) {
        return result;
    }
    if (around.hasNext && (result = callLineCallback(position + step, slots[2])) != 0) {
        return result;
    }
    return sharpen(line_.data(), around.hasPrevious ? slots[0] : nullptr, slots[1],
                   around.hasNext ? slots[2] : nullptr);
}

// The byte count comes from the host: it is set to the line's capacity before the call and
// must come back as a whole number of working pixels that fits the line. The rest of a short
// line is cleared, so no earlier line shows through.
std::int32_t SourceFetcher::callLineCallback(std::int64_t hostIndex, std::uint8_t* into) {
    CommonInfoTable* table = hostTable(context_);
    auto byteCount = static_cast<std::int32_t>(workLineBytes_);
    if (table->lineProc(table, context_.hostImageHandle, static_cast<std::int32_t>(hostIndex), into,
                        &byteCount, table->hostReference) != 0 ||
        byteCount <= 0 || static_cast<std::size_t>(byteCount) > workLineBytes_ ||
        static_cast<std::size_t>(byteCount) % workPixelBytes_ != 0) {
        return kResultHostImage;
    }
    std::memset(into + byteCount, 0, workLineBytes_ - static_cast<std::size_t>(byteCount));
    return kResultOk;
}

std::int32_t SourceFetcher::sharpen(std::uint8_t* destination, const std::uint8_t* previous,
                                    const std::uint8_t* current, const std::uint8_t* next) {
    // A source of one line has no neighbour to sharpen against: it passes unchanged.
    if (previous == nullptr && next == nullptr) {
        std::memmove(destination, current, workLineBytes_);
        return kResultOk;
    }
    const std::uint16_t type =
        context_.bitsPerPixel == kBits8Pixel ? kUnsharpType8 : kUnsharpType16;
    return imaging::UnsharpL(sharpenLevel_, destination, previous, current, next, pixelCount_,
                             type) == 1
               ? kResultOk
               : kResultNoMemory;
}

// Asks for the current line and its existing neighbours, clamped to the host image. Gives the
// host-order position of the first delivered line and the number delivered.
std::int32_t SourceFetcher::askImageEditor(std::uint32_t index, const Neighbours& around,
                                           std::uint32_t* lowPosition, std::uint32_t* delivered) {
    HostImageRecord& image = *context_.hostImage;
    const std::int64_t position = hostPosition(index);
    const std::int64_t before = mirrorColumns_ ? around.hasNext : around.hasPrevious;
    const std::int64_t after = mirrorColumns_ ? around.hasPrevious : around.hasNext;
    const std::int64_t origin = rotate_ ? sourceLeft_ : sourceTop_;
    const std::int64_t hostLimit = rotate_ ? image.width : image.height;
    const std::int64_t low = std::max(position - before, -origin);
    const std::int64_t high = std::min(position + after, hostLimit - origin - 1);
    if (low > position || high < position) {
        return kResultHostImage;  // the current line lies outside the host image
    }
    const auto first = static_cast<std::int32_t>(origin + low);
    const auto end = static_cast<std::int32_t>(origin + high + 1);
    image.uses32BitCoordinates = 1;
    if (rotate_) {
        image.requestTop = sourceTop_;
        image.requestBottom = sourceTop_ + static_cast<std::int32_t>(sourceHeight_);
        image.requestLeft = first;
        image.requestRight = end;
    } else {
        image.requestTop = first;
        image.requestBottom = end;
        image.requestLeft = sourceLeft_;
        image.requestRight = sourceLeft_ + static_cast<std::int32_t>(sourceWidth_);
    }
    *lowPosition = static_cast<std::uint32_t>(low);
    *delivered = static_cast<std::uint32_t>(high - low + 1);
    std::int32_t result = advanceStateForMac(&context_);
    if (result == kAskAgain) {
        result = advanceStateForMac(&context_);
    }
    return result;
}

std::int32_t SourceFetcher::fetchFromImageEditor(std::uint32_t index, std::uint8_t** line) {
    const Neighbours around = neighbours(index);
    std::uint32_t low = 0;
    std::uint32_t delivered = 0;
    std::int32_t result = askImageEditor(index, around, &low, &delivered);
    if (result != kResultOk) {
        return result;
    }
    const HostImageRecord& image = *context_.hostImage;
    if (image.data == nullptr || image.rowBytes <= 0) {
        return kResultHostImage;
    }
    if (!sharpening_) {
        if (rotate_) {
            result = separateDeliveredLines(delivered);
            return result == kResultOk ? services_.bitConvert(&context_, 0, hostLines_.data(), line)
                                       : result;
        }
        if (static_cast<std::size_t>(image.rowBytes) < hostLineBytes_) {
            return kResultHostImage;
        }
        return services_.bitConvert(&context_, 0, image.data, line);
    }
    if ((result = separateDeliveredLines(delivered)) != kResultOk) {
        return result;
    }
    // Convert every delivered line into its window slot, in host order.
    std::uint8_t* converted = nullptr;
    for (std::uint32_t i = 0; i < delivered; ++i) {
        result =
            services_.bitConvert(&context_, 0, hostLines_.data() + i * hostLineBytes_, &converted);
        if (result != kResultOk) {
            return result;
        }
        std::memcpy(window_.data() + i * workLineBytes_, converted, workLineBytes_);
    }
    const std::uint32_t position = hostPosition(index);
    auto slot = [&](std::int64_t hostPos) -> const std::uint8_t* {
        if (hostPos < low || hostPos >= std::int64_t{low} + delivered) {
            return nullptr;
        }
        return window_.data() + static_cast<std::size_t>(hostPos - low) * workLineBytes_;
    };
    const std::int64_t step = mirrorColumns_ ? -1 : 1;
    *line = converted;
    return sharpen(converted, around.hasPrevious ? slot(position - step) : nullptr, slot(position),
                   around.hasNext ? slot(position + step) : nullptr);
}

// Copies the delivered lines apart into packed host lines: rows as they are, columns (turned
// image) pixel by pixel from each delivered row.
std::int32_t SourceFetcher::separateDeliveredLines(std::uint32_t delivered) {
    const HostImageRecord& image = *context_.hostImage;
    const auto rowBytes = static_cast<std::size_t>(image.rowBytes);
    const auto* data = static_cast<const std::uint8_t*>(image.data);
    if (!rotate_) {
        if (rowBytes < hostLineBytes_) {
            return kResultHostImage;
        }
        for (std::uint32_t i = 0; i < delivered; ++i) {
            std::memcpy(hostLines_.data() + i * hostLineBytes_, data + i * rowBytes,
                        hostLineBytes_);
        }
        return kResultOk;
    }
    if (rowBytes < delivered * hostPixelBytes_) {
        return kResultHostImage;
    }
    for (std::uint32_t column = 0; column < delivered; ++column) {
        std::uint8_t* to = hostLines_.data() + column * hostLineBytes_;
        for (std::uint32_t row = 0; row < pixelCount_; ++row) {
            std::memcpy(to + row * hostPixelBytes_,
                        data + row * rowBytes + column * hostPixelBytes_, hostPixelBytes_);
        }
    }
    return kResultOk;
}
