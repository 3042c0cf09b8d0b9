#include "printers/driver_check.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <string>

#include "cf/bundle.h"
#include "cf/folders.h"
#include "printing/installed_ppds.h"

namespace {

constexpr char kFileVersionKeyword[] = "FileVersion";

// The number a version text starts with ("5.0.1" -> 5.0, "4.9" -> 4.9), 0 when none, read the
// same way in every locale.
double leadingNumber(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) {
        ++start;
    }
    if (start < text.size() && text[start] == '+') {
        ++start;
    }
    double value = 0;
    const auto [end, error] =
        std::from_chars(text.data() + start, text.data() + text.size(), value);
    return error == std::errc() ? value : 0;
}

}  // namespace

bool isDriverSupported(const char* name) {
    return isPrintMonitorSupprted() && isPPDSupported(name);
}

bool isPrintMonitorSupprted() {
    const auto monitor = cf::Bundle::open(cf::Folders::driverRoot() / kPrintMonitorApp);
    return monitor != nullptr && leadingNumber(monitor->version()) >= kLowestDriverVersion;
}

bool isPPDSupported(const char* name) {
    if (name == nullptr) {
        return false;
    }
    std::optional<bool> supported;
    printing::forEachInstalledPpd([&](const printing::Ppd& ppd, const std::filesystem::path&) {
        if (!ppd.hasAttributes() || ppd.modelName() != name) {
            return true;
        }
        const auto version = ppd.attribute(kFileVersionKeyword);
        if (!version) {
            return true;
        }
        supported = leadingNumber(*version) >= kLowestDriverVersion;
        return false;
    });
    return supported.value_or(false);
}
