// Menus of the installed ICC profiles for the output and the proof profile pop-ups: menu data
// arrays of the second shape, one item per profile: display name, file name and full path, the
// header's device model and version, enabled.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "color/profile.h"
#include "helpers/kmenu.h"

/// Value 1 of the separator item between the CMYK and the RGB profiles of the proof menu.
inline constexpr std::int32_t kProfileMenuSeparatorValue = -30000;
/// The three strings of the separator item.
inline constexpr char kProfileMenuSeparator[] = "PMENU_SEPARATOR";
/// The maker's manufacturer signature; its version-2 profiles are named by their description.
inline constexpr color::Signature kMakerManufacturer = color::signature("ORVN");
/// Profile versions from this one on are of ICC version 4.
inline constexpr std::uint32_t kProfileVersion4 = 0x04000000;

/// Appends every installed printer-class RGB profile in walk order; `count` receives the number
/// of items in the array afterwards.
void ConstructICCPrinterProfileMenu(std::int32_t* count, MenuDataArray array);

/// Appends every installed printer-class CMYK profile, then a separator item when the array
/// holds any item by then, then every installed printer-class RGB profile; `count` receives the
/// number of items in the array afterwards.
void ConstructProofProfileMenu(std::int32_t* count, MenuDataArray array);

/// Appends the item of the profile read from `file`. Version-4 profiles and profiles of other
/// makers are named in the user's language when they can be; the others, and those that give no
/// localized name, by their description. The result of `KMenu::AddMenuData2`.
std::int32_t AddProfile(MenuDataArray array, const color::Profile& profile,
                        const std::filesystem::path& file);

/// 1 when the proof menu has an item whose file name is exactly `fileName`; `name` and `path`
/// then receive its display name and path. 0 otherwise.
int GetProfileNameAndPathFromFileName_AllSerch(const char* fileName, std::string* name,
                                               std::string* path);
