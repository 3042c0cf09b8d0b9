// The core job record of one print, as the host stand-in fills it for now.
//
// The print action fills the record through the plug-in's settings model. Until that model
// exists, this is the one place that fills it instead: from the model's defaults, which the
// plug-in foundation reads from the model-information bundle (its default settings table and its
// print-common values), the print-mode table of the model's media database, and the choices of
// the host's command line. The settings model replaces `JobRecord::fill` as a whole.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cf/value.h"
#include "rastercore/core_common_info_tbl.h"

namespace host {

/// What the command line chose; unset values keep the model's defaults.
struct JobChoices {
    std::string model = "SL-7440";
    std::string printerAddress = "127.0.0.1";
    std::string connection = "WQS_LPR";
    std::optional<std::int16_t> medium;  ///< default: the model's first roll medium
    std::optional<std::int32_t> copies;
    std::optional<std::int32_t> inputResolution;  ///< 1: 300 dpi, 2: 600 dpi
    std::optional<std::int32_t> inputBit;         ///< 0: 8-bit output, 1: 10 bits, 2: 12 bits
    std::optional<double> magnification;          ///< percent; enlarged or reduced printing
    std::optional<std::int32_t> fitType;          ///< 0 the page, 1 the roll width
    std::optional<std::int32_t> layout;           ///< 0 corner, 1 centre
    std::optional<std::int32_t> sharpness;
    std::optional<std::int32_t> expandMethod;  ///< 0 nearest neighbour, 1 bilinear, 2 bicubic
    std::optional<std::int32_t> colorMode;     ///< 1 colour, 2 monochrome photo, 3 no correction
    bool borderless = false;
    bool background = false;
    bool mirror = false;
    bool turned = false;
    std::string caption;  ///< printed beside the image when not empty
};

class JobRecord {
  public:
    /// The record of one print of the image the host information record describes; null with
    /// the reason in `*error` when the model, its tables or its media database cannot be read.
    static std::unique_ptr<JobRecord> fill(const JobChoices& choices, CommonInfoTable* host,
                                           std::string* error);
    ~JobRecord();
    JobRecord(const JobRecord&) = delete;
    JobRecord& operator=(const JobRecord&) = delete;

    CoreCommonInfoTbl* record() { return &record_; }
    std::int32_t printerTypeID() const { return printerTypeID_; }
    std::int16_t mediumID() const { return static_cast<std::int16_t>(record_.mediumID); }
    /// The medium's printer profile in the driver's profile folder.
    const std::string& printerProfile() const { return printerProfile_; }

  private:
    JobRecord() = default;
    const cf::Value* keep(std::string text);

    CoreCommonInfoTbl record_{};
    std::int32_t printerTypeID_ = 0;
    std::uint8_t* mediaData_ = nullptr;
    std::string printerProfile_;
    std::vector<std::unique_ptr<cf::Value>> strings_;
};

}  // namespace host
