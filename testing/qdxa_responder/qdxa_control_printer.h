// Printer behaviours that the controls meet, added to a QDXA printer model: file-list replies
// that differ from the request, and per-operation refusals.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "qdxa_responder.h"

namespace qdxa_test {

class ControlPrinter {
  public:
    /// Adds its reply filter to `responder`; both must outlive every request.
    explicit ControlPrinter(Responder& responder);
    ControlPrinter(const ControlPrinter&) = delete;
    ControlPrinter& operator=(const ControlPrinter&) = delete;

    /// DeleteFiles and ReplaceFiles: the file ids the reply names, in place of the request's.
    std::optional<std::vector<std::uint32_t>> fileListReply;
    /// The printer's result for an operation, in place of its own.
    std::map<std::uint16_t, std::uint16_t> operationResults;

  private:
    void replaceFileList(std::uint16_t operation, Bytes& parameter) const;
};

}  // namespace qdxa_test
