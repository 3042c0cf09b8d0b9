// The protocol layer as the administration core reaches it.
#include "core/core_protocol.h"

#include <atomic>

#include "admin/admin_requests.h"
#include "glue/glue_session.h"

namespace {

constexpr CoreProtocolLayer kLibraryLayer{glue_qdxaOpen, glue_qdxaClose, AdminGetInfo, AdminSetInfo,
                                          AdminControlInfo};

std::atomic<const CoreProtocolLayer*> replacementLayer{nullptr};

}  // namespace

const CoreProtocolLayer& CoreGetProtocolLayer() {
    const CoreProtocolLayer* replacement = replacementLayer.load();
    return replacement != nullptr ? *replacement : kLibraryLayer;
}

void CoreReplaceProtocolLayer(const CoreProtocolLayer* layer) {
    replacementLayer.store(layer);
}
