// The colour-processing framework's wrappers over the framework at the driver root, a copy that
// lacks tnr2_xform_preproc, and no framework: an object made through one call serves the next;
// a missing framework or function gives no object or the missing status, prints nothing and
// leaves the outputs alone.
#include "loaders/color_framework_loader.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

using testsupport::ScopedVariable;

constexpr double kNeutralGamma = 2.2;
constexpr std::uint32_t kEightBitHint = 0;
constexpr std::uint32_t kUntouched = 0xA5A5A5A5;
/// Bytes handed as an object to the calls that follow a create call that made none.
constexpr std::size_t kNoObjectBytes = 64;

using Pixels = std::array<std::uint8_t, 6>;
constexpr Pixels kPixels = {10, 20, 30, 200, 100, 50};

// What one object's life through the wrappers gave.
struct ObjectRun {
    bool made = false;  ///< the size call answered bytes and the fill call an object
    std::int32_t query = 0, set = 0, xform = 0, release = 0;
    std::uint32_t sourceForm = kUntouched;
    Pixels out{};
    bool operator==(const ObjectRun&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ObjectRun& run) {
    out << "{made " << run.made << ", query " << run.query << ", set " << run.set << ", xform "
        << run.xform << ", free " << run.release << ", form 0x" << std::hex << run.sourceForm
        << std::dec << ", out";
    for (const int sample : run.out) {
        out << ' ' << sample;
    }
    return out << "}";
}

// Makes an object through `create` (size, then fill), then asks, sets up, converts kPixels and
// frees it through the other wrappers, each call binding the framework again.
template <typename Create, typename Query, typename Set, typename Convert, typename Release>
ObjectRun runObject(Create create, Query query, Set set, Convert convert, Release release) {
    ObjectRun run;
    const std::uint32_t size = create(nullptr);
    std::vector<std::uint8_t> object(size != 0 ? size : kNoObjectBytes);
    run.made = size != 0 && create(object.data()) != 0;
    std::uint32_t destinationForm = kUntouched;
    run.query = query(object.data(), &run.sourceForm, &destinationForm);
    run.set = set(object.data(), run.sourceForm, destinationForm);
    run.xform = convert(object.data(), kPixels.data(), run.out.data());
    run.release = release(object.data());
    return run;
}

ObjectRun runPreproc() {
    const tnr2_balance_t neutral{};
    return runObject(
        [&](void* object) {
            return Load_tnr2_create_preproc(&neutral, 0, 0, 0, 0, kNeutralGamma, kEightBitHint,
                                            object);
        },
        Load_tnr2_query_preproc_hint,
        [](void* object, std::uint32_t source, std::uint32_t destination) {
            return Load_tnr2_set_preproc_rgb(object, kTnr2OutputRgb, source, destination);
        },
        [](const void* object, const void* source, void* destination) {
            return Load_tnr2_xform_preproc(object, source, 0, 2, destination);
        },
        Load_tnr2_free_preproc);
}

ObjectRun runMonochrome() {
    return runObject(
        [](void* object) {
            return Load_tnr2_create_monochrome(0, 0, 0, 0, 0, 0, kNeutralGamma, 0, kEightBitHint,
                                               object);
        },
        Load_tnr2_query_monochrome_hint,
        [](void* object, std::uint32_t source, std::uint32_t destination) {
            return Load_tnr2_set_monochrome_rgb(object, kTnr2OutputRgb, source, destination);
        },
        [](const void* object, const void* source, void* destination) {
            return Load_tnr2_xform_monochrome(object, source, 2, destination);
        },
        Load_tnr2_free_monochrome);
}

/// The form of an object for three 8-bit samples in and out.
constexpr std::uint32_t kRgb8Form = 0x030301;
/// Neutral monochrome: each pixel's luminance (BT.601 weights) as a grey.
constexpr Pixels kLuminanceGreys = {18, 18, 18, 124, 124, 124};

constexpr std::int32_t kOk = kTnr2Ok;
constexpr std::int32_t kMissing = kColorFrameworkMissing;
const ObjectRun kNothingMade{false, kMissing, kMissing, kMissing, kMissing, kUntouched, {}};

TEST(ColorFrameworkLoader, ObjectsThroughEachInstallation) {
    const testsupport::TemporaryFolder empty;
    struct Case {
        const char* installation;
        std::string root;
        ObjectRun preproc;
        ObjectRun monochrome;
    };
    const Case cases[] = {
        {"framework installed",
         DRIVER_ROOT,
         {true, kOk, kOk, kOk, kOk, kRgb8Form, kPixels},
         {true, kOk, kOk, kOk, kOk, kRgb8Form, kLuminanceGreys}},
        {"framework lacking tnr2_xform_preproc",
         COLOR_LACKING_XFORM_PREPROC_ROOT,
         {true, kOk, kOk, kMissing, kOk, kRgb8Form, {}},
         {true, kOk, kOk, kOk, kOk, kRgb8Form, kLuminanceGreys}},
        {"no framework", empty.path().string(), kNothingMade, kNothingMade},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installation);
        ScopedVariable root("STRATOLINE_ROOT", c.root.c_str());
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(runPreproc(), c.preproc);
        EXPECT_EQ(runMonochrome(), c.monochrome);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    }
}

}  // namespace
