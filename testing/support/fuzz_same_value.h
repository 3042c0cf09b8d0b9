// Whether a property-list value came back from writing and reading as it went in, for fuzz
// targets: a NaN equals a NaN, and dates need only agree within two seconds, because libplist's
// writers drop the fraction and move a date before 2001 that has one by up to two seconds.
#pragma once

#include <cmath>

#include "cf/value.h"

namespace testsupport {

inline constexpr double kDateSlackSeconds = 2;

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
            return std::fabs(before.date()->secondsSince2001 - after.date()->secondsSince2001) <
                   kDateSlackSeconds;
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
