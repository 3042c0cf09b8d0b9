// The command line of the host stand-in and the messages it ends with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host_shell.h"
#include "job_record.h"

namespace host {

struct HostOptions {
    std::string image;
    HostType hostType = HostType::ImageEditor;
    JobChoices job;
    std::optional<int> cancelAtPercent;  ///< cancel once the progress reaches it
    bool describe = false;               ///< print the model, medium and printer profile
    bool quiet = false;                  ///< no progress lines
};

/// The options of `argv`; none with the reason in `*error` for a bad command line.
std::optional<HostOptions> parseOptions(int argc, char** argv, std::string* error);

/// The usage text.
const char* usageText();

/// The plug-in code's message key and text, as the print dialog's alert table names it.
std::string resultMessage(std::uint32_t code);

}  // namespace host
