// DNS service discovery on the Avahi client library.
#include "dnssd/dnssd.h"

#include <arpa/inet.h>
#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-common/error.h>
#include <avahi-common/simple-watch.h>
#include <avahi-common/strlst.h>
#include <avahi-common/timeval.h>
#include <netinet/in.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <new>

namespace dnssd {

namespace {

// A resolution that has the address of one family waits this long for the other: an mDNS
// responder sends both address records in one answer, so an address that has not come by then
// is not coming soon (a host without one waits for the daemon's time limit of several seconds).
constexpr std::chrono::milliseconds kOtherFamilyGrace{250};

// Avahi takes service types without the final dot of their DNS form.
std::string avahiType(std::string_view type) {
    if (type.ends_with('.')) {
        type.remove_suffix(1);
    }
    return std::string(type);
}

int pollTime(std::chrono::milliseconds time) {
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(time.count(), 0, INT_MAX));
}

ServiceAddress serviceAddress(const AvahiAddress& address, AvahiIfIndex interface,
                              std::uint16_t port) {
    ServiceAddress result;
    result.interfaceIndex = interface > 0 ? static_cast<std::uint32_t>(interface) : 0;
    if (address.proto == AVAHI_PROTO_INET) {
        auto& ipv4 = reinterpret_cast<sockaddr_in&>(result.address);
        ipv4.sin_family = AF_INET;
        ipv4.sin_port = htons(port);
        ipv4.sin_addr.s_addr = address.data.ipv4.address;  // already in network order
    } else {
        auto& ipv6 = reinterpret_cast<sockaddr_in6&>(result.address);
        ipv6.sin6_family = AF_INET6;
        ipv6.sin6_port = htons(port);
        std::memcpy(ipv6.sin6_addr.s6_addr, address.data.ipv6.address, sizeof ipv6.sin6_addr);
        ipv6.sin6_scope_id = result.interfaceIndex;
    }
    return result;
}

// The TXT record as it goes on the wire; a service without TXT data has one empty string.
std::vector<std::uint8_t> wireTxtRecord(AvahiStringList* txt) {
    constexpr std::size_t kMaxString = 255;
    std::size_t size = 0;
    for (AvahiStringList* item = txt; item != nullptr; item = avahi_string_list_get_next(item)) {
        size += 1 + std::min(avahi_string_list_get_size(item), kMaxString);
    }
    std::vector<std::uint8_t> wire(std::max<std::size_t>(size, 1));
    wire.resize(avahi_string_list_serialize(txt, wire.data(), wire.size()));
    return wire;
}

}  // namespace

struct Session::Native {
    AvahiSimplePoll* poll = nullptr;
    AvahiClient* client = nullptr;

    ~Native() {
        if (client != nullptr) {
            avahi_client_free(client);
        }
        if (poll != nullptr) {
            avahi_simple_poll_free(poll);
        }
    }
};

struct Session::Browser::Native {
    AvahiServiceBrowser* browser = nullptr;
    BrowseCallback callback;
    // How many interface and protocol pairs carry each name.
    std::map<std::string, int> instances;

    static void onEvent(AvahiServiceBrowser*, AvahiIfIndex, AvahiProtocol, AvahiBrowserEvent event,
                        const char* name, const char*, const char*, AvahiLookupResultFlags,
                        void* self) {
        auto& native = *static_cast<Native*>(self);
        if (name == nullptr) {
            return;
        }
        if (event == AVAHI_BROWSER_NEW && native.instances[name]++ == 0) {
            native.callback(BrowseEvent::added, name);
        } else if (event == AVAHI_BROWSER_REMOVE) {
            const auto found = native.instances.find(name);
            if (found != native.instances.end() && --found->second == 0) {
                native.instances.erase(found);
                native.callback(BrowseEvent::removed, name);
            }
        }
    }

    ~Native() {
        if (browser != nullptr) {
            avahi_service_browser_free(browser);
        }
    }
};

// Two resolutions of one service run side by side, one for its IPv4 and one for its IPv6
// address; the callback hears of both once they have settled.
struct Session::Resolver::Native {
    enum class State { pending, found, failed };
    struct Family {
        AvahiServiceResolver* resolver = nullptr;
        State state = State::pending;
        std::optional<ServiceAddress> address;
    };

    const AvahiPoll* poll = nullptr;
    ResolveCallback callback;
    Family ipv4;
    Family ipv6;
    ResolvedService service;
    AvahiTimeout* grace = nullptr;
    bool reported = false;

    static void onEvent(AvahiServiceResolver* resolver, AvahiIfIndex interface, AvahiProtocol,
                        AvahiResolverEvent event, const char* name, const char* type,
                        const char* domain, const char* hostName, const AvahiAddress* address,
                        std::uint16_t port, AvahiStringList* txt, AvahiLookupResultFlags,
                        void* self) {
        auto& native = *static_cast<Native*>(self);
        Family& family = resolver == native.ipv4.resolver ? native.ipv4 : native.ipv6;
        if (family.state != State::pending) {
            return;
        }
        if (event != AVAHI_RESOLVER_FOUND || address == nullptr || name == nullptr ||
            type == nullptr || domain == nullptr || hostName == nullptr) {
            family.state = State::failed;
        } else {
            family.state = State::found;
            family.address = serviceAddress(*address, interface, port);
            native.service.name = name;
            native.service.type = type;
            native.service.domain = domain;
            native.service.hostName = hostName;
            native.service.port = port;
            native.service.txtRecord = wireTxtRecord(txt);
        }
        native.settle();
    }

    static void onGraceEnded(AvahiTimeout*, void* self) {
        auto& native = *static_cast<Native*>(self);
        native.report();
    }

    // Reports once both families have settled, or a short grace after the first address came.
    void settle() {
        if (ipv4.state != State::pending && ipv6.state != State::pending) {
            report();
        } else if ((ipv4.state == State::found || ipv6.state == State::found) && grace == nullptr) {
            timeval when{};
            avahi_elapse_time(&when, static_cast<unsigned>(kOtherFamilyGrace.count()), 0);
            grace = poll->timeout_new(poll, &when, onGraceEnded, this);
        }
    }

    void report() {
        if (reported) {
            return;
        }
        reported = true;
        for (const Family* family : {&ipv4, &ipv6}) {
            if (family->address) {
                service.addresses.push_back(*family->address);
            }
        }
        if (service.addresses.empty()) {
            callback(std::nullopt);
        } else {
            callback(std::move(service));
        }
    }

    ~Native() {
        if (grace != nullptr) {
            poll->timeout_free(grace);
        }
        for (const Family* family : {&ipv4, &ipv6}) {
            if (family->resolver != nullptr) {
                avahi_service_resolver_free(family->resolver);
            }
        }
    }
};

Session::Session(std::unique_ptr<Native> native) : native_(std::move(native)) {}
Session::~Session() = default;
Session::Browser::Browser(std::unique_ptr<Native> native) : native_(std::move(native)) {}
Session::Browser::~Browser() = default;
Session::Resolver::Resolver(std::unique_ptr<Native> native) : native_(std::move(native)) {}
Session::Resolver::~Resolver() = default;

Status Session::open(std::unique_ptr<Session>& session) {
    session.reset();
    auto native = std::make_unique<Native>();
    native->poll = avahi_simple_poll_new();
    if (native->poll == nullptr) {
        return Status::failed;
    }
    int error = 0;
    native->client = avahi_client_new(avahi_simple_poll_get(native->poll), AvahiClientFlags(0),
                                      nullptr, nullptr, &error);
    if (native->client == nullptr) {
        return error == AVAHI_ERR_NO_DAEMON || error == AVAHI_ERR_DBUS_ERROR ? Status::noDaemon
                                                                             : Status::failed;
    }
    session.reset(new Session(std::move(native)));
    return Status::ok;
}

void Session::run(std::chrono::milliseconds slice) {
    const auto deadline = std::chrono::steady_clock::now() + slice;
    do {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (avahi_simple_poll_iterate(native_->poll, pollTime(left)) != 0) {
            return;  // the loop was told to quit, or polling failed
        }
    } while (std::chrono::steady_clock::now() < deadline);
}

Status Session::browse(std::string_view type, std::string_view domain, BrowseCallback callback,
                       std::unique_ptr<Browser>& browser) {
    browser.reset();
    auto native = std::make_unique<Browser::Native>();
    native->callback = std::move(callback);
    native->browser = avahi_service_browser_new(
        native_->client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, avahiType(type).c_str(),
        std::string(domain).c_str(), AvahiLookupFlags(0), Browser::Native::onEvent, native.get());
    if (native->browser == nullptr) {
        return Status::failed;
    }
    browser.reset(new Browser(std::move(native)));
    return Status::ok;
}

Status Session::resolve(std::string_view name, std::string_view type, std::string_view domain,
                        ResolveCallback callback, std::unique_ptr<Resolver>& resolver) {
    resolver.reset();
    auto native = std::make_unique<Resolver::Native>();
    native->poll = avahi_simple_poll_get(native_->poll);
    native->callback = std::move(callback);
    const std::string nameText(name);
    const std::string typeText = avahiType(type);
    const std::string domainText(domain);
    for (auto [family, protocol] : {std::pair{&native->ipv4, AVAHI_PROTO_INET},
                                    std::pair{&native->ipv6, AVAHI_PROTO_INET6}}) {
        family->resolver = avahi_service_resolver_new(
            native_->client, AVAHI_IF_UNSPEC, AVAHI_PROTO_UNSPEC, nameText.c_str(),
            typeText.c_str(), domainText.c_str(), protocol, AvahiLookupFlags(0),
            Resolver::Native::onEvent, native.get());
        if (family->resolver == nullptr) {
            return Status::failed;
        }
    }
    resolver.reset(new Resolver(std::move(native)));
    return Status::ok;
}

}  // namespace dnssd
