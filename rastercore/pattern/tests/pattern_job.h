// A test-pattern job ready for the print loop: the context, command, packet and colour records
// the job set-up would make, the layout's print copy and text areas, an in-memory host, and
// recording doubles of the colour, converter and page steps. The whole output is read back
// through the packet splitter and the stream decoder.
//
// The colour double marks each colour-adjust entry in the pixels: it adds (entry + 1) × 16 to
// the first sample of every pixel (its high byte for 16-bit samples), or, for a grey-plane
// print, gives that sum as the pixel's one sample.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "band/band_services.h"
#include "band/tests/in_memory_host.h"
#include "caption/pattern_caption_areas.h"
#include "command/tests/generator_fixture.h"
#include "geometry/pattern_coordinates.h"
#include "pattern/pattern_print_info.h"
#include "pattern/pattern_print_loop.h"
#include "pattern_record.h"
#include "qdxa/tarn_qdxa.h"
#include "qdxa/tests/qdxa_test_support.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "setup/setup_steps_internal.h"
#include "stream_decoder/stream_decoder.h"
#include "util/memory.h"

namespace patterntest {

using Bytes = std::vector<std::uint8_t>;

/// A small sheet: 70 × 110 mm at 300 dpi (708 dots across inside 5 mm margins) of a 12 × 9
/// image in three columns (one out of range) and two rows, with spacing and a grey background.
inline SheetSettings smallSheet() {
    SheetSettings s;
    s.paperWidth = 700;
    s.paperLength = 1100;
    s.imageWidth = 12;
    s.imageHeight = 9;
    s.xCenter = 25;  // 15, 25, 35: the third column is out of range
    s.background = 2;
    return s;
}

struct PatternJobSetup {
    SheetSettings sheet = smallSheet();
    std::uint8_t hostType = kHostTypePhotoApplication;
    bool wide = false;       ///< 16-bit samples
    bool greyPlane = false;  ///< monochrome on a model that prints one grey plane
    std::int32_t mirror = 0;
    std::int32_t sharpen = 0;
    std::int32_t filter = 2;
    /// The printed window of the host image; empty: the whole image.
    TARNRect window{0, 0, 0, 0};
    /// The host image when larger than the layout's image size; 0: the same.
    std::uint32_t hostWidth = 0;
    std::uint32_t hostHeight = 0;
};

/// Fills of the drawn text areas: white under pasted items, grey under merged ones.
inline constexpr std::uint8_t kPasteFill = 0xFF;
inline constexpr std::uint8_t kMergeFill = 0x88;

/// The first sample of a pixel with the colour double's mark of `entry`.
inline std::uint8_t marked(std::uint8_t sample, std::uint16_t entry) {
    return static_cast<std::uint8_t>(sample + (entry + 1) * 16);
}

class PatternJob {
  public:
    explicit PatternJob(const PatternJobSetup& setup = {})
        : host(bandtest::makeImage(
                   setup.hostWidth != 0 ? setup.hostWidth
                                        : static_cast<std::uint32_t>(setup.sheet.imageWidth),
                   setup.hostHeight != 0 ? setup.hostHeight
                                         : static_cast<std::uint32_t>(setup.sheet.imageHeight),
                   setup.wide),
               setup.hostType),
          record_(setup.sheet),
          setup_(setup) {
        CoreCommonInfoTbl& record = record_.record;
        host.table.imageWidth = record_.host.imageWidth;
        host.table.imageHeight = record_.host.imageHeight;
        host.table.horizontalResolution = record_.host.horizontalResolution;
        host.table.verticalResolution = record_.host.verticalResolution;
        record.commonInfo = &host.table;
        record.inputBit = setup.wide ? 1 : 0;

        PLGContext& c = context();
        c.jobRecord = &record;
        c.modelTable.PrinterSize = 1;
        c.modelTable.TNR2_T_RGB_Y = setup.greyPlane ? 1 : 0;
        const double resolution = setup.sheet.resolutionChoice == 1 ? 300 : 600;
        c.outputResolution[0] = c.outputResolution[1] = resolution;
        c.bitsPerPixel = setup.wide ? 48 : 24;
        c.depthCode = setup.wide ? 2 : 1;
        c.rotate = setup.sheet.turn != 0 ? 1 : 0;
        c.patternPrint = 1;
        c.patternFullSize = static_cast<std::uint8_t>(setup.sheet.fullSize);
        c.patternCaptionWidth = 150;
        const TARNRect window =
            setup.window.right > 0
                ? setup.window
                : TARNRect{0, 0, static_cast<std::int32_t>(setup.sheet.imageHeight),
                           static_cast<std::int32_t>(setup.sheet.imageWidth)};
        c.sourceRect[0] = window.top;
        c.sourceRect[1] = window.left;
        c.sourceRect[2] = window.bottom;
        c.sourceRect[3] = window.right;
        hostImage_.imageMode = setup.wide ? 11 : 3;
        hostImage_.depth = setup.wide ? 16 : 8;
        hostImage_.width = static_cast<std::int32_t>(host.image.width);
        hostImage_.height = static_cast<std::int32_t>(host.image.height);
        c.hostImage = &hostImage_;
        c.hostFetchMode = setup.hostType == kHostTypePhotoApplication ? 1 : 0;
        host.columns = c.rotate != 0;

        color_.context = &c;
        color_.colorMode = setup.greyPlane ? kColorModeMonochromePhoto : setup.sheet.colorMode;
        color_.outputDepth = setup.wide ? kOutput10Bit : kOutput8Bit;
        color_.patternPrint = 1;
        const std::int32_t rows = setup.sheet.yItem == 16 ? 1 : setup.sheet.rows;
        color_.patternXCount = static_cast<std::uint8_t>(setup.sheet.columns);
        color_.patternYCount = static_cast<std::uint8_t>(rows);
        c.colorInfo = &color_;

        layoutResult = PLG_Get_PatternCoordinate_Rec(&c);
        if (layoutResult == 0) {
            EXPECT_EQ(setup::allocatePatternCaptionBitmaps(c), 0);
            drawCaptions();
        }

        generator_.setInput(setup.greyPlane ? 1 : 3, setup.wide ? 16 : 8);
        Cmd_Info& info = *generator_.info;
        info.compression = 2;
        info.imageWidth = c.patternTables != nullptr
                              ? static_cast<std::uint32_t>(c.patternTables->printedArea.width)
                              : 1;
        info.mirror = setup.mirror;
        info.sharpenLevel = setup.sharpen;
        info.resampleFilter = setup.filter;
        c.cmdInfo = &info;
        EXPECT_EQ(tarn_Cmd_Initialize(&info), 0);

        EXPECT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &packet_), 0);
        packet_->context = &c;
        c.qdxaInfo = packet_;
        EXPECT_EQ(Get_MemoryClear(1, info.bandCommandSize, kUnusedKind, &c.commandBuffer), 0);
        c.commandBufferSize = info.bandCommandSize;
        const std::int32_t linePixels =
            c.rotate != 0 ? window.bottom - window.top : window.right - window.left;
        converted_.resize((setup.wide ? 6u : 3u) * static_cast<std::size_t>(linePixels));
        services = recordingServices();
    }

    ~PatternJob() {
        PLGContext& c = context();
        Print_PatternTermination(&c);
        Dispose_MemoryClear(&c.commandBuffer, kUnusedKind);
        tarn_QDXA_Terminate(packet_);
    }
    PatternJob(const PatternJob&) = delete;
    PatternJob& operator=(const PatternJob&) = delete;

    PLGContext& context() { return *generator_.context; }
    CoreCommonInfoTbl& jobRecord() { return record_.record; }
    const PatternPrintInfo& sheet() { return *context().patternTables; }

    /// Runs the print loop after the job's header, and ends the job when the loop succeeded.
    std::int32_t run() {
        send(tarn_Cmd_BeginJob);
        const seam::ScopedOverride override(bandServices(), services);
        const std::int32_t result = PLG_PatternPrintLoop(&context());
        if (result == 0) {
            send(tarn_Cmd_EndJob);
        }
        return result;
    }

    streamdecoder::DecodedStream decoded() const {
        return streamdecoder::decodeStream(qdxastream::joinedData(transport.packets()));
    }

    std::size_t commandCount(const std::string& prefix) const {
        const auto commands = decoded().commands;
        return static_cast<std::size_t>(std::count_if(
            commands.begin(), commands.end(),
            [&](const std::string& command) { return command.rfind(prefix, 0) == 0; }));
    }

    /// The decoded sheet as 8-bit samples, `planes` a pixel, rows top first.
    Bytes sheetPixels(int* planes = nullptr) const {
        const streamdecoder::DecodedStream stream = decoded();
        EXPECT_TRUE(stream.ok) << stream.error;
        Bytes out;
        if (stream.rasters.size() != 1) {
            ADD_FAILURE() << "rasters: " << stream.rasters.size();
            return out;
        }
        const streamdecoder::Raster& raster = stream.rasters[0];
        const int count = static_cast<int>(raster.depths.size());
        if (planes != nullptr) {
            *planes = count;
        }
        const auto width = static_cast<std::uint32_t>(setupWidth());
        for (const auto& row : raster.rows) {
            std::vector<std::vector<std::uint16_t>> samples;
            for (int k = 0; k < count; ++k) {
                samples.push_back(streamdecoder::unpackSamples(row[k], raster.depths[k], width));
            }
            for (std::uint32_t x = 0; x < width; ++x) {
                for (int k = 0; k < count; ++k) {
                    const std::uint16_t s = x < samples[k].size() ? samples[k][x] : 0;
                    out.push_back(static_cast<std::uint8_t>(
                        raster.depths[k] > 8 ? s >> (raster.depths[k] - 8) : s));
                }
            }
        }
        return out;
    }

    bandtest::InMemoryHost host;
    qdxatest::RecordingServices transport;
    BandServices services;
    std::int32_t layoutResult = 0;
    std::vector<std::uint16_t> cellTables;  ///< entries of every colour-processed row
    std::vector<std::int32_t> rowWidths;    ///< and their widths

  private:
    std::int32_t setupWidth() const {
        return generator_.context->patternTables != nullptr
                   ? generator_.context->patternTables->printedArea.width
                   : 0;
    }

    // Each area gets a dark bar across its middle third, whose shade tells the kind of area: on
    // white for the pasted labels, titles and boxes, on grey for the merged cell captions and
    // outside labels (as the pattern captions draw them), so that grey is the transparent colour.
    void drawCaptions() {
        PatternCaptionAreas* areas = context().patternCaptionAreas;
        const std::size_t pixel = setup_.wide ? 6 : 3;
        const auto draw = [&](const PatternCaptionArea& area, std::uint8_t shade,
                              std::uint8_t fill) {
            for (std::int32_t y = 0; area.bitmap != nullptr && y < area.height; ++y) {
                const bool bar = y >= area.height / 3 && y < 2 * area.height / 3;
                std::memset(area.bitmap + static_cast<std::size_t>(y) * area.width * pixel,
                            bar ? shade : fill, static_cast<std::size_t>(area.width) * pixel);
            }
        };
        draw(areas->xTitle, 0x10, kPasteFill);
        draw(areas->yTitle, 0x20, kPasteFill);
        for (std::int32_t i = 0; i < areas->xScaleCount; ++i) {
            draw(areas->xScales[i].area, 0x30, kPasteFill);
        }
        for (std::int32_t i = 0; i < areas->yScaleCount; ++i) {
            draw(areas->yScales[i].area, 0x40, kPasteFill);
        }
        draw(areas->basicSettings, 0x50, kPasteFill);
        draw(areas->colorSettings, 0x60, kPasteFill);
        for (std::int32_t i = 0; i < areas->cellCount; ++i) {
            draw(areas->cells[i].xValue, 0x70, kMergeFill);
            draw(areas->cells[i].yValue, 0x08, kMergeFill);
            draw(areas->cells[i].outside, 0x00, kMergeFill);
        }
    }

    template <typename Generate>
    void send(Generate generate) {
        constexpr std::size_t kJobCommandRoom = 1 << 16;
        Bytes buffer(kJobCommandRoom);
        std::uint32_t length = 0;
        ASSERT_EQ(generate(generator_.info, buffer.data(),
                           static_cast<std::uint32_t>(buffer.size()), &length),
                  0);
        ASSERT_EQ(tarn_QDXA_SendData(packet_, buffer.data(), length, 0, nullptr), 0);
    }

    std::int32_t sendPage(decltype(tarn_Cmd_BeginPage) generate) {
        std::uint32_t length = 0;
        const std::int32_t result = generate(generator_.info, context().commandBuffer,
                                             context().commandBufferSize, &length);
        return result != 0
                   ? result
                   : tarn_QDXA_SendData(packet_, context().commandBuffer, length, 0, nullptr);
    }

    std::int32_t colorRow(const Color_Info* color, const std::uint8_t* source, const TARNRect* rect,
                          std::uint8_t* destination) {
        const std::uint16_t entry = color->currentTableIndex;
        const std::int32_t width = rect->right - rect->left;
        cellTables.push_back(entry);
        rowWidths.push_back(width);
        const std::size_t in = setup_.wide ? 6 : 3;
        const std::size_t out = setup_.greyPlane ? in / 3 : in;
        for (std::int32_t x = 0; x < width; ++x) {
            const std::uint8_t* from = source + static_cast<std::size_t>(x) * in;
            std::uint8_t* to = destination + static_cast<std::size_t>(x) * out;
            std::memmove(to, from, out);
            // The mark goes into the first sample's most significant byte.
            std::uint8_t& high = to[setup_.wide ? 1 : 0];
            high = marked(high, entry);
        }
        return 0;
    }

    BandServices recordingServices() {
        return BandServices{
            .captionMakeData = [](PLGContext*, std::int16_t) { return -1; },
            .captionSetBuff = [](PLGContext*, std::int32_t, std::int32_t, std::int32_t,
                                 std::uint8_t*, std::uint32_t, std::uint8_t**,
                                 std::int32_t*) { return -1; },
            .colorProcessing =
                [this](Color_Info* color, std::uint8_t* source, TARNRect* rect,
                       std::uint8_t* destination) {
                    return colorRow(color, source, rect, destination);
                },
            .bitConvert =
                [this](PLGContext*, std::int32_t, const void* hostLine, std::uint8_t** lineOut) {
                    std::memcpy(converted_.data(), hostLine, converted_.size());
                    *lineOut = converted_.data();
                    return 0;
                },
            .startPage = [this](PLGContext*) { return sendPage(tarn_Cmd_BeginPage); },
            .endPage = [this](PLGContext*) { return sendPage(tarn_Cmd_EndPage); },
        };
    }

    PatternRecord record_;
    PatternJobSetup setup_;
    commandtest::GeneratorFixture generator_;
    HostImageRecord hostImage_{};
    QDXA_Info* packet_ = nullptr;
    Color_Info color_{};
    Bytes converted_;
};

}  // namespace patterntest
