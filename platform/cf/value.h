// Property-list values: the one data model for tickets, addresses, spool lists and settings files.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace cf {

/// A property-list value: null, Boolean, integer, real, string, data, date, array or dictionary.
///
/// Values have value semantics: copying a value copies its contents. Dictionaries keep their
/// keys sorted, as property-list writers emit them. Integers are signed 64-bit; a value made as
/// a signed 32-bit number remembers that (`isInt32()`), which ticket readers rely on.
class Value {
  public:
    enum class Type { Null, Boolean, Integer, Real, String, Data, Date, Array, Dictionary };

    using Data = std::vector<std::uint8_t>;
    using Array = std::vector<Value>;
    using Dictionary = std::map<std::string, Value, std::less<>>;

    /// Seconds since 2001-01-01 00:00:00 UTC, the epoch of property-list dates.
    struct Date {
        double secondsSince2001 = 0;
        bool operator==(const Date&) const = default;
    };

    Value() = default;
    Value(bool boolean) : storage_(boolean) {}
    Value(std::int32_t integer) : storage_(Integer{integer, true}) {}
    Value(std::int64_t integer) : storage_(Integer{integer, false}) {}
    Value(double real) : storage_(real) {}
    Value(const char* string) : storage_(std::string(string)) {}
    Value(std::string string) : storage_(std::move(string)) {}
    Value(std::string_view string) : storage_(std::string(string)) {}
    Value(Data data) : storage_(std::move(data)) {}
    Value(Date date) : storage_(date) {}
    Value(Array array) : storage_(std::move(array)) {}
    Value(Dictionary dictionary) : storage_(std::move(dictionary)) {}

    /// A data value holding a copy of `size` bytes at `bytes`.
    static Value data(const void* bytes, std::size_t size);
    static Value emptyArray() { return Value(Array{}); }
    static Value emptyDictionary() { return Value(Dictionary{}); }

    Type type() const { return static_cast<Type>(storage_.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isBoolean() const { return type() == Type::Boolean; }
    bool isInteger() const { return type() == Type::Integer; }
    bool isReal() const { return type() == Type::Real; }
    bool isString() const { return type() == Type::String; }
    bool isData() const { return type() == Type::Data; }
    bool isDate() const { return type() == Type::Date; }
    bool isArray() const { return type() == Type::Array; }
    bool isDictionary() const { return type() == Type::Dictionary; }

    /// True for an integer made as a signed 32-bit number.
    bool isInt32() const;

    // Typed access: each returns nothing (or null) when the value is of another type.
    std::optional<bool> boolean() const;
    std::optional<std::int64_t> integer() const;
    std::optional<double> real() const;  ///< reals, and integers converted to real
    const std::string* string() const;
    const Data* data() const;
    std::optional<Date> date() const;
    const Array* array() const;
    Array* array();
    const Dictionary* dictionary() const;
    Dictionary* dictionary();

    /// Dictionary lookup: the value under `key`, or null when absent or not a dictionary.
    const Value* find(std::string_view key) const;
    Value* find(std::string_view key);
    /// Stores `value` under `key`, replacing any earlier value; false when not a dictionary.
    bool set(std::string_view key, Value value);
    /// Removes `key`; false when not a dictionary.
    bool erase(std::string_view key);
    /// Appends to an array; false when not an array.
    bool append(Value value);

    /// Equal values of equal types; integers compare by number, whatever their width.
    bool operator==(const Value& other) const;

  private:
    struct Integer {
        std::int64_t value = 0;
        bool madeAsInt32 = false;
        bool operator==(const Integer& other) const { return value == other.value; }
    };
    // The order of the alternatives is the order of `Type`.
    std::variant<std::monostate, bool, Integer, double, std::string, Data, Date, Array, Dictionary>
        storage_;
};

}  // namespace cf
