// PDF dumps of image data on the Desktop, read back with pdfinfo.
#include "diagnostics/pdf_dump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/scoped_variable.h"
#include "support/temporary_folder.h"

namespace {

std::string pdfinfo(const std::filesystem::path& file) {
    std::string output;
    const std::string command = std::string(PDFINFO) + " '" + file.string() + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return output;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
        output += buffer;
    }
    ::pclose(pipe);
    return output;
}

std::vector<std::uint8_t> rgbPixels(int width, int height) {
    std::vector<std::uint8_t> rgb;
    for (int i = 0; i < width * height; ++i) {
        rgb.insert(rgb.end(),
                   {static_cast<std::uint8_t>(i), 0x80, static_cast<std::uint8_t>(255 - i)});
    }
    return rgb;
}

TEST(PdfDump, RgbPixelsBecomeOnePageOfTheirSizeOnTheDesktop) {
    testsupport::TemporaryFolder desktop;
    const testsupport::ScopedVariable variable("STRATOLINE_DESKTOP", desktop.path().c_str());
    const auto rgb = rgbPixels(120, 45);
    ASSERT_EQ(DebugRGB24WritePDFFile(rgb.data(), 120, 45, "band.pdf"), 0);
    const std::string info = pdfinfo(desktop / "band.pdf");
    EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       120 x 45 pts"), std::string::npos) << info;
}

TEST(PdfDump, RefusesWithoutDesktopBitmapOrName) {
    testsupport::TemporaryFolder folder;
    const auto rgb = rgbPixels(4, 4);
    {
        const testsupport::ScopedVariable variable("STRATOLINE_DESKTOP",
                                                   (folder / "missing").c_str());
        EXPECT_EQ(DebugRGB24WritePDFFile(rgb.data(), 4, 4, "a.pdf"), kPdfDumpNoDesktop);
    }
    const testsupport::ScopedVariable variable("STRATOLINE_DESKTOP", folder.path().c_str());
    EXPECT_EQ(DebugContextWritePDFFIle(nullptr, "a.pdf", {0, 0, 4, 4}), kPdfDumpFailed);
    const auto bitmap = gfx::Bitmap::create(4, 4, gfx::PixelFormat::Grey8, 0);
    EXPECT_EQ(DebugContextWritePDFFIle(bitmap.get(), nullptr, {0, 0, 4, 4}), kPdfDumpFailed);
    EXPECT_EQ(DebugContextWritePDFFIle(bitmap.get(), "", {0, 0, 4, 4}), kPdfDumpFailed);
    EXPECT_EQ(DebugRGB24WritePDFFile(nullptr, 4, 4, "a.pdf"), kPdfDumpFailed);
    EXPECT_EQ(DebugRGB24WritePDFFile(rgb.data(), 0, 4, "a.pdf"), kPdfDumpFailed);
    EXPECT_FALSE(std::filesystem::exists(folder / "a.pdf"));

    // A media box away from the origin still holds the whole (black) image.
    EXPECT_EQ(DebugContextWritePDFFIle(bitmap.get(), "moved.pdf", {50, 70, 40, 30}), 0);
    EXPECT_NE(pdfinfo(folder / "moved.pdf").find("Page size:       40 x 30 pts"),
              std::string::npos);
    const std::string render = "pdftoppm -gray -r 72 '" + (folder / "moved.pdf").string() + "' '" +
                               (folder / "moved").string() + "'";
    ASSERT_EQ(std::system(render.c_str()), 0);
    std::ifstream page(folder / "moved-1.pgm", std::ios::binary);
    std::string magic;
    int width = 0;
    int height = 0;
    int maximum = 0;
    page >> magic >> width >> height >> maximum;
    page.get();
    const std::vector<char> samples(std::istreambuf_iterator<char>(page), {});
    ASSERT_EQ(samples.size(), 40u * 30u);
    for (const char sample : samples) {
        ASSERT_LT(static_cast<unsigned char>(sample), 20);
    }
}

TEST(PdfDump, SpooledBandsAreOnePageEach) {
    testsupport::TemporaryFolder folder;
    const auto file = folder / "spool.pdf";
    auto document = gfx::PdfDocument::create(file, 64, 16);
    ASSERT_NE(document, nullptr);
    const auto rgb = rgbPixels(64, 16);
    for (int page = 0; page < 3; ++page) {
        ASSERT_EQ(DebugRGB24WritePDFFileSpool(document.get(), rgb.data(), {0, 0, 64, 16}), 0);
    }
    EXPECT_EQ(DebugRGB24WritePDFFileSpool(document.get(), nullptr, {0, 0, 64, 16}), kPdfDumpFailed);
    EXPECT_EQ(DebugRGB24WritePDFFileSpool(nullptr, rgb.data(), {0, 0, 64, 16}), kPdfDumpFailed);
    EXPECT_EQ(DebugRGB24WritePDFFileSpoolTerm(std::move(document)), 0);
    const std::string info = pdfinfo(file);
    EXPECT_NE(info.find("Pages:           3"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       64 x 16 pts"), std::string::npos) << info;
}

}  // namespace
