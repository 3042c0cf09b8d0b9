// DNS service discovery as the device library needs it: browsing for the services of one type
// in a domain, and resolving one service into its host, port, TXT record and addresses.
//
// A Session is one connection to the system's mDNS daemon (Avahi, reached over the D-Bus system
// bus that DBUS_SYSTEM_BUS_ADDRESS names, else the system's own). It has no thread of its own:
// its events are handled, and every callback is called, inside run() on the calling thread. A
// session and the browsers and resolvers made from it belong to one thread; browsers and
// resolvers must end before their session and must not be destroyed inside their own callback.
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dnssd {

/// Results of the layer.
enum class Status {
    ok,
    noDaemon,  ///< the mDNS daemon (or the bus that leads to it) cannot be reached
    failed,    ///< the daemon refused the request, or memory ran out
};

enum class BrowseEvent {
    added,    ///< the service name appeared (on its first interface and protocol)
    removed,  ///< the service name is gone (from its last interface and protocol)
};

/// One address of a resolved service.
struct ServiceAddress {
    sockaddr_storage address{};        ///< AF_INET or AF_INET6, with the service's port
    std::uint32_t interfaceIndex = 0;  ///< the interface the address was found on
};

/// What a resolution found.
struct ResolvedService {
    std::string name;
    std::string type;
    std::string domain;
    std::string hostName;
    std::uint16_t port = 0;
    std::vector<std::uint8_t> txtRecord;    ///< as on the wire: length-prefixed strings
    std::vector<ServiceAddress> addresses;  ///< IPv4 before IPv6
};

class Session {
  public:
    class Browser;
    class Resolver;
    using BrowseCallback = std::function<void(BrowseEvent event, const std::string& name)>;
    /// Called once: the service, or nothing when it could not be resolved.
    using ResolveCallback = std::function<void(std::optional<ResolvedService> service)>;

    /// Connects to the daemon.
    static Status open(std::unique_ptr<Session>& session);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// Handles the events that arrive within `slice` (at least one wait of up to that long).
    void run(std::chrono::milliseconds slice);

    /// Starts browsing for services of `type` ("_printer._tcp", a final dot allowed) in
    /// `domain` ("local." or "local") on every interface; the browse stops with the browser.
    Status browse(std::string_view type, std::string_view domain, BrowseCallback callback,
                  std::unique_ptr<Browser>& browser);

    /// Starts resolving the service `name` of `type` in `domain`: its IPv4 and its IPv6 address
    /// (one family is waited for only briefly once the other has come). The resolution stops
    /// with the resolver.
    Status resolve(std::string_view name, std::string_view type, std::string_view domain,
                   ResolveCallback callback, std::unique_ptr<Resolver>& resolver);

  private:
    struct Native;
    explicit Session(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

class Session::Browser {
  public:
    ~Browser();
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;

  private:
    friend class Session;
    struct Native;
    explicit Browser(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

class Session::Resolver {
  public:
    ~Resolver();
    Resolver(const Resolver&) = delete;
    Resolver& operator=(const Resolver&) = delete;

  private:
    friend class Session;
    struct Native;
    explicit Resolver(std::unique_ptr<Native> native);
    std::unique_ptr<Native> native_;
};

}  // namespace dnssd
