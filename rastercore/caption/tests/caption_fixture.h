// A job context with a caption, as the job set-up leaves it: resolution, working format, caption
// text, scale and sizes, the caption rectangle on the paper, and the three records. The buffers
// the caption code allocates are released with it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "caption/caption_geometry.h"
#include "command/cmd_info.h"
#include "rastercore/core_common_info_tbl.h"
#include "record/color_info.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace captiontest {

struct CaptionSetup {
    std::string text = "Stratoline 07/2024";
    std::int32_t inputResolution = 1;  ///< 1: 300 dpi, else 600
    bool wide = false;                 ///< 16-bit working samples
    bool rotate = false;
    std::int32_t mirror = 0;
    std::int16_t kind = kCaptionKindTop;
    std::int32_t paperWidth = 2540;  ///< 1/10 mm
    std::int32_t paperHeight = 3000;
    std::int32_t sideMargin = 30;
    std::int32_t topMargin = 30;
    std::int32_t bottomMargin = 50;
};

class CaptionJob {
  public:
    explicit CaptionJob(const CaptionSetup& setup = {}) : context_(std::make_unique<PLGContext>()) {
        PLGContext& c = *context_;
        c.jobRecord = &record_;
        c.cmdInfo = &info_;
        c.colorInfo = &color_;
        color_.context = &c;
        color_.colorMode = kColorModeColor;
        record_.inputResolution = setup.inputResolution;
        record_.inputBit = setup.wide ? 1 : 0;
        const double dpi = setup.inputResolution == 1 ? 300.0 : 600.0;
        c.outputResolution[0] = c.outputResolution[1] = dpi;
        c.bitsPerPixel = setup.wide ? 48 : 24;
        c.depthCode = setup.wide ? 2 : 1;
        c.rotate = setup.rotate ? 1 : 0;
        info_.mirror = setup.mirror;
        info_.leftMargin = info_.rightMargin = setup.sideMargin;
        info_.topMargin = setup.topMargin;
        info_.bottomMargin = setup.bottomMargin;
        c.paperWidth = setup.paperWidth;
        c.paperHeight = setup.paperHeight;
        c.paperWidthDots = static_cast<std::int32_t>(setup.paperWidth * dpi / 254);
        c.paperHeightDots = static_cast<std::int32_t>(setup.paperHeight * dpi / 254);

        c.captionFlag = 1;
        c.captionKind = setup.kind;
        const std::size_t length = std::min<std::size_t>(setup.text.size(), kCaptionTextMax);
        std::memcpy(c.captionText, setup.text.data(), length);
        c.captionLength = static_cast<std::uint16_t>(length);
        c.captionResolution = static_cast<std::uint16_t>(dpi);
        c.captionScale = dpi / 200.0;
        EXPECT_EQ(PLG_Get_CaptionWiAndHi(&c, 9, 200, 72), 0);
        PLG_Get_Caption_Rec(&c, &c.captionRect);
    }
    ~CaptionJob() {
        for (std::uint8_t** buffer :
             {&context_->captionBitmap, &context_->captionMergeLine, &context_->captionColorLine}) {
            Dispose_MemoryClear(buffer, kUnusedKind);
        }
    }
    CaptionJob(const CaptionJob&) = delete;
    CaptionJob& operator=(const CaptionJob&) = delete;

    PLGContext& context() { return *context_; }
    Cmd_Info& info() { return info_; }
    Color_Info& color() { return color_; }
    CoreCommonInfoTbl& record() { return record_; }

    /// Bytes of one caption pixel and of one caption row as rendered.
    std::size_t pixelBytes() const {
        return context_->captionBitmapSize /
               static_cast<std::size_t>(context_->captionWidth * context_->captionHeight);
    }
    std::size_t rowBytes() const { return pixelBytes() * context_->captionWidth; }
    const std::uint8_t* pixel(int row, int column) const {
        return context_->captionBitmap + row * rowBytes() + column * pixelBytes();
    }

  private:
    std::unique_ptr<PLGContext> context_;
    Cmd_Info info_{};
    Color_Info color_{};
    CoreCommonInfoTbl record_{};
};

}  // namespace captiontest
