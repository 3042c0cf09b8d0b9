// The operation tables of the transports, chosen by a channel address's IO signature.
#include "transport/caio_tables.h"

#include <new>
#include <string_view>

#include "transport/caio_signature.h"

namespace {

constexpr CaioFunctionTable kNetworkTable{caiolibCreate, caiolibOpen,  caiolibRead,
                                          caiolibWrite,  caiolibClose, caiolibDestroy};
constexpr CaioFunctionTable kUSBTable{caioUSBlibCreate, caioUSBlibOpen,  caioUSBlibRead,
                                      caioUSBlibWrite,  caioUSBlibClose, caioUSBlibDestroy};

}  // namespace

seam::Seam<CaioFunctionTable>& caioTransportSeam(CaioTransportKind kind) {
    static seam::Seam<CaioFunctionTable> network(kNetworkTable);
    static seam::Seam<CaioFunctionTable> usb(kUSBTable);
    return kind == CaioTransportKind::network ? network : usb;
}

std::unique_ptr<CaioFunctionTable> LocalAssignCAIOFunctionPointer(const char* address) {
    const char* signature = LocalGetIOSignatureFromHxpdUri(address);
    if (signature == nullptr || std::string_view(signature) == kCaioSignatureNotUse) {
        return nullptr;
    }
    const CaioTransportKind kind = std::string_view(signature) == kCaioSignatureUSB
                                       ? CaioTransportKind::usb
                                       : CaioTransportKind::network;
    return std::unique_ptr<CaioFunctionTable>(
        new (std::nothrow) CaioFunctionTable(caioTransportSeam(kind).current()));
}
