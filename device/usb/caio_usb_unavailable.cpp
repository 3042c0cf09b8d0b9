// The USB transport is not built yet: every USB channel fails to be made, and any call on a USB
// handle fails.
#include "transport/caio.h"

void* caioUSBlibCreate(const char*) {
    return nullptr;
}

std::int32_t caioUSBlibOpen(void*, std::int32_t, std::int32_t, std::uint8_t, CaioEventAddress*,
                            char**, std::int32_t) {
    return kCaioFailure;
}

std::int32_t caioUSBlibRead(void*, std::int32_t, void*, std::uint64_t*, std::int32_t) {
    return kCaioFailure;
}

std::int32_t caioUSBlibWrite(void*, std::int32_t, const void*, std::uint64_t*, std::int32_t) {
    return kCaioFailure;
}

std::int32_t caioUSBlibClose(void*, std::int32_t) {
    return kCaioFailure;
}

void caioUSBlibDestroy(void*) {}
