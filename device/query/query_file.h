// Stored files and file boxes of the printer: their lists with the attributes of each file or
// box, and one entry's fields.
//
// A file list is a memory handle of a 32-bit count at byte 0 and, from byte 8, one FileRecord
// per file; a box list the same with FileBoxRecord. The caller creates and disposes both.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"
#include "qdxa/qdxa_date.h"
#include "qdxa/qdxa_memory.h"
#include "query/query_records.h"

/// Listing selectors and the parent of the file boxes.
inline constexpr std::uint32_t kSelectorFilesOfBox = 20;
inline constexpr std::uint32_t kSelectorFileBoxes = 23;
inline constexpr std::uint32_t kParentFileBoxes = 4033;
/// The printer's status for a file box without files.
inline constexpr std::int32_t kStatusBoxEmpty = 30;
/// The largest number of files asked for in one Get2 request.
inline constexpr std::uint16_t kFileBatch = 10;
/// Mask bit that asks for attribute 311, and the flag added when no file answered it.
inline constexpr std::uint32_t kFileMaskValue311 = 0x80000;

/// Lists the files of box `boxId` under `filter` and reads their attributes into `fileList`:
/// names, owner, state, values, dates and, with kFileMaskValue311 in `mask`, value 311; then
/// the medium of each file's first document. An attribute that the printer refuses (33) is
/// skipped and the others still fill the records. 0, the listing's or a read's status, 15850
/// for a missing argument, or the handle's error.
std::int32_t glue_qdxaGetFileList(GlueSession* session, std::uint32_t boxId, std::uint32_t filter,
                                  WqsMemHandle* fileList, std::uint32_t* count, std::uint32_t mask,
                                  std::uint32_t* flags);

/// Copies the fields of the file at `index` into each output given (null outputs are skipped).
/// Strings are length-prefixed (name and owner 33 bytes, detail name 256). 15850 for an index
/// at or beyond the count or a missing session or list.
std::int32_t glue_qdxaGetFileInfo(
    GlueSession* session, const WqsMemHandle* fileList, std::uint32_t index, std::uint32_t* fileId,
    std::uint8_t* name, std::uint32_t* nameCode, std::uint8_t* detailName,
    std::uint32_t* detailNameCode, std::uint8_t* owner, std::uint32_t* ownerCode,
    std::uint8_t* state, std::uint32_t* value275, std::uint32_t* value277, std::uint32_t* value263,
    std::uint32_t* value263Flag, QDXADateTime* date9, std::uint8_t* documentKind,
    std::uint16_t* documentWord, std::uint32_t* documentValue1, std::uint32_t* documentValue2,
    std::uint16_t* documentMedium, std::uint8_t* documentByte1, std::uint8_t* documentByte2,
    QDXADateTime* date10909, std::uint32_t* value311);

/// Lists the file boxes into `boxList` with number, name and (where supported) box byte, and
/// with `countFiles` the number of files of each box (a box that answers 30 has 0 files and its
/// empty flag set). *count is the number of boxes of the last Get2 reply. 0, the status of the
/// name read or of a file listing, 15850 for a missing argument.
std::int32_t glue_qdxaGetFileBoxList(GlueSession* session, std::uint8_t countFiles,
                                     WqsMemHandle* boxList, std::uint32_t* count);

/// Copies the fields of the box at `index` into each output given. 15850 for an index at or
/// beyond the count or a missing session or list.
std::int32_t glue_qdxaGetFileBoxInfo(GlueSession* session, const WqsMemHandle* boxList,
                                     std::uint32_t index, std::uint32_t* boxNumber,
                                     std::uint32_t* boxId, std::uint8_t* name,
                                     std::uint32_t* nameCode, std::uint8_t* boxByte,
                                     std::uint32_t* fileCount, std::uint32_t* emptyFlag);
