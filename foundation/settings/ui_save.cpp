// The settings record's reader, writer and copier, each walking the one table of its keys.
#include "settings/ui_save.h"

#include <algorithm>
#include <limits>
#include <new>
#include <span>
#include <variant>

#include "helpers/kdict.h"
#include "settings/property_list_file.h"

namespace {

struct Int32Field {
    std::int32_t UISave::*member;
    std::int32_t missingValue;
};
struct Int16Field {
    std::int16_t UISave::*member;
};
struct StringField {
    UISaveString UISave::*member;
};
struct CurveField {
    UISaveCurve UISave::*member;
    std::int32_t UISave::*pointCount;
};

struct UISaveKey {
    const char* key;
    std::variant<Int32Field, Int16Field, StringField, CurveField> field;
};

#define UISAVE_ROW_INT32(key, missing) UISaveKey{#key, Int32Field{&UISave::key, missing}},
#define UISAVE_ROW_INT16(key) UISaveKey{#key, Int16Field{&UISave::key}},
#define UISAVE_ROW_STRING(key) UISaveKey{#key, StringField{&UISave::key}},
#define UISAVE_ROW_CURVE(key, pointCount) \
    UISaveKey{#key, CurveField{&UISave::key, &UISave::pointCount}},
const UISaveKey kUISaveKeys[] = {
    UISAVE_FIELDS(UISAVE_ROW_INT32, UISAVE_ROW_INT16, UISAVE_ROW_STRING, UISAVE_ROW_CURVE)};
#undef UISAVE_ROW_INT32
#undef UISAVE_ROW_INT16
#undef UISAVE_ROW_STRING
#undef UISAVE_ROW_CURVE

constexpr std::size_t kUISaveKeyCount = 152;
static_assert(std::size(kUISaveKeys) == kUISaveKeyCount, "a settings record has 152 keys");

template <typename... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};

// A point count limited to the slots of a curve and to the points actually there.
std::int32_t clampedPointCount(std::int32_t count, std::size_t pointsPresent) {
    const auto limit = static_cast<std::int32_t>(
        std::min<std::size_t>(pointsPresent, static_cast<std::size_t>(kUISaveCurveSlots)));
    return std::clamp(count, 0, limit);
}

// A point of a curve as a 32-bit number: integers in range, reals truncated; else none.
std::optional<std::int32_t> pointValue(const cf::Value& point) {
    constexpr auto kLow = std::numeric_limits<std::int32_t>::min();
    constexpr auto kHigh = std::numeric_limits<std::int32_t>::max();
    if (const auto number = point.integer(); number && *number >= kLow && *number <= kHigh) {
        return static_cast<std::int32_t>(*number);
    }
    if (const auto real = point.real();
        point.isReal() && *real > kLow - 1.0 && *real < kHigh + 1.0) {
        return static_cast<std::int32_t>(*real);
    }
    return std::nullopt;
}

// Fills the curve's slots from the array under `key`; the number of points the dictionary holds
// for it, or all slots when it holds none (the field then keeps what it had).
std::size_t readCurve(const cf::Value* dict, const char* key, UISaveCurve& curve) {
    const cf::Value* array = nullptr;
    if (dict == nullptr || kDict::DictGetCFArrayRef(dict, key, &array) != 0) {
        return curve.size();
    }
    const cf::Value::Array& points = *array->array();
    const std::size_t taken = std::min(points.size(), curve.size());
    for (std::size_t i = 0; i < taken; ++i) {
        curve[i] = pointValue(points[i]).value_or(0);
    }
    return points.size();
}

std::int32_t readInt32(const cf::Value* dict, const char* key, std::int32_t missingValue) {
    std::int32_t number = 0;
    return dict != nullptr && kDict::DictGetSInt32(dict, key, &number) == 0 ? number : missingValue;
}

}  // namespace

UISave* CreateUISave() {
    return new (std::nothrow) UISave{};
}

void CopyUISaves(const UISave* source, UISave* destination) {
    if (source == nullptr || destination == nullptr) {
        return;
    }
    for (const UISaveKey& row : kUISaveKeys) {
        std::visit([&](const auto& field) { destination->*field.member = source->*field.member; },
                   row.field);
    }
}

void TerminateUISave(UISave* record) {
    delete record;
}

void getSaveData(const cf::Value* dict, UISave* record) {
    if (record == nullptr) {
        return;
    }
    for (const UISaveKey& row : kUISaveKeys) {
        std::visit(
            Overloaded{
                [&](const Int32Field& field) {
                    record->*field.member = readInt32(dict, row.key, field.missingValue);
                },
                [&](const Int16Field& field) {
                    std::int16_t number = 0;
                    if (dict != nullptr) {
                        kDict::DictGetSInt16(dict, row.key, &number);
                    }
                    record->*field.member = number;
                },
                [&](const StringField& field) {
                    const std::string* text = nullptr;
                    if (dict != nullptr) {
                        kDict::DictGetCFString(dict, row.key, &text);
                    }
                    record->*field.member = text != nullptr ? UISaveString(*text) : UISaveString();
                },
                [&](const CurveField& field) {
                    // The point count precedes its curves in the table, so it is already read.
                    const std::size_t present = readCurve(dict, row.key, record->*field.member);
                    record->*field.pointCount =
                        clampedPointCount(record->*field.pointCount, present);
                },
            },
            row.field);
    }
}

void addSaveDict(const UISave* record, cf::Value* dict) {
    if (record == nullptr || dict == nullptr || !dict->isDictionary()) {
        return;
    }
    for (const UISaveKey& row : kUISaveKeys) {
        std::visit(Overloaded{
                       [&](const Int32Field& field) {
                           setDicNumber(dict, &(record->*field.member), kNumberSInt32, row.key);
                       },
                       [&](const Int16Field& field) {
                           setDicNumber(dict, &(record->*field.member), kNumberSInt16, row.key);
                       },
                       [&](const StringField& field) {
                           if (const UISaveString& text = record->*field.member) {
                               dict->set(row.key, cf::Value(*text));
                           }
                       },
                       [&](const CurveField& field) {
                           const auto count = static_cast<std::size_t>(
                               clampedPointCount(record->*field.pointCount, kUISaveCurveSlots));
                           const UISaveCurve& curve = record->*field.member;
                           cf::Value::Array points(curve.begin(), curve.begin() + count);
                           dict->set(row.key, cf::Value(std::move(points)));
                       },
                   },
                   row.field);
    }
    setDicNumber(dict, &kUISaveVersion, kNumberSInt32, "UISaveVersion");
}
