// The LibConnector functions: the library interface's wrappers of the job and administration
// core. Each returns a library status: the core's result converted by LocalConvertCoreError,
// 10553 for a missing argument, 10554 when no core context can be made.
#pragma once

#include <cstdint>

#include "address/printer_address.h"
#include "core/core_context.h"
#include "ticket/ticket_library.h"

/// Makes a core context for the address's device URI and starts a job on it: on LPR (or USB
/// channel 16) when `useChannel` is false, else on the TCP port or USB channel `channel`. On
/// failure no context is left.
std::uint32_t LibConnectorJobOpen(CoreContext** context, CLibPrinterAddress* address,
                                  std::uint32_t channel, bool useChannel);

/// Sends `*length` bytes; `*length` comes back as the bytes taken.
std::uint32_t LibConnectorJobSend(CoreContext* context, const void* data, std::uint32_t* length);

/// Ends the job and deletes the context, whatever the end returned.
std::uint32_t LibConnectorJobClose(CoreContext* context);

/// Makes a core context for the address's device URI and opens its administration session. On
/// failure no context is left.
std::uint32_t LibConnectorAdminOpen(CoreContext** context, CLibPrinterAddress* address);

std::uint32_t LibConnectorAdminGetInfo(CoreContext* context, const TktLibTicket* request,
                                       TktLibTicket* response);
std::uint32_t LibConnectorAdminSetInfo(CoreContext* context, const TktLibTicket* request,
                                       TktLibTicket* response);
std::uint32_t LibConnectorAdminControlInfo(CoreContext* context, const TktLibTicket* request,
                                           TktLibTicket* response);

/// Closes the session and deletes the context, whatever the close returned.
std::uint32_t LibConnectorAdminClose(CoreContext* context);
