// Notification centres: observers registered by name and object, called when a post matches.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "cf/value.h"

namespace cf {

struct Notification {
    std::string name;
    const void* object = nullptr;  ///< the poster's object, or null
    Value userInfo;                ///< a dictionary, or null
};

/// A centre delivers each post synchronously, on the posting thread, to every observer whose
/// name matches and whose object is null or the posted object. Posts and registrations may come
/// from any thread; an observer that has been removed is never called again once its removal
/// returns.
class NotificationCenter {
  public:
    using Callback = std::function<void(const Notification&)>;
    struct Entry;

    /// Registration token: the observer is removed when the token is destroyed or reset.
    class Observer {
      public:
        Observer() = default;
        Observer(Observer&&) noexcept = default;
        Observer& operator=(Observer&& other) noexcept;
        ~Observer();
        void reset();
        explicit operator bool() const { return entry_ != nullptr; }

      private:
        friend class NotificationCenter;
        Observer(NotificationCenter* center, std::shared_ptr<Entry> entry)
            : center_(center), entry_(std::move(entry)) {}
        NotificationCenter* center_ = nullptr;
        std::shared_ptr<Entry> entry_;
    };

    NotificationCenter() = default;
    NotificationCenter(const NotificationCenter&) = delete;
    NotificationCenter& operator=(const NotificationCenter&) = delete;

    /// Observes posts of `name`; a null `object` observes every poster.
    [[nodiscard]] Observer addObserver(std::string name, const void* object, Callback callback);

    void post(std::string_view name, const void* object = nullptr, Value userInfo = {});

    /// How many observers are registered (for checks that none is left behind).
    std::size_t observerCount() const;

    /// The process-wide default centre.
    static NotificationCenter& defaultCenter();
    /// The process-wide local centre.
    static NotificationCenter& localCenter();

  private:
    void remove(const std::shared_ptr<Entry>& entry);

    mutable std::mutex mutex_;
    std::vector<std::shared_ptr<Entry>> entries_;
};

}  // namespace cf
