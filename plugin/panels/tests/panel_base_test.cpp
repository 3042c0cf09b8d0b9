// The panel base: its template as the main dialog drives it, the printer and its capability
// record, and pop-ups filled from menu data arrays.
#include "panels/panel_base.h"

#include <gtest/gtest.h>

#include "plugin_error_codes.h"
#include "scripted_port.h"
#include "support/model_atlas_host.h"
#include "support/scoped_variable.h"

namespace {

using dialogs_test::ScriptedPort;
using dialogs_test::TableStrings;

constexpr char kPanel[] = "PLSamplePanel";
constexpr char kPopUp[] = "samplePopUp";
constexpr std::int32_t kShippedPrinter = 7440;
constexpr std::int32_t kUnknownPrinter = 4711;

/// A panel that counts what the template sends it.
class CountingPanel : public panels::kBaseClass {
  public:
    CountingPanel(ui::Port& port, const ui::Strings& strings)
        : kBaseClass(port, kPanel, nullptr, strings, nullptr) {}
    void setControlString() override { ++controlStrings; }
    void initControls() override { ++initialisations; }

    const PrinterFunction* record() const { return m_Func.get(); }
    std::int32_t region() const { return m_Region; }
    std::int32_t printerID() const { return m_printerID; }
    const std::optional<std::string>& popupName() const { return m_cfPopupName; }
    const std::optional<std::string>& shortName() const { return m_cfPrinterShortName; }
    void chooseConnection(std::string name) { m_cfConnectionType = std::move(name); }
    const std::optional<std::string>& connection() const { return m_cfConnectionType; }

    int controlStrings = 0;
    int initialisations = 0;
};

class PanelBase : public testing::Test {
  protected:
    testsupport::ScopedVariable language_{"LANGUAGE", "ja"};
    testsupport::ModelAtlasHost atlas_{ATLAS_SHIPPED_SHELL};
    ScriptedPort port;
    TableStrings strings;
    CountingPanel panel{port, strings};
};

TEST_F(PanelBase, AwakeFromNibTakesTheRegionThenSetsTheTexts) {
    const bool checkValues = panel.checkValuesError();
    panel.awakeFromNib();
    EXPECT_EQ(panel.region(), 14);  // Japanese
    EXPECT_EQ(panel.controlStrings, 1);
    EXPECT_EQ(panel.initialisations, 0);
    EXPECT_FALSE(checkValues);
}

TEST_F(PanelBase, TakesThePrinterAndItsRecordThenSetsTheControls) {
    ASSERT_TRUE(atlas_.ready());
    EXPECT_EQ(panel.setPrinterInfo("SL-7440 127.0.0.1", "SL-7440", kShippedPrinter), 0u);
    ASSERT_NE(panel.record(), nullptr);
    EXPECT_EQ(panel.record()->MdbDBName, "MDB_SL7000.mdb");
    EXPECT_EQ(panel.printerID(), kShippedPrinter);
    EXPECT_EQ(panel.popupName(), "SL-7440 127.0.0.1");
    EXPECT_EQ(panel.shortName(), "SL-7440");
    EXPECT_EQ(panel.initialisations, 1);
}

// The first record is freed when the second one cannot be made (the leak checker would tell).
TEST_F(PanelBase, AnUnknownPrinterAnswers2000WithoutSettingTheControls) {
    ASSERT_TRUE(atlas_.ready());
    ASSERT_EQ(panel.setPrinterInfo("SL-7440 127.0.0.1", "SL-7440", kShippedPrinter), 0u);
    EXPECT_EQ(panel.setPrinterInfo("Other", "SL-0000", kUnknownPrinter),
              static_cast<std::uint32_t>(plugin_error_codes::kErrPanelMemory));
    EXPECT_EQ(panel.record(), nullptr);
    EXPECT_EQ(panel.initialisations, 1);
    EXPECT_EQ(panel.printerID(), kUnknownPrinter);
    EXPECT_EQ(panel.shortName(), "SL-0000");

    EXPECT_EQ(panel.setPrinterInfo("SL-7440 127.0.0.1", "SL-7440", kShippedPrinter), 0u);
    EXPECT_NE(panel.record(), nullptr);
    EXPECT_EQ(panel.initialisations, 2);
}

TEST_F(PanelBase, TerminateReleasesThePrinterAndItsRecord) {
    ASSERT_TRUE(atlas_.ready());
    panel.chooseConnection("WQS_LPR");
    ASSERT_EQ(panel.setPrinterInfo("SL-7440 127.0.0.1", "SL-7440", kShippedPrinter), 0u);
    panel.terminate();
    EXPECT_EQ(panel.record(), nullptr);
    EXPECT_FALSE(panel.popupName());
    EXPECT_FALSE(panel.shortName());
    EXPECT_FALSE(panel.connection());
}

ui::MenuItem item(std::string title, int tag, bool enabled = true) {
    ui::MenuItem made;
    made.title = std::move(title);
    made.tag = tag;
    made.enabled = enabled;
    return made;
}

struct MenuData {
    MenuData() { KMenu::NewMenuData(&array); }
    ~MenuData() { KMenu::DisposeMenuData(&array); }
    MenuDataArray array = nullptr;
};

TEST_F(PanelBase, MakeMenuAddsAnItemPerNamedEntryWithItsTagAndEnabling) {
    MenuData menu;
    ASSERT_EQ(KMenu::AddMenuData(menu.array, "Glossy", 30, 7, 2, 1), 0);
    ASSERT_EQ(KMenu::AddMenuData(menu.array, "Unnamed", 31, 0, 0, 1), 0);
    ASSERT_EQ(KMenu::AddMenuData(menu.array, "Matte", 32, 8, 3, 0), 0);
    // The second entry loses its name.
    (*menu.array->array())[1].dictionary()->erase("menuName");
    port.control(kPanel, kPopUp).menu = {item("old", 99)};

    EXPECT_EQ(panel.makeMenu(menu.array, kPopUp), 0);
    const std::vector<ui::MenuItem> expected = {item("Glossy", 30, true), item("Matte", 32, false)};
    EXPECT_EQ(port.control(kPanel, kPopUp).menu, expected);
}

TEST_F(PanelBase, MakeMenuOfNoArrayAnswersMinus50AndLeavesThePopUp) {
    port.control(kPanel, kPopUp).menu = {item("old", 99)};
    port.control(kPanel, kPopUp).selectedItem = 0;
    EXPECT_EQ(panel.makeMenu(nullptr, kPopUp), KMenu::kBadArgument);
    EXPECT_EQ(port.control(kPanel, kPopUp).menu, (std::vector<ui::MenuItem>{item("old", 99)}));
    EXPECT_EQ(port.control(kPanel, kPopUp).selectedItem, 0);
}

}  // namespace
