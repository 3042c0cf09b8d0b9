// Number formats of any text, as a strings table may hold them, through the decimal fields'
// formatter: only one floating-point conversion reaches printf, the text fits its buffer, and the
// separator stands wherever the point stood.
#include <cstddef>
#include <cstdint>
#include <string>

#include "dialogs/value_rules.h"
#include "support/fuzz_check.h"
#include "support/fuzz_input.h"

namespace {

class OneFormat : public ui::Strings {
  public:
    explicit OneFormat(std::string format) : format_(std::move(format)) {}
    std::string text(std::string_view) const override { return format_; }

  private:
    std::string format_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testsupport::FuzzInput input(data, size);
    const double value = input.take<double>();
    const auto rest = input.rest();
    const OneFormat strings(std::string(rest.begin(), rest.end()));
    const std::string text = dialogs::FormatDecimal(strings, "format", value, ",");
    testsupport::fuzzRequire(text.size() < 64, "the text fits the formatter's buffer");
    testsupport::fuzzRequire(text.find('.') == std::string::npos, "no point is left");
    return 0;
}
