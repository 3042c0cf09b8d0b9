// The command generator's front: argument checks and dispatch by printer family.
#include "command/tarn_cmd.h"

#include "command/m1xx_generator.h"
#include "rastercore/result_codes.h"
#include "record/job_context.h"
#include "util/memory.h"

namespace {

using rastercore::kCommandBadArgument;
using rastercore::kFamilyNotSupported;
using rastercore::kResultOk;

constexpr std::int32_t kFamilyM1xx = 1;

std::int32_t familyCheck(const Cmd_Info* info) {
    if (info == nullptr || info->context == nullptr) {
        return kCommandBadArgument;
    }
    return info->context->modelTable.PrinterSize == kFamilyM1xx ? kResultOk : kFamilyNotSupported;
}

// Checks the arguments of a command operation; clears the out length when it is there.
std::int32_t commandCheck(const Cmd_Info* info, const std::uint8_t* buffer, std::uint32_t* length) {
    if (length != nullptr) {
        *length = 0;
    }
    if (buffer == nullptr || length == nullptr) {
        return kCommandBadArgument;
    }
    return familyCheck(info);
}

template <typename Operation>
std::int32_t dispatch(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                      std::uint32_t* length, Operation operation) {
    const std::int32_t checked = commandCheck(info, buffer, length);
    return checked != kResultOk ? checked : operation(*info, buffer, capacity, length);
}

}  // namespace

std::int32_t tarn_Cmd_BeginImage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                                 std::uint32_t* length) {
    return dispatch(info, buffer, capacity, length, M1XX_BeginImage);
}

std::int32_t tarn_Cmd_BeginJob(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* length) {
    return dispatch(info, buffer, capacity, length,
                    [](Cmd_Info& i, std::uint8_t* b, std::uint32_t c, std::uint32_t* l) {
                        i.pageCounter = 0;
                        return M1XX_BeginJob(i, b, c, l);
                    });
}

std::int32_t tarn_Cmd_BeginPage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                                std::uint32_t* length) {
    return dispatch(info, buffer, capacity, length,
                    [](Cmd_Info& i, std::uint8_t* b, std::uint32_t c, std::uint32_t* l) {
                        ++i.pageCounter;
                        return M1XX_BeginPage(i, b, c, l);
                    });
}

std::int32_t tarn_Cmd_EndImage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                               std::uint32_t* length) {
    return dispatch(info, buffer, capacity, length, M1XX_EndImage);
}

std::int32_t tarn_Cmd_EndJob(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                             std::uint32_t* length) {
    return dispatch(info, buffer, capacity, length, M1XX_EndJob);
}

std::int32_t tarn_Cmd_EndPage(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                              std::uint32_t* length) {
    return dispatch(info, buffer, capacity, length, M1XX_EndPage);
}

std::int32_t tarn_Cmd_GetInfo_OutputColorSpece(const Cmd_Info* info, TARNColorSpace* space) {
    if (info == nullptr || space == nullptr) {
        return kCommandBadArgument;
    }
    *space = info->outputColorSpace;
    return kResultOk;
}

std::int32_t tarn_Cmd_ImageBand(Cmd_Info* info, std::uint8_t* buffer, std::uint32_t capacity,
                                std::uint32_t* length, const std::uint8_t* band,
                                const TARNRect* rect) {
    const std::int32_t checked = commandCheck(info, buffer, length);
    if (checked != kResultOk) {
        return checked;
    }
    if (band == nullptr || rect == nullptr) {
        return kCommandBadArgument;
    }
    return M1XX_ImageBand(*info, buffer, capacity, length, band, *rect);
}

std::int32_t tarn_Cmd_Initialize(Cmd_Info* info) {
    const std::int32_t checked = familyCheck(info);
    return checked != kResultOk ? checked : M1XX_Initialize(*info);
}

std::int32_t tarn_Cmd_Terminate(Cmd_Info* info) {
    if (info == nullptr) {
        return kCommandBadArgument;
    }
    // A record of another family never got buffers; it is released all the same.
    const std::int32_t checked = info->context == nullptr ? kResultOk : familyCheck(info);
    M1XX_Terminate(*info);
    Dispose_MemoryClear(&info, kUnusedKind);
    return checked;
}
