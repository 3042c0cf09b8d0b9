// Decoding the job list of a Get2 answer.
#include "qdxa/qdxa_job_list.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <span>

#include "bytes/byte_order.h"
#include "qdxa/qdxa_error.h"

namespace {

/// Reads a u16 code and a length-prefixed string clipped to `maximum` characters.
bool readCodedString(bytes::ByteReader& value, std::uint32_t& code, std::uint8_t* out,
                     std::uint32_t maximum) {
    const auto wireCode = value.u16be();
    const auto length = value.u8();
    if (!wireCode || !length) {
        return false;
    }
    const auto text = value.take(*length);
    if (!text) {
        return false;
    }
    code = *wireCode;
    const std::size_t kept = std::min<std::size_t>(*length, maximum);
    out[0] = static_cast<std::uint8_t>(kept);
    std::copy_n(text->begin(), kept, out + 1);
    return true;
}

/// Reads a u16 count and that many u32; the list is stored only when the count is below 16.
bool readIdList(bytes::ByteReader& value, std::uint32_t* slots) {
    const auto count = value.u16be();
    if (!count) {
        return false;
    }
    if (*count >= kJobIdListSlots) {
        return true;
    }
    for (std::uint16_t index = 0; index < *count; ++index) {
        const auto id = value.u32be();
        if (!id) {
            return false;
        }
        slots[index] = *id;
    }
    return true;
}

// After the three state bytes of attribute 283: a count byte and that many 32-bit status
// codes; the largest of those that arrived, or 0.
std::uint32_t highestStatusCode(bytes::ByteReader& value) {
    std::uint32_t highest = 0;
    const std::uint8_t count = value.u8().value_or(0);
    for (std::uint8_t index = 0; index < count; ++index) {
        const auto code = value.u32be();
        if (!code) {
            break;
        }
        highest = std::max(highest, *code);
    }
    return highest;
}

bool readAttr280(bytes::ByteReader& value, JobAttrRecord& record) {
    const auto block = value.take(kJobAttr280BlockSize);
    if (!block) {
        return false;
    }
    std::copy(block->begin(), block->end(), record.attr280Block);
    // The name is the NUL-terminated text of the last 16 bytes, bounded by them.
    const auto name = block->last(kJobAttr280NameSize);
    const auto end = std::find(name.begin(), name.end(), 0);
    const auto length = static_cast<std::uint8_t>(end - name.begin());
    record.attr280Name[0] = length;
    std::copy(name.begin(), end, record.attr280Name + 1);
    return true;
}

template <typename T>
bool readValue(const std::optional<T>& value, T& field) {
    if (value) {
        field = *value;
    }
    return value.has_value();
}

/// Stores one attribute's value; false when the value is shorter than its fields.
bool readAttribute(std::uint16_t id, bytes::ByteReader& value, JobAttrRecord& record) {
    switch (id) {
        case kJobAttrName:
            return readCodedString(value, record.jobNameCode, record.jobName, kJobNameMaxLength);
        case kJobAttrOwner:
            return readCodedString(value, record.jobOwnerCode, record.jobOwner, kJobNameMaxLength);
        case kJobAttrDetailName:
            return readCodedString(value, record.jobDetailNameCode, record.jobDetailName,
                                   kJobDetailNameMaxLength);
        case kJobAttrTime: {
            const auto wire = value.take(kQDXAWireDateSize);
            if (wire) {
                QDXA2MacDateTime(wire->data(), &record.jobTime, true);
            }
            return wire.has_value();
        }
        case kJobAttr280:
            return readAttr280(value, record);
        case kJobAttr283: {
            const auto run = value.take(sizeof record.attr283);
            if (run) {
                std::copy(run->begin(), run->end(), record.attr283);
                record.attr283HighestCode = highestStatusCode(value);
            }
            return run.has_value();
        }
        case kJobAttr2007:
            return readValue(value.u16be(), record.attr2007);
        case kJobAttr275:
            return readValue(value.u32be(), record.attr275);
        case kJobAttr277:
            return readValue(value.u32be(), record.attr277);
        case kJobAttr2006:
            return readValue(value.u32be(), record.attr2006);
        case kJobAttr2018:
            return readIdList(value, record.list2018);
        case kJobAttr2027:
            return readIdList(value, record.list2027);
        default:
            return true;  // unknown attributes are skipped by their length
    }
}

/// Decodes one job's attributes; false at the first attribute that does not fit.
bool readAttributes(bytes::ByteReader& data, std::uint16_t count, JobAttrRecord& record) {
    for (std::uint16_t index = 0; index < count; ++index) {
        const auto id = data.u16be();
        const auto length = data.u16be();
        if (!id || !length) {
            return false;
        }
        const auto run = data.take(*length);
        if (!run) {
            return false;
        }
        bytes::ByteReader value(*run);
        if (!readAttribute(*id, value, record)) {
            return false;
        }
    }
    return true;
}

JobAttrRecord** chainEnd(JobAttrRecord** first) {
    while (*first != nullptr) {
        first = &(*first)->next;
    }
    return first;
}

}  // namespace

std::int32_t get_JobAttrList_FromGet2(const WqsMemHandle* data, std::uint16_t jobCount,
                                      JobAttrRecord** first) {
    if (data == nullptr || data->data == nullptr || first == nullptr) {
        return kQDXAMissingArgument;
    }
    bytes::ByteReader reader({data->data, data->size});
    JobAttrRecord** tail = chainEnd(first);
    for (std::uint16_t job = 0; job < jobCount; ++job) {
        const auto handle = reader.u32be();
        const auto attributeCount = reader.u16be();
        if (!handle || !attributeCount) {
            break;
        }
        auto* record = new (std::nothrow) JobAttrRecord;
        if (record == nullptr) {
            dispose_JobAttrList(*first);
            *first = nullptr;
            return kQDXAOutOfMemory;
        }
        record->jobHandle = *handle;
        *tail = record;
        tail = &record->next;
        if (!readAttributes(reader, *attributeCount, *record)) {
            break;
        }
    }
    return kQDXANoErr;
}

void dispose_JobAttrList(JobAttrRecord* first) {
    while (first != nullptr) {
        JobAttrRecord* next = first->next;
        delete first;
        first = next;
    }
}

std::int32_t get_ObjectHandleListFromBuf(const JobAttrRecord* first, std::uint32_t* array,
                                         std::uint16_t* count, std::uint32_t capacity) {
    if (array == nullptr || count == nullptr) {
        return kQDXAMissingArgument;
    }
    *count = 0;
    const std::uint32_t slots = capacity / sizeof(std::uint32_t);
    for (const JobAttrRecord* record = first; record != nullptr; record = record->next) {
        if (record->jobHandle == 0) {
            continue;
        }
        if (*count >= slots) {
            return kQDXAOutOfMemory;
        }
        array[(*count)++] = record->jobHandle;
    }
    return kQDXANoErr;
}

JobAttrRecord* search_JobAttrDataFromBuf(JobAttrRecord* first, std::uint32_t jobHandle) {
    for (JobAttrRecord* record = first; record != nullptr; record = record->next) {
        if (record->jobHandle == jobHandle) {
            return record;
        }
    }
    return nullptr;
}
