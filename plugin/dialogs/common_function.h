// What the plug-in's dialogs share beyond their controls: placing a window on its screen, the path
// of a help page of the manual, the free space of a volume, whether the interface runs in Japanese,
// and the decimal mark in the number texts shown and read back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "cf/bundle.h"
#include "ui/pictures.h"
#include "ui/port.h"
#include "ui/strings.h"

namespace dialogs {

/// The manual's folder below the driver root; a help page lies in it under the printer's folder
/// and the language folder of the interface.
inline constexpr const char* kManualFolder = "Library/Application Support/Orvane/Zelplugin2/Manual";
/// The key whose text names the language folder of the help pages.
inline constexpr const char* kHelpLocaleKey = "STEXT_HELP_RES_LOCALE";

/// A window about to be placed, in screen coordinates with y upward.
struct WindowPlacement {
    ui::Rect frame;         ///< the window's frame
    ui::Rect visibleFrame;  ///< the visible frame of its screen (empty when it has none)
    bool resizable = false;
    ui::Size minimumSize;         ///< the smallest frame a resizable window takes
    bool flippedContent = false;  ///< the content view's y axis runs downward
};

class kCommonFunction {
  public:
    kCommonFunction() = delete;

    /// The frame that centres the window in the visible frame of its screen: a resizable window
    /// shrinks to that frame (not below its minimum size); a window larger than the visible frame
    /// in one dimension is pinned to the left edge, and to the top edge (bottom edge for flipped
    /// content), the other dimension centred.
    static ui::Rect windowCentering(const WindowPlacement& placement);
    /// Centres the loaded window on its screen by windowCentering. The port's views are never
    /// flipped. An empty name does nothing.
    static void windowCentering(ui::Port& port, std::string_view window);

    /// The help page `file` of the printer folder `folder`, in the language folder that the
    /// bundle's text of kHelpLocaleKey names. Whether the page exists is not asked.
    static std::filesystem::path createHelpPath(const ui::Strings& strings, std::string_view folder,
                                                std::string_view file);

    /// The free bytes of the file system that holds `path`; none when it cannot be asked.
    static std::optional<std::uint64_t> freeSpaceBytes(const std::filesystem::path& path);

    /// True when the interface texts come from the bundle's Japanese localization.
    static bool checkJapaneseLanguage(const cf::Bundle* bundle);

    /// `text` with every "." replaced by the interface's decimal mark, before a number is shown.
    static std::string changePriodForString(const ui::Strings& strings, std::string_view text);
    /// `text` with every decimal mark replaced by ".", before a typed number is read.
    static std::string changePriodForNumber(const ui::Strings& strings, std::string_view text);
};

}  // namespace dialogs
