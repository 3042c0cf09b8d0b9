// The operation queue as the library interface reaches it.
#include "interface/lib_queue.h"

namespace {

constexpr LibQueueLayer kLibraryLayer{LocalStartQueuing,     LocalStopQueuing,
                                      LocalEnqueue,          LocalWaitForTaskComplete,
                                      LocalPauseAdminThread, LocalResumeAdminThread};

}  // namespace

seam::Seam<LibQueueLayer>& libQueueSeam() {
    static seam::Seam<LibQueueLayer> layer(kLibraryLayer);
    return layer;
}
