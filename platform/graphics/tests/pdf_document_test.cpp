// PDF documents of bitmap pages, read back with poppler's pdfinfo and pdftoppm.
#include "graphics/pdf_document.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temporary_folder.h"

namespace {

using gfx::PdfDocument;

std::string run(const std::string& command) {
    std::string output;
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

std::string pdfinfo(const std::filesystem::path& file) {
    return run(std::string(PDFINFO) + " '" + file.string() + "' 2>&1");
}

// A grey image rendered by pdftoppm at 72 dpi: one byte a point of the page, top row first.
struct GreyPage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> samples;
    int at(int x, int y) const { return samples[static_cast<std::size_t>(y * width + x)]; }
};

GreyPage renderFirstPage(const std::filesystem::path& file, const std::filesystem::path& folder) {
    run("pdftoppm -gray -r 72 -f 1 -l 1 '" + file.string() + "' '" + (folder / "page").string() +
        "'");
    std::ifstream in(folder / "page-1.pgm", std::ios::binary);
    GreyPage page;
    std::string magic;
    int maximum = 0;
    in >> magic >> page.width >> page.height >> maximum;
    in.get();
    page.samples.assign(std::istreambuf_iterator<char>(in), {});
    return page;
}

TEST(PdfDocument, PagesHaveTheMediaBoxAndCount) {
    testsupport::TemporaryFolder folder;
    const auto file = folder / "dump.pdf";
    auto document = PdfDocument::create(file, 300, 144);
    ASSERT_NE(document, nullptr);
    const auto image = gfx::Bitmap::create(30, 10, gfx::PixelFormat::Rgba8, 255);
    ASSERT_TRUE(document->addPage(*image, {0, 0, 300, 144}));
    ASSERT_TRUE(document->addPage(*image, {10, 10, 30, 10}));
    ASSERT_TRUE(document->close());

    const std::string info = pdfinfo(file);
    EXPECT_NE(info.find("Pages:           2"), std::string::npos) << info;
    EXPECT_NE(info.find("Page size:       300 x 144 pts"), std::string::npos) << info;
}

TEST(PdfDocument, RefusesBadSizesAndUnwritablePaths) {
    testsupport::TemporaryFolder folder;
    EXPECT_EQ(PdfDocument::create(folder / "a.pdf", 0, 100), nullptr);
    EXPECT_EQ(PdfDocument::create(folder / "missing" / "a.pdf", 100, 100), nullptr);
    auto document = PdfDocument::create(folder / "b.pdf", 100, 100);
    const auto image = gfx::Bitmap::create(1, 1, gfx::PixelFormat::Grey8, 0);
    EXPECT_FALSE(document->addPage(*image, {0, 0, 0, 10}));
}

TEST(PdfDocument, DrawsTheImageUprightIntoItsRectangle) {
    testsupport::TemporaryFolder folder;
    const auto file = folder / "corner.pdf";
    // 16-bit grey, white but for the top-left pixel.
    auto image = gfx::Bitmap::create(2, 2, gfx::PixelFormat::Grey16, 0xFF);
    image->row(0)[0] = image->row(0)[1] = 0;
    auto document = PdfDocument::create(file, 40, 40);
    // The image fills the page's upper-right quarter.
    ASSERT_TRUE(document->addPage(*image, {20, 20, 20, 20}));
    ASSERT_TRUE(document->close());

    const GreyPage page = renderFirstPage(file, folder.path());
    ASSERT_EQ(page.width, 40);
    ASSERT_EQ(page.height, 40);
    ASSERT_EQ(page.samples.size(), 1600u);
    EXPECT_LT(page.at(24, 4), 10);    // the black pixel: top left of the rectangle
    EXPECT_GT(page.at(35, 4), 245);   // its right neighbour
    EXPECT_GT(page.at(24, 15), 245);  // the pixel below it
    EXPECT_GT(page.at(5, 35), 245);   // outside the rectangle: the empty page
}

}  // namespace
