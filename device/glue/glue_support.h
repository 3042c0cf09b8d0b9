// Which job attributes the printer supports, asked once per session.
#pragma once

#include <cstdint>

#include "glue/glue_session.h"

/// Bits of the job-attribute support set.
inline constexpr std::uint64_t kGlueJobAttr2018 = 2;
inline constexpr std::uint64_t kGlueJobAttr2027 = 4;
inline constexpr std::uint64_t kGlueJobAttr2007 = 64;
inline constexpr std::uint64_t kGlueJobAttr12 = 128;
inline constexpr std::uint64_t kGlueJobAttr7 = 256;
inline constexpr std::uint64_t kGlueJobAttr277 = 512;
inline constexpr std::uint64_t kGlueJobAttr279 = 1024;

/// Support cache flag: the job attributes were read.
inline constexpr std::uint8_t kGlueSupportCacheJobAttributes = 1;

/// 1 when `mask` is 0 or shares a bit with the session's job-attribute support set, else 0
/// (also without a session). The first test of a session reads the printer's supported job
/// attributes; a failed read leaves the set empty for the session's life.
std::uint8_t glue_qdxaSupportJobAttribute(GlueSession* session, std::uint64_t mask);
