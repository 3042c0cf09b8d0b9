// A printer's old print history and favourites, "Job.pref" in the printer's folder, into
// "job3.xml".
#pragma once

#include "conversion_check.h"

/// Converts the printer's "Job.pref" into its "job3.xml" unless a good one is there already.
/// True when the new file was written.
bool convJobAndFavorite(const char* printerName, const PrinterFolder& printerFolder,
                        const char* productFolder);
