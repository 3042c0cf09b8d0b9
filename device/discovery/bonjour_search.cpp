// The Bonjour search and the look-up of one service name.
#include "discovery/bonjour_search.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "discovery/bonjour_entry.h"
#include "discovery/lpr_search.h"
#include "discovery/search_status.h"
#include "dnssd/dnssd.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kBrowseTime{500};
constexpr std::chrono::milliseconds kRunSlice{10};
constexpr std::chrono::milliseconds kResolveTimeLimit{10000};
constexpr std::chrono::milliseconds kAllResolvedTimeLimit{10000};

// Appends `entry` unless an equal entry is there already.
void appendOnce(std::vector<cf::Value>& entries, cf::Value entry) {
    if (std::find(entries.begin(), entries.end(), entry) == entries.end()) {
        entries.push_back(std::move(entry));
    }
}

// One resolution in progress and what it found.
struct Resolution {
    std::unique_ptr<dnssd::Session::Resolver> resolver;
    std::string name;
    Clock::time_point deadline;
    bool done = false;
    std::optional<cf::Value> entry;

    // Starts resolving `serviceName`; false when the daemon refuses.
    bool start(dnssd::Session& session, std::string_view type, const std::string& serviceName) {
        name = serviceName;
        done = false;
        entry.reset();
        deadline = Clock::now() + kResolveTimeLimit;
        const auto found = [this](std::optional<dnssd::ResolvedService> service) {
            done = true;
            if (service) {
                entry = LocalBonjourEntry(*service, device::BonjourAddressReachable);
            }
        };
        return session.resolve(name, type, kBonjourDomain, found, resolver) == dnssd::Status::ok;
    }
    bool active() const { return resolver != nullptr; }
    void stop() { resolver.reset(); }
};

// The search of one service type: the names browsed, in the order they appeared, resolved one
// after another. A resolution that fails, runs out of time or whose service disappears is given
// up and the next name resolved, so that one vanished printer hides no other.
class TypeSearch {
  public:
    TypeSearch(dnssd::Session& session, std::string_view type) : session_(session), type_(type) {}

    void run(std::vector<cf::Value>& entries) {
        std::unique_ptr<dnssd::Session::Browser> browser;
        const auto onBrowse = [this](dnssd::BrowseEvent event, const std::string& name) {
            event == dnssd::BrowseEvent::added ? added(name) : removed(name);
        };
        if (session_.browse(type_, kBonjourDomain, onBrowse, browser) != dnssd::Status::ok) {
            return;
        }
        runFor(kBrowseTime);
        const auto deadline = Clock::now() + kAllResolvedTimeLimit;
        while (Clock::now() < deadline) {
            if (resolution_.active() &&
                (resolution_.done || Clock::now() >= resolution_.deadline)) {
                if (resolution_.entry) {
                    appendOnce(entries, std::move(*resolution_.entry));
                }
                resolution_.stop();
            }
            if (!resolution_.active() && !startNext()) {
                break;  // every name is resolved
            }
            session_.run(kRunSlice);
        }
        resolution_.stop();
    }

  private:
    void runFor(std::chrono::milliseconds time) {
        const auto end = Clock::now() + time;
        while (Clock::now() < end) {
            session_.run(kRunSlice);
        }
    }

    // Starts the resolution of the next name; false when none is left.
    bool startNext() {
        while (next_ < names_.size()) {
            if (resolution_.start(session_, type_, names_[next_++])) {
                return true;
            }
        }
        return false;
    }

    void added(const std::string& name) {
        if (std::find(names_.begin(), names_.end(), name) == names_.end()) {
            names_.push_back(name);
        }
    }

    void removed(const std::string& name) {
        const auto found = std::find(names_.begin(), names_.end(), name);
        if (found == names_.end()) {
            return;
        }
        if (static_cast<std::size_t>(found - names_.begin()) < next_) {
            --next_;
        }
        names_.erase(found);
        if (resolution_.active() && resolution_.name == name && !resolution_.done) {
            resolution_.done = true;  // gone: what it would find is stale
        }
    }

    dnssd::Session& session_;
    std::string_view type_;
    std::vector<std::string> names_;
    std::size_t next_ = 0;
    Resolution resolution_;
};

}  // namespace

std::int32_t SearchBonjourPrinterAddressList(cf::Value& entries) {
    sendLPRQDXAEchoBroadCast();
    std::unique_ptr<dnssd::Session> session;
    if (dnssd::Session::open(session) != dnssd::Status::ok) {
        return kSearchNoErr;
    }
    std::vector<cf::Value> found;
    for (const std::string_view type : kBonjourServiceTypes) {
        TypeSearch(*session, type).run(found);
    }
    for (cf::Value& entry : found) {
        entries.append(std::move(entry));
    }
    return kSearchNoErr;
}

std::optional<cf::Value> bonjourPrinterAddress(const std::string& serviceName) {
    sendLPRQDXAEchoBroadCast();
    std::unique_ptr<dnssd::Session> session;
    if (dnssd::Session::open(session) != dnssd::Status::ok) {
        return std::nullopt;
    }
    for (const std::string_view type : kBonjourServiceTypes) {
        const auto waitEnd = Clock::now() + kBrowseTime;
        while (Clock::now() < waitEnd) {
            session->run(kRunSlice);
        }
        Resolution resolution;
        if (!resolution.start(*session, type, serviceName)) {
            continue;
        }
        while (!resolution.done && Clock::now() < resolution.deadline) {
            session->run(kRunSlice);
        }
        // The first entry is the answer: a later type could only add entries after it.
        if (resolution.entry) {
            return resolution.entry;
        }
    }
    return std::nullopt;
}
