// Result codes of the shared device registry and of its cross-process locks.
#pragma once

#include <cstdint>

/// Results of CLibLock::lock and CLibLock::unlock.
enum CLibLockResult : std::uint32_t {
    kCLibLockNoErr = 0,    ///< taken or released
    kCLibLockTimeout = 1,  ///< not obtained within the time-out: the holder is busy, retry later
    kCLibLockAlreadyHeld = 2,  ///< this object holds the lock already: a caller bug
    kCLibLockNotHeld = 3,      ///< unlock of a lock this object does not hold: a caller bug
};

/// Codes of the CLibSharedInfo operations.
enum CLibSharedInfoError : std::uint32_t {
    kCLibSharedInfoNoErr = 0,
    kCLibSharedInfoNoDevice = 1,     ///< no device view given
    kCLibSharedInfoLockMisuse = 2,   ///< the registry lock was already held, or was not held
    kCLibSharedInfoLockTimeout = 3,  ///< the registry lock was busy: retry later
    kCLibSharedInfoNotFound = 4,     ///< no record matches, or an unknown lock result
};

/// Codes of the CLibDeviceInfo operations.
enum CLibDeviceInfoError : std::uint32_t {
    kCLibDeviceInfoNoErr = 0,
    kCLibDeviceInfoParamErr = 1,           ///< bad argument
    kCLibDeviceInfoMemErr = 2,             ///< the ticket library ran out of memory
    kCLibDeviceInfoLockMisuse = 3,         ///< a lock was already held, or was not held
    kCLibDeviceInfoLockTimeout = 4,        ///< a lock was busy: retry later
    kCLibDeviceInfoWriteErr = 5,           ///< a ticket file could not be written
    kCLibDeviceInfoSerializeErr = 6,       ///< the ticket library could not serialise a ticket
    kCLibDeviceInfoParseErr = 7,           ///< the ticket library could not parse a ticket file
    kCLibDeviceInfoQueueFull = 8,          ///< all queue slots are in use
    kCLibDeviceInfoQueueEmpty = 9,         ///< no operation waits in the queue
    kCLibDeviceInfoCompleteListFull = 10,  ///< all complete slots are in use
    kCLibDeviceInfoNoCompletion = 11,      ///< no answer arrived in time: the device is busy
    kCLibDeviceInfoOtherErr = 12,          ///< any other lock or ticket library result
};
