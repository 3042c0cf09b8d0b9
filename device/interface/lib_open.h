// The steps that every job and administration open shares.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "address/printer_address.h"
#include "interface/lib_context.h"
#include "registry/lib_device_info.h"

/// Opens the connection of a new context on a printer whose record is attached: called with the
/// device lock held, which it releases. On success `context` holds the new context (made with
/// the view); on failure `device` must still hold the view.
using LibOpenConnection = std::function<std::uint32_t(CLibPrinterAddress& address,
                                                      std::unique_ptr<CLibDeviceInfo>& device,
                                                      std::unique_ptr<CLibContext>& context)>;

/// Checks the arguments (10553), clears the out context, requires a device URI (0xFFFFF3B2),
/// sets the library up, attaches the printer's record and runs `openConnection`. On success the
/// context is handed out and counted; on failure the attach is undone and the library torn down
/// when nothing else is open.
std::uint32_t LocalOpenContext(void** context, void* address,
                               const LibOpenConnection& openConnection);
