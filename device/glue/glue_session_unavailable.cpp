// Protocol sessions are not built yet: no session can be opened.
#include "glue/glue_error.h"
#include "glue/glue_session.h"

std::int32_t glue_qdxaOpen(const char*, void*, std::uint8_t, GlueSession**) {
    return kGlueFailure;
}

std::int32_t glue_qdxaClose(GlueSession** session, std::uint8_t) {
    return session == nullptr || *session == nullptr ? kGlueNoErr : kGlueFailure;
}
