// The operation tables of the transports, chosen by a channel address's IO signature.
#pragma once

#include <memory>

#include "seam/seam.h"
#include "transport/caio.h"

enum class CaioTransportKind { network, usb };

/// A new table for the address's transport: the network transport for "net:", "net6:" and
/// "mdns:", the USB transport for "usb://"; null for "notuse:", any other address and null.
std::unique_ptr<CaioFunctionTable> LocalAssignCAIOFunctionPointer(const char* address);

/// The seam of a transport's operations, copied into every channel made for its addresses; tests
/// put a recording transport in place with a seam::ScopedOverride, which must outlive the
/// channels made under it.
seam::Seam<CaioFunctionTable>& caioTransportSeam(CaioTransportKind kind);
