/* Tickets and arrays: the attribute dictionaries in which printer attributes are requested and
 * answered. Every handle is an untyped pointer; every function returns a library status.
 *
 * Value encodings: strings are stored as data without the terminating zero, 32-bit integers as
 * numbers, Booleans as the strings "true", "false", "UNKNOWN" or "FAILURE". A request names an
 * attribute with a placeholder of its type code: 1 string, 2 integer, 4 Boolean, 8 data, each
 * with 0x100 added for an array of that kind. */
#ifndef DOVOCOMMONLIB_IOS_TICKET_H
#define DOVOCOMMONLIB_IOS_TICKET_H

#include <stdint.h>

#include "DovoCommonLib/ios_export.h"
#include "DovoCommonLib/ios_status.h"

/* Creation and release. The out value is set to null before anything else. */
IOS_API uint32_t IOS_TicketCreate(void** ticket);
IOS_API uint32_t IOS_TicketDispose(void* ticket); /* a null ticket is ignored */

/* Request placeholders; an unknown type code gives kIOS_ErrParam. */
IOS_API uint32_t IOS_TicketSetAttribute(void* ticket, const char* key, uint32_t typeCode);
IOS_API uint32_t IOS_TicketSet2ClassAttribute(void* ticket, const char* classKey, const char* key,
                                              uint32_t typeCode);

/* Setters; each replaces any earlier value of the key. */
IOS_API uint32_t IOS_TicketSetCString(void* ticket, const char* key, const char* string);
IOS_API uint32_t IOS_TicketSetSInt32(void* ticket, const char* key, int32_t value);
IOS_API uint32_t IOS_TicketSetBoolean(void* ticket, const char* key, uint8_t value); /* 1 true */
IOS_API uint32_t IOS_TicketSetData(void* ticket, const char* key, const void* bytes,
                                   int32_t length); /* a negative length gives kIOS_ErrMemory */
IOS_API uint32_t IOS_TicketSetSInt32Array(void* ticket, const char* key, const int32_t* values,
                                          int32_t count);

/* Getters. A string is cut to size - 1 bytes and always zero-terminated. Data: `length` always
 * receives the data's length; a null buffer only measures; a buffer shorter than the data gives
 * kIOS_ErrBufferTooSmall and copies nothing. Arrays handed out belong to the caller, who
 * releases them with IOS_ArrayDispose. An absent key gives kIOS_ErrNotFound. */
IOS_API uint32_t IOS_TicketGetCString(void* ticket, const char* key, char* buffer, uint32_t size);
IOS_API uint32_t IOS_TicketGetSInt32(void* ticket, const char* key, int32_t* value);
IOS_API uint32_t IOS_TicketGetBoolean(void* ticket, const char* key, uint8_t* value);
IOS_API uint32_t IOS_TicketGetData(void* ticket, const char* key, void* buffer, uint32_t* length);
IOS_API uint32_t IOS_TicketGetArray(void* ticket, const char* key, void** array);

/* The same for an attribute inside the nested ticket stored under a class key. */
IOS_API uint32_t IOS_TicketGet2ClassCString(void* ticket, const char* classKey, const char* key,
                                            char* buffer, uint32_t size);
IOS_API uint32_t IOS_TicketGet2ClassSInt32(void* ticket, const char* classKey, const char* key,
                                           int32_t* value);
IOS_API uint32_t IOS_TicketGet2ClassBoolean(void* ticket, const char* classKey, const char* key,
                                            uint8_t* value);
IOS_API uint32_t IOS_TicketGet2ClassData(void* ticket, const char* classKey, const char* key,
                                         void* buffer, uint32_t* length);
IOS_API uint32_t IOS_TicketGet2ClassArray(void* ticket, const char* classKey, const char* key,
                                          void** array);

/* Arrays. An index below 0 or not below the count gives kIOS_ErrParam. A null array has the
 * count 0 and its release does nothing. */
IOS_API int32_t IOS_ArrayGetCount(void* array);
IOS_API uint32_t IOS_ArrayGetCString(void* array, int32_t index, char* buffer, uint32_t size);
IOS_API uint32_t IOS_ArrayGetSInt32(void* array, int32_t index, int32_t* value);
IOS_API uint32_t IOS_ArrayGetBoolean(void* array, int32_t index, uint8_t* value);
IOS_API uint32_t IOS_ArrayGetData(void* array, int32_t index, void* buffer, uint32_t* length);
IOS_API uint32_t IOS_ArrayDispose(void* array);

#endif
