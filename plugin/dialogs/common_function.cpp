#include "dialogs/common_function.h"

#include <sys/statvfs.h>

#include <algorithm>

#include "cf/folders.h"
#include "cf/string_table.h"
#include "dialogs/value_rules.h"
#include "helpers/bundle_string.h"

namespace dialogs {
namespace {

constexpr std::string_view kStringsTable = "Localizable";
// The Japanese localization's folder, by its traditional name and by its language code.
constexpr std::string_view kJapaneseFolders[] = {"Japanese.lproj", "ja.lproj"};
constexpr std::string_view kPlainPoint = ".";

double top(const ui::Rect& rect) {
    return rect.y + rect.height;
}
double right(const ui::Rect& rect) {
    return rect.x + rect.width;
}

}  // namespace

ui::Rect kCommonFunction::windowCentering(const WindowPlacement& placement) {
    ui::Rect frame = placement.frame;
    const ui::Rect& visible = placement.visibleFrame;
    if (placement.resizable) {
        if (frame.width > visible.width) {
            frame.width = std::max(visible.width, placement.minimumSize.width);
        }
        if (frame.height > visible.height) {
            frame.height = std::max(visible.height, placement.minimumSize.height);
        }
    }
    // The left edge wins over the right one.
    if (right(frame) > right(visible)) {
        frame.x = right(visible) - frame.width;
    }
    if (frame.x < visible.x) {
        frame.x = visible.x;
    }
    // The edge at the content's origin is clamped first, so the other one wins.
    const auto clampTop = [&] {
        if (top(frame) > top(visible)) {
            frame.y = top(visible) - frame.height;
        }
    };
    const auto clampBottom = [&] {
        if (frame.y < visible.y) {
            frame.y = visible.y;
        }
    };
    if (placement.flippedContent) {
        clampTop();
        clampBottom();
    } else {
        clampBottom();
        clampTop();
    }
    if (visible.width > frame.width) {
        frame.x = visible.x + (visible.width - frame.width) / 2;
    }
    if (visible.height > frame.height) {
        frame.y = visible.y + (visible.height - frame.height) / 2;
    }
    return frame;
}

void kCommonFunction::windowCentering(ui::Port& port, std::string_view window) {
    if (window.empty()) {
        return;
    }
    const WindowPlacement placement{port.windowFrame(window), port.screenVisibleFrame(window),
                                    port.isResizable(window), port.minimumSize(window), false};
    port.setWindowFrame(window, windowCentering(placement));
}

std::filesystem::path kCommonFunction::createHelpPath(const ui::Strings& strings,
                                                      std::string_view folder,
                                                      std::string_view file) {
    return cf::Folders::driverRoot() / kManualFolder / folder / strings.text(kHelpLocaleKey) / file;
}

std::optional<std::uint64_t> kCommonFunction::freeSpaceBytes(const std::filesystem::path& path) {
    struct statvfs volume {};
    if (::statvfs(path.c_str(), &volume) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(volume.f_bavail) * volume.f_frsize;
}

bool kCommonFunction::checkJapaneseLanguage(const cf::Bundle* bundle) {
    if (bundle == nullptr) {
        return false;
    }
    const auto table = cf::localizedTableFile(*bundle, UserLanguages(), kStringsTable);
    if (!table) {
        return false;
    }
    const std::string folder = table->parent_path().filename().string();
    for (const std::string_view japanese : kJapaneseFolders) {
        if (folder == japanese) {
            return true;
        }
    }
    return false;
}

std::string kCommonFunction::changePriodForString(const ui::Strings& strings,
                                                  std::string_view text) {
    return ReplaceAll(text, kPlainPoint, DecimalSeparator(strings));
}

std::string kCommonFunction::changePriodForNumber(const ui::Strings& strings,
                                                  std::string_view text) {
    return ReplaceAll(text, DecimalSeparator(strings), kPlainPoint);
}

}  // namespace dialogs
