// Notification centres.
#include "cf/notification_center.h"

#include <algorithm>

namespace cf {

struct NotificationCenter::Entry {
    std::string name;
    const void* object = nullptr;
    Callback callback;
    // Held while the callback runs, so removal waits for a call in progress; recursive so that
    // a callback may remove its own observer.
    std::recursive_mutex callMutex;
    bool active = true;
};

NotificationCenter::Observer& NotificationCenter::Observer::operator=(Observer&& other) noexcept {
    if (this != &other) {
        reset();
        center_ = other.center_;
        entry_ = std::move(other.entry_);
    }
    return *this;
}

NotificationCenter::Observer::~Observer() {
    reset();
}

void NotificationCenter::Observer::reset() {
    if (entry_ != nullptr) {
        center_->remove(entry_);
        entry_.reset();
    }
}

NotificationCenter::Observer NotificationCenter::addObserver(std::string name, const void* object,
                                                             Callback callback) {
    auto entry = std::make_shared<Entry>();
    entry->name = std::move(name);
    entry->object = object;
    entry->callback = std::move(callback);
    std::lock_guard lock(mutex_);
    entries_.push_back(entry);
    return Observer(this, std::move(entry));
}

void NotificationCenter::post(std::string_view name, const void* object, Value userInfo) {
    std::vector<std::shared_ptr<Entry>> matching;
    {
        std::lock_guard lock(mutex_);
        for (const auto& entry : entries_) {
            if (entry->name == name && (entry->object == nullptr || entry->object == object)) {
                matching.push_back(entry);
            }
        }
    }
    const Notification notification{std::string(name), object, std::move(userInfo)};
    for (const auto& entry : matching) {
        std::lock_guard call(entry->callMutex);
        if (entry->active) {
            entry->callback(notification);
        }
    }
}

std::size_t NotificationCenter::observerCount() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

void NotificationCenter::remove(const std::shared_ptr<Entry>& entry) {
    {
        std::lock_guard lock(mutex_);
        std::erase(entries_, entry);
    }
    std::lock_guard call(entry->callMutex);
    entry->active = false;
}

NotificationCenter& NotificationCenter::defaultCenter() {
    static NotificationCenter center;
    return center;
}

NotificationCenter& NotificationCenter::localCenter() {
    static NotificationCenter center;
    return center;
}

}  // namespace cf
