// The core context: one per job or administration handle, made from the printer's device URI.
#include "core/core_context.h"

#include <new>

#include "core/core_uri.h"

CoreContext* CoreCreateContext(const char* deviceURI) {
    if (deviceURI == nullptr) {
        return nullptr;
    }
    try {
        auto context = std::make_unique<CoreContext>();
        context->deviceURI = deviceURI;
        if (createUriForHxpd(deviceURI, &context->ioSignature) != 0) {
            return nullptr;
        }
        return context.release();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void CoreDeleteContext(CoreContext* context) {
    delete context;
}
