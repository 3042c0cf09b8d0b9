// The media database of a job: read whole from the driver's frameworks folder through the media
// database framework, with the hidden media and the optimise mode filtered, and freed at the end
// of the job.
#pragma once

#include <cstdint>

/// Reads the database `name` (length-prefixed: one length byte, then the file name; it must hold
/// as many bytes as its length byte says) into a new zeroed block, filtered by the hidden-medium
/// hint and by the optimise mode `mode`. Returns 1 with the block in `*handle`, or 0 (the handle
/// null) when the frameworks folder, the framework, one of its functions or the database is
/// missing, the name is empty or names anything but a file of that folder, or memory runs out.
std::int32_t OpenMediaDB_ForMXXXR(const unsigned char* name, void** handle, std::uint32_t mode);

/// Frees a block of `OpenMediaDB_ForMXXXR`; null is ignored.
void CloseMediaDB(void* handle);
