// The administration path of the core: one protocol session per administration context.
#pragma once

#include <cstdint>

#include "core/core_context.h"
#include "ticket/ticket_library.h"

/// Request kinds of CoreAdminOperate.
inline constexpr std::uint32_t kCoreAdminGet = 0;
inline constexpr std::uint32_t kCoreAdminSet = 1;
inline constexpr std::uint32_t kCoreAdminControl = 2;

/// Makes the administration state: 0; 1 without a context, when the state exists already or
/// its record cannot be made; 2 when the link or its signature cannot be made.
std::uint32_t CoreAdminInitialize(CoreContext* context);

/// Makes the control channel (once) and opens the protocol session on it (once: a started
/// context sends nothing more). Opening statuses 0 to 36 count as success; any other is mapped
/// and returned, and a channel made by this call is destroyed again. 1 without administration
/// state; 2 when the channel cannot be made.
std::uint32_t CoreAdminStart(CoreContext* context);

/// Runs one get, set or control request on the open session with the two tickets. 1 for a
/// missing argument or administration state or an unknown kind; 3 without an open session.
std::uint32_t CoreAdminOperate(CoreContext* context, std::uint32_t kind,
                               const TktLibTicket* request, TktLibTicket* result);

/// Closes the session and destroys the channel: 0; 1 without administration state.
std::uint32_t CoreAdminEnd(CoreContext* context);

/// Frees the administration state. It closes no session: CoreAdminEnd comes first.
void CoreAdminTerminate(CoreContext* context);
