// The support sets of a session and the supported-item lists they are read from.
#include "query/query_support.h"

#include <algorithm>
#include <span>
#include <vector>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "query/query_internal.h"

namespace {

constexpr std::uint16_t kAttrJobAttributes = 63;
constexpr std::uint16_t kAttrMethods = 116;
constexpr std::uint16_t kAttrJobOperations = 212;
constexpr std::uint16_t kAttrPrinterAttributes = 111;
constexpr std::uint16_t kAttrFileBoxAttributes = 169;

// A supported-item list: a 16-bit count at byte 2, then 3-byte entries from byte 4 (16-bit
// item id, flag byte); an item is supported when its flag is 1.
constexpr std::size_t kItemCountOffset = 2;
constexpr std::uint8_t kItemSupported = 1;

struct SupportItem {
    std::uint16_t item;
    std::uint64_t bit;
};

constexpr SupportItem kJobAttributeItems[] = {
    {2018, kGlueJobAttr2018}, {2027, kGlueJobAttr2027}, {2007, kGlueJobAttr2007},
    {12, kGlueJobAttr12},     {7, kGlueJobAttr7},       {277, kGlueJobAttr277},
    {279, kGlueJobAttr279},
};
constexpr SupportItem kPrinterAttributeItems[] = {
    {2150, kSupportPrinterAttr2150}, {2152, kSupportPrinterAttr2152},
    {2216, kSupportPrinterAttr2216}, {2153, kSupportPrinterAttr2153},
    {2154, kSupportPrinterAttr2154}, {2321, kSupportPrinterAttr2321},
    {2356, kSupportPrinterAttr2356}, {2396, kSupportPrinterAttr2396},
    {341, kSupportPrinterAttr341},   {342, kSupportPrinterAttr341},
    {343, kSupportPrinterAttr341},   {2436, kSupportPrinterAttr2436},
};
constexpr SupportItem kFileBoxAttributeItems[] = {{10911, kSupportFileBoxAttr10911}};
constexpr SupportItem kJobOperationItems[] = {
    {11, kSupportJobOpDelete},  {32, kSupportJobOpPause}, {33, kSupportJobOpResume},
    {34, kSupportJobOpPromote}, {35, kSupportJobOp35},    {68, kSupportJobOp68},
    {3, kSupportJobOp3},
};

struct SupportKind {
    std::uint32_t object;
    std::uint16_t attribute;
    std::uint8_t cacheFlag;
    std::uint64_t GlueSession::*set;
    std::span<const SupportItem> items;
};

const SupportKind kJobAttributes{kGlueObjectJobService, kAttrJobAttributes,
                                 kGlueSupportCacheJobAttributes, &GlueSession::jobAttributeSupport,
                                 kJobAttributeItems};
const SupportKind kPrinterAttributes{kGlueObjectPrinter, kAttrPrinterAttributes,
                                     kSupportCachePrinterAttributes,
                                     &GlueSession::printerAttributeSupport, kPrinterAttributeItems};
const SupportKind kFileBoxAttributes{kGlueObjectFileBoxService, kAttrFileBoxAttributes,
                                     kSupportCacheFileBoxAttributes,
                                     &GlueSession::fileBoxAttributeSupport, kFileBoxAttributeItems};
const SupportKind kJobOperations{kGlueObjectJobService, kAttrJobOperations,
                                 kSupportCacheJobOperations, &GlueSession::jobOperationSupport,
                                 kJobOperationItems};

// Reads a supported-item list and keeps the ids whose flag is 1, in the printer's order; the
// walk stops at the first entry that the reply does not hold.
std::int32_t readSupportedItems(GlueSession& session, std::uint32_t object, std::uint16_t attribute,
                                std::vector<std::uint16_t>& ids) {
    device::AttributeReply reply;
    const std::int32_t status = reply.read(session, object, attribute);
    if (status != kGlueNoErr) {
        return status;
    }
    bytes::ByteReader reader(reply.from(kItemCountOffset));
    const std::uint16_t count = reader.u16be().value_or(0);
    for (std::uint16_t index = 0; index < count; ++index) {
        const auto item = reader.u16be();
        const auto flag = reader.u8();
        if (!item || !flag) {
            break;
        }
        if (*flag == kItemSupported) {
            ids.push_back(*item);
        }
    }
    return kGlueNoErr;
}

std::uint8_t supports(GlueSession* session, const SupportKind& kind, std::uint64_t mask) {
    if (session == nullptr) {
        return 0;
    }
    if ((session->supportCacheFlags & kind.cacheFlag) == 0) {
        // The flag is set whatever the read gives: a printer that cannot answer is not asked
        // again in this session.
        std::vector<std::uint16_t> ids;
        readSupportedItems(*session, kind.object, kind.attribute, ids);
        std::uint64_t set = 0;
        for (std::uint16_t id : ids) {
            for (const SupportItem& item : kind.items) {
                if (item.item == id) {
                    set |= item.bit;
                }
            }
        }
        session->*kind.set = set;
        session->supportCacheFlags |= kind.cacheFlag;
    }
    return mask == 0 || (session->*kind.set & mask) != 0 ? 1 : 0;
}

std::int32_t supportList(GlueSession* session, std::uint16_t attribute, WqsMemHandle* handle,
                         std::uint16_t* count) {
    if (session == nullptr || handle == nullptr || count == nullptr) {
        return kGlueParamErr;
    }
    *count = 0;
    std::vector<std::uint16_t> ids;
    std::int32_t status = readSupportedItems(*session, kGlueObjectJobService, attribute, ids);
    if (status != kGlueNoErr) {
        return status;
    }
    status = device::querySizeValues(handle, static_cast<std::uint32_t>(ids.size()));
    if (status != kGlueNoErr) {
        return status;
    }
    for (std::uint32_t index = 0; index < ids.size(); ++index) {
        device::queryStoreValue(handle, index, ids[index]);
    }
    *count = static_cast<std::uint16_t>(ids.size());
    return kGlueNoErr;
}

}  // namespace

std::uint8_t glue_qdxaSupportJobAttribute(GlueSession* session, std::uint64_t mask) {
    return supports(session, kJobAttributes, mask);
}

std::uint8_t glue_qdxaSupportPrinterAttribute(GlueSession* session, std::uint64_t mask) {
    return supports(session, kPrinterAttributes, mask);
}

std::uint8_t glue_qdxaSupportFileBoxAttribute(GlueSession* session, std::uint64_t mask) {
    return supports(session, kFileBoxAttributes, mask);
}

std::uint8_t glue_qdxaSupportExecJobOperation(GlueSession* session, std::uint64_t mask) {
    return supports(session, kJobOperations, mask);
}

std::int32_t z_GetSupportJobAttr(GlueSession* session, std::uint16_t* count, std::uint16_t* ids) {
    if (session == nullptr || count == nullptr || ids == nullptr) {
        return kGlueParamErr;
    }
    const std::uint16_t capacity = *count;
    *count = 0;
    std::vector<std::uint16_t> supported;
    const std::int32_t status =
        readSupportedItems(*session, kGlueObjectJobService, kAttrJobAttributes, supported);
    if (status != kGlueNoErr) {
        return status;
    }
    const auto stored =
        static_cast<std::uint16_t>(std::min<std::size_t>(supported.size(), capacity));
    std::copy_n(supported.begin(), stored, ids);
    *count = stored;
    return kGlueNoErr;
}

std::int32_t glue_qdxaSupportJobAttributeList(GlueSession* session, WqsMemHandle* handle,
                                              std::uint16_t* count) {
    return supportList(session, kAttrJobAttributes, handle, count);
}

std::int32_t glue_qdxaSupportMethodList(GlueSession* session, WqsMemHandle* handle,
                                        std::uint16_t* count) {
    return supportList(session, kAttrMethods, handle, count);
}
