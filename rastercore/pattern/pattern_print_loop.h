// The test-pattern print loop: the sheet of a pattern job, sent line by line as one-line raster
// bands between the page's start and end.
//
// It builds the base image from the host's window first, then makes every line of the printed
// area: the background, the pasted labels, titles and settings boxes, the cells (the base image
// colour-processed with each cell's colour-adjust entry and resampled to the cell), the outside
// labels of cells out of range and the cells' captions. Colour processing, the line converter
// and the page commands come through the band loop's services (`bandServices()`).
//
// What it needs of the job set-up: the print copy and text areas (pattern/pattern_print_info.h)
// with the captions rendered; the command, packet and colour records, the job record and the
// host image record; the window in `sourceRect`; the command buffer of at least the generator's
// band bound, for bands as wide as the printed area; the colour module's entries of
// `setPatternValue`, the neutral caption entry after the cells for a monochrome print.
#pragma once

#include <cstdint>

struct PLGContext;

/// Prints the sheet. Returns 0; 1100 when the user cancelled; -1000 when a buffer cannot be
/// allocated; -1400 when the photo application fails to deliver a row; the image editor's own
/// failure; -1 for a missing record, print copy or command buffer and when a command, a send, a
/// resampler, a colour processing or the background colour fails. Every buffer and resampler is
/// released on every path; the image and page end only after success.
std::int32_t PLG_PatternPrintLoop(PLGContext* context);
