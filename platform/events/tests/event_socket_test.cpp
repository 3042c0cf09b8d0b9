// Events over real Unix-domain sockets: a listener serving events and replies, one listener per
// socket, a socket left behind by a dead listener, senders that stall, and the socket folder.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

#include "events/event_dispatcher.h"
#include "events/event_socket.h"
#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using events::fourCharCode;
using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

constexpr auto kEcho = fourCharCode("echo");
constexpr auto kTest = fourCharCode("test");

/// Answers 'test' 'echo' with its direct parameter as the reply's, counting the events.
std::int32_t echo(const events::Event& event, events::Event& reply, void* reference) {
    ++*static_cast<int*>(reference);
    if (const auto value = event.parameter(events::kKeyDirectObject, events::kTypeLong)) {
        reply.putParameter(events::kKeyDirectObject, events::kTypeLong, *value);
    }
    return 0;
}

/// A listener served on a thread of its own until the object ends.
class ServedListener {
  public:
    explicit ServedListener(const std::filesystem::path& socket) {
        events::EventListener::OpenStatus status{};
        listener_ = events::EventListener::open(socket, status);
        EXPECT_EQ(status, events::EventListener::OpenStatus::kOk);
        dispatcher_.installHandler(kTest, kEcho, echo, &handled);
        thread_ = std::thread([this] {
            while (!stop_) {
                listener_->serveOne(
                    [this](const events::Event& e) { return dispatcher_.dispatch(e); }, 200ms);
                std::this_thread::sleep_for(1ms);
            }
        });
    }
    ~ServedListener() {
        stop_ = true;
        thread_.join();
    }

    std::atomic<int> handled{0};

  private:
    std::unique_ptr<events::EventListener> listener_;
    events::EventDispatcher dispatcher_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

events::Event echoEvent(std::int32_t value, bool wantsReply) {
    events::Event event;
    event.eventClass = kTest;
    event.eventId = kEcho;
    event.transactionId = 42;
    event.wantsReply = wantsReply;
    Bytes bytes(4);
    std::memcpy(bytes.data(), &value, 4);
    event.putParameter(events::kKeyDirectObject, events::kTypeLong, bytes);
    return event;
}

class EventSocket : public ::testing::Test {
  protected:
    std::filesystem::path socket() const { return folder_ / "test.socket"; }
    testsupport::TemporaryFolder folder_;
};

TEST_F(EventSocket, EventsAndTheirReplies) {
    ServedListener served(socket());
    events::Event reply;
    ASSERT_EQ(events::sendEvent(socket(), echoEvent(77, true), &reply, 5s),
              events::SendStatus::kOk);
    EXPECT_EQ(reply.eventClass, events::kClassCore);
    EXPECT_EQ(reply.eventId, events::kIdAnswer);
    EXPECT_EQ(reply.transactionId, 42u);
    const auto value = reply.parameter(events::kKeyDirectObject, events::kTypeLong);
    ASSERT_TRUE(value);
    std::int32_t echoed = 0;
    std::memcpy(&echoed, value->data(), 4);
    EXPECT_EQ(echoed, 77);

    EXPECT_EQ(events::sendEvent(socket(), echoEvent(1, false), nullptr, 5s),
              events::SendStatus::kOk);
    events::Event unknown = echoEvent(1, true);
    unknown.eventId = fourCharCode("none");
    ASSERT_EQ(events::sendEvent(socket(), unknown, &reply, 5s), events::SendStatus::kOk);
    const auto error = reply.parameter(events::kKeyErrorNumber, events::kTypeLong);
    ASSERT_TRUE(error);
    std::int32_t number = 0;
    std::memcpy(&number, error->data(), 4);
    EXPECT_EQ(number, events::kErrEventNotHandled);
    for (int i = 0; i < 500 && served.handled < 2; ++i) {
        std::this_thread::sleep_for(2ms);
    }
    EXPECT_EQ(served.handled, 2);
}

TEST_F(EventSocket, NobodyListening) {
    EXPECT_EQ(events::sendEvent(socket(), echoEvent(1, false), nullptr, 1s),
              events::SendStatus::kNoListener);
    events::Event reply;
    EXPECT_EQ(events::sendEvent(folder_ / std::string(200, 'n'), echoEvent(1, true), &reply, 1s),
              events::SendStatus::kFailed);
}

TEST_F(EventSocket, OneListenerPerSocketAndADeadOnesSocketIsTakenOver) {
    events::EventListener::OpenStatus status{};
    {
        const auto first = events::EventListener::open(socket(), status);
        ASSERT_TRUE(first);
        EXPECT_FALSE(events::EventListener::open(socket(), status));
        EXPECT_EQ(status, events::EventListener::OpenStatus::kInUse);
        struct stat info {};
        ASSERT_EQ(::stat(socket().c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0600u);
    }
    EXPECT_FALSE(std::filesystem::exists(socket()));

    // A listener that died left its socket file: nobody answers there, and a new listener
    // takes the place.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socket().c_str());
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(stale);
    EXPECT_EQ(events::sendEvent(socket(), echoEvent(1, false), nullptr, 1s),
              events::SendStatus::kNoListener);
    ServedListener served(socket());
    EXPECT_EQ(events::sendEvent(socket(), echoEvent(1, false), nullptr, 1s),
              events::SendStatus::kOk);
}

// A sender that stops in the middle of its event costs the listener no more than its wait; a
// listener that never answers costs the sender no more than its own.
TEST_F(EventSocket, StalledPeersAreWaitedForABoundedTime) {
    events::EventListener::OpenStatus status{};
    const auto listener = events::EventListener::open(socket(), status);
    ASSERT_TRUE(listener);
    const int client = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socket().c_str());
    ASSERT_EQ(::connect(client, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::write(client, "SLev\0\0\0\x20", 8), 8);
    int handled = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(listener->serveOne(
        [&](const events::Event& event) {
            ++handled;
            return events::replyTo(event);
        },
        100ms));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    EXPECT_EQ(handled, 0);
    EXPECT_FALSE(listener->serveOne([](const events::Event& e) { return e; }, 100ms));
    ::close(client);

    events::Event reply;
    EXPECT_EQ(events::sendEvent(socket(), echoEvent(1, true), &reply, 100ms),
              events::SendStatus::kTimedOut);
}

TEST(EventSocketFolder, FromTheEnvironmentElseAPrivateTemporaryFolder) {
    const testsupport::TemporaryFolder folder;
    {
        const testsupport::ScopedVariable named(events::kSocketFolderVariable, "/run/elsewhere");
        EXPECT_EQ(events::socketFolder(), std::filesystem::path("/run/elsewhere"));
    }
    const testsupport::ScopedVariable unnamed(events::kSocketFolderVariable, nullptr);
    {
        const testsupport::ScopedVariable runtime("XDG_RUNTIME_DIR", "/run/user/1");
        EXPECT_EQ(events::socketFolder(), std::filesystem::path("/run/user/1"));
    }
    const testsupport::ScopedVariable noRuntime("XDG_RUNTIME_DIR", "relative");
    const testsupport::ScopedVariable temporary("TMPDIR", folder.path().c_str());
    const auto made = events::socketFolder();
    ASSERT_TRUE(made);
    EXPECT_EQ(made->parent_path(), folder.path());
    struct stat info {};
    ASSERT_EQ(::stat(made->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(events::socketFolder(), made);

    // A file in the folder's place is refused.
    std::filesystem::remove(*made);
    std::ofstream(made->string()) << "not a folder";
    EXPECT_FALSE(events::socketFolder());
}

}  // namespace
