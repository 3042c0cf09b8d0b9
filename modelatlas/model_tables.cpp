#include "model_tables.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace modelatlas {
namespace {

constexpr std::string_view kTableExtension = ".xml";
constexpr const char* kSupportPrinterTable = "SupportPrinterTable";

std::optional<cf::Value> readTable(const cf::Bundle& bundle, const std::string& resource) {
    const auto path = bundle.resource(resource);
    if (!path)
        return std::nullopt;
    cf::Value rows;
    if (kDict::CreatePropertyListFromFile(&*path, &rows) != 0 || !rows.isArray())
        return std::nullopt;
    return rows;
}

std::optional<std::string> copyText(const cf::Value& row, const char* key) {
    const std::string* text = rowString(row, key);
    return text == nullptr ? std::nullopt : std::optional<std::string>(*text);
}

}  // namespace

std::unique_ptr<cf::Bundle> ownBundle() {
    return cf::Bundle::containing(reinterpret_cast<const void*>(&ownBundle));
}

std::optional<cf::Value> rootTable(const cf::Bundle& bundle, std::string_view name) {
    return readTable(bundle, std::string(name) + std::string(kTableExtension));
}

const cf::Value* findRowWithText(const cf::Value& table, const char* key, std::string_view wanted) {
    const cf::Value::Array* rows = table.array();
    if (rows == nullptr)
        return nullptr;
    for (const cf::Value& row : *rows) {
        if (!row.isDictionary())
            continue;
        const std::string* text = rowString(row, key);
        if (text == nullptr)
            return nullptr;
        if (*text == wanted)
            return &row;
    }
    return nullptr;
}

std::int32_t rowInteger(const cf::Value& row, const char* key) {
    std::int32_t value = 0;
    kDict::DictGetSInt32(&row, key, &value);
    return value;
}

const std::string* rowString(const cf::Value& row, const char* key) {
    const std::string* text = nullptr;
    kDict::DictGetCFString(&row, key, &text);
    return text;
}

const cf::Value::Array* rowList(const cf::Value& row, const char* key) {
    const cf::Value* list = nullptr;
    kDict::DictGetCFArrayRef(&row, key, &list);
    return list == nullptr ? nullptr : list->array();
}

std::int32_t listInteger(const cf::Value& element) {
    if (const auto integer = element.integer())
        return static_cast<std::int32_t>(*integer);
    if (element.isReal())
        return static_cast<std::int32_t>(static_cast<std::int64_t>(*element.real()));
    return 0;
}

char* newText(std::string_view text) {
    auto* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (copy != nullptr) {
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
    }
    return copy;
}

std::optional<SupportPrinterInfo> GetSupportPrinterInfo(const cf::Bundle& bundle,
                                                        std::int32_t printerTypeID) {
    const auto table = rootTable(bundle, kSupportPrinterTable);
    if (!table)
        return std::nullopt;
    const cf::Value* row = findRow(*table, kTypeKey, printerTypeID);
    if (row == nullptr)
        return std::nullopt;
    return SupportPrinterInfo{
        copyText(*row, "PrinterName"),       copyText(*row, "PrinterFunctionTable"),
        copyText(*row, "PaperInfoFileName"), copyText(*row, "SupportSize"),
        copyText(*row, "RollPaperWidthTbl"), copyText(*row, "FullBleedSupportTable"),
        copyText(*row, "PrintCommonTable"),  copyText(*row, "UIDefaultTable")};
}

TableRead readModelTable(std::int32_t printerTypeID, ModelTable which, cf::Value& table) {
    const auto bundle = ownBundle();
    if (bundle == nullptr)
        return TableRead::Unreadable;
    const auto info = GetSupportPrinterInfo(*bundle, printerTypeID);
    if (!info)
        return TableRead::NoModel;
    const auto& name = (*info).*which;
    if (!info->PrinterName || info->PrinterName->empty() || !name)
        return TableRead::Unreadable;
    auto rows = readTable(*bundle, *info->PrinterName + "/" + *name + std::string(kTableExtension));
    if (!rows)
        return TableRead::Unreadable;
    table = std::move(*rows);
    return TableRead::Read;
}

std::optional<cf::Value> modelRow(std::int32_t printerTypeID, ModelTable which) {
    cf::Value table;
    if (readModelTable(printerTypeID, which, table) != TableRead::Read)
        return std::nullopt;
    const cf::Value* row = findRow(table, kTypeKey, printerTypeID);
    return row == nullptr ? std::nullopt : std::optional<cf::Value>(*row);
}

std::uint8_t copyRowList(std::int32_t printerTypeID, ModelTable which, const char* key,
                         cf::Value** array) {
    if (array != nullptr)
        *array = nullptr;
    const auto row = modelRow(printerTypeID, which);
    if (!row)
        return 0;
    const cf::Value* list = nullptr;
    if (array != nullptr && kDict::DictGetCFArrayRef(&*row, key, &list) == 0)
        *array = new (std::nothrow) cf::Value(*list);
    return 1;
}

}  // namespace modelatlas
