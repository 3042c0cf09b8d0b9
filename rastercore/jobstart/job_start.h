// Job start and end: the job's announcement and end packets around its print data, the printer's
// begin-job and end-job commands, and the page commands that frame every page.
//
// Every send goes through the packet module to the job transport; a cancel seen by the
// transport comes back as 1100.
#pragma once

#include <cstdint>

struct PLGContext;

/// On an opened job: derives the packet record's values (`tarn_QDXA_Initialize`), sets the
/// colour module up with the media database and takes its output colour space into the command
/// record, sends the job, binder and document packets with their attributes, allocates the
/// colour-processed row (the context's colour output line) and the command buffer, initialises
/// the command generator, has the colour tables built when the model asks for them (model value
/// 38 is 2; 1 fails), and sends the begin-job commands. Returns 0, 1100, -1000 when a buffer
/// cannot be allocated, or -1 for any other failure (a missing record among them).
std::int32_t PLG_StartJob(PLGContext* context);

/// After the last page: sends the end-job commands (their result not checked), frees the row
/// buffer, and ends document, binder and job with the impressions (the copies made; 1 for a
/// test-pattern sheet). Returns the job end's result (0, 1100 or a failure); -1 for a missing
/// record or when the model's 32-bit impressions or octet count fail.
std::int32_t PLG_EndJob(PLGContext* context);

/// The begin-page commands, generated into the command buffer and sent: 0, the generator's
/// failure, or the send's result; -1 without a command record or buffer.
std::int32_t PLG_StartPage(PLGContext* context);

/// The end-page commands, generated and sent: 0, or -1 when they cannot be made or sent.
std::int32_t PLG_EndPage(PLGContext* context);
