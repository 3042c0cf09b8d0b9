// Whether a property-list value came back from writing and reading as it went in, for fuzz
// targets: a NaN equals a NaN, and dates need only agree to the whole second, all that libplist's
// writers keep of them.
#pragma once

#include <cmath>

#include "cf/value.h"

namespace testsupport {

inline bool sameListValue(const cf::Value& before, const cf::Value& after) {
    using Type = cf::Value::Type;
    if (before.type() != after.type()) {
        return false;
    }
    switch (before.type()) {
        case Type::Real: {
            const double a = *before.real();
            const double b = *after.real();
            return a == b || (std::isnan(a) && std::isnan(b));
        }
        case Type::Date:
            return std::floor(before.date()->secondsSince2001) ==
                   std::floor(after.date()->secondsSince2001);
        case Type::Array: {
            const auto& a = *before.array();
            const auto& b = *after.array();
            if (a.size() != b.size()) {
                return false;
            }
            for (std::size_t index = 0; index < a.size(); ++index) {
                if (!sameListValue(a[index], b[index])) {
                    return false;
                }
            }
            return true;
        }
        case Type::Dictionary: {
            const auto& a = *before.dictionary();
            const auto& b = *after.dictionary();
            if (a.size() != b.size()) {
                return false;
            }
            for (const auto& [key, value] : a) {
                const cf::Value* other = after.find(key);
                if (other == nullptr || !sameListValue(value, *other)) {
                    return false;
                }
            }
            return true;
        }
        default:
            return before == after;
    }
}

}  // namespace testsupport
