/* Printer addresses, printer lists and the list of connection kinds.
 *
 * A printer address names one printer: its connection kind, its display name and its device
 * URI. Connection kinds go by their interface (IOM) names "USB", "WQS_LPR" (LPR over IPv4),
 * "WQS_LPRV6" (LPR over IPv6) and "Rendezvous" (Bonjour). Every handle is an untyped pointer;
 * addresses and lists are released with their Dispose function, and every function returns a
 * library status (ios_status.h). Name buffers without a size receive at most
 * kIOS_PrinterNameBufferSize bytes, the terminating zero included. File arguments are a path or a
 * "file://" URL. */
#ifndef DOVOCOMMONLIB_IOS_PRINTER_ADDRESS_H
#define DOVOCOMMONLIB_IOS_PRINTER_ADDRESS_H

#include <stdint.h>

#include "DovoCommonLib/ios_export.h"
#include "DovoCommonLib/ios_status.h"

/* Bytes written at most into a caller's name buffer, the terminating zero included. */
#define kIOS_PrinterNameBufferSize 256
/* Bytes written at most by IOS_PrinterAddressGetIomName and IOS_IOMListGetName. */
#define kIOS_IomNameBufferSize 11

/* Makes an address. "WQS_LPR" and "WQS_LPRV6" take the printer's IP address text as the name;
 * "Rendezvous" takes the Bonjour service name and needs the service type and domain; "USB" looks
 * for an attached printer whose model contains the name (kIOS_ErrNoUSBPrinter when none does).
 * Any other kind gives kIOS_ErrConnectionKind. */
IOS_API uint32_t IOS_PrinterAddressCreate(const char* iomName, const char* printerName,
                                          const char* serviceType, const char* domain,
                                          void** address);
IOS_API uint32_t IOS_PrinterAddressDispose(void* address); /* a null address is ignored */

/* The printer name as zero-terminated UTF-8, cut to fit kIOS_PrinterNameBufferSize bytes. */
IOS_API uint32_t IOS_GetPrinterName(void* address, char* buffer);
/* "USB", "WQS_LPR", "WQS_LPRV6" or "Rendezvous"; kIOS_ErrParam for an address of another kind. */
IOS_API uint32_t IOS_PrinterAddressGetIomName(void* address, char* buffer);
/* Does nothing; kept for callers that still call it. */
IOS_API uint32_t IOS_PrinterAddressGetPrinterInfo(void);

/* The address as a property list ("MODEL:", "printer URI", "connectionType"), written
 * atomically; kIOS_ErrInternal when the file cannot be written or read back into an address. */
IOS_API uint32_t IOS_WritePrinterAddressToFile(void* address, const char* fileURL);
IOS_API uint32_t IOS_ReadPrinterAddressFromFile(void** address, const char* fileURL);

/* Records the address as the current printer of the print monitor. */
IOS_API uint32_t IOS_PrinterAddressSetDefaultOfPrintMonitorForTARNCUPS(void* address);

/* The printers that the printing system recorded for a connection kind. */
IOS_API uint32_t IOS_PrinterListCreateFromPreference(const char* iomName, void** list);
IOS_API int32_t IOS_PrinterListGetCount(void* list); /* 0 for a null list */
/* Copies the name of the printer at `index` into `nameBuffer` and hands out its address (the
 * caller disposes of it); either may be null. An index outside the list gives kIOS_ErrParam. */
IOS_API uint32_t IOS_PrinterListGetAddress(void* list, int32_t index, char* nameBuffer,
                                           void** address);
IOS_API uint32_t IOS_PrinterListDispose(void* list);

/* The connection kinds: "USB", "Rendezvous", "WQS_LPR", "WQS_LPRV6", in this order. */
IOS_API uint32_t IOS_IOMListCreate(void** list);
IOS_API int32_t IOS_IOMListGetCount(void* list); /* 0 for a null list */
IOS_API uint32_t IOS_IOMListGetName(void* list, int32_t index, char* buffer);
IOS_API uint32_t IOS_IOMListDispose(void* list);

#endif
