// The order in which a job's packets reach the printer: the job announcement before the first
// data and the closing packets after the last. The model values at the head of the job context
// choose which packets are sent.
#pragma once

#include <cstdint>

struct QDXA_Info;

/// After `tarn_QDXA_Initialize` on an opened job: the job start (or job start 2 with the job
/// copies, creator id and group id) or the job start with the client identifier, name, owner and
/// submission time; binder start, binder copies, document start; the panel message when it has
/// text; document format, copies and print quality; the cutting type; tray array, medium and
/// medium type; then the detail-media, optimise, n-up, one-pass, borderless, roll-width,
/// calibration and path-mode attributes as the model asks. Returns 0, 1100 when the user
/// cancelled, or -1 for any other failure, for the unsupported cutting value 3 and for a record
/// without its job context.
std::int32_t tarn_QDXA_SendJobStartPackets(QDXA_Info* info);

/// After the job's last data: document end and binder end (their results are not checked); the
/// impressions, as 32 bits followed by the job's size in octets when model value 32 is 2, or as
/// 16 bits (result ignored) when it is 1; then the job end, whose result is returned. Returns -1
/// for a record without its job context or when the 32-bit impressions or the octets fail.
std::int32_t tarn_QDXA_SendJobEndPackets(QDXA_Info* info, std::uint32_t impressions);
