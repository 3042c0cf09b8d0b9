// The administration path of the core: one protocol session per administration context.
#include "core/core_admin.h"

#include <new>

#include "core/core_error.h"
#include "core/core_protocol.h"
#include "glue/glue_error.h"
#include "glue/glue_session.h"

namespace {

// Opening statuses up to this one are per-request protocol statuses, which leave the session
// usable.
constexpr std::int32_t kLastUsableOpenStatus = 36;

AdminLink* linkOf(CoreContext* context) {
    return context == nullptr || context->admin == nullptr ? nullptr : context->admin->link.get();
}

std::uint32_t bidiContextInitialize(CoreContext* context) {
    if (context == nullptr || context->admin != nullptr) {
        return kCoreParamErr;
    }
    std::unique_ptr<BidiContext> bidi(new (std::nothrow) BidiContext);
    if (bidi == nullptr) {
        return kCoreParamErr;
    }
    try {
        bidi->link = std::make_unique<AdminLink>();
        bidi->link->signature = context->ioSignature;
    } catch (const std::bad_alloc&) {
        return kCoreMemErr;
    }
    context->admin = std::move(bidi);
    return kCoreNoErr;
}

bool sessionStatusUsable(std::int32_t status) {
    return status >= kGlueNoErr && status <= kLastUsableOpenStatus;
}

std::uint32_t LocalQdxaOpen(AdminLink* link) {
    if (link == nullptr || link->signature.empty()) {
        return kCoreParamErr;
    }
    try {
        if (!link->openSignature) {
            link->openSignature = link->signature;
        }
    } catch (const std::bad_alloc&) {
        return kCoreMemErr;
    }
    bool madeNow = false;
    if (link->transport == nullptr) {
        link->transport.reset(caioCreate(link->openSignature->c_str()));
        if (link->transport == nullptr) {
            return kCoreMemErr;
        }
        madeNow = true;
    }
    if ((link->flags & kAdminLinkSessionOpen) != 0) {
        return kCoreNoErr;
    }
    GlueSession* session = nullptr;
    const std::int32_t status = CoreGetProtocolLayer().open(
        link->openSignature->c_str(), link->transport.get(), qdxa::kChannelKindControl, &session);
    if (sessionStatusUsable(status)) {
        link->session = session;
        link->flags |= kAdminLinkSessionOpen;
        return kCoreNoErr;
    }
    if (madeNow) {
        link->transport.reset();
    }
    return ConvertGlueErrToCoreErr(status);
}

void LocalQdxaClose(AdminLink& link) {
    if ((link.flags & kAdminLinkSessionOpen) != 0) {
        CoreGetProtocolLayer().close(&link.session, 0);
        link.flags &= ~kAdminLinkSessionOpen;
    }
    if (link.flags == 0) {
        link.transport.reset();
    }
}

}  // namespace

std::uint32_t CoreAdminInitialize(CoreContext* context) {
    return bidiContextInitialize(context);
}

std::uint32_t CoreAdminStart(CoreContext* context) {
    if (context == nullptr || context->admin == nullptr) {
        return kCoreParamErr;
    }
    return LocalQdxaOpen(linkOf(context));
}

std::uint32_t CoreAdminOperate(CoreContext* context, std::uint32_t kind,
                               const TktLibTicket* request, TktLibTicket* result) {
    AdminLink* link = linkOf(context);
    if (link == nullptr || request == nullptr || result == nullptr) {
        return kCoreParamErr;
    }
    if ((link->flags & kAdminLinkSessionOpen) == 0 || link->session == nullptr) {
        return kCoreNoSessionErr;
    }
    const CoreProtocolLayer& layer = CoreGetProtocolLayer();
    switch (kind) {
        case kCoreAdminGet:
            return layer.getInfo(link->session, request, result);
        case kCoreAdminSet:
            return layer.setInfo(link->session, request, result);
        case kCoreAdminControl:
            return layer.controlInfo(link->session, request, result);
        default:
            return kCoreParamErr;
    }
}

std::uint32_t CoreAdminEnd(CoreContext* context) {
    AdminLink* link = linkOf(context);
    if (link == nullptr) {
        return kCoreParamErr;
    }
    LocalQdxaClose(*link);
    return kCoreNoErr;
}

void CoreAdminTerminate(CoreContext* context) {
    if (context != nullptr) {
        context->admin.reset();
    }
}
