// The operation tables of the transports, chosen by a channel address's IO signature.
#include "transport/caio_tables.h"

#include <atomic>
#include <new>
#include <string_view>

#include "transport/caio_signature.h"

namespace {

constexpr CaioFunctionTable kNetworkTable{caiolibCreate, caiolibOpen,  caiolibRead,
                                          caiolibWrite,  caiolibClose, caiolibDestroy};
constexpr CaioFunctionTable kUSBTable{caioUSBlibCreate, caioUSBlibOpen,  caioUSBlibRead,
                                      caioUSBlibWrite,  caioUSBlibClose, caioUSBlibDestroy};

std::atomic<const CaioFunctionTable*> replacementNetworkTable{nullptr};
std::atomic<const CaioFunctionTable*> replacementUSBTable{nullptr};

std::atomic<const CaioFunctionTable*>& replacementFor(CaioTransportKind kind) {
    return kind == CaioTransportKind::network ? replacementNetworkTable : replacementUSBTable;
}

const CaioFunctionTable& tableFor(CaioTransportKind kind) {
    const CaioFunctionTable* replacement = replacementFor(kind).load();
    if (replacement != nullptr) {
        return *replacement;
    }
    return kind == CaioTransportKind::network ? kNetworkTable : kUSBTable;
}

}  // namespace

std::unique_ptr<CaioFunctionTable> LocalAssignCAIOFunctionPointer(const char* address) {
    const char* signature = LocalGetIOSignatureFromHxpdUri(address);
    if (signature == nullptr || std::string_view(signature) == kCaioSignatureNotUse) {
        return nullptr;
    }
    const CaioTransportKind kind = std::string_view(signature) == kCaioSignatureUSB
                                       ? CaioTransportKind::usb
                                       : CaioTransportKind::network;
    return std::unique_ptr<CaioFunctionTable>(new (std::nothrow) CaioFunctionTable(tableFor(kind)));
}

void caioReplaceTransportTable(CaioTransportKind kind, const CaioFunctionTable* table) {
    replacementFor(kind).store(table);
}
