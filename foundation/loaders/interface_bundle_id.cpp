#include "loaders/interface_bundle_id.h"

#include <system_error>

#include "cf/folders.h"
#include "cf/property_list.h"
#include "helpers/kdict.h"

namespace {

constexpr const char* kIdentifierKey = "IFBundleID";

// The folder of the identifier file, created when missing; none when it cannot be made.
std::optional<std::filesystem::path> identifierFolder() {
    const auto folder = cf::Folders::temporary() / "TemporaryItems";
    if (checkURL(&folder) == 1) {
        return folder;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return std::nullopt;
    }
    return folder;
}

}  // namespace

std::filesystem::path interfaceBundleIDFile() {
    return cf::Folders::temporary() / "TemporaryItems" / "InterfaceBundleID_PS.plist";
}

int checkURL(const std::filesystem::path* url) {
    if (url == nullptr || url->empty()) {
        return 0;
    }
    std::error_code error;
    return std::filesystem::exists(*url, error) && !error ? 1 : 0;
}

void SetInterfaceBundleID(const char* bundleID) {
    if (bundleID == nullptr || !identifierFolder()) {
        return;
    }
    cf::Value dictionary = cf::Value::emptyDictionary();
    dictionary.set(kIdentifierKey, cf::Value(bundleID));
    cf::writePropertyListFile(interfaceBundleIDFile(), dictionary, cf::PropertyListFormat::Xml);
}

void DeleteInterfaceBundleIDFile(const char* /*bundleID*/) {
    std::error_code ignored;
    std::filesystem::remove(interfaceBundleIDFile(), ignored);
}

std::optional<std::string> GetInterfaceBundleID() {
    if (!identifierFolder()) {
        return std::nullopt;
    }
    const auto file = interfaceBundleIDFile();
    cf::Value plist;
    kDict::CreatePropertyListFromFile(&file, &plist);
    const std::string* identifier = nullptr;
    if (kDict::DictGetCFString(&plist, kIdentifierKey, &identifier) != 0) {
        return std::nullopt;
    }
    return *identifier;
}
