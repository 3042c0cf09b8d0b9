// Wire forms of the job attribute values.
#include "qdxa/attribute_encoding.h"

#include <algorithm>
#include <span>

namespace {

// Job-start-2 attribute ids.
constexpr std::uint16_t kAttrJobKind = 240;
constexpr std::uint16_t kAttrCopyRange = 304;
constexpr std::uint16_t kAttrJobName = 4;
constexpr std::uint16_t kAttrOwner = 6;
constexpr std::uint16_t kAttrSubKind = 13;
constexpr std::uint16_t kAttrClientJob = 280;
constexpr std::uint16_t kAttrSubmissionTime = 9;

// A copy-range entry is 10 bytes: four zero bytes, the uint16 value, four zero bytes.
constexpr std::size_t kCopyRangePad = 4;
constexpr std::uint16_t kCopyRangeMax = 1;

void encodeText(bytes::ByteWriter& out, std::uint8_t length, const std::uint8_t* text) {
    out.u8(length);
    out.bytes(std::span(text, length));
}

void encodeZeros(bytes::ByteWriter& out, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        out.u8(0);
    }
}

// Appends one attribute of the list: its id, the length of what `encode` writes, the value.
template <typename Encode>
void appendAttribute(std::vector<std::uint8_t>& list, std::uint16_t id, Encode encode) {
    bytes::ByteWriter out(list);
    out.u16be(id);
    const std::size_t lengthAt = list.size();
    out.u16be(0);
    encode(out);
    bytes::storeBE16(list.data() + lengthAt,
                     static_cast<std::uint16_t>(list.size() - lengthAt - 2));
}

}  // namespace

void encodeValue(bytes::ByteWriter& out, std::uint8_t value) {
    out.u8(value);
}

void encodeValue(bytes::ByteWriter& out, std::uint16_t value) {
    out.u16be(value);
}

void encodeValue(bytes::ByteWriter& out, std::uint32_t value) {
    out.u32be(value);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_TextValue& value) {
    out.u16be(value.charSet);
    encodeText(out, value.length, value.text);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_ShortText& value) {
    encodeText(out, value.length, value.text);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_DateWords& value) {
    out.u32be(value.date);
    out.u32be(value.time);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_DocumentFormat& value) {
    out.u8(value.format);
    encodeValue(out, value.first);
    encodeValue(out, value.second);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_TrayArray& value) {
    const std::uint8_t count = std::min<std::uint8_t>(value.count, kTrayEntryMax);
    out.u8(count);
    for (std::uint8_t i = 0; i < count; ++i) {
        out.u8(value.entries[i].trayCode);
        out.u8(0);
        encodeValue(out, value.entries[i].name);
    }
}

void encodeValue(bytes::ByteWriter& out, const QDXA_Medium& value) {
    out.u8(value.mediaId);
    out.u8(value.marker);
    out.u16be(value.paperSize);
    out.u32be(value.width);
    out.u32be(value.length);
    out.u8(value.orientation);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_MediumTypeEx& value) {
    out.u8(value.kind);
    out.u16be(value.mediaType);
}

void encodeValue(bytes::ByteWriter& out, const QDXA_DetailMedia& value) {
    const std::uint8_t count = std::min<std::uint8_t>(value.count, kMediaDetailChoiceCount);
    out.u8(count);
    for (std::uint8_t i = 0; i < count; ++i) {
        out.u8(value.pairs[i][0]);
        out.u8(value.pairs[i][1]);
    }
}

std::uint16_t encodeJobStart2List(std::vector<std::uint8_t>& out,
                                  const QDXA_JobStart2Values& values) {
    std::uint16_t count = 0;
    const auto append = [&](std::uint16_t id, auto encode) {
        appendAttribute(out, id, encode);
        ++count;
    };
    append(kAttrJobKind, [&](bytes::ByteWriter& w) { w.u8(values.jobKind); });
    append(kAttrCopyRange, [&](bytes::ByteWriter& w) {
        const std::uint16_t entries = std::min(values.copyRangeCount, kCopyRangeMax);
        w.u8(values.printKind);
        w.u16be(entries);
        for (std::uint16_t i = 0; i < entries; ++i) {
            encodeZeros(w, kCopyRangePad);
            w.u16be(values.copyRangeValue);
            encodeZeros(w, kCopyRangePad);
        }
    });
    append(kAttrJobName, [&](bytes::ByteWriter& w) { encodeValue(w, values.name); });
    if (values.hasOwner != 0) {
        append(kAttrOwner, [&](bytes::ByteWriter& w) { encodeValue(w, values.owner); });
    }
    if (values.hasSubKind != 0) {
        append(kAttrSubKind, [&](bytes::ByteWriter& w) { w.u8(values.subKind); });
    }
    append(kAttrClientJob, [&](bytes::ByteWriter& w) {
        w.bytes(std::span(values.clientJobRecord, kClientJobRecordSize));
    });
    append(kAttrSubmissionTime,
           [&](bytes::ByteWriter& w) { encodeValue(w, values.submissionTime); });
    return count;
}
