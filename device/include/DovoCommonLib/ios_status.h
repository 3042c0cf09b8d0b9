/* Status codes of the device communication library: unsigned 32-bit, 0 success. */
#ifndef DOVOCOMMONLIB_IOS_STATUS_H
#define DOVOCOMMONLIB_IOS_STATUS_H

#include <stdint.h>

#define kIOS_NoErr ((uint32_t)0u)                   /* done */
#define kIOS_ErrOffline ((uint32_t)10501u)          /* printer offline: retry, see the sub-code */
#define kIOS_ErrBusy ((uint32_t)10502u)             /* device busy with another job: retry later */
#define kIOS_ErrContextType ((uint32_t)10521u)      /* handle of the wrong kind (job or admin) */
#define kIOS_ErrJobAborted ((uint32_t)10550u)       /* the job was cancelled */
#define kIOS_ErrConnectionKind ((uint32_t)10552u)   /* this connection kind is not supported */
#define kIOS_ErrParam ((uint32_t)10553u)            /* bad or missing argument: fix the call */
#define kIOS_ErrMemory ((uint32_t)10554u)           /* out of memory, or set-up failed */
#define kIOS_ErrNoDeviceSlot ((uint32_t)10555u)     /* the shared registry has no free record */
#define kIOS_ErrPrinterRefused ((uint32_t)16001u)   /* the printer refused the request */
#define kIOS_ErrNoUSBPrinter ((uint32_t)21000u)     /* no attached USB printer matched the name */
#define kIOS_ErrWorkDirectory ((uint32_t)22003u)    /* the shared work directory can't be made */
#define kIOS_ErrInternal ((uint32_t)22998u)         /* internal failure */
#define kIOS_ErrUnknownCore ((uint32_t)23998u)      /* unknown failure of the core */
#define kIOS_ErrNotFound ((uint32_t)0xFFFFDA8Bu)    /* -9589: the key is not in the ticket */
#define kIOS_ErrNoDeviceURI ((uint32_t)0xFFFFF3B2u) /* the address holds no device URI */
#define kIOS_ErrBufferTooSmall ((uint32_t)0xFFFFFFFFu) /* the caller's buffer is too small */

#endif
