// Layout of the shared-memory block in which the library's processes register their printers.
//
// Every field is in the machine's byte order and every string is NUL-terminated in its fixed
// field. The block is mapped at a page boundary and each field sits at a multiple of its own
// size, so the records are plain structs with explicit padding (no packing): the owner fields
// can then be handed to the locks by pointer. The asserts pin every offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

inline constexpr std::size_t kSharedDeviceCount = 16;  ///< records in the block
inline constexpr std::size_t kSharedQueueSlotCount = 16;
inline constexpr std::size_t kSharedCompleteSlotCount = 16;
inline constexpr std::size_t kSharedStringSize = 256;  ///< bytes of a fixed string field
inline constexpr std::size_t kSharedUUIDLength = 36;   ///< "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX"

/// Process identifier of an owner field that names no process.
inline constexpr std::uint32_t kSharedNoProcess = 0xFFFFFFFFu;

/// Registry connection types: a printer address's connection type plus one.
enum SharedConnectionType : std::uint32_t {
    kSharedConnectionOther = 0,
    kSharedConnectionUSB = 1,
    kSharedConnectionLPR = 2,
    kSharedConnectionLPR6 = 3,
    kSharedConnectionBonjour = 4,
};

/// One waiting operation; free when taskIdentifier is 0.0.
struct QueueSlot {
    double taskIdentifier;                    ///< seconds since 1 January 2001 at enqueue time
    std::uint32_t operationType;              ///< 1 get, 2 set, 3 control, 4 stop
    char inputTicketName[kSharedStringSize];  ///< file in the request folder, empty when none
    char outputTicketName[kSharedStringSize];
    std::uint8_t padding[4];
};

/// One finished operation; free when its slot's taskIdentifier is 0.0.
struct CompleteSlot {
    QueueSlot slot;        ///< the input ticket name is always empty here
    std::uint32_t result;  ///< library status of the operation
    std::uint8_t padding[4];
};

/// The record of one printer in use; free when its identifier is empty.
struct SharedDeviceRecord {
    char identifier[kSharedStringSize];  ///< the printer's device URI in UTF-8
    std::uint32_t connectionType;        ///< SharedConnectionType
    std::uint32_t attachCount;           ///< contexts using this printer, over all processes
    char deviceLockName[kSharedStringSize];
    std::uint32_t deviceLockOwner;  ///< last holder of the device lock
    std::uint8_t useQueue;          ///< 1 for USB printers
    std::uint8_t padding1[3];
    std::uint32_t queueOwner;  ///< process serving the operation queue
    std::uint8_t padding2[4];
    QueueSlot queue[kSharedQueueSlotCount];  ///< head first
    char queueLockName[kSharedStringSize];
    std::uint32_t queueLockOwner;
    std::uint8_t padding3[4];
    CompleteSlot completeList[kSharedCompleteSlotCount];
    char completeListLockName[kSharedStringSize];
    std::uint32_t completeListLockOwner;
    std::uint8_t padding4[4];
};

/// The whole block.
struct SharedInfoBlock {
    std::uint32_t attachCount;  ///< live CLibSharedInfo objects over all processes
    std::uint32_t lockOwner;    ///< last holder of the registry lock
    SharedDeviceRecord devices[kSharedDeviceCount];
};

inline constexpr std::size_t kSharedInfoBlockSize = 289416;

static_assert(std::is_standard_layout_v<SharedInfoBlock> && std::is_trivial_v<SharedInfoBlock>);
static_assert(sizeof(QueueSlot) == 528 && alignof(QueueSlot) == 8);
static_assert(offsetof(QueueSlot, operationType) == 8);
static_assert(offsetof(QueueSlot, inputTicketName) == 12);
static_assert(offsetof(QueueSlot, outputTicketName) == 268);
static_assert(sizeof(CompleteSlot) == 536 && offsetof(CompleteSlot, result) == 528);
static_assert(sizeof(SharedDeviceRecord) == 18088);
static_assert(offsetof(SharedDeviceRecord, connectionType) == 256);
static_assert(offsetof(SharedDeviceRecord, attachCount) == 260);
static_assert(offsetof(SharedDeviceRecord, deviceLockName) == 264);
static_assert(offsetof(SharedDeviceRecord, deviceLockOwner) == 520);
static_assert(offsetof(SharedDeviceRecord, useQueue) == 524);
static_assert(offsetof(SharedDeviceRecord, queueOwner) == 528);
static_assert(offsetof(SharedDeviceRecord, queue) == 536);
static_assert(offsetof(SharedDeviceRecord, queueLockName) == 8984);
static_assert(offsetof(SharedDeviceRecord, queueLockOwner) == 9240);
static_assert(offsetof(SharedDeviceRecord, completeList) == 9248);
static_assert(offsetof(SharedDeviceRecord, completeListLockName) == 17824);
static_assert(offsetof(SharedDeviceRecord, completeListLockOwner) == 18080);
static_assert(offsetof(SharedInfoBlock, lockOwner) == 4);
static_assert(offsetof(SharedInfoBlock, devices) == 8);
static_assert(sizeof(SharedInfoBlock) == kSharedInfoBlockSize);
