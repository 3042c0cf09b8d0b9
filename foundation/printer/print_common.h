// The model's print-common values copied into the core's record of them.
#pragma once

#include <cstdint>

#include "cf/value.h"

struct ModelAtlasTbl;

/// Fills the 46 values from the first dictionary of the model's print-common array, each from
/// its key (a missing or non-numeric key stores 0 and prints the key). Returns the read result
/// of the last key, "MonoCapColorProcessing" (0, -1 missing, -2 not a number), printing
/// "SetArrayToPrintCommon err=<result>" when it is not 0; 0 with nothing set for an array
/// without a dictionary; -50 for a null record or array.
std::int32_t SetArrayToPrintCommon(ModelAtlasTbl* table, const cf::Value* printCommonArray);
