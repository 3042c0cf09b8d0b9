/* The library's life cycle, print jobs and administration contexts.
 *
 * Every call is synchronous, runs on the caller's thread and returns a library status
 * (ios_status.h); a process calls these functions from one thread at a time. Addresses come
 * from ios_printer_address.h and tickets from ios_ticket.h.
 *
 * Jobs: IOS_JobOpen (or IOS_JobOpen2), any number of IOS_JobSend, then IOS_JobClose;
 * IOS_JobCancel may come between. Administration: IOS_AdminOpen, any number of requests, then
 * IOS_AdminClose. Callers retry IOS_JobOpen, IOS_JobSend and IOS_JobClose while they return
 * kIOS_ErrOffline or kIOS_ErrBusy; a job close that returns either keeps the job open.
 *
 * Beside kIOS_ErrOffline the job functions write a status sub-code through their `subCode`
 * argument when it is not null: kIOS_SubCodeOffline, kIOS_SubCodeRefused, or the printer's own
 * detail code. Functions whose names end in OnSandbox use the sandbox's work directory from
 * then on, for the rest of the process. */
#ifndef DOVOCOMMONLIB_IOS_LIBRARY_H
#define DOVOCOMMONLIB_IOS_LIBRARY_H

#include <stdint.h>

#include "DovoCommonLib/ios_export.h"
#include "DovoCommonLib/ios_status.h"

#define kIOS_SubCodeNone ((uint32_t)0u)
#define kIOS_SubCodeOffline ((uint32_t)1001u) /* offline, the printer gave no detail */
#define kIOS_SubCodeRefused ((uint32_t)1011u) /* refused while not reporting itself offline */

/* What IOS_GetConnectionCount answers for connection kinds without a limit. */
#define kIOS_UnlimitedConnections ((uint32_t)0x7FFFFFFFu)

IOS_API uint32_t IOS_Initialize(void); /* returns 0; the library sets itself up on first use */
IOS_API void IOS_Terminate(void);
/* The library version: major version in the high byte, the first two digits of the minor
 * version in the two low nibbles (2.41 gives 0x0241). */
IOS_API uint16_t IOS_GetVersion(void);
/* "USB": the number of USB printers in use by any process; any other kind:
 * kIOS_UnlimitedConnections. */
IOS_API uint32_t IOS_GetConnectionCount(const char* connectionKind);
IOS_API uint32_t IOS_GetConnectionCountOnSandbox(const char* connectionKind);

/* Opens a print job: LPR for network printers, IEEE 1284.4 channel 16 for USB printers. An
 * options ticket whose Boolean "orvane.wqs.IgnoreOffLine" is true skips the offline check. */
IOS_API uint32_t IOS_JobOpen(void** context, void* address, void* options, uint32_t* subCode);
/* As IOS_JobOpen, with job data going to `networkPort` (raw TCP unless it is 515) or to the
 * IEEE 1284.4 channel `usbChannel`. */
IOS_API uint32_t IOS_JobOpen2(void** context, void* address, void* options, uint32_t* subCode,
                              uint32_t networkPort, uint32_t usbChannel);
IOS_API uint32_t IOS_JobOpenOnSandbox(void** context, void* address, void* options,
                                      uint32_t* subCode);
IOS_API uint32_t IOS_JobOpen2OnSandbox(void** context, void* address, void* options,
                                       uint32_t* subCode, uint32_t networkPort,
                                       uint32_t usbChannel);
/* Sends one block; `length` holds the bytes offered and comes back as the bytes taken. The flag
 * byte is accepted and has no effect. A cancelled job gives kIOS_ErrJobAborted. */
IOS_API uint32_t IOS_JobSend(void* context, const void* data, uint32_t* length, uint8_t flag,
                             uint32_t* subCode);
/* Marks the job cancelled; the close still has to be called. */
IOS_API uint32_t IOS_JobCancel(void** context);
IOS_API uint32_t IOS_JobClose(void* context, uint8_t flag, uint32_t* subCode);

IOS_API uint32_t IOS_AdminOpen(void** context, void* address);
IOS_API uint32_t IOS_AdminOpenOnSandbox(void** context, void* address);
/* Read attributes, write settings, perform controls: the answer is merged into `response`. */
IOS_API uint32_t IOS_AdminGetInfo(void* context, void* request, void* response);
IOS_API uint32_t IOS_AdminSetInfo(void* context, void* request, void* response);
IOS_API uint32_t IOS_AdminControlInfo(void* context, void* request, void* response);
/* Closes the context; it is released whatever the result. */
IOS_API uint32_t IOS_AdminClose(void* context);

#endif
