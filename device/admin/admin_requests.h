// The administration request handlers: get, set and control requests expressed as tickets.
//
// Each serves the keys present in the request ticket on an open protocol session, writes its
// answers into the result ticket, and returns a core result code (1 for a missing argument).
#pragma once

#include <cstdint>

#include "ticket/ticket_library.h"

struct GlueSession;

std::uint32_t AdminGetInfo(GlueSession* session, const TktLibTicket* request, TktLibTicket* result);
std::uint32_t AdminSetInfo(GlueSession* session, const TktLibTicket* request, TktLibTicket* result);
std::uint32_t AdminControlInfo(GlueSession* session, const TktLibTicket* request,
                               TktLibTicket* result);
