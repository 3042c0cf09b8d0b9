// Helpers that the printer information queries and the setters share: reading one attribute of
// one object, running one method of the printer object, and bounded reads of their answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "bytes/byte_order.h"
#include "glue/glue_internal.h"
#include "glue/glue_session.h"
#include "qdxa/qdxa_strings.h"

namespace device {

/// Answer buffer of the method queries and setters.
inline constexpr std::uint32_t kQueryMethodAnswerSize = 512;

/// One attribute of one object, read into a cleared handle of one receive buffer.
class AttributeReply {
  public:
    /// Reads `attribute` of `object` (glue_qdxaListAttributesOpen); 15851 when the handle
    /// cannot be made, else the read's status.
    std::int32_t read(GlueSession& session, std::uint32_t object, std::uint16_t attribute);
    /// The same through GetListElement alone.
    std::int32_t readByElement(GlueSession& session, std::uint32_t object, std::uint16_t attribute);
    /// The assembled bytes that arrived.
    std::span<const std::uint8_t> bytes() const;
    /// The bytes from `offset` on (empty when fewer arrived).
    std::span<const std::uint8_t> from(std::size_t offset) const;
    /// The value: the bytes after the attribute id.
    std::span<const std::uint8_t> value() const { return from(kValueOffset); }

    static constexpr std::size_t kValueOffset = 2;

  private:
    std::int32_t makeHandle(GlueSession& session);

    GlueHandle handle_;
    std::uint32_t size_ = 0;
};

/// Attributes of many objects, read with glue_qdxaGet2_ForObjCount into a handle of one
/// receive buffer.
class Get2Reply {
  public:
    /// Reads `attributes` of `objects` in batches of at most `largestBatch` objects; 15851 when
    /// the handle cannot be made, else the read's status.
    std::int32_t read(GlueSession& session, std::span<const std::uint32_t> objects,
                      std::uint16_t largestBatch, std::span<const std::uint16_t> attributes);
    /// The answers that arrived: per object u32 id, u16 attribute count, per attribute u16 id,
    /// u16 length, value.
    std::span<const std::uint8_t> bytes() const;
    /// Objects answered.
    std::uint16_t objects() const { return objects_; }

  private:
    GlueHandle handle_;
    std::uint32_t size_ = 0;
    std::uint16_t objects_ = 0;
};

/// An answer buffer of `capacity` bytes for a method, and the answer once it ran.
class MethodAnswer {
  public:
    /// false when the buffer cannot be allocated.
    bool allocate(std::uint32_t capacity);
    /// Runs `method` of `object` with `input` (no input when empty). The method's status.
    std::int32_t run(GlueSession& session, std::uint32_t object, std::uint16_t method,
                     std::span<const std::uint8_t> input);
    /// The answer bytes (empty before a successful run).
    std::span<const std::uint8_t> bytes() const;

  private:
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::uint32_t capacity_ = 0;
    std::uint32_t length_ = 0;
};

/// Reads fixed positions of an answer: each read stores the value only when the answer holds
/// all of its bytes, so a short answer leaves the remaining outputs as they were.
class AnswerFields {
  public:
    explicit AnswerFields(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    template <typename T>
    void u8(std::size_t position, T& out) const {
        if (position < bytes_.size()) {
            out = static_cast<T>(bytes_[position]);
        }
    }
    template <typename T>
    void u16(std::size_t position, T& out) const {
        if (holds(position, 2)) {
            out = static_cast<T>(bytes::loadBE16(bytes_.data() + position));
        }
    }
    template <typename T>
    void u32(std::size_t position, T& out) const {
        if (holds(position, 4)) {
            out = static_cast<T>(bytes::loadBE32(bytes_.data() + position));
        }
    }
    bool holds(std::size_t position, std::size_t count) const {
        return position <= bytes_.size() && count <= bytes_.size() - position;
    }
    std::span<const std::uint8_t> bytes() const { return bytes_; }

  private:
    std::span<const std::uint8_t> bytes_;
};

/// Reads a length-prefixed string at the reader's position into `destination` (a length byte
/// and at most `maximum` characters; longer strings are cut). False, with the destination
/// untouched and nothing consumed, when the string runs past the data.
bool queryReadString(bytes::ByteReader& reader, std::uint8_t* destination, std::uint8_t maximum);

/// Copies `characters` as a length-prefixed string of at most `maximum` characters.
void queryCopyString(std::span<const std::uint8_t> characters, std::uint8_t* destination,
                     std::uint8_t maximum);

/// Sizes `handle` to hold `count` 32-bit values; 0 or the handle's error.
std::int32_t querySizeValues(WqsMemHandle* handle, std::uint32_t count);
/// Stores a 32-bit value in host order at `index` of a handle of 32-bit values.
void queryStoreValue(WqsMemHandle* handle, std::uint32_t index, std::uint32_t value);
/// The 32-bit value at `index` of a handle of 32-bit values.
std::uint32_t queryLoadValue(const WqsMemHandle* handle, std::uint32_t index);

/// Walks Get2 answers (per object: u32 id, u16 attribute count, per attribute u16 id, u16
/// length, value) and calls visit(objectId, attributeId, value) for every attribute that the
/// data holds in full; the walk stops at the first that it does not.
template <typename Visit>
void queryForEachGet2Attribute(std::span<const std::uint8_t> data, std::uint16_t objects,
                               Visit visit) {
    bytes::ByteReader reader(data);
    for (std::uint16_t object = 0; object < objects; ++object) {
        const auto id = reader.u32be();
        const auto count = reader.u16be();
        if (!count) {
            return;
        }
        for (std::uint16_t index = 0; index < *count; ++index) {
            const auto attribute = reader.u16be();
            const auto length = reader.u16be();
            if (!length) {
                return;
            }
            const auto value = reader.take(*length);
            if (!value) {
                return;
            }
            visit(*id, *attribute, *value);
        }
    }
}

/// Decodes a document's kind attribute: kind byte, 16-bit word, two 32-bit values.
template <typename Word, typename Value>
void queryReadDocumentKind(const AnswerFields& fields, std::uint8_t& kind, Word& word,
                           Value* values) {
    fields.u8(0, kind);
    fields.u16(1, word);
    fields.u32(3, values[0]);
    fields.u32(7, values[1]);
}

/// Lists the objects of `objectClass` under `parentId` (glue_qdxaListObjects2) into `ids`.
/// 15851 when the reply handle cannot be made, else the listing's status.
std::int32_t queryListObjects(GlueSession& session, std::uint16_t objectClass,
                              std::uint32_t selector, std::uint32_t parentId, std::uint32_t filter,
                              std::vector<std::uint32_t>& ids);

/// A list of records in a memory handle: a count of `countBytes` (4 or 8) bytes in host order
/// at byte 0, then the records from byte 8.
/// Stores `count` records of `recordSize` bytes; 0 or the handle's error.
std::int32_t queryStoreList(WqsMemHandle* list, const void* records, std::uint32_t count,
                            std::uint32_t recordSize, std::uint32_t countBytes);
/// Copies record `index` out; false when the index is at or beyond the count or the handle
/// does not hold the record.
bool queryLoadListRecord(const WqsMemHandle* list, std::uint32_t index, std::uint32_t recordSize,
                         std::uint32_t countBytes, void* record);

/// A protocol status reported per request (checkQDXAError) means "no information": 0.
std::int32_t queryNoInformationIsSuccess(std::int32_t status);

}  // namespace device
