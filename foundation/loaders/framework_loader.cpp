#include "loaders/framework_loader.h"

#include <map>
#include <mutex>

#include "cf/folders.h"

std::filesystem::path frameworksFolder() {
    return cf::Folders::driverRoot() / "Orvane/TARN/Frameworks";
}

std::filesystem::path mediaDatabaseFrameworkPath() {
    return frameworksFolder() / "medab2.framework";
}

std::filesystem::path colorFrameworkPath() {
    return frameworksFolder() / "tonara2.framework";
}

std::filesystem::path deviceFrameworkPath() {
    return frameworksFolder() / "TARNCommonLib.framework";
}

std::unique_ptr<cf::Bundle> GetFrameworkBundle(const std::filesystem::path& path) {
    if (path.empty()) {
        return nullptr;
    }
    return cf::Bundle::open(path);
}

void* GetProcPtr(cf::Bundle* bundle, const char* name) {
    return bundle == nullptr || name == nullptr ? nullptr : bundle->symbol(name);
}

cf::Bundle* keptBundle(const std::filesystem::path& folder) {
    static std::mutex lock;
    static std::map<std::filesystem::path, std::unique_ptr<cf::Bundle>> kept;
    const std::scoped_lock guard(lock);
    auto& bundle = kept[folder];
    if (bundle == nullptr) {
        bundle = cf::Bundle::open(folder);
        if (bundle != nullptr) {
            // Loads the library under the lock, so that threads sharing the bundle later only
            // look names up in it.
            bundle->symbol(nullptr);
        }
    }
    return bundle.get();
}
