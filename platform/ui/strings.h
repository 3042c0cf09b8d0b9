// A table of interface texts by key.
#pragma once

#include <string>
#include <string_view>

namespace ui {

class Strings {
  public:
    virtual ~Strings() = default;
    /// The text of `key`; a key the table lacks shows as the key itself.
    virtual std::string text(std::string_view key) const = 0;
};

}  // namespace ui
