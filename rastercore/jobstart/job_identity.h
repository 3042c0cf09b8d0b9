// Who sent a job: the owner (the user's full name) and the client job identifier (this host's
// name), which the job packets carry and by which the job is found in the printer's job list.
#pragma once

#include <cstddef>
#include <cstdint>

struct QDXA_Info;

/// Text kind of the owner for the conversion into the printer's encoding.
inline constexpr std::int16_t kTextKindOwner = 1;
/// Longest client job identifier, in bytes.
inline constexpr std::size_t kClientJobIdMax = 15;

/// Makes the owner from the user's full name (the first field of the account's comment, else the
/// login name), converted for the model as an owner text into the record's owner text and its
/// length. Returns 0, -1 for a missing record, or the conversion's failure (the owner empty).
std::int32_t PLG_Make_Owner(QDXA_Info* info);

/// Makes the client job identifier from this host's name (`setClientJobID`).
void PLG_Make_ClientJobID(QDXA_Info* info);

/// The client job identifier of `hostName`: nothing for an empty name, else its first 15 bytes.
void setClientJobID(QDXA_Info* info, const char* hostName);
