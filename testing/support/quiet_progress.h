// A progress object of the image editor's kind that shows nothing and never cancels, for prints
// run by tests and benchmarks without a window. For programs that link the print core.
#pragma once

#include "rastercore/progress.h"

namespace testsupport {

class QuietProgress : public rastercore::ProgressObject {
  public:
    bool idleProgress() override { return false; }
    bool idleProgressJobOpen() override { return false; }
    void setProgressValue(int) override {}
    void setStatusMessage(int) override {}
};

}  // namespace testsupport
