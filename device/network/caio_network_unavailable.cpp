// The network transport is not built yet: every network channel fails to be made, and any call
// on a network handle fails.
#include "transport/caio.h"

void* caiolibCreate(const char*) {
    return nullptr;
}

std::int32_t caiolibOpen(void*, std::int32_t, std::int32_t, std::uint8_t, CaioEventAddress*, char**,
                         std::int32_t) {
    return kCaioFailure;
}

std::int32_t caiolibRead(void*, std::int32_t, void*, std::uint64_t*, std::int32_t) {
    return kCaioFailure;
}

std::int32_t caiolibWrite(void*, std::int32_t, const void*, std::uint64_t*, std::int32_t) {
    return kCaioFailure;
}

std::int32_t caiolibClose(void*, std::int32_t) {
    return kCaioFailure;
}

void caiolibDestroy(void*) {}
