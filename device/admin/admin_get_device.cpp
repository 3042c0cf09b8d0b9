// Get groups of the printer's own facts: model, texts, versions, units, supported features.
#include <array>

#include "admin/admin_get_groups.h"
#include "control/control_operations.h"
#include "core/core_error.h"
#include "glue/glue_component.h"
#include "glue/glue_internal.h"
#include "glue/glue_operations.h"
#include "query/query_device.h"
#include "query/query_records.h"
#include "query/query_support.h"

namespace admin {
namespace {

/// A device text: the text (or its raw characters for a "ByData" key) and its code.
std::uint32_t answerDeviceText(GetRequest& get, std::string_view textKey, bool byData,
                               std::uint16_t attribute) {
    const std::string name = std::string(textKey) + (byData ? "ByData" : "");
    if (!has(get.request, name)) {
        return kCoreNoErr;
    }
    std::uint16_t code = 0;
    std::uint8_t string[kQueryLongStringSize] = {};
    const std::int32_t status =
        glue_qdxaGetStringAttribute(get.session, kGlueObjectDevice, attribute, &code, string);
    if (const std::uint32_t failure = glueCode(status); failure != kCoreNoErr) {
        return failure;
    }
    const std::string characters = pascalCharacters(string, sizeof string);
    return firstFailure(
        [&] {
            return byData ? setData(get.result, name,
                                    {reinterpret_cast<const std::uint8_t*>(characters.data()),
                                     characters.size()})
                          : setText(get.result, name, printerText(string, sizeof string));
        },
        [&] { return setInt(get.result, std::string(textKey) + "Code", code); });
}

constexpr std::uint16_t kAttrManagerName = 1017;
constexpr std::uint16_t kAttrManagerTelephoneNumber = 1018;
constexpr std::uint16_t kAttrManagerComments = 1019;
constexpr std::uint16_t kAttrDeviceName = 1035;
constexpr std::uint16_t kAttrDeviceLocations = 1039;
constexpr std::uint32_t kVersionShift = 16;

struct MonitorFunction {
    std::uint32_t bit;
    const char* name;
};
constexpr MonitorFunction kMonitorFunctions[] = {
    {kMonitorInterrupt, "interrupt"},
    {kMonitorPromote, "promote"},
    {kMonitorPauseResume, "pauseResume"},
    {kMonitorFileBox, "fileBox"},
};

}  // namespace

std::uint32_t answerValueList(GetRequest& get, std::string_view name, ValueListQuery query) {
    if (!has(get.request, name)) {
        return kCoreNoErr;
    }
    device::GlueHandle handle(Wqs_Mem_NewHandle(1));
    if (!handle) {
        return kCoreMemErr;
    }
    std::uint16_t count = 0;
    if (const std::uint32_t code = glueCode(query(get.session, handle.get(), &count));
        code != kCoreNoErr) {
        return code;
    }
    return setIntArray(get.result, name, handleValues(handle.get(), count));
}

std::uint32_t getManagerName(GetRequest& get) {
    return answerDeviceText(get, "ManagerName", false, kAttrManagerName);
}
std::uint32_t getManagerNameByData(GetRequest& get) {
    return answerDeviceText(get, "ManagerName", true, kAttrManagerName);
}
std::uint32_t getManagerTelephoneNumber(GetRequest& get) {
    return answerDeviceText(get, "ManagerTelephoneNumber", false, kAttrManagerTelephoneNumber);
}
std::uint32_t getManagerTelephoneNumberByData(GetRequest& get) {
    return answerDeviceText(get, "ManagerTelephoneNumber", true, kAttrManagerTelephoneNumber);
}
std::uint32_t getManagerComments(GetRequest& get) {
    return answerDeviceText(get, "ManagerComments", false, kAttrManagerComments);
}
std::uint32_t getManagerCommentsByData(GetRequest& get) {
    return answerDeviceText(get, "ManagerComments", true, kAttrManagerComments);
}
std::uint32_t getDeviceName(GetRequest& get) {
    return answerDeviceText(get, "DeviceName", false, kAttrDeviceName);
}
std::uint32_t getDeviceNameByData(GetRequest& get) {
    return answerDeviceText(get, "DeviceName", true, kAttrDeviceName);
}
std::uint32_t getDeviceLocations(GetRequest& get) {
    return answerDeviceText(get, "DeviceLocations", false, kAttrDeviceLocations);
}
std::uint32_t getDeviceLocationsByData(GetRequest& get) {
    return answerDeviceText(get, "DeviceLocations", true, kAttrDeviceLocations);
}

std::uint32_t getComponentModel(GetRequest& get) {
    if (!has(get.request, "ComponentModel")) {
        return kCoreNoErr;
    }
    std::uint8_t model[kQueryLongStringSize] = {};
    if (const std::uint32_t code = glueCode(glue_qdxaGetComponentModel(get.session, model));
        code != kCoreNoErr) {
        return code;
    }
    return setText(get.result, "ComponentModel", printerTextOrUnknown(model, sizeof model));
}

std::uint32_t getAccountResourceCount(GetRequest& get) {
    return answerValueList(get, "AccountResourceCount", glue_qdxaGetAccountResourceCount);
}

std::uint32_t getDetailCodeList(GetRequest& get) {
    return answerValueList(get, "PrinterDetailCodeList", glue_qdxaGetComponentStatus2CodeList);
}

std::uint32_t getJobAttributesSupported(GetRequest& get) {
    return answerValueList(get, "JobAttributesSupported", glue_qdxaSupportJobAttributeList);
}

std::uint32_t getMethodsSupported(GetRequest& get) {
    return answerValueList(get, "MethodsSupported", glue_qdxaSupportMethodList);
}

std::uint32_t getPlexSupport(GetRequest& get) {
    return answerValue<std::int32_t>(
        get, "PlexSupport", [](GlueSession* session, std::int32_t* plex) {
            std::uint8_t oneSided = 0;
            std::uint8_t twoSided = 0;
            const std::int32_t status = glue_qdxaGetPlexSupport(session, &oneSided, &twoSided);
            *plex = (oneSided != 0 ? 1 : 0) | (twoSided != 0 ? 2 : 0);
            return status;
        });
}

std::uint32_t getFirmVersion(GetRequest& get) {
    return answerValue<std::uint32_t>(
        get, "FirmVersion", [](GlueSession* session, std::uint32_t* version) {
            std::uint16_t number = 0;
            std::uint8_t string[kQueryShortStringSize] = {};
            std::uint16_t numbers[3] = {};
            std::uint8_t hasKind7 = 0;
            const std::int32_t status =
                glue_qdxaGetFirmMainVersion(session, &number, string, numbers, &hasKind7);
            *version = (std::uint32_t{numbers[0]} << kVersionShift) | numbers[1];
            return status;
        });
}

std::uint32_t getDeviceNumber(GetRequest& get) {
    if (!has(get.request, "DeviceNumber")) {
        return kCoreNoErr;
    }
    std::uint8_t number[kQueryLongStringSize] = {};
    if (const std::uint32_t code = glueCode(glue_qdxaGetDeviceNumber(get.session, number));
        code != kCoreNoErr) {
        return code;
    }
    return setText(get.result, "DeviceNumber", printerText(number, sizeof number));
}

std::uint32_t getSpectrophotometerState(GetRequest& get) {
    return answerValue<std::uint8_t>(get, "SpectrophotometerState", glue_qdxaGetSpectrophotometer);
}

std::uint32_t getOptionalUnits(GetRequest& get) {
    static constexpr std::string_view kKeys[] = {"HDExist",       "HDState",     "MemoryExist",
                                                 "MemorySize",    "FontExist",   "FontName",
                                                 "CardUnitExist", "CardUnitName"};
    if (!hasAny(get.request, kKeys)) {
        return kCoreNoErr;
    }
    std::uint8_t hardDisk = 0, hardDiskState = 0, memory = 0, font = 0, cardUnit = 0;
    std::uint32_t memorySize = 0;
    std::uint8_t fontName[kQueryShortStringSize] = {};
    std::uint8_t cardUnitName[kQueryShortStringSize] = {};
    const std::int32_t status =
        glue_qdxaGetOptionalUnitsSupport(get.session, &hardDisk, &hardDiskState, &memory,
                                         &memorySize, &font, fontName, &cardUnit, cardUnitName);
    if (const std::uint32_t code = glueCode(status); code != kCoreNoErr) {
        return code;
    }
    const auto when = [&](std::string_view name, auto write) {
        return has(get.request, name) ? write(name) : kCoreNoErr;
    };
    const auto flag = [&](std::uint8_t value) {
        return [&get, value](std::string_view name) {
            return setBoolean(get.result, name, value != 0 ? 1 : 0);
        };
    };
    const auto number = [&](std::uint32_t value) {
        return [&get, value](std::string_view name) {
            return setInt(get.result, name, static_cast<std::int32_t>(value));
        };
    };
    const auto text = [&](const std::uint8_t* pascal) {
        return [&get, pascal](std::string_view name) {
            return setText(get.result, name, printerTextOrUnknown(pascal, kQueryShortStringSize));
        };
    };
    return firstFailure([&] { return when("HDExist", flag(hardDisk)); },
                        [&] { return when("HDState", number(hardDiskState)); },
                        [&] { return when("MemoryExist", flag(memory)); },
                        [&] { return when("MemorySize", number(memorySize)); },
                        [&] { return when("FontExist", flag(font)); },
                        [&] { return when("FontName", text(fontName)); },
                        [&] { return when("CardUnitExist", flag(cardUnit)); },
                        [&] { return when("CardUnitName", text(cardUnitName)); });
}

std::uint32_t getFuncForMonitor(GetRequest& get) {
    if (!has(get.request, "FuncForMonitor")) {
        return kCoreNoErr;
    }
    std::uint32_t support = 0;
    if (const std::uint32_t code = glueCode(glue_qdxaGetfunc_forMonitor(get.session, &support));
        code != kCoreNoErr) {
        return code;
    }
    std::vector<std::string> functions;
    for (const MonitorFunction& function : kMonitorFunctions) {
        if ((support & function.bit) != 0) {
            functions.emplace_back(function.name);
        }
    }
    return functions.empty() ? kCoreNoErr : setTextArray(get.result, "FuncForMonitor", functions);
}

}  // namespace admin
