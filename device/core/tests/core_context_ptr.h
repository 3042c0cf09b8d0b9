// An owned core context for tests: deleted once, when the test's pointer ends.
#pragma once

#include <memory>

#include "core/core_context.h"

namespace devicetest {

struct CoreContextDeleter {
    void operator()(CoreContext* context) const { CoreDeleteContext(context); }
};
using CoreContextPtr = std::unique_ptr<CoreContext, CoreContextDeleter>;

}  // namespace devicetest
