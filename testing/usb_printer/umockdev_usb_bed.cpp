// USB printers emulated with umockdev.
#include "umockdev_usb_bed.h"

#include <linux/usbdevice_fs.h>
#include <sys/ioctl.h>
#include <umockdev.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <utility>

namespace usb_test {

namespace {

constexpr const char* kPreloadLibrary = "libumockdev-preload.so.0";
constexpr const char* kRestartedMark = "STRATOLINE_UMOCKDEV_RESTARTED";
constexpr std::size_t kSetupSize = 8;

// umockdev works through its preload library, which must be in the program from its start. A
// program started without it starts itself again with it. The sanitizer runtime then no longer
// comes first among the preloaded libraries, which it accepts once told.
__attribute__((constructor)) void restartWithUmockdevPreload(int, char** argv, char**) {
    const char* preload = std::getenv("LD_PRELOAD");
    if (preload != nullptr && std::strstr(preload, "libumockdev-preload") != nullptr) {
        return;
    }
    if (std::getenv(kRestartedMark) != nullptr) {
        std::fprintf(stderr, "umockdev preload library could not be loaded\n");
        std::_Exit(EXIT_FAILURE);
    }
    std::string preloads = kPreloadLibrary;
    if (preload != nullptr && *preload != '\0') {
        preloads.append(":").append(preload);
    }
    std::string asan = "verify_asan_link_order=0";
    if (const char* options = std::getenv("ASAN_OPTIONS"); options != nullptr && *options != 0) {
        asan.append(":").append(options);
    }
    ::setenv("LD_PRELOAD", preloads.c_str(), 1);
    ::setenv("ASAN_OPTIONS", asan.c_str(), 1);
    ::setenv(kRestartedMark, "1", 1);
    ::execv("/proc/self/exe", argv);
    std::perror("restarting with the umockdev preload library");
    std::_Exit(EXIT_FAILURE);
}

struct DataRef {
    UMockdevIoctlData* data = nullptr;
    explicit DataRef(UMockdevIoctlData* d = nullptr) : data(d) {}
    DataRef(DataRef&& other) noexcept : data(std::exchange(other.data, nullptr)) {}
    DataRef& operator=(DataRef&& other) noexcept {
        std::swap(data, other.data);
        return *this;
    }
    ~DataRef() {
        if (data != nullptr) {
            g_object_unref(data);
        }
    }
};

// A submitted URB and its buffer, both as the bed's local copies of the client's memory.
struct Urb {
    DataRef urb;
    DataRef buffer;
    usbdevfs_urb& fields() const { return *reinterpret_cast<usbdevfs_urb*>(urb.data->data); }
    std::uint8_t* bytes() const { return buffer.data != nullptr ? buffer.data->data : nullptr; }
};

struct Client {
    std::deque<Urb> pendingOut;
    std::deque<Urb> pendingIn;
    std::deque<Urb> done;
};

std::string hex(const Bytes& bytes) {
    std::string text;
    char digits[3];
    for (const std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", b);
        text += digits;
    }
    return text;
}

}  // namespace

struct UmockdevUsbBed::Native {
    UMockdevTestbed* testbed = nullptr;
};

struct UmockdevUsbBed::Device {
    std::unique_ptr<UsbPrinterModel> model;
    UMockdevIoctlBase* handler = nullptr;
    mutable std::mutex mutex;
    std::map<UMockdevIoctlClient*, Client> clients;
    UMockdevIoctlClient* claimer = nullptr;

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
        return static_cast<Device*>(self)->ioctl(client);
    }
    static void onVanished(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self) {
        auto* device = static_cast<Device*>(self);
        std::lock_guard lock(device->mutex);
        device->clients.erase(client);
        if (device->claimer == client) {
            device->setClaimer(nullptr);
        }
    }

    // The claimer is held referenced, so that it can be asked whether it is still connected.
    void setClaimer(UMockdevIoctlClient* client) {
        if (claimer != nullptr) {
            g_object_unref(claimer);
        }
        claimer =
            client != nullptr ? static_cast<UMockdevIoctlClient*>(g_object_ref(client)) : nullptr;
    }

    gboolean ioctl(UMockdevIoctlClient* client) {
        std::lock_guard lock(mutex);
        UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
        Client& state = clients[client];
        switch (umockdev_ioctl_client_get_request(client)) {
            case USBDEVFS_GET_CAPABILITIES: {
                DataRef caps(umockdev_ioctl_data_resolve(arg, 0, sizeof(std::uint32_t), nullptr));
                const std::uint32_t value =
                    USBDEVFS_CAP_BULK_CONTINUATION | USBDEVFS_CAP_NO_PACKET_SIZE_LIM;
                std::memcpy(caps.data->data, &value, sizeof value);
                umockdev_ioctl_client_complete(client, 0, 0);
                return TRUE;
            }
            case USBDEVFS_CLAIMINTERFACE:
            case USBDEVFS_DISCONNECT_CLAIM:
                forgetGoneClaimer();
                if (claimer != nullptr && claimer != client) {
                    umockdev_ioctl_client_complete(client, -1, EBUSY);
                } else {
                    if (claimer != client) {
                        setClaimer(client);
                    }
                    umockdev_ioctl_client_complete(client, 0, 0);
                }
                return TRUE;
            case USBDEVFS_RELEASEINTERFACE:
                if (claimer == client) {
                    setClaimer(nullptr);
                }
                umockdev_ioctl_client_complete(client, 0, 0);
                return TRUE;
            case USBDEVFS_SETINTERFACE:
            case USBDEVFS_CLEAR_HALT:
            case USBDEVFS_RESET:
            case USBDEVFS_RESETEP:
                umockdev_ioctl_client_complete(client, 0, 0);
                return TRUE;
            case USBDEVFS_GETDRIVER:
                umockdev_ioctl_client_complete(client, -1, ENODATA);
                return TRUE;
            case USBDEVFS_SUBMITURB:
                submit(client, state, arg);
                return TRUE;
            case USBDEVFS_REAPURB:
            case USBDEVFS_REAPURBNDELAY:
                reap(client, state, arg);
                return TRUE;
            case USBDEVFS_DISCARDURB:
                discard(client, state, arg);
                return TRUE;
            default:
                return FALSE;
        }
    }

    // A process that ended without releasing the interface (killed, say) loses its claim, as
    // the kernel's would. umockdev does not always report such a client as vanished.
    void forgetGoneClaimer() {
        if (claimer != nullptr && !umockdev_ioctl_client_get_connected(claimer)) {
            clients.erase(claimer);
            setClaimer(nullptr);
        }
    }

    void submit(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg) {
        Urb urb;
        urb.urb = DataRef(umockdev_ioctl_data_resolve(arg, 0, sizeof(usbdevfs_urb), nullptr));
        if (urb.urb.data == nullptr) {
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return;
        }
        usbdevfs_urb& fields = urb.fields();
        if (fields.buffer_length > 0) {
            urb.buffer = DataRef(
                umockdev_ioctl_data_resolve(urb.urb.data, offsetof(usbdevfs_urb, buffer),
                                            static_cast<gsize>(fields.buffer_length), nullptr));
        }
        fields.status = 0;
        fields.actual_length = 0;
        if (fields.type == USBDEVFS_URB_TYPE_CONTROL) {
            control(urb);
            state.done.push_back(std::move(urb));
        } else if (fields.type != USBDEVFS_URB_TYPE_BULK) {
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return;
        } else if ((fields.endpoint & 0x80) != 0) {
            state.pendingIn.push_back(std::move(urb));
        } else {
            state.pendingOut.push_back(std::move(urb));
        }
        serve(state);
        umockdev_ioctl_client_complete(client, 0, 0);
    }

    void control(Urb& urb) {
        usbdevfs_urb& fields = urb.fields();
        if (fields.buffer_length < static_cast<int>(kSetupSize) || urb.bytes() == nullptr) {
            fields.status = -EPIPE;
            return;
        }
        const std::span<const std::uint8_t> setup(urb.bytes(), kSetupSize);
        const ControlAnswer answer = model->control(setup);
        if (answer.stall) {
            fields.status = -EPIPE;
            return;
        }
        const bool in = (setup[0] & 0x80) != 0;
        const std::size_t room = static_cast<std::size_t>(fields.buffer_length) - kSetupSize;
        if (in) {
            const std::size_t count = std::min(room, answer.in.size());
            if (count > 0) {
                std::memcpy(urb.bytes() + kSetupSize, answer.in.data(), count);
            }
            fields.actual_length = static_cast<int>(count);
        } else {
            fields.actual_length = static_cast<int>(room);
        }
    }

    // Moves what the printer takes or has to give into finished URBs.
    void serve(Client& state) {
        while (!state.pendingOut.empty()) {
            Urb& urb = state.pendingOut.front();
            const auto length = static_cast<std::size_t>(urb.fields().buffer_length);
            if (!model->hostWrote({urb.bytes(), urb.bytes() != nullptr ? length : 0})) {
                break;
            }
            urb.fields().actual_length = static_cast<int>(length);
            state.done.push_back(std::move(urb));
            state.pendingOut.pop_front();
        }
        while (!state.pendingIn.empty()) {
            Urb& urb = state.pendingIn.front();
            const Bytes bytes = model->take(static_cast<std::size_t>(urb.fields().buffer_length));
            if (bytes.empty()) {
                break;
            }
            std::memcpy(urb.bytes(), bytes.data(), bytes.size());
            urb.fields().actual_length = static_cast<int>(bytes.size());
            state.done.push_back(std::move(urb));
            state.pendingIn.pop_front();
        }
    }

    void reap(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg) {
        serve(state);
        if (state.done.empty()) {
            umockdev_ioctl_client_complete(client, -1, EAGAIN);
            return;
        }
        Urb urb = std::move(state.done.front());
        state.done.pop_front();
        DataRef pointer(umockdev_ioctl_data_resolve(arg, 0, sizeof(void*), nullptr));
        umockdev_ioctl_data_set_ptr(pointer.data, 0, urb.urb.data);
        umockdev_ioctl_client_complete(client, 0, 0);
    }

    void discard(UMockdevIoctlClient* client, Client& state, UMockdevIoctlData* arg) {
        gulong address = 0;
        std::memcpy(&address, arg->data, sizeof address);
        for (auto* list : {&state.pendingIn, &state.pendingOut}) {
            for (auto it = list->begin(); it != list->end(); ++it) {
                if (it->urb.data->client_addr == address) {
                    it->fields().status = -ENOENT;
                    state.done.push_back(std::move(*it));
                    list->erase(it);
                    umockdev_ioctl_client_complete(client, 0, 0);
                    return;
                }
            }
        }
        umockdev_ioctl_client_complete(client, -1, EINVAL);
    }
};

UmockdevUsbBed::UmockdevUsbBed() : native_(std::make_unique<Native>()) {
    native_->testbed = umockdev_testbed_new();
}

UmockdevUsbBed::~UmockdevUsbBed() {
    for (const auto& device : devices_) {
        std::lock_guard lock(device->mutex);
        device->setClaimer(nullptr);
        g_object_unref(device->handler);
    }
    g_object_unref(native_->testbed);
}

UsbPrinterModel& UmockdevUsbBed::addPrinter(UsbPrinterIdentity identity,
                                            Ieee1284_4Peer::Settings settings) {
    auto device = std::make_unique<Device>();
    device->model = std::make_unique<UsbPrinterModel>(std::move(identity), settings);
    const int number = static_cast<int>(devices_.size()) + 2;  // 1 is the root hub's
    char devnode[32];
    std::snprintf(devnode, sizeof devnode, "/dev/bus/usb/001/%03d", number);

    device->handler = umockdev_ioctl_base_new();
    g_signal_connect(device->handler, "handle-ioctl", G_CALLBACK(Device::onIoctl), device.get());
    g_signal_connect(device->handler, "client-vanished", G_CALLBACK(Device::onVanished),
                     device.get());
    umockdev_testbed_attach_ioctl(native_->testbed, devnode, device->handler, nullptr);

    char record[2048];
    std::snprintf(record, sizeof record,
                  "P: /devices/pci0000:00/usb1/1-%d\n"
                  "N: bus/usb/001/%03d\n"
                  "E: SUBSYSTEM=usb\n"
                  "E: DEVTYPE=usb_device\n"
                  "E: DRIVER=usb\n"
                  "E: BUSNUM=001\n"
                  "E: DEVNUM=%03d\n"
                  "E: DEVNAME=%s\n"
                  "A: busnum=1\\n\n"
                  "A: devnum=%d\\n\n"
                  "A: bConfigurationValue=1\\n\n"
                  "A: speed=480\\n\n"
                  "H: descriptors=%s\n",
                  number, number, number, devnode, number,
                  hex(device->model->descriptors()).c_str());
    umockdev_testbed_add_from_string(native_->testbed, record, nullptr);
    devices_.push_back(std::move(device));
    return *devices_.back()->model;
}

bool UmockdevUsbBed::claimed(const UsbPrinterModel& printer) const {
    for (const auto& device : devices_) {
        if (device->model.get() == &printer) {
            std::lock_guard lock(device->mutex);
            device->forgetGoneClaimer();
            return device->claimer != nullptr;
        }
    }
    return false;
}

}  // namespace usb_test
