// USB devices on libusb-1.0.
#include "usb/usb.h"

#include <libusb.h>
#include <unistd.h>

#include <climits>
#include <mutex>

namespace usb {

namespace {

// The process's libusb context. A child process made by fork() inherits its parent's context
// without the threads that serve it, so the child makes its own; the inherited one cannot be
// released safely and is left alone.
libusb_context* processContext() {
    static std::mutex guard;
    static libusb_context* context = nullptr;
    static pid_t owner = 0;
    std::lock_guard lock(guard);
    if (context == nullptr || owner != ::getpid()) {
        context = nullptr;
        if (libusb_init(&context) != LIBUSB_SUCCESS) {
            context = nullptr;
            return nullptr;
        }
        owner = ::getpid();
    }
    return context;
}

Status statusOf(int error) {
    switch (error) {
        case LIBUSB_SUCCESS:
            return Status::ok;
        case LIBUSB_ERROR_TIMEOUT:
            return Status::timeout;
        case LIBUSB_ERROR_BUSY:
            return Status::busy;
        case LIBUSB_ERROR_NO_DEVICE:
            return Status::noDevice;
        case LIBUSB_ERROR_PIPE:
            return Status::pipe;
        case LIBUSB_ERROR_IO:
        case LIBUSB_ERROR_OVERFLOW:
        case LIBUSB_ERROR_INTERRUPTED:
            return Status::io;
        case LIBUSB_ERROR_ACCESS:
            return Status::access;
        case LIBUSB_ERROR_NOT_FOUND:
            return Status::notFound;
        default:
            return Status::other;
    }
}

unsigned int timeoutOf(std::chrono::milliseconds timeout) {
    // libusb takes 0 for "no time-out": the shortest time-out it can keep is 1 ms.
    if (timeout.count() <= 0) {
        return 1;
    }
    return timeout.count() > UINT_MAX ? UINT_MAX : static_cast<unsigned int>(timeout.count());
}

void appendInterfaces(libusb_device* device, std::vector<InterfaceInfo>& interfaces) {
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_active_config_descriptor(device, &config) != LIBUSB_SUCCESS) {
        return;  // unconfigured: no interfaces to offer
    }
    for (int i = 0; i < config->bNumInterfaces; ++i) {
        const libusb_interface& interface = config->interface[i];
        for (int a = 0; a < interface.num_altsetting; ++a) {
            const libusb_interface_descriptor& setting = interface.altsetting[a];
            InterfaceInfo info;
            info.bus = libusb_get_bus_number(device);
            info.deviceAddress = libusb_get_device_address(device);
            info.configurationValue = config->bConfigurationValue;
            info.interfaceNumber = setting.bInterfaceNumber;
            info.alternateSetting = setting.bAlternateSetting;
            info.interfaceClass = setting.bInterfaceClass;
            info.interfaceSubclass = setting.bInterfaceSubClass;
            info.interfaceProtocol = setting.bInterfaceProtocol;
            for (int e = 0; e < setting.bNumEndpoints; ++e) {
                info.endpoints.push_back(
                    {setting.endpoint[e].bEndpointAddress, setting.endpoint[e].bmAttributes});
            }
            interfaces.push_back(std::move(info));
        }
    }
    libusb_free_config_descriptor(config);
}

// The device list, released when the object ends.
class DeviceList {
  public:
    explicit DeviceList(libusb_context* context)
        : count_(libusb_get_device_list(context, &devices_)) {}
    ~DeviceList() {
        if (count_ >= 0) {
            libusb_free_device_list(devices_, 1);
        }
    }
    DeviceList(const DeviceList&) = delete;
    DeviceList& operator=(const DeviceList&) = delete;

    ssize_t count() const { return count_; }
    libusb_device* operator[](ssize_t i) const { return devices_[i]; }

  private:
    libusb_device** devices_ = nullptr;
    ssize_t count_;
};

}  // namespace

struct DeviceHandle::Native {
    libusb_device_handle* handle = nullptr;
};

Status listInterfaces(std::vector<InterfaceInfo>& interfaces) {
    interfaces.clear();
    libusb_context* context = processContext();
    if (context == nullptr) {
        return Status::other;
    }
    DeviceList devices(context);
    if (devices.count() < 0) {
        return statusOf(static_cast<int>(devices.count()));
    }
    for (ssize_t i = 0; i < devices.count(); ++i) {
        appendInterfaces(devices[i], interfaces);
    }
    return Status::ok;
}

DeviceHandle::DeviceHandle(std::unique_ptr<Native> native, const InterfaceInfo& where)
    : native_(std::move(native)), where_(where) {}

DeviceHandle::~DeviceHandle() {
    if (claimed_) {
        libusb_release_interface(native_->handle, where_.interfaceNumber);
    }
    libusb_close(native_->handle);
}

Status DeviceHandle::open(const InterfaceInfo& where, std::unique_ptr<DeviceHandle>& handle) {
    handle.reset();
    libusb_context* context = processContext();
    if (context == nullptr) {
        return Status::other;
    }
    DeviceList devices(context);
    if (devices.count() < 0) {
        return statusOf(static_cast<int>(devices.count()));
    }
    for (ssize_t i = 0; i < devices.count(); ++i) {
        if (libusb_get_bus_number(devices[i]) != where.bus ||
            libusb_get_device_address(devices[i]) != where.deviceAddress) {
            continue;
        }
        auto native = std::make_unique<Native>();
        if (const int error = libusb_open(devices[i], &native->handle); error != LIBUSB_SUCCESS) {
            return statusOf(error);
        }
        libusb_set_auto_detach_kernel_driver(native->handle, 1);
        handle.reset(new DeviceHandle(std::move(native), where));
        return Status::ok;
    }
    return Status::noDevice;
}

Status DeviceHandle::control(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                             std::uint16_t index, std::span<std::uint8_t> data,
                             std::chrono::milliseconds timeout, std::size_t& transferred) {
    transferred = 0;
    const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(data.size(), 0xFFFF));
    const int result = libusb_control_transfer(native_->handle, requestType, request, value, index,
                                               data.data(), length, timeoutOf(timeout));
    if (result < 0) {
        return statusOf(result);
    }
    transferred = static_cast<std::size_t>(result);
    return Status::ok;
}

Status DeviceHandle::claim() {
    if (claimed_) {
        return Status::ok;
    }
    if (const int error = libusb_claim_interface(native_->handle, where_.interfaceNumber);
        error != LIBUSB_SUCCESS) {
        return statusOf(error);
    }
    claimed_ = true;
    if (where_.alternateSetting != 0) {
        return statusOf(libusb_set_interface_alt_setting(native_->handle, where_.interfaceNumber,
                                                         where_.alternateSetting));
    }
    return Status::ok;
}

Status DeviceHandle::bulk(std::uint8_t endpoint, std::uint8_t* data, std::size_t length,
                          std::chrono::milliseconds timeout, std::size_t& transferred) {
    transferred = 0;
    int moved = 0;
    const int chunk = static_cast<int>(std::min<std::size_t>(length, INT_MAX));
    const int error =
        libusb_bulk_transfer(native_->handle, endpoint, data, chunk, &moved, timeoutOf(timeout));
    transferred = moved > 0 ? static_cast<std::size_t>(moved) : 0;
    return statusOf(error);
}

}  // namespace usb
