// Sets TZ for the life of a test and restores it afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace qdxa_test {

class TimeZone {
  public:
    explicit TimeZone(const char* zone) {
        const char* previous = std::getenv("TZ");
        hadPrevious_ = previous != nullptr;
        previous_ = hadPrevious_ ? previous : "";
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TimeZone() {
        if (hadPrevious_) {
            setenv("TZ", previous_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

  private:
    bool hadPrevious_;
    std::string previous_;
};

}  // namespace qdxa_test
