// What the controls share.
#pragma once

#include <cstdint>

#include "glue/glue_error.h"
#include "qdxa/qdxa_error.h"

namespace device {

/// A packet operation's status as a control result: the printer's 1 is success, every other
/// status is handed on.
inline std::int32_t controlStatus(std::int32_t status) {
    return status == kQDXASuccess ? kGlueNoErr : status;
}

}  // namespace device
