// Opening, closing and checking a model's media database: one heap block per open database,
// read through the media database framework from the driver's frameworks folder.
#pragma once

#include <cstdint>

/// Reads the named database into a new zeroed block, hidden media filtered out; false when the
/// framework, the file or memory is missing, or the read fails.
bool OpenMediaDB(const char* name, std::uint8_t** data);
/// OpenMediaDB, then the ink-system filter when either ink value is non-zero.
bool OpenMediaDB2(const char* name, std::uint8_t** data, std::uint32_t inkSystem,
                  std::uint16_t inkValue);
/// Frees the block and nulls the pointer.
void CloseMediaDB(std::uint8_t** data);
/// True when the named database opens and its version is 3 or more.
bool CheckMdbDB(const char* name);
