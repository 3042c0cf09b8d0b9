// The operation queue as the library interface reaches it.
#include "interface/lib_queue.h"

#include <atomic>

namespace {

constexpr LibQueueLayer kLibraryLayer{LocalStartQueuing,     LocalStopQueuing,
                                      LocalEnqueue,          LocalWaitForTaskComplete,
                                      LocalPauseAdminThread, LocalResumeAdminThread};

std::atomic<const LibQueueLayer*> replacementLayer{nullptr};

}  // namespace

const LibQueueLayer& LibGetQueueLayer() {
    const LibQueueLayer* replacement = replacementLayer.load();
    return replacement != nullptr ? *replacement : kLibraryLayer;
}

void LibReplaceQueueLayer(const LibQueueLayer* layer) {
    replacementLayer.store(layer);
}
