// What the application around CAppMain provides: the time, the request to terminate, and the
// quit confirmation alert with the main bundle's texts. The program gives the real ones; tests
// give a clock they move and an alert they answer.
#pragma once

#include <string>
#include <string_view>

namespace jobsender {

class AppServices {
  public:
    virtual ~AppServices() = default;

    /// Seconds since the reference date (the Unix epoch).
    virtual double now() = 0;
    /// Asks the application to terminate; it then asks CAppMain::shouldQuit.
    virtual void requestTermination() = 0;
    /// The main bundle's localized text of `key`, or the key itself when it has none.
    virtual std::string localizedString(std::string_view key) = 0;
    /// Shows a modal warning alert with two buttons; true when the first was chosen.
    virtual bool runQuitAlert(const std::string& message, const std::string& firstButton,
                              const std::string& secondButton) = 0;
};

}  // namespace jobsender
