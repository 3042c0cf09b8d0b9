// The job sender's events and records.
#include "job_sender_events.h"

#include <algorithm>
#include <cstring>

#include "bytes/byte_order.h"

namespace jobsender {
namespace {

using events::Event;

Event eventOf(events::FourCharCode eventClass, events::FourCharCode eventId) {
    Event event;
    event.eventClass = eventClass;
    event.eventId = eventId;
    return event;
}

template <typename Record>
std::span<const std::uint8_t> bytesOf(const Record& record) {
    return {reinterpret_cast<const std::uint8_t*>(&record), sizeof(record)};
}

Event jobIdEvent(events::FourCharCode eventId, events::FourCharCode type, std::uint32_t jobID) {
    Event event = eventOf(kClassJobSender, eventId);
    JobIdRecord record{};
    bytes::storeBE32(record.jobID, jobID);
    event.putParameter(events::kKeyDirectObject, type, bytesOf(record));
    return event;
}

bool isContinuationByte(char byte) {
    constexpr unsigned char kMask = 0xC0;
    constexpr unsigned char kContinuation = 0x80;
    return (static_cast<unsigned char>(byte) & kMask) == kContinuation;
}

JobEntry entryOf(const JobDataRecord& record) {
    JobEntry entry;
    entry.jobID = bytes::loadBE32(record.jobID);
    entry.jobName = fieldText(record.jobName, kTextFieldBytes);
    entry.printerName = fieldText(record.printerName, kTextFieldBytes);
    entry.copies = bytes::loadBE32(record.copies);
    entry.comment = fieldText(record.comment, kTextFieldBytes);
    entry.state = bytes::loadBE32(record.state);
    entry.progress = static_cast<std::int32_t>(bytes::loadBE32(record.progress));
    return entry;
}

JobDataRecord recordOf(const JobEntry& entry) {
    JobDataRecord record{};
    bytes::storeBE32(record.jobID, entry.jobID);
    fillTextField(record.jobName, kTextFieldBytes, entry.jobName);
    fillTextField(record.printerName, kTextFieldBytes, entry.printerName);
    bytes::storeBE32(record.copies, entry.copies);
    fillTextField(record.comment, kTextFieldBytes, entry.comment);
    bytes::storeBE32(record.state, entry.state);
    bytes::storeBE32(record.progress, static_cast<std::uint32_t>(entry.progress));
    return record;
}

}  // namespace

Event newJobEvent(std::uint32_t jobID) {
    return jobIdEvent(kEventNewJob, kTypeNewJob, jobID);
}

Event jobEndEvent(std::uint32_t jobID, bool cancelled) {
    Event event = eventOf(kClassJobSender, kEventJobEnd);
    JobEndRecord record{};
    bytes::storeBE32(record.jobID, jobID);
    record.cancelled = cancelled ? 1 : 0;
    event.putParameter(events::kKeyDirectObject, kTypeJobEnd, bytesOf(record));
    return event;
}

Event deleteJobEvent(std::uint32_t jobID) {
    return jobIdEvent(kEventDelete, kTypeDeleteJob, jobID);
}

Event stopEvent() {
    return eventOf(kClassJobSender, kEventStop);
}

Event restartEvent() {
    return eventOf(kClassJobSender, kEventRestart);
}

Event getInfoEvent() {
    Event event = eventOf(kClassJobSender, kEventGetInfo);
    event.wantsReply = true;
    return event;
}

Event openApplicationEvent(std::optional<std::int32_t> flags) {
    Event event = eventOf(events::kClassCore, kEventOpenApplication);
    if (flags) {
        std::uint8_t value[sizeof(std::int32_t)];
        std::memcpy(value, &*flags, sizeof(value));  // host order
        event.putParameter(events::kKeyDirectObject, events::kTypeLong, value);
    }
    return event;
}

Event quitEvent() {
    return eventOf(events::kClassCore, kEventQuit);
}

std::optional<std::uint32_t> readJobId(std::span<const std::uint8_t> value) {
    if (value.size() != sizeof(JobIdRecord)) {
        return std::nullopt;
    }
    return bytes::loadBE32(value.data());
}

std::optional<std::pair<std::uint32_t, bool>> readJobEnd(std::span<const std::uint8_t> value) {
    if (value.size() != sizeof(JobEndRecord)) {
        return std::nullopt;
    }
    return std::pair{bytes::loadBE32(value.data()), value[offsetof(JobEndRecord, cancelled)] == 1};
}

std::optional<std::int32_t> readLong(std::span<const std::uint8_t> value) {
    std::int32_t flags = 0;
    if (value.size() != sizeof(flags)) {
        return std::nullopt;
    }
    std::memcpy(&flags, value.data(), sizeof(flags));
    return flags;
}

void putJobList(Event& reply, const JobListReply& list) {
    const std::size_t count = std::min(list.jobs.size(), kMaxJobRecords);
    JobInfoRecord head{};
    bytes::storeBE32(head.count, static_cast<std::uint32_t>(count));
    head.stopped = list.stopped ? 1 : 0;
    reply.putParameter(events::kKeyDirectObject, kTypeJobInfo, bytesOf(head));
    std::vector<std::uint8_t> records;
    records.reserve(count * sizeof(JobDataRecord));
    for (std::size_t i = 0; i < count; ++i) {
        const JobDataRecord record = recordOf(list.jobs[i]);
        const auto bytes = bytesOf(record);
        records.insert(records.end(), bytes.begin(), bytes.end());
    }
    reply.putAttribute(events::kKeyDirectObject, kTypeJobData, records);
}

std::optional<JobListReply> readJobList(const Event& reply) {
    const auto head = reply.parameter(events::kKeyDirectObject, kTypeJobInfo);
    const auto records = reply.attribute(events::kKeyDirectObject, kTypeJobData);
    if (!head || head->size() != sizeof(JobInfoRecord) || !records) {
        return std::nullopt;
    }
    const std::uint32_t count = bytes::loadBE32(head->data());
    if (count > kMaxJobRecords || records->size() != count * sizeof(JobDataRecord)) {
        return std::nullopt;
    }
    JobListReply list;
    list.stopped = (*head)[offsetof(JobInfoRecord, stopped)] == 1;
    for (std::uint32_t i = 0; i < count; ++i) {
        JobDataRecord record;
        std::memcpy(&record, records->data() + i * sizeof(JobDataRecord), sizeof(record));
        list.jobs.push_back(entryOf(record));
    }
    return list;
}

void fillTextField(char* field, std::size_t size, std::string_view text) {
    if (size == 0) {
        return;
    }
    std::size_t length = text.size();
    if (length >= size) {
        length = size - 1;
        while (length > 0 && isContinuationByte(text[length])) {
            --length;
        }
    }
    std::memset(field, 0, size);
    std::memcpy(field, text.data(), length);
}

std::string_view fieldText(const char* field, std::size_t size) {
    return {field, strnlen(field, size)};
}

}  // namespace jobsender
