// Under AddressSanitizer every allocation reaches the program's allocation hook; otherwise the
// program's own malloc family stands in front of the C library's.
#include "support/allocation_counter.h"

#include <cstddef>

namespace {

thread_local int* counting = nullptr;

void noteAllocation() {
    if (counting != nullptr) {
        ++*counting;
    }
}

}  // namespace

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime calls this hook of the program, when it has one, on every allocation.
extern "C" __attribute__((visibility("default"))) void __sanitizer_malloc_hook(const volatile void*,
                                                                               std::size_t) {
    noteAllocation();
}
#else
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) {
    noteAllocation();
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    noteAllocation();
    return __libc_calloc(count, size);
}
void* realloc(void* block, std::size_t size) {
    noteAllocation();
    return __libc_realloc(block, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    noteAllocation();
    return __libc_memalign(alignment, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    noteAllocation();
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** block, std::size_t alignment, std::size_t size) {
    noteAllocation();
    *block = __libc_memalign(alignment, size);
    return *block != nullptr ? 0 : 12;  // ENOMEM
}
}
#endif

namespace testsupport {

AllocationCounter::AllocationCounter() {
    counting = &count_;
}

AllocationCounter::~AllocationCounter() {
    counting = nullptr;
}

}  // namespace testsupport
