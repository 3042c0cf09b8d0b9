// The core job record of one print, filled as the plug-in's print action has it filled: by the
// settings model, set up for the printer and model of the command line, holding the model's
// defaults with the command line's choices applied through its own setters.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "common_data.h"
#include "pattern_sheet.h"
#include "rastercore/common_info_table.h"
#include "rastercore/core_common_info_tbl.h"

namespace host {

/// What the command line chose; unset values keep the model's defaults.
struct JobChoices {
    std::string model = "SL-7440";
    std::string printerAddress = "127.0.0.1";
    std::string connection = "WQS_LPR";
    /// Default: the model's first roll medium. A medium that the photo media's ink system hides
    /// is printed under its own ink system.
    std::optional<std::int16_t> medium;
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
    bool pattern = false;  ///< a test-pattern sheet of the model's pattern settings
    std::string caption;   ///< printed beside the image when not empty
};

/// The first medium of an open media database that a roll can carry, in database order.
std::optional<std::int16_t> firstRollMedium(std::uint8_t* database);

class JobRecord {
  public:
    using Model = kCommonDataClass_ZORVEX_common_V600_PS;

    /// The record of one print of the image the host information record describes; null with
    /// the reason in `*error` when the model, its tables or its media database cannot be read,
    /// the medium has no print mode or the model cannot fill the record.
    static std::unique_ptr<JobRecord> fill(const JobChoices& choices, CommonInfoTable* host,
                                           std::string* error);
    /// Releases the record's strings through the model.
    ~JobRecord();
    JobRecord(const JobRecord&) = delete;
    JobRecord& operator=(const JobRecord&) = delete;

    CoreCommonInfoTbl* record() { return &record_; }
    std::int32_t printerTypeID() const { return model_.getPrinterID(); }
    std::int16_t mediumID() const { return model_.mediumID(); }
    /// The file name of the medium's printer profile; empty when it is not installed.
    std::string printerProfile() const;

  private:
    JobRecord() = default;

    Model model_;                // holds the media database the record points to
    PatternTexts patternTexts_;  // the test-pattern sheet's caption texts the record points to
    CoreCommonInfoTbl record_{};
};

}  // namespace host
