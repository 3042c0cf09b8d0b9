// System error numbers as the channel reports them.
#include "transport/caio_errno.h"

#include <cerrno>

#include "transport/caio.h"

namespace {

struct ErrnoCode {
    int native;
    std::int32_t library;
};

// The numbers 1 to 34 other than 11 are the same in both numberings; the socket family moved.
constexpr ErrnoCode kErrnoCodes[] = {
    {EPERM, 1},
    {ENOENT, 2},
    {ESRCH, 3},
    {EINTR, 4},
    {EIO, 5},
    {ENXIO, 6},
    {E2BIG, 7},
    {ENOEXEC, 8},
    {EBADF, 9},
    {ECHILD, 10},
    {EDEADLK, 11},
    {ENOMEM, 12},
    {EACCES, 13},
    {EFAULT, 14},
    {ENOTBLK, 15},
    {EBUSY, kCaioCodeNotReady},
    {EEXIST, 17},
    {EXDEV, 18},
    {ENODEV, 19},
    {ENOTDIR, 20},
    {EISDIR, 21},
    {EINVAL, 22},
    {ENFILE, 23},
    {EMFILE, 24},
    {ENOTTY, 25},
    {ETXTBSY, 26},
    {EFBIG, 27},
    {ENOSPC, 28},
    {ESPIPE, 29},
    {EROFS, 30},
    {EMLINK, 31},
    {EPIPE, kCaioCodeBrokenPipe},
    {EDOM, 33},
    {ERANGE, 34},
    {EAGAIN, kCaioCodeTryAgain},
    {EINPROGRESS, 36},
    {EALREADY, 37},
    {ENOTSOCK, 38},
    {EDESTADDRREQ, 39},
    {EMSGSIZE, 40},
    {EPROTOTYPE, 41},
    {ENOPROTOOPT, 42},
    {EPROTONOSUPPORT, 43},
    {ESOCKTNOSUPPORT, 44},
    {EPFNOSUPPORT, 46},
    {EAFNOSUPPORT, 47},
    {EADDRINUSE, 48},
    {EADDRNOTAVAIL, 49},
    {ENETDOWN, 50},
    {ENETUNREACH, 51},
    {ENETRESET, 52},
    {ECONNABORTED, 53},
    {ECONNRESET, kCaioCodeReset},
    {ENOBUFS, 55},
    {EISCONN, 56},
    {ENOTCONN, 57},
    {ESHUTDOWN, 58},
    {ETOOMANYREFS, 59},
    {ETIMEDOUT, kCaioCodeTimedOut},
    {ECONNREFUSED, kCaioCodeRefused},
    {ELOOP, 62},
    {ENAMETOOLONG, 63},
    {EHOSTDOWN, 64},
    {EHOSTUNREACH, 65},
    {ENOTEMPTY, 66},
    {EOPNOTSUPP, 102},
};

}  // namespace

std::int32_t caioCodeFromErrno(int error) {
    for (const ErrnoCode& code : kErrnoCodes) {
        if (code.native == error) {
            return code.library;
        }
    }
    return 0;
}

std::int32_t caioStatusFromErrno(int error) {
    const std::int32_t code = caioCodeFromErrno(error);
    return code == 0 ? kCaioFailure : caioStatusFromCode(code);
}
