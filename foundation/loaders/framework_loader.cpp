#include "loaders/framework_loader.h"

#include "cf/folders.h"

std::filesystem::path frameworksFolder() {
    return cf::Folders::driverRoot() / "Orvane/TARN/Frameworks";
}

std::filesystem::path mediaDatabaseFrameworkPath() {
    return frameworksFolder() / "medab2.framework";
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
