// The zero file-creation mask scope.
#include "registry/creation_mask.h"

#include <sys/stat.h>

namespace {

std::recursive_mutex& maskMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

}  // namespace

namespace device {

ZeroCreationMask::ZeroCreationMask() : serialised_(maskMutex()), saved_(::umask(0)) {}

ZeroCreationMask::~ZeroCreationMask() {
    ::umask(saved_);
}

}  // namespace device
