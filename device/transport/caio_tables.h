// The operation tables of the transports, chosen by a channel address's IO signature.
#pragma once

#include <memory>

#include "transport/caio.h"

enum class CaioTransportKind { network, usb };

/// A new table for the address's transport: the network transport for "net:", "net6:" and
/// "mdns:", the USB transport for "usb://"; null for "notuse:", any other address and null.
std::unique_ptr<CaioFunctionTable> LocalAssignCAIOFunctionPointer(const char* address);

/// Hands out `table` in place of the transport's own operations to every channel made from now
/// on; null restores the transport's own. Tests use it to put a recording transport in place.
/// The table must outlive the channels made with it.
void caioReplaceTransportTable(CaioTransportKind kind, const CaioFunctionTable* table);
