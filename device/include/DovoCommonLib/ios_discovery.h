/* Printer discovery: the printers that can be reached over one connection kind, as a printer
 * list (ios_printer_address.h), narrowed by a list of search keys.
 *
 * "USB" lists the attached USB printers, "Rendezvous" the printers that Bonjour announces in the
 * local domain, "WQS_LPR" the network printers that answer the printer-control echo on UDP 47545
 * (sent as a broadcast or to one address) and then tell their model. A printer is listed when its
 * model (for Bonjour and LPR) or its name contains one of the search keys; a key matches when it
 * is 1 to 255 characters long and occurs in the name, case-sensitive. A Bonjour search runs on the
 * calling thread and takes at least a second; an LPR search takes its time limit plus up to 3 s
 * per printer that answered. */
#ifndef DOVOCOMMONLIB_IOS_DISCOVERY_H
#define DOVOCOMMONLIB_IOS_DISCOVERY_H

#include <stdint.h>

#include "DovoCommonLib/ios_export.h"
#include "DovoCommonLib/ios_status.h"

/* Where an LPR search sends its echo and how long it collects the answers. */
typedef struct IOS_LPRSearchContext {
    uint64_t timeLimit; /* milliseconds to collect echo answers; 0 means 10000 */
    uint8_t directed;   /* 0: broadcast to every network; otherwise to `address` */
    uint8_t address[4]; /* IPv4 address, most significant byte first */
} IOS_LPRSearchContext;

/* A search-key list: UTF-8 texts in the order appended. */
IOS_API uint32_t IOS_SearchKeyListCreate(void** list);
/* kIOS_ErrMemory when the text is not valid UTF-8. */
IOS_API uint32_t IOS_SearchKeyListAppend(void* list, const char* text);
IOS_API uint32_t IOS_SearchKeyListDispose(void* list); /* a null list is ignored */

/* The printers of one connection kind that match the search keys, in the order found; released
 * with IOS_PrinterListDispose. "USB" and "Rendezvous" without search keys (a null or empty list)
 * give an empty list at once. "WQS_LPR" needs the search context. "WQS_LPRV6" and unknown kinds
 * give kIOS_ErrConnectionKind. A search that fails makes no list. */
IOS_API uint32_t IOS_PrinterListCreate(const char* iomName, const IOS_LPRSearchContext* context,
                                       void* searchKeys, void** list);

#endif
