// The table from Linux errno values to the library's transport codes.
#include "network/network_errno.h"

#include <cerrno>
#include <utility>

#include "transport/caio.h"

namespace {

// {Linux errno, transport code}: the BSD number of the same error.
constexpr std::pair<int, std::int32_t> kErrnoCodes[] = {
    {EPERM, 1},
    {ENOENT, 2},
    {EINTR, 4},
    {EIO, 5},
    {EBADF, 9},
    {ENOMEM, 12},
    {EACCES, 13},
    {EFAULT, 14},
    {EINVAL, 22},
    {ENFILE, 23},
    {EMFILE, 24},
    {EPIPE, kCaioCodeBrokenPipe},
    {EDOM, 33},
    {EAGAIN, 35},
    {EINPROGRESS, 36},
    {EALREADY, 37},
    {ENOTSOCK, 38},
    {EDESTADDRREQ, 39},
    {EMSGSIZE, 40},
    {EPROTOTYPE, 41},
    {ENOPROTOOPT, 42},
    {EPROTONOSUPPORT, 43},
    {ESOCKTNOSUPPORT, 44},
    {EOPNOTSUPP, 45},
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
    {ETIMEDOUT, kCaioCodeTimedOut},
    {ECONNREFUSED, kCaioCodeRefused},
    {EHOSTDOWN, 64},
    {EHOSTUNREACH, 65},
};

}  // namespace

std::int32_t caiolibCodeFromErrno(int error) {
    for (const auto& [linuxError, code] : kErrnoCodes) {
        if (linuxError == error) {
            return code;
        }
    }
    return kCaioFailure;
}
