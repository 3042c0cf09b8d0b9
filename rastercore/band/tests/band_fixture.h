// A job ready for the band loop: the context, command record, packet record and colour record
// the job set-up would make, an in-memory host, and recording doubles of the caption, colour,
// converter and page steps. The whole output is read back through the packet splitter and the
// stream decoder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "band/band_loop.h"
#include "band/band_services.h"
#include "command/tests/generator_fixture.h"
#include "in_memory_host.h"
#include "qdxa/tarn_qdxa.h"
#include "qdxa/tests/qdxa_test_support.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "stream_decoder/stream_decoder.h"
#include "util/memory.h"

namespace bandtest {

/// The band loop with `services` in place of the core's for the call.
inline std::int32_t runBandLoop(PLGContext* context, const BandServices& services) {
    const seam::ScopedOverride override(bandServices(), services);
    return mainloop_for_LFP(context);
}

/// What a test varies; the defaults print the whole image at its own size.
struct JobSetup {
    std::uint8_t hostType = kHostTypePhotoApplication;
    bool wide = false;  ///< 16-bit samples (working pixel size 48)
    std::uint32_t sourceWidth = 12;
    std::uint32_t sourceHeight = 9;
    std::uint32_t sourceTop = 0;  ///< the printed part's place in the host image
    std::uint32_t sourceLeft = 0;
    std::uint32_t hostWidth = 0;  ///< 0: the host image is the printed part
    std::uint32_t hostHeight = 0;
    TARNRect imageRect{0, 0, 0, 0};  ///< empty: the source size at (0, 0)
    bool rotate = false;
    std::int32_t mirror = 0;
    std::int32_t sharpen = 0;
    std::int32_t filter = 2;  ///< the job's expand method: bilinear
    std::uint16_t copies = 1;
    std::int32_t sendOnce = 0;     ///< model value 6
    std::int32_t compression = 2;  ///< the job's choice: 2 seed row, 1 PackBits
    double scale = 1.0;
    // Caption.
    bool caption = false;
    std::int16_t captionKind = 1;
    TARNRect captionRect{0, 0, 0, 0};
    /// Bytes of the command buffer; 0: exactly the generator's bound, so that any write past
    /// the bound is caught.
    std::uint32_t commandBufferSize = 0;
};

class BandJob {
  public:
    explicit BandJob(const JobSetup& setup)
        : host(makeImage(setup.hostWidth != 0 ? setup.hostWidth : setup.sourceWidth,
                         setup.hostHeight != 0 ? setup.hostHeight : setup.sourceHeight, setup.wide),
               setup.hostType),
          setup_(setup) {
        PLGContext& c = context();
        c.jobRecord = &jobRecord_;
        jobRecord_.commonInfo = &host.table;
        c.modelTable.PrinterSize = 1;
        c.modelTable.HDD = setup.sendOnce;
        c.outputResolution[0] = c.outputResolution[1] = 300;
        c.bitsPerPixel = setup.wide ? 48 : 24;
        c.rotate = setup.rotate ? 1 : 0;
        c.copies = setup.copies;
        c.scale[0] = c.scale[1] = setup.scale;
        c.colorOnCopy = setup.scale > 1.0 ? 1 : 0;
        const std::uint32_t lineCount = setup.rotate ? setup.sourceWidth : setup.sourceHeight;
        const std::uint32_t pixelCount = setup.rotate ? setup.sourceHeight : setup.sourceWidth;
        c.imageRect = setup.imageRect.right > 0
                          ? setup.imageRect
                          : TARNRect{0, 0, static_cast<std::int32_t>(lineCount),
                                     static_cast<std::int32_t>(pixelCount)};
        c.sourceRect[0] = setup.sourceTop;
        c.sourceRect[1] = setup.sourceLeft;
        c.sourceRect[2] = setup.sourceTop + setup.sourceHeight;
        c.sourceRect[3] = setup.sourceLeft + setup.sourceWidth;
        c.imageLineWidth = static_cast<std::uint32_t>(c.imageRect.right - c.imageRect.left);
        c.captionFlag = setup.caption ? 1 : 0;
        c.captionKind = setup.captionKind;
        c.captionRect = setup.captionRect;
        const std::int32_t unionWidth = setup.caption
                                            ? std::max(c.imageRect.right, c.captionRect.right) -
                                                  std::min(c.imageRect.left, c.captionRect.left)
                                            : 0;
        c.bandLineWidth =
            std::max<std::uint32_t>(c.imageLineWidth, static_cast<std::uint32_t>(unionWidth));
        c.captionWidth = setup.captionRect.right - setup.captionRect.left;
        c.captionHeight = setup.captionRect.bottom - setup.captionRect.top;

        hostImage_.imageMode = setup.wide ? 11 : 3;
        hostImage_.depth = setup.wide ? 16 : 8;
        hostImage_.width = static_cast<std::int32_t>(host.image.width);
        hostImage_.height = static_cast<std::int32_t>(host.image.height);
        c.hostImage = &hostImage_;
        c.hostFetchMode = setup.hostType == kHostTypePhotoApplication ? 1 : 0;
        host.columns = setup.rotate;

        generator_.setInput(3, setup.wide ? 16 : 8);
        Cmd_Info& info = *generator_.info;
        info.compression = setup.compression;
        info.imageWidth = std::max<std::uint32_t>(c.bandLineWidth, 1);
        info.mirror = setup.mirror;
        info.sharpenLevel = setup.sharpen;
        info.resampleFilter = setup.filter;
        c.cmdInfo = &info;
        EXPECT_EQ(tarn_Cmd_Initialize(&info), 0);

        EXPECT_EQ(Get_MemoryClear(1, sizeof(QDXA_Info), kUnusedKind, &packet_), 0);
        packet_->context = &c;
        c.qdxaInfo = packet_;
        color_.context = &c;
        color_.colorMode = kColorModeColor;
        c.colorInfo = &color_;

        const std::size_t pixelBytes = setup.wide ? 6 : 3;
        allocate(&c.commandBuffer, &c.commandBufferSize,
                 setup.commandBufferSize != 0 ? setup.commandBufferSize : info.bandCommandSize);
        allocate(&c.bandLine, &c.bandLineSize, pixelBytes * c.imageLineWidth);
        allocate(&c.colorCopy, &c.colorCopySize, pixelBytes * c.bandLineWidth);
        allocate(&c.colorOutputLine, &c.colorOutputLineSize, pixelBytes * c.bandLineWidth);
        converted_.resize(pixelBytes * pixelCount);
        services = recordingServices();
    }

    ~BandJob() {
        PLGContext& c = context();
        for (std::uint8_t** buffer :
             {&c.commandBuffer, &c.bandLine, &c.colorCopy, &c.colorOutputLine, &c.captionMergeLine,
              &c.captionBitmap, &c.captionColorLine}) {
            Dispose_MemoryClear(buffer, kUnusedKind);
        }
        tarn_QDXA_Terminate(packet_);
    }
    BandJob(const BandJob&) = delete;
    BandJob& operator=(const BandJob&) = delete;

    PLGContext& context() { return *generator_.context; }
    QDXA_Info& packet() { return *packet_; }
    Cmd_Info& info() { return *generator_.info; }
    CoreCommonInfoTbl& jobRecord() { return jobRecord_; }

    /// Runs the band loop after the job's header, and ends the job when the loop succeeded.
    std::int32_t run() {
        send(tarn_Cmd_BeginJob);
        const std::int32_t result = runBandLoop(&context(), services);
        if (result == 0) {
            send(tarn_Cmd_EndJob);
        }
        return result;
    }

    /// Raster rows sent: the commands that end a row (its last plane).
    std::size_t rowsSent() const {
        std::size_t rows = 0;
        for (const std::string& command : commands("ESC*b")) {
            rows += command.find('W') != std::string::npos ? 1 : 0;
        }
        return rows;
    }

    /// The print data of every data packet, decoded.
    streamdecoder::DecodedStream decoded() const {
        return streamdecoder::decodeStream(qdxastream::joinedData(transport.packets()));
    }

    /// The decoded commands whose text starts with `prefix`.
    std::vector<std::string> commands(const std::string& prefix) const {
        std::vector<std::string> found;
        for (const std::string& command : decoded().commands) {
            if (command.rfind(prefix, 0) == 0) {
                found.push_back(command);
            }
        }
        return found;
    }

    /// The working line of source line `line` (a column when turned), before scaling.
    Bytes sourceLine(std::uint32_t line) const {
        Bytes out;
        const std::uint32_t count = setup_.rotate ? setup_.sourceHeight : setup_.sourceWidth;
        for (std::uint32_t i = 0; i < count; ++i) {
            setup_.rotate
                ? host.image.appendPixel(out, setup_.sourceLeft + line, setup_.sourceTop + i)
                : host.image.appendPixel(out, setup_.sourceLeft + i, setup_.sourceTop + line);
        }
        return out;
    }

    /// Row `row` of a decoded raster back in working-pixel bytes (8-bit output of 8-bit
    /// samples; the high byte of 16-bit samples).
    static Bytes pixelsOf(const streamdecoder::Raster& raster, std::size_t row,
                          std::uint32_t width) {
        Bytes out(std::size_t{width} * 3);
        for (int k = 0; k < 3; ++k) {
            const auto samples = streamdecoder::unpackSamples(raster.rows[row][k], 8, width);
            for (std::uint32_t x = 0; x < width && x < samples.size(); ++x) {
                out[std::size_t{x} * 3 + k] = static_cast<std::uint8_t>(samples[x]);
            }
        }
        return out;
    }

    /// A working line reduced to what the printer receives at 8-bit output.
    Bytes printed(const Bytes& working) const {
        if (!setup_.wide) {
            return working;
        }
        Bytes out;
        for (std::size_t i = 0; i + 1 < working.size(); i += 2) {
            out.push_back(working[i + 1]);  // little-endian sample: its high byte
        }
        return out;
    }

    InMemoryHost host;
    qdxatest::RecordingServices transport;
    BandServices services;
    int colorCalls = 0;
    std::vector<std::int32_t> captionLines;  ///< lines handed to the caption merge

  private:
    static void allocate(std::uint8_t** buffer, std::size_t bytes) {
        EXPECT_EQ(Get_MemoryClear(1, bytes, kUnusedKind, buffer), 0);
    }
    static void allocate(std::uint8_t** buffer, std::uint32_t* size, std::size_t bytes) {
        allocate(buffer, bytes);
        *size = static_cast<std::uint32_t>(bytes);
    }

    // The job's header and end, written into a buffer of their own: the context's command
    // buffer is sized for the band loop only.
    template <typename Generate>
    void send(Generate generate) {
        constexpr std::size_t kJobCommandRoom = 1 << 16;
        Bytes buffer(kJobCommandRoom);
        std::uint32_t length = 0;
        ASSERT_EQ(generate(&info(), buffer.data(), kJobCommandRoom, &length), 0);
        ASSERT_EQ(tarn_QDXA_SendData(packet_, buffer.data(), length, 0, nullptr), 0);
    }

    std::int32_t sendPage(decltype(tarn_Cmd_BeginPage) generate) {
        std::uint32_t length = 0;
        const std::int32_t result =
            generate(&info(), context().commandBuffer, context().commandBufferSize, &length);
        return result != 0
                   ? result
                   : tarn_QDXA_SendData(packet_, context().commandBuffer, length, 0, nullptr);
    }

    // Caption pixels: a dark bar on white, so merged pixels show.
    std::int32_t makeCaption(PLGContext* c) {
        const std::size_t pixelBytes = setup_.wide ? 6 : 3;
        c->captionBitmapSize = static_cast<std::uint32_t>(
            pixelBytes * static_cast<std::size_t>(c->captionWidth * c->captionHeight));
        allocate(&c->captionBitmap, std::max<std::size_t>(c->captionBitmapSize, 1));
        std::memset(c->captionBitmap, 0x40, c->captionBitmapSize);
        return 0;
    }

    // The caption row alone, or merged over the image line where both share the line.
    std::int32_t captionLine(PLGContext* c, std::int32_t line, std::int32_t imageStart,
                             std::int32_t captionStart, std::uint8_t* imageLine,
                             std::uint8_t** lineOut, std::int32_t* rightOut) {
        captionLines.push_back(line);
        const std::size_t pixelBytes = setup_.wide ? 6 : 3;
        const std::size_t rowBytes = pixelBytes * static_cast<std::size_t>(c->captionWidth);
        std::uint8_t* captionRow =
            c->captionBitmap + static_cast<std::size_t>(line - captionStart) * rowBytes;
        const TARNRect& image = c->imageRect;
        const TARNRect& caption = c->captionRect;
        const bool imageHasLine =
            line >= imageStart && line < imageStart + (image.bottom - image.top);
        if (!imageHasLine || c->captionMergeLine == nullptr) {
            *lineOut = captionRow;
            *rightOut = c->captionWidth;
            return 0;
        }
        const std::int32_t left = std::min(image.left, caption.left);
        std::memset(c->captionMergeLine, 0xFF, pixelBytes * c->captionMergeWidth);
        std::memcpy(c->captionMergeLine + pixelBytes * (image.left - left), imageLine,
                    pixelBytes * c->imageLineWidth);
        std::memcpy(c->captionMergeLine + pixelBytes * (caption.left - left), captionRow, rowBytes);
        *lineOut = c->captionMergeLine;
        *rightOut = c->captionMergeWidth;
        return 0;
    }

    BandServices recordingServices() {
        const std::size_t pixelBytes = setup_.wide ? 6 : 3;
        return BandServices{
            .captionMakeData = [this](PLGContext* c, std::int16_t) { return makeCaption(c); },
            .captionSetBuff =
                [this](PLGContext* c, std::int32_t line, std::int32_t imageStart,
                       std::int32_t captionStart, std::uint8_t* imageLine, std::uint32_t,
                       std::uint8_t** lineOut, std::int32_t* rightOut) {
                    return captionLine(c, line, imageStart, captionStart, imageLine, lineOut,
                                       rightOut);
                },
            .colorProcessing =
                [this, pixelBytes](Color_Info*, std::uint8_t* source, TARNRect* rect,
                                   std::uint8_t* destination) {
                    ++colorCalls;
                    std::memcpy(destination, source,
                                pixelBytes * static_cast<std::size_t>(rect->right - rect->left));
                    return 0;
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

    JobSetup setup_;
    commandtest::GeneratorFixture generator_;
    CoreCommonInfoTbl jobRecord_{};
    HostImageRecord hostImage_{};
    QDXA_Info* packet_ = nullptr;
    Color_Info color_{};
    Bytes converted_;
};

}  // namespace bandtest
