// Property-list reading and writing, checked against Python's plistlib as an independent oracle.
#include "cf/property_list.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <fstream>

#include "cf/binary_list_check.h"
#include "support/python_oracle.h"
#include "support/temporary_folder.h"

namespace {

using cf::PlistStatus;
using cf::PropertyListFormat;
using cf::Value;
using testsupport::TemporaryFolder;

const std::string kOracle = std::string(CF_TEST_DATA_DIR) + "/plist_oracle.py";

// The dictionary that plist_oracle.py holds as its reference.
Value referenceDictionary() {
    using namespace std::chrono;
    const auto date = sys_days(2024y / February / 29) + 12h + 30min + 15s;
    const auto epoch2001 = sys_days(2001y / January / 1);
    std::vector<std::uint8_t> allBytes(256);
    for (int i = 0; i < 256; ++i) {
        allBytes[i] = static_cast<std::uint8_t>(i);
    }
    Value dictionary = Value::emptyDictionary();
    dictionary.set("boolean", true);
    dictionary.set("false", false);
    dictionary.set("int32", std::int32_t{-42});
    dictionary.set("int64", std::int64_t{1} << 40);
    dictionary.set("real", 0.1);
    dictionary.set("string", "h\u00e9llo <&> \u65e5\u672c");
    dictionary.set("data", Value(allBytes));
    dictionary.set(
        "date", Value::Date{static_cast<double>(duration_cast<seconds>(date - epoch2001).count())});
    dictionary.set("array", Value(Value::Array{std::int32_t{1}, "two", Value(Value::Array{3.5}),
                                               Value::emptyDictionary()}));
    Value deeper = Value::emptyDictionary();
    deeper.set("deeper", Value(Value::Data{}));
    Value nested = Value::emptyDictionary();
    nested.set("nested", deeper);
    dictionary.set("dictionary", nested);
    dictionary.set("empty string", "");
    return dictionary;
}

std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class PropertyListFormats : public ::testing::TestWithParam<PropertyListFormat> {};

TEST_P(PropertyListFormats, EveryValueKindRoundTripsAndPlistlibAgrees) {
    TemporaryFolder folder;
    const auto path = folder / "all.plist";
    const Value written = referenceDictionary();
    ASSERT_EQ(cf::writePropertyListFile(path, written, GetParam()), PlistStatus::Ok);

    Value read;
    PropertyListFormat found{};
    ASSERT_EQ(cf::readPropertyListFile(path, read, &found), PlistStatus::Ok);
    EXPECT_EQ(found, GetParam());
    EXPECT_EQ(read, written);
    EXPECT_TRUE(read.find("int32")->isInt32());
    EXPECT_FALSE(read.find("int64")->isInt32());

    EXPECT_EQ(testsupport::runPython(kOracle, {"check", path.string()}), 0);
}

TEST_P(PropertyListFormats, FilesWrittenByPlistlibReadBack) {
    TemporaryFolder folder;
    const auto path = folder / "oracle.plist";
    const bool binary = GetParam() == PropertyListFormat::Binary;
    ASSERT_EQ(testsupport::runPython(kOracle, {"write", binary ? "bin" : "xml", path.string()}), 0);

    Value read;
    ASSERT_EQ(cf::readPropertyListFile(path, read), PlistStatus::Ok);
    EXPECT_EQ(read, referenceDictionary());
}

TEST_P(PropertyListFormats, TruncatedInputIsMalformed) {
    std::vector<std::uint8_t> bytes;
    ASSERT_EQ(cf::writePropertyList(referenceDictionary(), GetParam(), bytes), PlistStatus::Ok);
    for (std::size_t keep : {bytes.size() / 4, bytes.size() / 2, bytes.size() - 3}) {
        Value untouched("before");
        const std::span<const std::uint8_t> prefix(bytes.data(), keep);
        EXPECT_EQ(cf::readPropertyList(prefix, untouched), PlistStatus::Malformed) << keep;
        EXPECT_EQ(untouched, Value("before"));
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, PropertyListFormats,
                         ::testing::Values(PropertyListFormat::Xml, PropertyListFormat::Binary),
                         [](const auto& info) {
                             return info.param == PropertyListFormat::Xml ? "Xml" : "Binary";
                         });

TEST(PropertyList, EmptyAndGarbageInputsAreErrors) {
    Value out("kept");
    EXPECT_EQ(cf::readPropertyList({}, out), PlistStatus::EmptyInput);
    const std::string garbage = "this is not a property list \x01\x02";
    EXPECT_EQ(cf::readPropertyList(
                  {reinterpret_cast<const std::uint8_t*>(garbage.data()), garbage.size()}, out),
              PlistStatus::Malformed);
    const std::string badMagic = "bplist00\xff\xff\xff\xff";
    EXPECT_EQ(cf::readPropertyList(
                  {reinterpret_cast<const std::uint8_t*>(badMagic.data()), badMagic.size()}, out),
              PlistStatus::Malformed);
    EXPECT_EQ(out, Value("kept"));

    TemporaryFolder folder;
    std::ofstream(folder / "empty.plist").close();
    EXPECT_EQ(cf::readPropertyListFile(folder / "empty.plist", out), PlistStatus::EmptyInput);
    EXPECT_EQ(cf::readPropertyListFile(folder / "absent.plist", out), PlistStatus::FileError);
}

// A binary property list of one dictionary entry, with the key and value objects given as their
// marker byte and content.
std::vector<std::uint8_t> binaryListOfOneEntry(const std::vector<std::uint8_t>& key,
                                               const std::vector<std::uint8_t>& value) {
    std::vector<std::uint8_t> bytes{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<std::uint8_t> offsets;
    for (const auto& object : {std::vector<std::uint8_t>{0xD1, 0x01, 0x02}, key, value}) {
        offsets.push_back(static_cast<std::uint8_t>(bytes.size()));
        bytes.insert(bytes.end(), object.begin(), object.end());
    }
    const auto table = static_cast<std::uint8_t>(bytes.size());
    bytes.insert(bytes.end(), offsets.begin(), offsets.end());
    // Trailer: six unused bytes, offset and reference sizes, object count, top object, table.
    const std::uint8_t trailer[32] = {0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 3,
                                      0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, table};
    bytes.insert(bytes.end(), std::begin(trailer), std::end(trailer));
    return bytes;
}

TEST(PropertyList, UnicodeStringsHoldingAZeroUnitAreMalformed) {
    const std::vector<std::uint8_t> asciiKey{0x51, 'k'};
    const std::vector<std::uint8_t> unicodeWithZero{0x63, 0x00, 0xE9, 0x00, 0x00, 0x00, 'b'};
    const std::vector<std::uint8_t> longUnicodeWithZero{0x6F, 0x10, 0x02, 0x00, 'a', 0x00, 0x00};
    struct Case {
        const char* name;
        std::vector<std::uint8_t> key, value;
        PlistStatus status;
        Value expected;  // under "k" when read
    };
    const Case cases[] = {
        {"value", asciiKey, unicodeWithZero, PlistStatus::Malformed, {}},
        {"key", unicodeWithZero, {0x08}, PlistStatus::Malformed, {}},
        {"long count", asciiKey, longUnicodeWithZero, PlistStatus::Malformed, {}},
        {"no zero", asciiKey, {0x62, 0x00, 0xE9, 0x00, 'b'}, PlistStatus::Ok, Value("\u00e9b")},
        // libplist cuts an ASCII string at its zero byte on its own.
        {"ascii", asciiKey, {0x53, 'a', 0x00, 'b'}, PlistStatus::Ok, Value("a")},
    };
    for (const Case& c : cases) {
        Value read("kept");
        EXPECT_EQ(cf::readPropertyList(binaryListOfOneEntry(c.key, c.value), read), c.status)
            << c.name;
        if (c.status == PlistStatus::Ok) {
            ASSERT_NE(read.find("k"), nullptr) << c.name;
            EXPECT_EQ(*read.find("k"), c.expected) << c.name;
        } else {
            EXPECT_EQ(read, Value("kept")) << c.name;
        }
    }
}

// A binary property list of `levels` arrays, each holding `width` references to the next; the
// last one is empty, or with `cyclic` holds the first.
std::vector<std::uint8_t> nestedBinaryArrays(std::size_t levels, std::size_t width = 1,
                                             bool cyclic = false) {
    constexpr std::size_t kIndexBytes = 4;
    const auto appendBE = [](std::vector<std::uint8_t>& out, std::uint64_t value,
                             std::size_t size) {
        for (std::size_t i = size; i-- > 0;) {
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    std::vector<std::uint8_t> bytes{'b', 'p', 'l', 'i', 's', 't', '0', '0'};
    std::vector<std::uint8_t> offsets;
    for (std::size_t level = 0; level < levels; ++level) {
        appendBE(offsets, bytes.size(), kIndexBytes);
        const bool last = level + 1 == levels;
        const std::size_t references = last && !cyclic ? 0 : width;
        bytes.push_back(static_cast<std::uint8_t>(0xA0 | references));
        for (std::size_t i = 0; i < references; ++i) {
            appendBE(bytes, last ? 0 : level + 1, kIndexBytes);
        }
    }
    const std::size_t table = bytes.size();
    bytes.insert(bytes.end(), offsets.begin(), offsets.end());
    bytes.insert(bytes.end(), 6, 0);
    bytes.push_back(kIndexBytes);  // offset size
    bytes.push_back(kIndexBytes);  // reference size
    appendBE(bytes, levels, 8);
    appendBE(bytes, 0, 8);  // top object
    appendBE(bytes, table, 8);
    return bytes;
}

// An XML property list of `levels` containers, the innermost holding `inner`.
std::vector<std::uint8_t> nestedXml(std::size_t levels, const std::string& open,
                                    const std::string& close, const std::string& inner = "") {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Test//DTD PLIST 1.0//EN\" \"x.dtd\">\n"
        "<plist version=\"1.0\"><!-- <array> -->";
    for (std::size_t i = 0; i < levels; ++i) {
        text += open;
    }
    text += inner;
    for (std::size_t i = 0; i < levels; ++i) {
        text += close;
    }
    text += "</plist>\n";
    return {text.begin(), text.end()};
}

// libplist parses and frees nested containers recursively: a list deep enough to exhaust the
// stack must be refused before it is parsed. The deepest accepted list has 257 levels.
TEST(PropertyList, ListsNestedDeeperThanTheLimitAreMalformed) {
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        PlistStatus status;
    };
    auto referringToNothing = nestedBinaryArrays(2);
    referringToNothing[12] = 0x7F;  // the last byte of the first array's only reference
    const std::string array = "<array>";
    const std::string dict = "<dict><key>k</key>";
    const Case cases[] = {
        {"binary at the limit", nestedBinaryArrays(257), PlistStatus::Ok},
        {"binary past the limit", nestedBinaryArrays(258), PlistStatus::Malformed},
        {"binary 100000 deep", nestedBinaryArrays(100000), PlistStatus::Malformed},
        {"binary holding itself", nestedBinaryArrays(3, 1, true), PlistStatus::Malformed},
        {"binary referring to nothing", referringToNothing, PlistStatus::Malformed},
        {"xml arrays at the limit", nestedXml(257, array, "</array>"), PlistStatus::Ok},
        {"xml arrays past the limit", nestedXml(258, array, "</array>"), PlistStatus::Malformed},
        {"xml arrays 200000 deep", nestedXml(200000, array, "</array>"), PlistStatus::Malformed},
        // 256 dictionaries and the value in the innermost one make 257 levels.
        {"xml dictionaries at the limit", nestedXml(256, dict, "</dict>", "<true/>"),
         PlistStatus::Ok},
        {"xml dictionaries past the limit", nestedXml(257, dict, "</dict>", "<true/>"),
         PlistStatus::Malformed},
        {"xml dictionaries 200000 deep", nestedXml(200000, dict, "</dict>", "<true/>"),
         PlistStatus::Malformed},
    };
    for (const Case& c : cases) {
        Value read("kept");
        EXPECT_EQ(cf::readPropertyList(c.bytes, read), c.status) << c.name;
        if (c.status != PlistStatus::Ok) {
            EXPECT_EQ(read, Value("kept")) << c.name;
        }
    }
}

// A list whose containers share their contents has far more paths than objects; each object is
// walked once, so the check ends at once.
TEST(PropertyList, NestingCheckWalksSharedContentsOnce) {
    EXPECT_TRUE(cf::detail::binaryListNestingWithin(nestedBinaryArrays(257, 2), 256));
    EXPECT_FALSE(cf::detail::binaryListNestingWithin(nestedBinaryArrays(258, 2), 256));
}

TEST(PropertyList, ZeroBytesInsideXmlAreMalformed) {
    using namespace std::string_literals;
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict>";
    const std::string tail = "</dict></plist>";
    struct Case {
        const char* name;
        std::string entry;
        PlistStatus status;
    };
    const Case cases[] = {
        {"in a string", "<key>k</key><string>a\0b</string>"s, PlistStatus::Malformed},
        {"in a key", "<key>k\0j</key><string>ab</string>"s, PlistStatus::Malformed},
        {"none", "<key>k</key><string>ab</string>"s, PlistStatus::Ok},
    };
    for (const Case& c : cases) {
        for (const std::string& end : {""s, "\n\0"s}) {  // zero bytes after the text are padding
            const std::string text = head + c.entry + tail + end;
            Value read("kept");
            EXPECT_EQ(cf::readPropertyList(
                          {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, read),
                      c.status)
                << c.name;
        }
    }
}

// Strings and keys that are not UTF-8 would not come back as they went in (libplist drops or
// recodes the bytes), so the reader refuses them and the writer will not write them.
TEST(PropertyList, TextThatIsNotUtf8IsRefusedBothWays) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string text;
    };
    const Case bad[] = {
        {"cut sequence", "tw\xEF"s},
        {"Latin-1 byte",
         "Cop\xE9"
         "es"s},
        {"lone continuation", "a\x80"s},
        {"overlong slash", "\xC0\xAF"s},
        {"surrogate", "\xED\xA0\x80"s},
        {"past U+10FFFF", "\xF4\x90\x80\x80"s},
    };
    for (const Case& c : bad) {
        // A binary list holding the bytes as a one-byte-per-character string, as a key and a value.
        const std::string& t = c.text;
        ASSERT_LT(t.size(), 15u);
        const std::uint8_t marker = static_cast<std::uint8_t>(0x50 | t.size());
        std::vector<std::uint8_t> list = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0xD1, 1, 2};
        for (int copy = 0; copy < 2; ++copy) {
            list.push_back(marker);
            list.insert(list.end(), t.begin(), t.end());
        }
        const std::uint8_t keyAt = 11;
        const auto valueAt = static_cast<std::uint8_t>(keyAt + 1 + t.size());
        const auto tableAt = static_cast<std::uint8_t>(list.size());
        list.insert(list.end(), {8, keyAt, valueAt});
        list.insert(list.end(), {0, 0, 0, 0, 0, 0, 1, 1});
        list.insert(list.end(), {0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0, 0});
        list.insert(list.end(), {0, 0, 0, 0, 0, 0, 0, tableAt});
        Value read("kept");
        EXPECT_EQ(cf::readPropertyList(list, read), PlistStatus::Malformed) << c.name;
        EXPECT_EQ(read, Value("kept")) << c.name;

        std::vector<std::uint8_t> written;
        for (const auto format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
            EXPECT_EQ(cf::writePropertyList(Value(t), format, written),
                      PlistStatus::NotRepresentable)
                << c.name;
            Value keyed = Value::emptyDictionary();
            keyed.set(t, 1);
            EXPECT_EQ(cf::writePropertyList(keyed, format, written), PlistStatus::NotRepresentable)
                << c.name;
        }
    }
    // libplist hands strings over as C strings, so a zero byte cannot be written either.
    std::vector<std::uint8_t> refused;
    EXPECT_EQ(cf::writePropertyList(Value("a\0b"s), PropertyListFormat::Binary, refused),
              PlistStatus::NotRepresentable);
    const std::string good = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x96\xA8";
    std::vector<std::uint8_t> written;
    Value read;
    ASSERT_EQ(cf::writePropertyList(Value(good), PropertyListFormat::Binary, written),
              PlistStatus::Ok);
    ASSERT_EQ(cf::readPropertyList(written, read), PlistStatus::Ok);
    EXPECT_EQ(read, Value(good));
}

// XML cannot hold most control characters, U+FFFE or U+FFFF, even as references: libplist wrote
// them as they were, and every other reader refused the file. Strings lose them in XML (a name
// from an old settings file keeps the rest of its text), keys holding one are refused, a carriage
// return survives as a reference; the binary format keeps every string as it is.
TEST(PropertyList, XmlListsHoldOnlyCharactersXmlCan) {
    using namespace std::string_literals;
    Value written = Value::emptyDictionary();
    written.set("bell", "Bell\x07Paper");
    written.set("controls", "\x01\x08\x0B\x0C\x0E\x1F\x7Fx"s);
    written.set("kept", "tab\tline\nreturn\r\nlone\rend \xEF\xBF\xBD");
    written.set("noncharacters",
                "a\xEF\xBF\xBE"
                "b\xEF\xBF\xBF"
                "c");
    Value expected = Value::emptyDictionary();
    expected.set("bell", "BellPaper");
    expected.set("controls", "\x7Fx");
    expected.set("kept", "tab\tline\nreturn\r\nlone\rend \xEF\xBF\xBD");
    expected.set("noncharacters", "abc");
    const std::string expectedJson =
        R"({"bell": "BellPaper", "controls": "\u007fx",)"
        R"( "kept": "tab\tline\nreturn\r\nlone\rend \ufffd", "noncharacters": "abc"})";

    TemporaryFolder folder;
    const auto path = folder / "settings.plist";
    ASSERT_EQ(cf::writePropertyListFile(path, written), PlistStatus::Ok);
    Value read;
    ASSERT_EQ(cf::readPropertyListFile(path, read), PlistStatus::Ok);
    EXPECT_EQ(read, expected);
    EXPECT_EQ(testsupport::runPython(kOracle, {"holds", path.string(), expectedJson}), 0);

    std::vector<std::uint8_t> binary;
    ASSERT_EQ(cf::writePropertyList(written, PropertyListFormat::Binary, binary), PlistStatus::Ok);
    ASSERT_EQ(cf::readPropertyList(binary, read), PlistStatus::Ok);
    EXPECT_EQ(read, written);

    Value keyed = Value::emptyDictionary();
    keyed.set("Bell\x07", 1);
    std::vector<std::uint8_t> refused{1, 2};
    EXPECT_EQ(cf::writePropertyList(keyed, PropertyListFormat::Xml, refused),
              PlistStatus::NotRepresentable);
    EXPECT_EQ(refused, (std::vector<std::uint8_t>{1, 2}));
    EXPECT_EQ(cf::writePropertyList(keyed, PropertyListFormat::Binary, binary), PlistStatus::Ok);
}

// libplist reads some XML that no other reader takes; such a list is malformed, so that a settings
// file written that way by an earlier version counts as broken and is written again.
TEST(PropertyList, XmlThatIsNotWellFormedIsMalformed) {
    using namespace std::string_literals;
    const std::string head = "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>k</key>";
    const std::string tail = "</dict></plist>\n";
    struct Case {
        const char* name;
        std::string entry;
        PlistStatus status;
        const char* value;  // under "k" when read
    };
    const Case cases[] = {
        {"raw bell", "<string>a\x07z</string>", PlistStatus::Malformed, nullptr},
        {"raw unit separator", "<string>a\x1Fz</string>", PlistStatus::Malformed, nullptr},
        {"raw U+FFFF", "<string>a\xEF\xBF\xBFz</string>", PlistStatus::Malformed, nullptr},
        {"control in a comment", "<!-- \x01 --><string>az</string>", PlistStatus::Malformed,
         nullptr},
        {"Latin-1 in a comment", "<!-- \xE9 --><string>az</string>", PlistStatus::Malformed,
         nullptr},
        {"decimal bell", "<string>a&#7;z</string>", PlistStatus::Malformed, nullptr},
        {"hexadecimal bell", "<string>a&#x07;z</string>", PlistStatus::Malformed, nullptr},
        {"reference to U+FFFE", "<string>a&#xFFFE;z</string>", PlistStatus::Malformed, nullptr},
        {"reference to a surrogate", "<string>a&#xD800;z</string>", PlistStatus::Malformed,
         nullptr},
        {"reference past U+10FFFF", "<string>a&#99999999999999999999;z</string>",
         PlistStatus::Malformed, nullptr},
        {"empty reference", "<string>a&#;z</string>", PlistStatus::Malformed, nullptr},
        {"bare ampersand", "<string>a & z</string>", PlistStatus::Malformed, nullptr},
        {"unknown entity", "<string>a&nbsp;z</string>", PlistStatus::Malformed, nullptr},
        {"carriage return", "<string>a&#13;z</string>", PlistStatus::Ok, "a\rz"},
        {"tab and U+10FFFF", "<string>&#9;&#x10FFFF;</string>", PlistStatus::Ok,
         "\t\xF4\x8F\xBF\xBF"},
        {"predefined entities", "<string>&amp;&lt;&gt;&quot;&apos;</string>", PlistStatus::Ok,
         "&<>\"'"},
        {"references in a comment are text", "<!-- &#7; & --><string>az</string>", PlistStatus::Ok,
         "az"},
        {"references in a character data section are text", "<string><![CDATA[&#7; &]]></string>",
         PlistStatus::Ok, "&#7; &"},
    };
    for (const Case& c : cases) {
        const std::string text = head + c.entry + tail;
        Value read("kept");
        EXPECT_EQ(cf::readPropertyList(
                      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, read),
                  c.status)
            << c.name;
        if (c.value != nullptr) {
            ASSERT_NE(read.find("k"), nullptr) << c.name;
            EXPECT_EQ(*read.find("k"), Value(c.value)) << c.name;
        } else {
            EXPECT_EQ(read, Value("kept")) << c.name;
        }
    }
}

// Dates are held in 32-bit seconds by libplist: one outside that range was written as another
// date, so the writer refuses it (a read one arrives in range or is refused as malformed).
TEST(PropertyList, DatesPast32BitSecondsAreNotWritten) {
    const struct {
        double seconds;
        PlistStatus status;
    } cases[] = {
        {-2147483648.0, PlistStatus::Ok},
        {2147483646.5, PlistStatus::Ok},
        {-2147485795.48, PlistStatus::NotRepresentable},
        {2147483647.0, PlistStatus::NotRepresentable},
        {1e300, PlistStatus::NotRepresentable},
        {std::nan(""), PlistStatus::NotRepresentable},
    };
    for (const auto& c : cases) {
        for (const auto format : {PropertyListFormat::Xml, PropertyListFormat::Binary}) {
            std::vector<std::uint8_t> written;
            EXPECT_EQ(cf::writePropertyList(Value(Value::Date{c.seconds}), format, written),
                      c.status)
                << c.seconds;
        }
    }
}

TEST(PropertyList, NullCannotBeWritten) {
    std::vector<std::uint8_t> bytes{1, 2, 3};
    Value holder = Value::emptyDictionary();
    holder.set("nothing", Value());
    EXPECT_EQ(cf::writePropertyList(holder, PropertyListFormat::Xml, bytes),
              PlistStatus::NotRepresentable);
    EXPECT_EQ(bytes, (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(PropertyList, ReplacingAFileLeavesNoTemporaryBehind) {
    TemporaryFolder folder;
    const auto path = folder / "settings.plist";
    ASSERT_EQ(cf::writePropertyListFile(path, Value("first")), PlistStatus::Ok);
    ASSERT_EQ(cf::writePropertyListFile(path, Value("second")), PlistStatus::Ok);
    Value read;
    ASSERT_EQ(cf::readPropertyListFile(path, read), PlistStatus::Ok);
    EXPECT_EQ(read, Value("second"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(PropertyList, ReplacingAFileKeepsItsPermissionBits) {
    TemporaryFolder folder;
    const auto path = folder / "settings.plist";
    ASSERT_EQ(cf::writePropertyListFile(path, Value("first")), PlistStatus::Ok);
    ASSERT_EQ(::chmod(path.c_str(), 0604), 0);
    ASSERT_EQ(cf::writePropertyListFile(path, Value("second")), PlistStatus::Ok);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
}

// A symbolic link planted at a settings file's name is replaced by a file of the ordinary mode:
// the new file never takes the bits of whatever the link points at, and that target stays as it
// was.
TEST(PropertyList, ReplacingAPlantedLinkGivesTheOrdinaryMode) {
    TemporaryFolder folder;
    const auto target = folder / "elsewhere";
    std::ofstream(target) << "target";
    ASSERT_EQ(::chmod(target.c_str(), 0777), 0);
    const auto path = folder / "settings.plist";
    std::filesystem::create_symlink(target, path);

    constexpr mode_t kMask = 027;
    const mode_t previousMask = ::umask(kMask);
    const auto status = cf::writePropertyListFile(path, Value("written"));
    ::umask(previousMask);
    ASSERT_EQ(status, PlistStatus::Ok);

    struct stat written {};
    ASSERT_EQ(::lstat(path.c_str(), &written), 0);
    EXPECT_TRUE(S_ISREG(written.st_mode));
    EXPECT_EQ(written.st_mode & 07777, 0666u & ~kMask);
    struct stat untouched {};
    ASSERT_EQ(::stat(target.c_str(), &untouched), 0);
    EXPECT_EQ(untouched.st_mode & 07777, 0777u);
    EXPECT_EQ(fileBytes(target), (std::vector<std::uint8_t>{'t', 'a', 'r', 'g', 'e', 't'}));
}

// Root ignores folder permissions, so the write runs in a child that gives them up first.
TEST(PropertyList, FailedWriteKeepsThePreviousFile) {
    TemporaryFolder folder;
    const auto path = folder / "settings.plist";
    ASSERT_EQ(cf::writePropertyListFile(path, Value("original")), PlistStatus::Ok);
    const auto before = fileBytes(path);
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::getuid() == 0 && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
            ::_exit(2);
        }
        const auto status = cf::writePropertyListFile(path, Value("replacement"));
        ::_exit(status == PlistStatus::FileError ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
