// Shared helpers of the printer information queries and the setters.
#include "query/query_internal.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "glue/glue_error.h"
#include "glue/glue_operations.h"
#include "qdxa/qdxa_error.h"
#include "qdxa/qdxa_session.h"
#include "query/query_records.h"

namespace device {

std::int32_t AttributeReply::makeHandle(GlueSession& session) {
    size_ = 0;
    handle_.reset(Wqs_Mem_NewHandleClear(RecievePacketSize(session.packetSession)));
    return handle_ ? kGlueNoErr : kGlueMemErr;
}

std::int32_t AttributeReply::read(GlueSession& session, std::uint32_t object,
                                  std::uint16_t attribute) {
    const std::int32_t status = makeHandle(session);
    if (status != kGlueNoErr) {
        return status;
    }
    return glue_qdxaListAttributesOpen(&session, object, 1, &attribute, handle_.get(), &size_,
                                       nullptr);
}

std::int32_t AttributeReply::readByElement(GlueSession& session, std::uint32_t object,
                                           std::uint16_t attribute) {
    const std::int32_t status = makeHandle(session);
    if (status != kGlueNoErr) {
        return status;
    }
    return glue_qdxaListAttributesOpenGetListElement(&session, object, 1, &attribute, handle_.get(),
                                                     &size_, nullptr);
}

std::span<const std::uint8_t> AttributeReply::bytes() const {
    if (!handle_ || handle_->data == nullptr) {
        return {};
    }
    return {handle_->data, std::min(size_, handle_->size)};
}

std::span<const std::uint8_t> AttributeReply::from(std::size_t offset) const {
    const auto all = bytes();
    return offset < all.size() ? all.subspan(offset) : std::span<const std::uint8_t>();
}

std::int32_t Get2Reply::read(GlueSession& session, std::span<const std::uint32_t> objects,
                             std::uint16_t largestBatch,
                             std::span<const std::uint16_t> attributes) {
    size_ = 0;
    objects_ = 0;
    handle_.reset(Wqs_Mem_NewHandleClear(RecievePacketSize(session.packetSession)));
    if (!handle_) {
        return kGlueMemErr;
    }
    return glue_qdxaGet2_ForObjCount(&session, static_cast<std::uint16_t>(objects.size()),
                                     largestBatch, objects.data(),
                                     static_cast<std::uint16_t>(attributes.size()),
                                     attributes.data(), handle_.get(), &size_, &objects_);
}

std::span<const std::uint8_t> Get2Reply::bytes() const {
    if (!handle_ || handle_->data == nullptr) {
        return {};
    }
    return {handle_->data, std::min(size_, handle_->size)};
}

bool MethodAnswer::allocate(std::uint32_t capacity) {
    buffer_.reset(new (std::nothrow) std::uint8_t[capacity]());
    capacity_ = buffer_ ? capacity : 0;
    length_ = 0;
    return buffer_ != nullptr;
}

std::int32_t MethodAnswer::run(GlueSession& session, std::uint32_t object, std::uint16_t method,
                               std::span<const std::uint8_t> input) {
    length_ = 0;
    const auto inputLength = static_cast<std::uint16_t>(input.size());
    std::uint32_t answerLength = capacity_;
    const std::int32_t status = glue_qdxaExecuteMethod(
        &session, object, method, input.empty() ? nullptr : input.data(),
        input.empty() ? nullptr : &inputLength, buffer_.get(), &answerLength);
    if (status == kGlueNoErr) {
        length_ = std::min(answerLength, capacity_);
    }
    return status;
}

std::span<const std::uint8_t> MethodAnswer::bytes() const {
    return {buffer_.get(), length_};
}

bool queryReadString(bytes::ByteReader& reader, std::uint8_t* destination, std::uint8_t maximum) {
    bytes::ByteReader probe = reader;
    const auto length = probe.u8();
    if (!length) {
        return false;
    }
    const auto characters = probe.take(*length);
    if (!characters) {
        return false;
    }
    queryCopyString(*characters, destination, maximum);
    reader = probe;
    return true;
}

void queryCopyString(std::span<const std::uint8_t> characters, std::uint8_t* destination,
                     std::uint8_t maximum) {
    const auto length =
        static_cast<std::uint8_t>(std::min<std::size_t>(characters.size(), maximum));
    destination[0] = length;
    if (length != 0) {
        std::memcpy(destination + 1, characters.data(), length);
    }
}

std::int32_t querySizeValues(WqsMemHandle* handle, std::uint32_t count) {
    return Wqs_Mem_SetHandleSize(handle, count * sizeof(std::uint32_t));
}

void queryStoreValue(WqsMemHandle* handle, std::uint32_t index, std::uint32_t value) {
    std::memcpy(handle->data + index * sizeof value, &value, sizeof value);
}

std::uint32_t queryLoadValue(const WqsMemHandle* handle, std::uint32_t index) {
    std::uint32_t value = 0;
    std::memcpy(&value, handle->data + index * sizeof value, sizeof value);
    return value;
}

std::int32_t queryListObjects(GlueSession& session, std::uint16_t objectClass,
                              std::uint32_t selector, std::uint32_t parentId, std::uint32_t filter,
                              std::vector<std::uint32_t>& ids) {
    GlueHandle handle(Wqs_Mem_NewHandleClear(RecievePacketSize(session.packetSession)));
    if (!handle) {
        return kGlueMemErr;
    }
    std::uint32_t size = 0;
    std::uint16_t count = 0;
    const std::int32_t status = glue_qdxaListObjects2(&session, objectClass, selector, parentId,
                                                      filter, handle.get(), &size, &count);
    if (status != kGlueNoErr) {
        return status;
    }
    const std::uint32_t held =
        std::min<std::uint32_t>(count, std::min(size, handle->size) / sizeof(std::uint32_t));
    for (std::uint32_t index = 0; index < held; ++index) {
        ids.push_back(queryLoadValue(handle.get(), index));
    }
    return kGlueNoErr;
}

std::int32_t queryStoreList(WqsMemHandle* list, const void* records, std::uint32_t count,
                            std::uint32_t recordSize, std::uint32_t countBytes) {
    const std::int32_t status =
        Wqs_Mem_SetHandleSize(list, kQueryListHeaderSize + count * recordSize);
    if (status != kGlueNoErr) {
        return status;
    }
    std::memset(list->data, 0, kQueryListHeaderSize);
    const std::uint64_t wide = count;
    if (countBytes == sizeof wide) {
        std::memcpy(list->data, &wide, sizeof wide);
    } else {
        std::memcpy(list->data, &count, sizeof count);
    }
    if (count != 0) {
        std::memcpy(list->data + kQueryListHeaderSize, records, count * recordSize);
    }
    return kGlueNoErr;
}

bool queryLoadListRecord(const WqsMemHandle* list, std::uint32_t index, std::uint32_t recordSize,
                         std::uint32_t countBytes, void* record) {
    if (list == nullptr || list->data == nullptr || list->size < kQueryListHeaderSize) {
        return false;
    }
    std::uint64_t count = 0;
    if (countBytes == sizeof count) {
        std::memcpy(&count, list->data, sizeof count);
    } else {
        std::uint32_t narrow = 0;
        std::memcpy(&narrow, list->data, sizeof narrow);
        count = narrow;
    }
    const std::uint64_t held = (list->size - kQueryListHeaderSize) / recordSize;
    if (index >= count || index >= held) {
        return false;
    }
    std::memcpy(record, list->data + kQueryListHeaderSize + std::uint64_t{index} * recordSize,
                recordSize);
    return true;
}

std::int32_t queryNoInformationIsSuccess(std::int32_t status) {
    return checkQDXAError(status) ? kGlueNoErr : status;
}

}  // namespace device
