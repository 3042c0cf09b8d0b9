// The administration request handlers are not built yet: every request fails.
#include "admin/admin_requests.h"
#include "core/core_error.h"

std::uint32_t AdminGetInfo(GlueSession*, const TktLibTicket*, TktLibTicket*) {
    return kCoreUnknownErr;
}

std::uint32_t AdminSetInfo(GlueSession*, const TktLibTicket*, TktLibTicket*) {
    return kCoreUnknownErr;
}

std::uint32_t AdminControlInfo(GlueSession*, const TktLibTicket*, TktLibTicket*) {
    return kCoreUnknownErr;
}
