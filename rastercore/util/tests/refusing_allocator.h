// The core's allocator for one run of a test: it refuses the request numbered `refused` (counted
// from 0) and grants every other from calloc, so that a test can make each allocation of a step
// fail in turn.
#pragma once

#include <cstdlib>

#include "seam/seam.h"
#include "util/memory.h"

class RefusingAllocator {
  public:
    explicit RefusingAllocator(int refused) : refused_(refused) {}
    RefusingAllocator(const RefusingAllocator&) = delete;
    RefusingAllocator& operator=(const RefusingAllocator&) = delete;

    /// Whether the refused request was made.
    bool refusedOne() const { return requests_ > refused_; }

  private:
    int refused_;
    int requests_ = 0;
    CoreAllocator allocator_{[this](std::size_t count, std::size_t size) -> void* {
        return requests_++ == refused_ ? nullptr : std::calloc(count, size);
    }};
    seam::ScopedOverride<CoreAllocator> override_{coreAllocator(), allocator_};
};
