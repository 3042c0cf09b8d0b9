// PPD files: a queue's PPD fetched from the server, or an installed PPD file, and their
// attributes.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace printing {

/// One open PPD; closed with the object.
class Ppd {
  public:
    /// Opens the PPD file at `path` (plain or gzip-compressed, links followed); null when it is
    /// no regular file, cannot be read or is no PPD. Nothing else at the name, a pipe say, is
    /// read or waited on.
    static std::unique_ptr<Ppd> openFile(const std::filesystem::path& path);

    /// Fetches the PPD of the queue `queue` from the default CUPS server and opens it; the
    /// fetched copy is removed at once. Null when the queue has none or the server cannot be
    /// reached.
    static std::unique_ptr<Ppd> ofQueue(const std::string& queue);

    ~Ppd();
    Ppd(const Ppd&) = delete;
    Ppd& operator=(const Ppd&) = delete;

    /// Whether the PPD holds any main-keyword attribute.
    bool hasAttributes() const;
    /// The value of the first attribute, in file order, whose keyword is exactly `keyword`;
    /// none when there is no such attribute or the first one has no value.
    std::optional<std::string> attribute(std::string_view keyword) const;
    /// The "ModelName" of the PPD, "" when it has none.
    std::string modelName() const;

  private:
    explicit Ppd(void* file) : file_(file) {}
    void* file_;
};

}  // namespace printing
