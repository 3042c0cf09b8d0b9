// An mDNS daemon for tests: a private D-Bus system bus on a socket in the test's folder and an
// avahi-daemon on it that serves the loopback interface of a private network, with services
// announced through avahi-publish.
//
// Make it on a thread that is in a PrivateNetwork. While the bed lives, DBUS_SYSTEM_BUS_ADDRESS
// names its bus, so that the DNS-SD clients of the process reach its daemon. Every program of the
// bed is stopped by its process id when the bed ends.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace nettest {

class AvahiBed {
  public:
    /// A service to announce.
    struct Service {
        std::string name;  ///< the service (instance) name
        std::string type;  ///< "_printer._tcp"
        std::uint16_t port = 515;
        std::vector<std::string> txt;  ///< TXT strings, "key=value"
        std::string host;              ///< host name ("printer-a.local"); empty: the daemon's own
    };

    explicit AvahiBed(std::filesystem::path folder);
    ~AvahiBed();
    AvahiBed(const AvahiBed&) = delete;
    AvahiBed& operator=(const AvahiBed&) = delete;

    /// Starts the bus and the daemon and waits until the daemon runs; false with error() set.
    bool start();
    const std::string& error() const { return error_; }

    /// Announces a service and waits until the daemon has established it; its number for
    /// withdraw(), or nothing with error() set.
    std::optional<std::size_t> publish(const Service& service);
    /// Announces an address record of a host name ("printer-a.local", "127.0.0.5").
    std::optional<std::size_t> publishAddress(const std::string& host, const std::string& address);
    /// Stops announcing what publish() or publishAddress() numbered.
    void withdraw(std::size_t publication);

  private:
    std::optional<std::size_t> startPublisher(std::vector<std::string> arguments);
    bool waitUntilDaemonRuns(std::chrono::milliseconds timeout);

    std::filesystem::path folder_;
    std::string error_;
    std::optional<std::string> formerBusAddress_;
    ChildProcess bus_;
    ChildProcess daemon_;
    std::vector<std::unique_ptr<ChildProcess>> publishers_;
};

}  // namespace nettest
