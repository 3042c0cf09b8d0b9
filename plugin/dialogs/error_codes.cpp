#include "dialogs/error_codes.h"

#include <algorithm>
#include <array>

namespace dialogs {
namespace {

constexpr ui::AlertStyle kCritical = ui::AlertStyle::critical;
constexpr ui::AlertStyle kInformational = ui::AlertStyle::informational;

constexpr std::array kTable{
    ErrorAlert{kErrWriteFile, "MESS_ERR_WRITE_FILE", kCritical},
    ErrorAlert{kErrWriteToneCurveFile, "MESS_ERR_WRITE_FILE", kCritical},
    ErrorAlert{kErrFilePermission, "MESS_FILE_LOCK_ALERT", kCritical},
    ErrorAlert{kErrFileLocked, "MESS_FILE_LOCK_ALERT", kCritical},
    ErrorAlert{kErrPanelMemory, "MESS_ERR_MEM_ALLOC", kCritical},
    ErrorAlert{kErrCheckPrinter, "MESS_CHECKPRINTER_ALERT", kInformational},
    ErrorAlert{kErrMemAlloc, "MESS_ERR_MEM_ALLOC", kCritical},
    ErrorAlert{kErrPrintCanceled, "MESS_PRINT_CANCELED", kInformational},
    ErrorAlert{kErrNoDriver, "MESS_NONE_DRIVER_ALERT", kCritical},
    ErrorAlert{kErrFileNotFound, "MESS_NOT_FIND_FILE", kCritical},
    ErrorAlert{kErrInputTextLong, "MESS_INPUTTEXT_LONG_ERR", kCritical},
    ErrorAlert{kErrPrinting, "MESS_PRINTING_ERROR", kCritical},
    ErrorAlert{kErrUserMediaLimit, "MESS_USER_MEDIA_SETTING_LIMIT", kCritical},
    ErrorAlert{kErrUserMediaChange, "MESS_USER_MEDIA_SETTING_CHANGE_ERROR", kCritical},
    ErrorAlert{kErrUserMediaNoName, "MESS_USER_MEDIA_NAME_NOTHING", kCritical},
    ErrorAlert{kErrSameMediaName, "MESS_SAME_MEDIA_NAME", kCritical},
    ErrorAlert{kErrSameUserMediaName, "MESS_SAME_USER_MEDIA_NAME", kCritical},
    ErrorAlert{kErrInvalidValue, "MESS_INVALID_VALUE", kCritical},
    ErrorAlert{kErrHostImage, "MESS_ERR_NOT_DEFINE", kCritical},
    ErrorAlert{kErrImageHeightOver, "MESS_MSG_IMAGE_HEIGHT_OVER", kCritical},
    ErrorAlert{kErrWriteSettingsFile, "MESS_ERR_WRITE_FILE", kCritical},
    ErrorAlert{kErrColorProcessing, "MESS_ERR_TONARA", kCritical},
    ErrorAlert{kErrProfileNotFound, "MESS_NOTFOUND_PROFILE_ALERT", kCritical},
    ErrorAlert{kErrTargetFileLocked, "MESS_FILE_LOCK_ALERT", kCritical},
    ErrorAlert{kErrJobRead, "MESS_ERR_JOB_READ", kCritical},
    ErrorAlert{kErrJobEntry, "MESS_ERR_JOB_ENTRY", kCritical},
};

}  // namespace

std::span<const ErrorAlert> ErrorAlertTable() {
    return kTable;
}

std::optional<ErrorAlert> ErrorAlertForCode(std::int64_t code) {
    if (code == kErrNone) {
        return std::nullopt;
    }
    // An exact comparison of the whole value: no range test, no decoding of the message number.
    const auto row = std::find_if(kTable.begin(), kTable.end(),
                                  [code](const ErrorAlert& entry) { return entry.code == code; });
    if (row != kTable.end()) {
        return *row;
    }
    return ErrorAlert{static_cast<std::int32_t>(code), kUndefinedErrorKey, kCritical};
}

}  // namespace dialogs
