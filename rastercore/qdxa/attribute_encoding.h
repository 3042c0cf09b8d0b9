// Wire forms of the job attribute values: every integer big-endian, texts and lists behind
// their length or count bytes. Counts and lengths are bounded by the record's arrays, so a value
// can never make the encoder read past its record.
#pragma once

#include <cstdint>
#include <vector>

#include "bytes/byte_order.h"
#include "record/qdxa_info.h"

void encodeValue(bytes::ByteWriter& out, std::uint8_t value);
void encodeValue(bytes::ByteWriter& out, std::uint16_t value);
void encodeValue(bytes::ByteWriter& out, std::uint32_t value);
void encodeValue(bytes::ByteWriter& out, const QDXA_TextValue& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_ShortText& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_DateWords& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_DocumentFormat& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_TrayArray& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_Medium& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_MediumTypeEx& value);
void encodeValue(bytes::ByteWriter& out, const QDXA_DetailMedia& value);

/// The job-start-2 attribute list ({uint16 id; uint16 length; value} each) into `out`; returns
/// the number of attributes written.
std::uint16_t encodeJobStart2List(std::vector<std::uint8_t>& out,
                                  const QDXA_JobStart2Values& values);
