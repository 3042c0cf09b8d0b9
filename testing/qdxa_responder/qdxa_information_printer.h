// Printer behaviours that the information queries meet, added to a QDXA printer model: method
// answers that depend on the method's input, attributes that the printer refuses to read, and
// the stored files of file boxes.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "qdxa_protocol/codes.h"
#include "qdxa_responder.h"

namespace qdxa_test {

class InformationPrinter {
  public:
    /// Adds its reply filter to `responder`; both must outlive every request.
    explicit InformationPrinter(Responder& responder);
    InformationPrinter(const InformationPrinter&) = delete;
    InformationPrinter& operator=(const InformationPrinter&) = delete;

    /// ExecuteMethod: the answer to a method with exactly this input, in place of the model's
    /// answer by method id.
    std::map<std::pair<std::uint16_t, Bytes>, Bytes> methodAnswersByInput;
    /// ExecuteMethod: the printer's result for a method, in place of 1.
    std::map<std::uint16_t, std::uint16_t> methodResults;

    /// A Get2 or GetListElement that names one of these attributes is refused with `refusal`.
    std::set<std::uint16_t> refusedAttributes;
    std::uint16_t refusal = qdxa::kResultAttributeRefused;

    /// ListObjects2 of the files of a box (class 201, selector 20, parent = box id): the file
    /// ids of each box; a box listed in `emptyBoxes` answers `emptyResult` instead.
    std::map<std::uint32_t, std::vector<std::uint32_t>> boxFiles;
    std::set<std::uint32_t> emptyBoxes;
    std::uint16_t emptyResult = 30;

  private:
    void answerMethod(std::span<const std::uint8_t> request, std::uint16_t& result,
                      Bytes& parameter);
    void refuseGet2(std::span<const std::uint8_t> request, std::uint16_t& result, Bytes& parameter);
    void refuseListElement(std::span<const std::uint8_t> request, std::uint16_t& result,
                           Bytes& parameter);
    void listBoxFiles(std::span<const std::uint8_t> request, std::uint16_t& result,
                      Bytes& parameter);
};

}  // namespace qdxa_test
