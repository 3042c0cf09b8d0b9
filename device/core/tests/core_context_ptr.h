// Owned core contexts for tests: each is deleted once, when the test's pointer ends.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "core/core_context.h"

namespace devicetest {

struct CoreContextDeleter {
    void operator()(CoreContext* context) const { CoreDeleteContext(context); }
};
using CoreContextPtr = std::unique_ptr<CoreContext, CoreContextDeleter>;

/// A context for `uri`, initialised by `initialise` (CoreJobInitialize or CoreAdminInitialize).
inline CoreContextPtr makeInitialisedContext(const char* uri,
                                             std::uint32_t (*initialise)(CoreContext*)) {
    CoreContextPtr context(CoreCreateContext(uri));
    EXPECT_NE(context, nullptr) << uri;
    EXPECT_EQ(initialise(context.get()), 0u) << uri;
    return context;
}

}  // namespace devicetest
