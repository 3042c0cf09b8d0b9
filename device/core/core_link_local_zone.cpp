// The zone (interface name) given to link-local IPv6 printer addresses that name none.
#include "core/core_link_local_zone.h"

#include <ifaddrs.h>
#include <net/if.h>

#include <mutex>
#include <string_view>

namespace {

// IFNAMSIZ counts the terminating zero.
constexpr std::size_t kMaxZoneLength = IFNAMSIZ - 1;

std::mutex zoneMutex;
std::string chosenZone;

bool validZone(std::string_view zone) {
    if (zone.size() > kMaxZoneLength) {
        return false;
    }
    for (const char character : zone) {
        const auto byte = static_cast<unsigned char>(character);
        if (byte <= ' ' || byte == 0x7F ||
            std::string_view("%/[]+").find(character) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

std::string firstUpInterface() {
    ifaddrs* interfaces = nullptr;
    if (::getifaddrs(&interfaces) != 0) {
        return {};
    }
    std::string best;
    unsigned bestIndex = 0;
    for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next) {
        const bool up = (entry->ifa_flags & IFF_UP) != 0;
        const bool loopback = (entry->ifa_flags & IFF_LOOPBACK) != 0;
        const unsigned index = up && !loopback ? ::if_nametoindex(entry->ifa_name) : 0;
        if (index != 0 && (best.empty() || index < bestIndex) && validZone(entry->ifa_name)) {
            best = entry->ifa_name;
            bestIndex = index;
        }
    }
    ::freeifaddrs(interfaces);
    return best;
}

}  // namespace

bool CoreSetLinkLocalZone(const char* zone) {
    const std::string_view name = zone == nullptr ? std::string_view() : std::string_view(zone);
    if (!validZone(name)) {
        return false;
    }
    const std::scoped_lock lock(zoneMutex);
    chosenZone = name;
    return true;
}

std::string CoreLinkLocalZone() {
    {
        const std::scoped_lock lock(zoneMutex);
        if (!chosenZone.empty()) {
            return chosenZone;
        }
    }
    return firstUpInterface();
}
