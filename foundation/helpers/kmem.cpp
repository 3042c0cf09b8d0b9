#include "helpers/kmem.h"

#include <cstdlib>

Handle KMEM::k_NewHandle(int /*kind*/, std::size_t size) {
    auto handle = static_cast<Handle>(std::calloc(1, sizeof(char*)));
    if (handle == nullptr) {
        return nullptr;
    }
    *handle = static_cast<char*>(std::calloc(size == 0 ? 1 : size, 1));
    if (*handle == nullptr) {
        std::free(handle);
        return nullptr;
    }
    return handle;
}

void KMEM::k_DisposHandle(int /*kind*/, Handle* handle) {
    if (handle == nullptr || *handle == nullptr) {
        return;
    }
    std::free(**handle);
    std::free(*handle);
}
