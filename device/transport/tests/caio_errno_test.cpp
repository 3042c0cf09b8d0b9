// Native errno values reach callers only as the library's own error numbers.
#include <gtest/gtest.h>

#include <cerrno>
#include <set>

#include "transport/caio.h"
#include "transport/caio_errno.h"

namespace {

TEST(CaioErrno, SocketErrorsKeepTheLibraryNumbers) {
    const struct {
        int native;
        std::int32_t status;
    } cases[] = {
        {ECONNRESET, 4150},
        {ETIMEDOUT, 4156},
        {ECONNREFUSED, 4157},
        {EAGAIN, 4131},
        {EBUSY, 4112},
        {EPIPE, 4128},
        {EPERM, 4097},
        {EHOSTUNREACH, 0x1000 | 65},
        {ENETUNREACH, 0x1000 | 51},
        {EINPROGRESS, 0x1000 | 36},
        {EADDRINUSE, 0x1000 | 48},
        {ENOTCONN, 0x1000 | 57},
        {EDEADLK, 0x1000 | 11},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(caioStatusFromErrno(c.native), c.status) << "errno " << c.native;
    }
}

TEST(CaioErrno, UnknownValuesAreGeneralFailures) {
    EXPECT_EQ(caioStatusFromErrno(0), kCaioFailure);
    EXPECT_EQ(caioStatusFromErrno(ENOMEDIUM), kCaioFailure);
    EXPECT_EQ(caioStatusFromErrno(-4), kCaioFailure);
    EXPECT_EQ(caioCodeFromErrno(ENOMEDIUM), 0);
}

TEST(CaioErrno, NoTwoNativeValuesShareALibraryNumber) {
    std::set<std::int32_t> seen;
    for (int native = 1; native < 200; ++native) {
        const std::int32_t code = caioCodeFromErrno(native);
        if (code != 0) {
            EXPECT_TRUE(seen.insert(code).second) << "errno " << native << " → " << code;
        }
    }
    // The codes that the core tells apart are all reachable.
    for (std::int32_t code : {kCaioCodeNotReady, kCaioCodeBrokenPipe, kCaioCodeTryAgain,
                              kCaioCodeReset, kCaioCodeTimedOut, kCaioCodeRefused}) {
        EXPECT_TRUE(seen.contains(code)) << code;
    }
}

}  // namespace
