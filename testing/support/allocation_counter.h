// Counts the heap allocations the current thread makes: malloc, calloc, realloc, the aligned
// forms and every operator new, in the program and in the libraries it loads. Link the
// `allocation_counter` library into the test program that uses it.
#pragma once

namespace testsupport {

/// Counts while it lives; counters do not nest.
class AllocationCounter {
  public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    int count() const { return count_; }

  private:
    int count_ = 0;
};

}  // namespace testsupport
