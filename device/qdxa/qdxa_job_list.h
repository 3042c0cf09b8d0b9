// The decoded job list: one record per job of a concatenated Get2 answer, chained in reply
// order.
#pragma once

#include <cstdint>
#include <memory>

#include "qdxa/qdxa_date.h"
#include "qdxa/qdxa_memory.h"

/// Job attributes that the decoder stores.
inline constexpr std::uint16_t kJobAttrName = 4;
inline constexpr std::uint16_t kJobAttrOwner = 6;
inline constexpr std::uint16_t kJobAttrTime = 9;
inline constexpr std::uint16_t kJobAttr275 = 275;
inline constexpr std::uint16_t kJobAttr277 = 277;
inline constexpr std::uint16_t kJobAttrDetailName = 279;
inline constexpr std::uint16_t kJobAttr280 = 280;
inline constexpr std::uint16_t kJobAttr283 = 283;
inline constexpr std::uint16_t kJobAttr2006 = 2006;
inline constexpr std::uint16_t kJobAttr2007 = 2007;
inline constexpr std::uint16_t kJobAttr2018 = 2018;
inline constexpr std::uint16_t kJobAttr2027 = 2027;

inline constexpr std::uint32_t kJobNameMaxLength = 32;
inline constexpr std::uint32_t kJobDetailNameMaxLength = 255;
inline constexpr std::uint32_t kJobAttr280BlockSize = 64;
inline constexpr std::uint32_t kJobAttr280NameSize = 16;  ///< the block's last 16 bytes
inline constexpr std::uint32_t kJobIdListSlots = 16;      ///< up to 15 values, then 0

/// One job of a decoded job list, zero-filled when made. Strings are length-prefixed.
struct JobAttrRecord {
    std::uint32_t jobHandle = 0;
    std::uint8_t jobName[kJobNameMaxLength + 1] = {};
    std::uint32_t jobNameCode = 0;
    std::uint8_t jobDetailName[kJobDetailNameMaxLength + 1] = {};
    std::uint32_t jobDetailNameCode = 0;
    std::uint8_t jobOwner[kJobNameMaxLength + 1] = {};
    std::uint32_t jobOwnerCode = 0;
    std::uint8_t attr280Name[kJobNameMaxLength + 1] = {};
    std::uint8_t attr280Block[kJobAttr280BlockSize] = {};
    std::uint8_t attr283[3] = {};
    std::uint32_t attr283HighestCode = 0;  ///< the largest status code after the three bytes
    std::uint16_t attr2007 = 0;
    std::uint32_t attr275 = 0;
    std::uint32_t attr277 = 0;
    std::uint32_t attr2006 = 0;
    QDXADateTime jobTime;  ///< local time
    std::uint32_t list2018[kJobIdListSlots] = {};
    std::uint32_t list2027[kJobIdListSlots] = {};
    JobAttrRecord* next = nullptr;
};

/// Decodes `jobCount` jobs from the data handle (per job a u32 handle, a u16 attribute count,
/// then per attribute a u16 id, a u16 value length and the value) and appends one record per
/// job to the chain at *first. Decoding stops at the first job or attribute that does not fit
/// the data or its own value length; what was decoded stays. 0; 15850 for a missing argument;
/// 15851 when a record cannot be made (the whole chain is then freed and *first cleared).
std::int32_t get_JobAttrList_FromGet2(const WqsMemHandle* data, std::uint16_t jobCount,
                                      JobAttrRecord** first);

/// Frees a chain; null is ignored.
void dispose_JobAttrList(JobAttrRecord* first);

/// Frees a chain with dispose_JobAttrList.
struct JobAttrListDispose {
    void operator()(JobAttrRecord* first) const { dispose_JobAttrList(first); }
};
/// An owned chain of job records.
using JobAttrListPtr = std::unique_ptr<JobAttrRecord, JobAttrListDispose>;

/// Writes the non-zero job handles of the chain, in order, into `array` of `capacity` bytes.
/// 0; 15850 without array or count; 15851 when the array fills before the chain ends.
std::int32_t get_ObjectHandleListFromBuf(const JobAttrRecord* first, std::uint32_t* array,
                                         std::uint16_t* count, std::uint32_t capacity);

/// The first record with that job handle, or null.
JobAttrRecord* search_JobAttrDataFromBuf(JobAttrRecord* first, std::uint32_t jobHandle);
