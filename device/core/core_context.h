// The core context: one per job or administration handle, made from the printer's device URI.
//
// Job path: CoreCreateContext, CoreJobInitialize, CoreJobStart, any number of CoreJobWrite,
// CoreJobEnd, CoreJobTerminate, CoreDeleteContext.
// Administration path: CoreCreateContext, CoreAdminInitialize, CoreAdminStart, any number of
// CoreAdminOperate, CoreAdminEnd, CoreAdminTerminate, CoreDeleteContext.
// Every operation returns a core result code (core/core_error.h); a context is used by one
// thread at a time, and the core takes no locks of its own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "transport/caio_channel.h"

struct GlueSession;

/// AdminLink flag: a protocol session is open.
inline constexpr std::uint32_t kAdminLinkSessionOpen = 0x1;

/// The administration path's link to the printer.
struct AdminLink {
    std::string signature;                     ///< the context's IO signature
    std::optional<std::string> openSignature;  ///< copy handed to the channel and the session
    CaioChannelPtr transport;                  ///< made by the first start
    std::uint32_t flags = 0;                   ///< kAdminLinkSessionOpen
    GlueSession* session = nullptr;            ///< the open protocol session
};

/// The administration state of a context.
struct BidiContext {
    std::unique_ptr<AdminLink> link;
};

struct CoreContext {
    std::string deviceURI;
    std::string ioSignature;             ///< channel address made from the URI
    std::unique_ptr<BidiContext> admin;  ///< administration contexts only
    std::uint32_t channel = 0;           ///< the channel's open mode; the job path sets 0
    CaioChannelPtr transport;            ///< the job path's print-data channel
};

/// A new context for the device URI; null when the URI is missing or cannot be translated
/// (see createUriForHxpd), or memory runs out.
CoreContext* CoreCreateContext(const char* deviceURI);

/// Frees the context and whatever channel it still holds; a null context is ignored.
void CoreDeleteContext(CoreContext* context);
