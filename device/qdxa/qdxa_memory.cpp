// Growable memory handles and reply copies.
#include "qdxa/qdxa_memory.h"

#include <cstdlib>
#include <new>

#include "qdxa/qdxa_error.h"

namespace {

// Reply copies are sized by a 16-bit count.
constexpr std::uint32_t kReplyCopySizeModulus = 0x10000;

std::uint32_t atLeastOne(std::uint32_t size) {
    return size == 0 ? 1 : size;
}

}  // namespace

WqsMemHandle* Wqs_Mem_NewHandle(std::uint32_t size) {
    auto* handle = new (std::nothrow) WqsMemHandle;
    if (handle == nullptr) {
        return nullptr;
    }
    handle->size = atLeastOne(size);
    handle->data = static_cast<std::uint8_t*>(std::calloc(handle->size, 1));
    if (handle->data == nullptr) {
        delete handle;
        return nullptr;
    }
    return handle;
}

WqsMemHandle* Wqs_Mem_NewHandleClear(std::uint32_t size) {
    return Wqs_Mem_NewHandle(size);
}

std::int32_t Wqs_Mem_GetHandleSize(const WqsMemHandle* handle, std::uint32_t* size) {
    if (handle == nullptr || size == nullptr) {
        return kQDXAMissingArgument;
    }
    *size = handle->size;
    return kQDXANoErr;
}

std::int32_t Wqs_Mem_SetHandleSize(WqsMemHandle* handle, std::uint32_t size) {
    if (handle == nullptr) {
        return kQDXAMissingArgument;
    }
    if (handle->data == nullptr) {
        return kQDXAOutOfMemory;
    }
    void* grown = std::realloc(handle->data, atLeastOne(size));
    if (grown == nullptr) {
        return kQDXAOutOfMemory;
    }
    handle->data = static_cast<std::uint8_t*>(grown);
    handle->size = atLeastOne(size);
    return kQDXANoErr;
}

void Wqs_Mem_DisposeHandle(WqsMemHandle* handle) {
    if (handle == nullptr) {
        return;
    }
    std::free(handle->data);
    delete handle;
}

std::int32_t QDXA_AllocMemory(std::uint32_t size, void** pointer) {
    if (pointer == nullptr) {
        return kQDXAMissingArgument;
    }
    *pointer = std::calloc(atLeastOne(size % kReplyCopySizeModulus), 1);
    return *pointer == nullptr ? kQDXAOutOfMemory : kQDXASuccess;
}

void QDXA_FreeMemory(void* pointer) {
    std::free(pointer);
}
