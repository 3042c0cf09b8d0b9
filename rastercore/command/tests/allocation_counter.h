// Counts the calling thread's operator new calls while a counter is alive. The program's
// replacement operator new and delete live in allocation_counter.cpp, a translation unit of their
// own, so no caller ever sees (and inlines) their bodies.
#pragma once

namespace commandtest {

class AllocationCounter {
  public:
    AllocationCounter();
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

    /// operator new calls of this thread since the counter was made.
    int count() const;
};

}  // namespace commandtest
