// IO signatures of transport address strings and the endpoint kinds they stand for.
#include <cstring>
#include <new>

#include "glue/glue_error.h"
#include "glue/glue_internal.h"
#include "glue/glue_session.h"

namespace {

// "net:" comes before "net6:"; neither is a prefix of the other.
constexpr const char* kSignatures[] = {"net:", "net6:", "mdns:", "usb://", "notuse:"};

struct EndpointKind {
    const char* signature;
    std::uint16_t kind;
};
constexpr EndpointKind kEndpointKinds[] = {
    {"net:", kGlueEndpointNet}, {"net6:", kGlueEndpointNet6}, {"usb://", kGlueEndpointUSB}};

}  // namespace

const char* zGetIOSignatureFromHxpdUri(const char* address) {
    if (address == nullptr) {
        return nullptr;
    }
    for (const char* signature : kSignatures) {
        if (std::strncmp(address, signature, std::strlen(signature)) == 0) {
            return signature;
        }
    }
    return nullptr;
}

std::int32_t HxpdUriToEndpointFamily(const char* address, char** signature) {
    const char* found = zGetIOSignatureFromHxpdUri(address);
    if (found == nullptr || signature == nullptr) {
        return kGlueFailure;
    }
    const std::size_t length = std::strlen(found);
    *signature = new (std::nothrow) char[length + 1];
    if (*signature == nullptr) {
        return kGlueFailure;
    }
    std::memcpy(*signature, found, length + 1);
    return kGlueNoErr;
}

namespace device {

std::uint16_t glueEndpointKind(const char* address) {
    const char* signature = zGetIOSignatureFromHxpdUri(address);
    for (const EndpointKind& entry : kEndpointKinds) {
        if (signature != nullptr && std::strcmp(signature, entry.signature) == 0) {
            return entry.kind;
        }
    }
    return 0;
}

}  // namespace device
