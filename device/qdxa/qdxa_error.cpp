// Classification of protocol results.
#include "qdxa/qdxa_error.h"

namespace {

constexpr std::int32_t kFirstProtocolResult = 1;
constexpr std::int32_t kLastProtocolResult = 33;

}  // namespace

bool checkQDXAError(std::int32_t status) {
    return status >= kFirstProtocolResult && status <= kLastProtocolResult &&
           status != kQDXASequenceMismatch;
}
