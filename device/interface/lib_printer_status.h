// The printer's status as the job functions need it: the offline decision before a job opens,
// and the status sub-codes that turn a refusal into "offline" with a reason.
//
// The status is read through administration tickets: through the operation queue for a USB
// printer, through an administration session of its own for a network printer.
#pragma once

#include <cstdint>

#include "address/printer_address.h"
#include "registry/lib_device_info.h"
#include "ticket/ticket_library.h"

inline constexpr const char* kPrinterOnlineKey = "orvane.wqs.PrinterOnline";
inline constexpr const char* kPrinterDetailCodeKey = "orvane.wqs.PrinterDetailCode";
inline constexpr const char* kIgnoreOffLineKey = "orvane.wqs.IgnoreOffLine";

/// Asks the printer whether it is online and for its detail code; the outputs that are asked
/// for are cleared first, and an attribute the answer lacks leaves its output cleared. 0 at once
/// when neither is asked for; 10553 without device or address; query failures as they come.
std::uint32_t LocalGetPrinterStatus(CLibDeviceInfo* device, CLibPrinterAddress* address,
                                    bool* online, std::int32_t* detail);

/// Whether a job may open: 0 (sub-code 0) when the options ticket's "orvane.wqs.IgnoreOffLine"
/// is true or the printer is online; 10501 with sub-code 1001 when it is offline; a failing query
/// returns its code with sub-code 0. 10553 without an address.
std::uint32_t LocalShouldJobOpenConsideringOffline(CLibDeviceInfo* device,
                                                   CLibPrinterAddress* address,
                                                   const TktLibTicket* options,
                                                   std::uint32_t* subCode);

/// The points at which a refusal by the printer is explained by its status.
enum class LibSubCodePoint { kJobOpen, kJobSend, kJobClose };

/// Reads the printer's status after a refusal at `point` and returns the job function's result
/// (10501, or 0 for a send to an online printer), writing the sub-code through `subCode` when
/// it is given.
std::uint32_t LocalRefusalWithSubCode(LibSubCodePoint point, CLibDeviceInfo* device,
                                      CLibPrinterAddress* address, std::uint32_t* subCode);
