// The printer list of the dialog: the machine's printers of one model, grouped by connection
// kind in the connection order.
#pragma once

#include <cstdint>

#include "helpers/kmenu.h"

inline constexpr int kConnectOrderSlots = 10;

/// A connection order: the number of kinds, then the kinds in order.
struct ConnectNumRec {
    std::int32_t count;
    std::int16_t kinds[kConnectOrderSlots];
};

/// The order of the printer list: USB, DNS-SD, Bonjour, AppleTalk, IP, IPv6, FireWire.
extern const ConnectNumRec PS_Connect;

/// Copies the connection order into `order`.
void GetConnectOrderNumber(ConnectNumRec* order);

/// Appends to `array` the printers of `modelName` (menu items of the second shape: printer name,
/// model, model, type id, connection kind, enabled), kind by kind in the connection order and
/// within a kind in queue order. 0, or the code of `KMenu::NewMenuData` when the work list
/// cannot be made.
std::int32_t ConstructPrinterList(MenuDataArray array, const char* modelName);
