// The value rules of the job set-up: how the job record's choices become the command options,
// the option bytes, the packet record's choices and the job's names.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "record/job_context.h"
#include "record/qdxa_info.h"

struct CoreCommonInfoTbl;
struct ModelAtlasTbl;

namespace setup {

/// An option byte, or a media-detail choice, that is not sent.
inline constexpr std::uint8_t kNotSent = 0xFF;
/// The roll-width code of a paper name outside the table, and of a job that sends none.
inline constexpr std::uint16_t kRollWidthOtherName = 0xFFFE;
inline constexpr std::uint16_t kRollWidthNone = 0xFFFF;
/// The single-SSC value that is not sent.
inline constexpr std::int32_t kSingleSscNotSent = -1;

/// The roll-width attribute code of the command record's paper name: "PHOTO_8X10" 1 to
/// "ISO_A3_PLUS" 26, any other name 0xFFFE.
std::uint16_t rollWidthCode(std::string_view paperName);

/// The single-SSC value of the job's blur prevention: 3 gives 4, 2 gives 0, any other -1.
std::int32_t blurPreventionKind(std::int32_t blurPrevention);

/// The SSC adjustment level of the job's SSC setting: 4, 5, 6 give 1, 2, 3; any other 0.
std::int32_t sscLevel(std::int32_t sscSetting);

/// The 13 option bytes of a model with ink, SSC and roll-width options: drying time between
/// pages, between scans, near-end margin, 0xFF, 0xFF, thickness, vacuum, 0xFF, cut speed, 0xFF,
/// 0xFF, far-end margin, 0xFF; thickness and far-end margin are not sent for models whose
/// `BlankBack_Thickness` is 1, and the vacuum then neither when `Printing_Suction` is 1.
std::array<std::uint8_t, kOptionByteCount> optionBytes(const CoreCommonInfoTbl& table,
                                                       const ModelAtlasTbl& model);

/// The packet record's eight media-detail choices, item by item (items 1, 2, 3, 13, 6, 14, 7 and
/// 9): the option byte of the item's number, 0xFF where the option bytes hold none.
std::array<std::uint8_t, kMediaDetailChoiceCount> mediaDetailChoices(
    const std::array<std::uint8_t, kOptionByteCount>& options);

/// The printer name the device library is asked for: for "WQS_LPR" and "WQS_LPRV6" connections
/// the part of the pop-up name after its last blank (the whole name without one), else the whole
/// pop-up name.
std::string printerNameOfPopUp(std::string_view connectionType, std::string_view popUpName);

/// The working depth code of the host's sample depth and the job's input-bit choice: 16-bit host
/// data 4 (16-bit work) or 3 (8-bit work), 8-bit host data 2 or 1.
std::uint8_t workingDepthCode(std::int32_t hostBits, std::int32_t inputBit);

/// The output depth of the input-bit choice: 1 gives 10 bits (1), any other non-zero choice 12
/// bits (2), 0 gives 8 bits (0).
std::uint8_t outputDepthOfChoice(std::int32_t inputBit);

/// True when the job prints a caption: the caption is on, the print is not borderless, some
/// caption item is on and the caption text is not empty.
bool captionRequested(const CoreCommonInfoTbl& table, bool borderless);

/// `value` held within `low` ... `high`. Takes its arguments by value, so that the fields of the
/// byte-packed job record can be passed as they are.
inline std::int32_t clamped(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

/// Writes `text` cut to at most `limit` bytes (and to `size` - 1) without splitting a UTF-8
/// character into `destination` of `size` bytes, NUL-terminated.
void copyCut(char* destination, std::size_t size, std::string_view text, std::size_t limit);

}  // namespace setup
