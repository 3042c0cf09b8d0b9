// An owning pointer to a reference-counted object that has retain() and release().
#pragma once

#include <utility>

namespace device {

template <class T>
class RetainedPtr {
  public:
    RetainedPtr() = default;
    RetainedPtr(const RetainedPtr& other) : object_(other.object_) { retainObject(); }
    RetainedPtr(RetainedPtr&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
    RetainedPtr& operator=(RetainedPtr other) noexcept {
        std::swap(object_, other.object_);
        return *this;
    }
    ~RetainedPtr() {
        if (object_ != nullptr) {
            object_->release();
        }
    }

    /// Takes over a reference the caller owns already (a new object, or a handed-in handle).
    static RetainedPtr adopt(T* object) { return RetainedPtr(object); }
    /// Takes one more reference to `object`.
    static RetainedPtr retain(T* object) {
        RetainedPtr pointer(object);
        pointer.retainObject();
        return pointer;
    }

    /// Gives up ownership of the reference, for handing it out through a C interface.
    T* leak() { return std::exchange(object_, nullptr); }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    explicit RetainedPtr(T* object) : object_(object) {}
    void retainObject() {
        if (object_ != nullptr) {
            object_->retain();
        }
    }

    T* object_ = nullptr;
};

}  // namespace device
