// Growable memory handles and the reply copies that the codec hands to its callers.
#pragma once

#include <cstdint>
#include <memory>

/// A data block and its byte size; made zero-filled, resized with realloc.
struct WqsMemHandle {
    std::uint8_t* data = nullptr;
    std::uint32_t size = 0;
};

/// A new zero-filled handle of `size` bytes (0 is taken as 1), or null when memory runs out.
WqsMemHandle* Wqs_Mem_NewHandle(std::uint32_t size);
/// The same as Wqs_Mem_NewHandle.
WqsMemHandle* Wqs_Mem_NewHandleClear(std::uint32_t size);
/// Stores the handle's byte size; 0, or 15850 without handle or out argument.
std::int32_t Wqs_Mem_GetHandleSize(const WqsMemHandle* handle, std::uint32_t* size);
/// Resizes the data (0 is taken as 1; a new tail is not cleared). 0; 15850 without a handle;
/// 15851 when the handle has no data or realloc fails (the old data then stays).
std::int32_t Wqs_Mem_SetHandleSize(WqsMemHandle* handle, std::uint32_t size);
/// Frees the handle and its data; null is ignored.
void Wqs_Mem_DisposeHandle(WqsMemHandle* handle);

/// A zero-filled reply copy of `size` modulo 65536 bytes (at least 1) in *pointer; 1, or 15851
/// (15850 without out argument). The caller frees it with QDXA_FreeMemory.
std::int32_t QDXA_AllocMemory(std::uint32_t size, void** pointer);
/// Frees a reply copy; null is ignored.
void QDXA_FreeMemory(void* pointer);

/// Frees a reply copy with QDXA_FreeMemory.
struct QDXAMemoryFree {
    void operator()(void* pointer) const { QDXA_FreeMemory(pointer); }
};
/// An owned reply copy made by QDXA_AllocMemory.
template <typename T>
using QDXAMemoryPtr = std::unique_ptr<T, QDXAMemoryFree>;
