// A private X server for one test: Xvfb on a free display number that it picks itself, stopped
// by its process id.
#pragma once

#include <sys/types.h>

#include <string>

namespace qt_test {

class XvfbDisplay {
  public:
    XvfbDisplay();
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay&) = delete;
    XvfbDisplay& operator=(const XvfbDisplay&) = delete;

    /// ":N", or empty when the server did not start.
    const std::string& name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

}  // namespace qt_test
