// The job's records: the three module records, the colour-adjust entries and the host image
// record.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "cf/value.h"
#include "color/color_adjust_entry.h"
#include "command/cmd_info.h"
#include "rastercore/result_codes.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/setup_rules.h"
#include "setup/setup_steps_internal.h"
#include "strings/text_codec.h"
#include "util/memory.h"

namespace setup {

namespace {

using namespace rastercore;

constexpr std::int32_t kColorModeMonochrome = 3;
constexpr std::int32_t kLargestAxisCount = 255;  // the colour record keeps the counts in bytes
constexpr std::size_t kImageNameMax = 255;       // a length byte holds the name's length

template <typename Record>
std::int32_t allocateRecord(Record** record, PLGContext& context) {
    if (Get_MemoryClear(1, sizeof(Record), kUnusedKind, record) != kResultOk) {
        return kResultNoMemory;
    }
    (*record)->context = &context;
    return kResultOk;
}

// A host size or place in pixels as a whole number; what is no number, or negative, counts 0.
std::int32_t pixels(double value) {
    constexpr double kLargest = std::numeric_limits<std::int32_t>::max();
    return value > 0 ? static_cast<std::int32_t>(std::min(value, kLargest)) : 0;
}

// The document name as a length-prefixed name, cut after a whole character.
void copyImageName(const cf::Value* name, unsigned char (&field)[256]) {
    const std::string* text = name != nullptr ? name->string() : nullptr;
    if (text == nullptr) {
        return;
    }
    const std::size_t length = textcodec::cutLength(*text, kImageNameMax);
    field[0] = static_cast<unsigned char>(length);
    std::memcpy(field + 1, text->data(), length);
}

}  // namespace

std::int32_t allocateRecords(PLGContext& context, CoreCommonInfoTbl& table) {
    context.jobRecord = &table;
    if (allocateRecord(&context.qdxaInfo, context) != kResultOk ||
        allocateRecord(&context.cmdInfo, context) != kResultOk ||
        allocateRecord(&context.colorInfo, context) != kResultOk) {
        return kResultNoMemory;
    }
    return kResultOk;
}

std::int32_t allocateAdjustEntries(PLGContext& context, const CoreCommonInfoTbl& table) {
    const bool monochrome = table.colorMode == kColorModeMonochrome;
    std::uint32_t count = 1;
    if (context.patternPrint != 0) {
        count = static_cast<std::uint32_t>(clamped(table.patternXCount, 1, kLargestAxisCount) *
                                           clamped(table.patternYCount, 1, kLargestAxisCount));
    }
    // Monochrome prints colour their caption through a neutral entry of its own.
    const bool captionEntry =
        monochrome && (context.patternPrint != 0 || captionRequested(table, table.noFrame != 0));
    count += captionEntry ? 1 : 0;
    Color_Info& color = *context.colorInfo;
    if (Get_MemoryClear(count, sizeof(ColorAdjustEntry), kUnusedKind, &color.adjustEntries) !=
        kResultOk) {
        return kResultNoMemory;
    }
    color.adjustEntryCount = count;
    return kResultOk;
}

std::int32_t makeHostImageRecord(PLGContext& context, const CoreCommonInfoTbl& table) {
    const CommonInfoTable* host = table.commonInfo;
    if (host == nullptr) {
        return kResultFailure;
    }
    // The host image record mirrors the host's own parameter record, which it allocates with
    // calloc; it is released with free.
    auto* image = static_cast<HostImageRecord*>(std::calloc(1, sizeof(HostImageRecord)));
    if (image == nullptr) {
        return kResultNoMemory;
    }
    context.hostImage = image;
    image->imageMode = static_cast<std::int16_t>(host->imageMode);
    image->planes = 1;
    image->width = pixels(host->imageWidth);
    image->height = pixels(host->imageHeight);
    image->depth = static_cast<std::int16_t>(host->bitsPerChannel);
    image->horizontalResolution = host->horizontalResolution;
    image->verticalResolution = host->verticalResolution;
    // The host's selection is bottom-up; the record's rows run top-down.
    const double x = host->selection[0];
    const double y = host->selection[1];
    const double w = host->selection[2];
    const double h = host->selection[3];
    image->selectionLeft = pixels(x);
    image->selectionRight = pixels(x + w);
    image->selectionTop = pixels(host->imageHeight - (y + h));
    image->selectionBottom = pixels(host->imageHeight - y);
    copyImageName(host->documentName, image->imageName);
    image->profileTable = host->profile.bytes;
    image->profileTableSize = host->profile.byteCount;
    image->hostSupports32BitCoordinates = 1;
    if (host->hostType == kHostTypePhotoApplication) {
        context.hostTypeFlag = 1;
        context.hostFetchMode = 1;
    }
    return kResultOk;
}

}  // namespace setup
