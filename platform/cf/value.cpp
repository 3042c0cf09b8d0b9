// Property-list values.
#include "cf/value.h"

namespace cf {

Value Value::data(const void* bytes, std::size_t size) {
    const auto* begin = static_cast<const std::uint8_t*>(bytes);
    return Value(Data(begin, begin + size));
}

bool Value::isInt32() const {
    const auto* integer = std::get_if<Integer>(&storage_);
    return integer != nullptr && integer->madeAsInt32;
}

std::optional<bool> Value::boolean() const {
    if (const auto* value = std::get_if<bool>(&storage_)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<std::int64_t> Value::integer() const {
    if (const auto* value = std::get_if<Integer>(&storage_)) {
        return value->value;
    }
    return std::nullopt;
}

std::optional<double> Value::real() const {
    if (const auto* value = std::get_if<double>(&storage_)) {
        return *value;
    }
    if (const auto* value = std::get_if<Integer>(&storage_)) {
        return static_cast<double>(value->value);
    }
    return std::nullopt;
}

const std::string* Value::string() const {
    return std::get_if<std::string>(&storage_);
}
const Value::Data* Value::data() const {
    return std::get_if<Data>(&storage_);
}

std::optional<Value::Date> Value::date() const {
    if (const auto* value = std::get_if<Date>(&storage_)) {
        return *value;
    }
    return std::nullopt;
}

const Value::Array* Value::array() const {
    return std::get_if<Array>(&storage_);
}
Value::Array* Value::array() {
    return std::get_if<Array>(&storage_);
}
const Value::Dictionary* Value::dictionary() const {
    return std::get_if<Dictionary>(&storage_);
}
Value::Dictionary* Value::dictionary() {
    return std::get_if<Dictionary>(&storage_);
}

const Value* Value::find(std::string_view key) const {
    const auto* entries = dictionary();
    if (entries == nullptr) {
        return nullptr;
    }
    auto found = entries->find(key);
    return found == entries->end() ? nullptr : &found->second;
}

Value* Value::find(std::string_view key) {
    return const_cast<Value*>(static_cast<const Value*>(this)->find(key));
}

bool Value::set(std::string_view key, Value value) {
    auto* entries = dictionary();
    if (entries == nullptr) {
        return false;
    }
    entries->insert_or_assign(std::string(key), std::move(value));
    return true;
}

bool Value::erase(std::string_view key) {
    auto* entries = dictionary();
    if (entries == nullptr) {
        return false;
    }
    if (auto found = entries->find(key); found != entries->end()) {
        entries->erase(found);
    }
    return true;
}

bool Value::append(Value value) {
    auto* items = array();
    if (items == nullptr) {
        return false;
    }
    items->push_back(std::move(value));
    return true;
}

bool Value::operator==(const Value& other) const {
    return storage_ == other.storage_;
}

}  // namespace cf
