// The photo application's image: asked for, opened, its profile and transfer buffer taken, its
// part to print defined, and at the end its buffer freed and the image closed.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "cf/value.h"
#include "color/profile.h"
#include "command/cmd_info.h"
#include "rastercore/photo_application_calls.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/setup_steps_internal.h"

namespace setup {

namespace {

using namespace rastercore;

constexpr std::int32_t kRequestVersion = 1;
constexpr std::int32_t kRequest16Bit = 2;
constexpr std::int32_t kRequest8Bit = 1;
constexpr std::int16_t kDepth16 = 16;
constexpr std::int16_t kDepth8 = 8;
constexpr std::uint32_t kRowSamples = 3;           // RGB lines
constexpr std::uint32_t kSharpenedRowSamples = 9;  // three RGB lines
constexpr std::int32_t kTurn = 1;
constexpr std::int32_t kTurned = 1;
constexpr char kFileUrlScheme[] = "file://";

template <typename Proc>
Proc slot(const HostProc proc) {
    return reinterpret_cast<Proc>(proc);
}

// The image's profile file as a file URL: a "file://" URL as it stands, a path made absolute.
// None for a reference that names no existing file.
std::optional<std::string> profileFileUrl(const cf::Value* reference) {
    const std::string* text = reference != nullptr ? reference->string() : nullptr;
    if (text == nullptr || text->empty()) {
        return std::nullopt;
    }
    const bool url = text->rfind(kFileUrlScheme, 0) == 0;
    const std::filesystem::path path =
        url ? color::pathFromFileUrl(*text) : std::filesystem::path(*text);
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return url ? *text : kFileUrlScheme + std::filesystem::absolute(path, error).string();
}

// The length of the printed rows along the host's delivery, in pixels.
std::uint32_t rowLength(const PLGContext& context) {
    return context.rotate != 0 ? context.sourceHeight : context.sourceWidth;
}

}  // namespace

std::int32_t openPhotoApplicationImage(PLGContext& context, const CoreCommonInfoTbl& table) {
    if (context.hostTypeFlag == 0) {
        return kResultOk;
    }
    CommonInfoTable* host = table.commonInfo;
    void* reference = host->hostReference;
    const auto imageCount = slot<HostImageCountProc>(host->imageCountProc);
    const auto describe = slot<HostImageDescriptionProc>(host->imageDescriptionProc);
    const auto open = slot<HostOpenImageProc>(host->openImageProc);
    const auto allocate = slot<HostAllocateBufferProc>(host->allocateBufferProc);
    const auto defineRect = slot<HostDefineSourceRectProc>(host->defineSourceRectProc);
    const auto turn = slot<HostTurnImageProc>(host->turnImageProc);
    if (imageCount == nullptr || describe == nullptr || open == nullptr || allocate == nullptr ||
        defineRect == nullptr || turn == nullptr) {
        return kResultHostImage;
    }
    std::int32_t count = 0;
    HostImageDescription description{};
    if (imageCount(host, &count, reference) != 0 || count < 1 ||
        describe(host, count - 1, &description, reference) != 0) {
        return kResultHostImage;
    }
    const bool wide = table.inputBit != 0;
    HostImageRecord& image = *context.hostImage;
    image.width = static_cast<std::int32_t>(std::max(description.width, 0.0));
    image.height = static_cast<std::int32_t>(std::max(description.height, 0.0));
    image.horizontalResolution = image.verticalResolution = description.resolution;
    image.depth = wide ? kDepth16 : kDepth8;

    HostOpenImageRequest request{};
    request.requestVersion = kRequestVersion;
    request.sampleRequest = wide ? kRequest16Bit : kRequest8Bit;
    if (open(host, &request, &context.hostImageHandle, reference) != 0 ||
        context.hostImageHandle == nullptr || request.width != image.width ||
        request.height != image.height || request.bytesPerSample < 1) {
        return kResultHostImage;
    }
    const std::optional<std::string> url = profileFileUrl(request.profileFile);
    if (!url) {
        return kResultHostImage;
    }
    context.hostProfileUrl = new cf::Value(*url);
    context.colorInfo->sourceProfileUrl = context.hostProfileUrl;

    const std::int32_t sharpness = std::max(table.sharpness + request.sharpness, 0);
    context.cmdInfo->sharpenLevel = sharpness;
    const auto factor = static_cast<std::uint32_t>(request.bytesPerSample);
    const std::uint64_t transfer =
        std::uint64_t{sharpness != 0 ? kSharpenedRowSamples : kRowSamples} * factor *
        rowLength(context);
    void* buffer = nullptr;
    if (transfer == 0 || transfer > UINT32_MAX ||
        allocate(host, static_cast<std::uint32_t>(transfer), &buffer, reference) != 0 ||
        buffer == nullptr) {
        return kResultHostImage;
    }
    context.hostTransferBuffer = static_cast<std::uint8_t*>(buffer);
    context.hostTransferSize = static_cast<std::uint32_t>(transfer);
    image.rowBytes = static_cast<std::int32_t>(kRowSamples * factor * rowLength(context));

    const auto left = static_cast<std::int32_t>(context.sourceRect[1]);
    const auto top = static_cast<std::int32_t>(context.sourceRect[0]);
    if (defineRect(host, context.hostImageHandle, left, top,
                   static_cast<std::int32_t>(context.sourceWidth),
                   static_cast<std::int32_t>(context.sourceHeight), reference) != 0) {
        return kResultHostImage;
    }
    if (table.printDirection == kTurned &&
        turn(host, context.hostImageHandle, kTurn, reference) != 0) {
        return kResultHostImage;
    }
    return kResultOk;
}

std::int32_t closePhotoApplicationImage(PLGContext& context) {
    const CoreCommonInfoTbl* table = context.jobRecord;
    CommonInfoTable* host = table != nullptr ? table->commonInfo : nullptr;
    if (context.hostTypeFlag == 0 || host == nullptr) {
        return kResultOk;
    }
    std::int32_t result = kResultOk;
    const auto freeBuffer = slot<HostFreeBufferProc>(host->freeBufferProc);
    const auto close = slot<HostCloseImageProc>(host->closeImageProc);
    if (context.hostTransferBuffer != nullptr) {
        if (freeBuffer == nullptr ||
            freeBuffer(host, context.hostTransferBuffer, host->hostReference) != 0) {
            result = kResultHostImage;
        }
        context.hostTransferBuffer = nullptr;
        context.hostTransferSize = 0;
    }
    if (context.hostImageHandle != nullptr) {
        if (close == nullptr || close(host, context.hostImageHandle, host->hostReference) != 0) {
            result = kResultHostImage;
        }
        context.hostImageHandle = nullptr;
    }
    return result;
}

}  // namespace setup
