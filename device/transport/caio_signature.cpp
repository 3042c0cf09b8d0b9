// IO signatures: the address prefixes that choose a channel's transport.
#include "transport/caio_signature.h"

#include <string_view>

const char* LocalGetIOSignatureFromHxpdUri(const char* address) {
    if (address == nullptr) {
        return nullptr;
    }
    const std::string_view text(address);
    for (const char* signature : {kCaioSignatureNet, kCaioSignatureNet6, kCaioSignatureMdns,
                                  kCaioSignatureUSB, kCaioSignatureNotUse}) {
        if (text.starts_with(signature)) {
            return signature;
        }
    }
    return nullptr;
}

int LocalHxpdUriToPrinterAddress(const char* address, std::string* result) {
    const char* signature = LocalGetIOSignatureFromHxpdUri(address);
    if (signature == nullptr || result == nullptr) {
        return -1;
    }
    *result = std::string_view(address).substr(std::string_view(signature).size());
    return 0;
}
