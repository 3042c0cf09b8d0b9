// Handles: a pointer-sized block holding a pointer to a zeroed data block.
#pragma once

#include <cstddef>

using Handle = char**;

class KMEM {
  public:
    /// A handle whose block is `size` zeroed bytes; null when either allocation fails.
    static Handle k_NewHandle(int kind, std::size_t size);
    /// Frees the handle's block and the handle; the caller's pointer is left as it was.
    static void k_DisposHandle(int kind, Handle* handle);
};
