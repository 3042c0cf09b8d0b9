// An mDNS daemon for tests.
#include "avahi_bed.h"

#include <avahi-client/client.h>
#include <avahi-common/simple-watch.h>
#include <stdlib.h>

#include <fstream>

namespace nettest {

namespace {

constexpr std::chrono::milliseconds kStartTimeLimit{10000};
constexpr std::chrono::milliseconds kPublishTimeLimit{10000};
constexpr int kPollStepMilliseconds = 50;
constexpr const char* kBusVariable = "DBUS_SYSTEM_BUS_ADDRESS";
constexpr std::string_view kEstablished = "Established under name";

// A system bus that lets everyone own and send everything: only the test's programs are on it.
constexpr const char* kBusConfiguration = R"(<!DOCTYPE busconfig PUBLIC
 "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=@SOCKET@</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
)";

// mDNS over IPv4 on the loopback interface only, nothing published of the machine itself.
constexpr const char* kDaemonConfiguration = R"([server]
use-ipv4=yes
use-ipv6=no
allow-interfaces=lo
enable-dbus=yes
ratelimit-interval-usec=1000000
ratelimit-burst=1000
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
publish-addresses=yes
)";

bool writeFile(const std::filesystem::path& path, std::string text) {
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out);
}

std::string replaced(std::string text, std::string_view mark, const std::string& value) {
    text.replace(text.find(mark), mark.size(), value);
    return text;
}

}  // namespace

AvahiBed::AvahiBed(std::filesystem::path folder) : folder_(std::move(folder)) {
    if (const char* former = ::getenv(kBusVariable)) {
        formerBusAddress_ = former;
    }
}

AvahiBed::~AvahiBed() {
    publishers_.clear();
    daemon_.stop();
    bus_.stop();
    if (formerBusAddress_) {
        ::setenv(kBusVariable, formerBusAddress_->c_str(), 1);
    } else {
        ::unsetenv(kBusVariable);
    }
}

bool AvahiBed::start() {
    const std::filesystem::path socket = folder_ / "system_bus_socket";
    const std::filesystem::path runFolder = folder_ / "run";
    std::error_code ignored;
    std::filesystem::create_directories(runFolder / "avahi-daemon", ignored);
    if (!writeFile(folder_ / "bus.conf",
                   replaced(kBusConfiguration, "@SOCKET@", socket.string())) ||
        !writeFile(folder_ / "avahi-daemon.conf", kDaemonConfiguration)) {
        error_ = "cannot write the configuration files into " + folder_.string();
        return false;
    }
    if (!bus_.start({{"dbus-daemon", "--config-file=" + (folder_ / "bus.conf").string(), "--nofork",
                      "--print-address=1"},
                     {},
                     {}}) ||
        !bus_.waitForOutput("unix:", kStartTimeLimit)) {
        error_ = "the D-Bus daemon did not start: " + bus_.error() + bus_.output();
        return false;
    }
    ::setenv(kBusVariable, ("unix:path=" + socket.string()).c_str(), 1);
    // The daemon keeps its process-id file and socket in /run/avahi-daemon: it gets a /run of
    // its own, in the test's folder.
    if (!daemon_.start({{"avahi-daemon", "--file=" + (folder_ / "avahi-daemon.conf").string(),
                         "--no-drop-root", "--no-chroot", "--no-rlimits", "--no-proc-title"},
                        folder_ / "avahi-daemon.log",
                        runFolder}) ||
        !waitUntilDaemonRuns(kStartTimeLimit)) {
        error_ = "avahi-daemon did not start (see " + (folder_ / "avahi-daemon.log").string() +
                 ") " + daemon_.error();
        return false;
    }
    return true;
}

bool AvahiBed::waitUntilDaemonRuns(std::chrono::milliseconds timeout) {
    struct Watch {
        AvahiClientState state = AVAHI_CLIENT_CONNECTING;
        static void changed(AvahiClient*, AvahiClientState state, void* self) {
            static_cast<Watch*>(self)->state = state;
        }
    } watch;
    AvahiSimplePoll* poll = avahi_simple_poll_new();
    int error = 0;
    AvahiClient* client = avahi_client_new(avahi_simple_poll_get(poll), AVAHI_CLIENT_NO_FAIL,
                                           Watch::changed, &watch, &error);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (client != nullptr && watch.state != AVAHI_CLIENT_S_RUNNING &&
           std::chrono::steady_clock::now() < deadline) {
        avahi_simple_poll_iterate(poll, kPollStepMilliseconds);
    }
    const bool running = watch.state == AVAHI_CLIENT_S_RUNNING;
    if (client != nullptr) {
        avahi_client_free(client);
    }
    avahi_simple_poll_free(poll);
    return running;
}

std::optional<std::size_t> AvahiBed::publish(const Service& service) {
    std::vector<std::string> arguments{"avahi-publish", "--service"};
    if (!service.host.empty()) {
        arguments.push_back("--host=" + service.host);
    }
    arguments.insert(arguments.end(), {service.name, service.type, std::to_string(service.port)});
    arguments.insert(arguments.end(), service.txt.begin(), service.txt.end());
    return startPublisher(std::move(arguments));
}

std::optional<std::size_t> AvahiBed::publishAddress(const std::string& host,
                                                    const std::string& address) {
    // Without the reverse record: several test hosts may share an address.
    return startPublisher({"avahi-publish", "--address", "--no-reverse", host, address});
}

std::optional<std::size_t> AvahiBed::startPublisher(std::vector<std::string> arguments) {
    auto publisher = std::make_unique<ChildProcess>();
    if (!publisher->start({std::move(arguments), {}, {}}) ||
        !publisher->waitForOutput(kEstablished, kPublishTimeLimit)) {
        error_ = "avahi-publish did not establish its record: " + publisher->error() +
                 publisher->output();
        return std::nullopt;
    }
    publishers_.push_back(std::move(publisher));
    return publishers_.size() - 1;
}

void AvahiBed::withdraw(std::size_t publication) {
    if (publication < publishers_.size() && publishers_[publication]) {
        publishers_[publication]->stop();
    }
}

}  // namespace nettest
