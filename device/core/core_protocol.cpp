// The protocol layer as the administration core reaches it.
#include "core/core_protocol.h"

const CoreProtocolLayer& CoreGetProtocolLayer() {
    return coreProtocolSeam().current();
}
