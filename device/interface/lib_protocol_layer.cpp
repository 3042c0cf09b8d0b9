// Binds the administration core to the library's own protocol operations.
#include "admin/admin_requests.h"
#include "core/core_protocol.h"
#include "glue/glue_session.h"

namespace {

constexpr CoreProtocolLayer kLibraryLayer{glue_qdxaOpen, glue_qdxaClose, AdminGetInfo, AdminSetInfo,
                                          AdminControlInfo};

}  // namespace

seam::Seam<CoreProtocolLayer>& coreProtocolSeam() {
    static seam::Seam<CoreProtocolLayer> layer(kLibraryLayer);
    return layer;
}
