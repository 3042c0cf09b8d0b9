#include "fixture_profiles.h"

#include <lcms2.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace profile_test {
namespace {

constexpr std::size_t kMlucHeader = 16;
constexpr std::uint32_t kMlucRecord = 12;

void put32(std::vector<std::byte>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::byte>(value >> shift));
    }
}

void putCode(std::vector<std::byte>& out, const std::string& code) {
    out.push_back(static_cast<std::byte>(code.at(0)));
    out.push_back(static_cast<std::byte>(code.at(1)));
}

std::wstring wide(const std::u16string& text) {
    // The test texts stay in the basic multilingual plane.
    return std::wstring(text.begin(), text.end());
}

}  // namespace

std::vector<std::byte> mlucElement(const std::vector<LocalizedText>& records) {
    std::vector<std::byte> out;
    put32(out, color::signature("mluc"));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(records.size()));
    put32(out, kMlucRecord);
    std::uint32_t offset = static_cast<std::uint32_t>(kMlucHeader + records.size() * kMlucRecord);
    for (const LocalizedText& record : records) {
        putCode(out, record.language);
        putCode(out, record.country);
        const auto length = static_cast<std::uint32_t>(record.text.size() * 2);
        put32(out, length);
        put32(out, offset);
        offset += length;
    }
    for (const LocalizedText& record : records) {
        for (const char16_t unit : record.text) {
            out.push_back(static_cast<std::byte>(unit >> 8));
            out.push_back(static_cast<std::byte>(unit & 0xFF));
        }
    }
    return out;
}

void writeFixtureProfile(const std::filesystem::path& file, const FixtureProfile& fixture) {
    std::filesystem::create_directories(file.parent_path());
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, fixture.version);
    cmsSetDeviceClass(profile, static_cast<cmsProfileClassSignature>(fixture.deviceClass));
    cmsSetColorSpace(profile, static_cast<cmsColorSpaceSignature>(fixture.space));
    cmsSetPCS(profile, cmsSigLabData);
    cmsSetHeaderManufacturer(profile, fixture.manufacturer);
    cmsSetHeaderModel(profile, fixture.model);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());

    cmsMLU* description = cmsMLUalloc(nullptr, 1);
    if (fixture.localizedDescription.empty()) {
        cmsMLUsetASCII(description, "en", "US", fixture.description.c_str());
    }
    for (const LocalizedText& record : fixture.localizedDescription) {
        cmsMLUsetWide(description, record.language.c_str(), record.country.c_str(),
                      wide(record.text).c_str());
    }
    cmsWriteTag(profile, cmsSigProfileDescriptionTag, description);
    cmsMLUfree(description);

    if (!fixture.dscm.empty()) {
        const std::vector<std::byte> element = mlucElement(fixture.dscm);
        cmsWriteRawTag(profile, static_cast<cmsTagSignature>(color::signature("dscm")),
                       element.data(), static_cast<cmsUInt32Number>(element.size()));
    }
    const bool saved = cmsSaveProfileToFile(profile, file.c_str()) != 0;
    cmsCloseProfile(profile);
    if (!saved) {
        throw std::runtime_error("fixture profile not saved: " + file.string());
    }
}

std::vector<std::byte> fileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<char> chars((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    std::transform(chars.begin(), chars.end(), bytes.begin(),
                   [](char c) { return static_cast<std::byte>(c); });
    return bytes;
}

}  // namespace profile_test
