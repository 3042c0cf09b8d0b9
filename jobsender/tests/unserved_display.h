// An X display name that no server serves, for tests of a program that finds no display.
#pragma once

#include <filesystem>
#include <string>

namespace sendertest {

inline std::string unservedXDisplay() {
    int number = 4711;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number))) {
        ++number;
    }
    return ":" + std::to_string(number);
}

}  // namespace sendertest
