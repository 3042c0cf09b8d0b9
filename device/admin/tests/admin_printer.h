// Administration requests as tickets, on a protocol session with the test printer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "control_printer.h"
#include "ticket/ticket_library.h"

namespace admintest {

using qdxa_test::Bytes;

inline std::string key(const std::string& name) {
    return "orvane.wqs." + name;
}

class AdminPrinter : public controltest::ControlPrinterTest {
  protected:
    void SetUp() override {
        ControlPrinterTest::SetUp();
        ASSERT_EQ(TktLibCreateTicket(&request), kTktLibNoErr);
        ASSERT_EQ(TktLibCreateTicket(&result), kTktLibNoErr);
    }
    void TearDown() override {
        TktLibDisposeTicket(request);
        TktLibDisposeTicket(result);
        ControlPrinterTest::TearDown();
    }

    /// Request entries.
    void ask(const std::string& name, int kind = kTktLibTypeSInt32) {
        ASSERT_EQ(TktLibSetAttribute(request, key(name).c_str(), kind), kTktLibNoErr);
    }
    void put(const std::string& name, std::int32_t value) {
        ASSERT_EQ(TktLibSetSInt32(request, key(name).c_str(), value), kTktLibNoErr);
    }
    void putText(const std::string& name, const std::string& text) {
        ASSERT_EQ(TktLibSetCString(request, key(name).c_str(), text.c_str()), kTktLibNoErr);
    }
    void putData(const std::string& name, const Bytes& bytes) {
        const cf::Value data = cf::Value::data(bytes.data(), bytes.size());
        ASSERT_EQ(TktLibSetCFData(request, key(name).c_str(), &data), kTktLibNoErr);
    }
    void putArray(const std::string& name, const std::vector<std::int32_t>& values) {
        cf::Value array = cf::Value::emptyArray();
        for (std::int32_t value : values) {
            array.append(cf::Value(value));
        }
        ASSERT_EQ(TktLibSetCFArray(request, key(name).c_str(), &array), kTktLibNoErr);
    }
    /// A nested request under `listKey` asking for `fields`.
    void askList(const std::string& listKey, const std::vector<std::string>& fields) {
        for (const std::string& field : fields) {
            ASSERT_EQ(TktLibSet2ClassAttribute(request, key(listKey).c_str(), key(field).c_str(),
                                               kTktLibTypeSInt32),
                      kTktLibNoErr);
        }
    }

    /// Answers of a ticket (the result ticket unless told).
    const cf::Value* answer(const std::string& name, const TktLibTicket* ticket = nullptr) const {
        return (ticket != nullptr ? ticket : result)->find(key(name));
    }
    std::optional<std::int32_t> intAnswer(const std::string& name,
                                          const TktLibTicket* ticket = nullptr) const {
        std::int32_t value = 0;
        if (TktLibGetSInt32(ticket != nullptr ? ticket : result, key(name).c_str(), &value) !=
            kTktLibNoErr) {
            return std::nullopt;
        }
        return value;
    }
    static std::string bytesOf(const cf::Value& value) {
        const auto* data = value.data();
        return data != nullptr ? std::string(data->begin(), data->end())
                               : std::string("<not data>");
    }
    std::optional<std::string> textAnswer(const std::string& name,
                                          const TktLibTicket* ticket = nullptr) const {
        const cf::Value* value = answer(name, ticket);
        if (value == nullptr) {
            return std::nullopt;
        }
        return bytesOf(*value);
    }
    std::optional<std::string> booleanAnswer(const std::string& name) const {
        const cf::Value* value = answer(name);
        if (value == nullptr || value->string() == nullptr) {
            return std::nullopt;
        }
        return *value->string();
    }
    std::vector<std::int32_t> intArray(const std::string& name,
                                       const TktLibTicket* ticket = nullptr) const {
        std::vector<std::int32_t> values;
        const cf::Value* array = answer(name, ticket);
        if (array == nullptr || array->array() == nullptr) {
            return values;
        }
        for (const cf::Value& element : *array->array()) {
            values.push_back(static_cast<std::int32_t>(element.integer().value_or(-1)));
        }
        return values;
    }
    std::vector<std::string> textArray(const std::string& name,
                                       const TktLibTicket* ticket = nullptr) const {
        std::vector<std::string> texts;
        const cf::Value* array = answer(name, ticket);
        if (array == nullptr || array->array() == nullptr) {
            return texts;
        }
        for (const cf::Value& element : *array->array()) {
            texts.push_back(bytesOf(element));
        }
        return texts;
    }
    /// The answer keys, without the prefix.
    std::vector<std::string> answeredKeys(const TktLibTicket* ticket = nullptr) const {
        std::vector<std::string> keys;
        for (const auto& [name, value] : *(ticket != nullptr ? ticket : result)->dictionary()) {
            keys.push_back(name.substr(key("").size()));
        }
        return keys;
    }
    std::vector<std::int32_t> controlResults() const { return intArray("ReultListOfControl"); }

    TktLibTicket* request = nullptr;
    TktLibTicket* result = nullptr;
};

}  // namespace admintest
