#include "cf/folder_files.h"

#include <algorithm>
#include <system_error>

namespace cf {

std::vector<std::filesystem::path> regularFilesBelow(const std::filesystem::path& folder,
                                                     std::uintmax_t largest) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::error_code error;
    fs::recursive_directory_iterator entries(folder, fs::directory_options::skip_permission_denied,
                                             error);
    for (; !error && entries != fs::recursive_directory_iterator(); entries.increment(error)) {
        std::error_code entryError;
        if (entries->is_regular_file(entryError) && entries->file_size(entryError) <= largest &&
            !entryError) {
            files.push_back(entries->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace cf
