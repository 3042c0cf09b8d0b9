// Linux errno values become the library's transport codes and channel statuses.
#include <gtest/gtest.h>

#include <cerrno>

#include "network/caiolib_internal.h"

namespace {

struct ErrnoCase {
    int error;
    std::int32_t status;
};

TEST(NetworkErrno, LinuxNumbersBecomeTheLibrarysStatuses) {
    const ErrnoCase cases[] = {
        {ECONNRESET, 4150},
        {ETIMEDOUT, 4156},
        {ECONNREFUSED, 4157},
        {EPIPE, 4128},
        {EPERM, 4097},
        {EHOSTUNREACH, 4161},
        {ENETUNREACH, 4147},
        {EADDRINUSE, 4144},
        {EAGAIN, 4131},
        {EINPROGRESS, 4132},
        {EMFILE, 4120},
        {EACCES, 4109},
        // Linux's ENOTCONN is 107; it must not read as the library's immediate refusal (4203).
        {ENOTCONN, 4153},
    };
    for (const ErrnoCase& c : cases) {
        EXPECT_EQ(caiolibStatus(caiolibCodeFromErrno(c.error)), c.status) << "errno " << c.error;
    }
}

TEST(NetworkErrno, UnknownOrNoErrorIsAFailureWithoutCode) {
    EXPECT_EQ(caiolibCodeFromErrno(0), kCaioFailure);
    EXPECT_EQ(caiolibCodeFromErrno(ENOTRECOVERABLE), kCaioFailure);
    EXPECT_EQ(caiolibCodeFromErrno(-5), kCaioFailure);
}

TEST(NetworkErrno, StatusKeepsSuccessAndFailureAndMarksCodes) {
    EXPECT_EQ(caiolibStatus(kCaioNoErr), kCaioNoErr);
    EXPECT_EQ(caiolibStatus(kCaioFailure), kCaioFailure);
    EXPECT_EQ(caiolibStatus(kCaioCodeNotConnected), 4203);
    EXPECT_EQ(caiolibStatus(kCaioCodeTimedOut), 4156);
}

}  // namespace
