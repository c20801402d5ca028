#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "common/messages.h"
#include "fakes/fake_placement_window.h"
#include "fakes/fake_registry.h"
#include "fakes/fake_ui.h"

namespace tarvoline {
namespace {

using testing::FakeRegistry;
using testing::FakeUi;
using Type = FakeRegistry::Type;

const std::string kBase = "HKCU\\Software\\Quendral\\Tarvoline\\V1";
const std::string kMain = kBase + "\\MAIN";
const std::string kWindowState = kMain + "\\WindowState";
const std::string kRecent = kBase + "\\Recent";

using FakeWindow = testing::FakePlacementWindow;

class FakeMenu : public MenuItems {
public:
    struct Item {
        std::string name;
        std::string caption;
        int tag = -1;
        bool visible = true;
    };

    // The File menu around the recent files, as the main window has it.
    static FakeMenu FileMenu() {
        FakeMenu menu;
        menu.items = {{"mnuOpen", "開く(&O)..."},
                      {"mnuPrint", "印刷(&P)"},
                      {"mnuSep2", "-"},
                      {"mnuSep3", "-"},
                      {"mnuExit", "終了(&X)"}};
        return menu;
    }

    int Count() const override { return static_cast<int>(items.size()); }
    int IndexOfName(const std::string& name) const override {
        for (int i = 0; i < Count(); ++i)
            if (items[i].name == name)
                return i;
        return -1;
    }
    std::string Caption(int index) const override { return items.at(index).caption; }
    void Delete(int index) override { items.erase(items.begin() + index); }
    void InsertRecentFileItem(int index, const std::string& caption, int tag) override {
        if (refuseInserts)
            return;
        items.insert(items.begin() + index, {"", caption, tag, true});
    }
    void SetVisible(int index, bool visible) override { items.at(index).visible = visible; }

    std::vector<std::string> VisibleCaptions() const {
        std::vector<std::string> captions;
        for (const auto& item : items)
            if (item.visible)
                captions.push_back(item.caption);
        return captions;
    }
    // The items between the two separators.
    std::vector<Item> RecentItems() const {
        return {items.begin() + IndexOfName("mnuSep2") + 1, items.begin() + IndexOfName("mnuSep3")};
    }

    std::vector<Item> items;
    bool refuseInserts = false;
};

const TextMeasure kSevenPixelsPerByte = [](std::string_view text) { return static_cast<int>(text.size()) * 7; };

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { SetMessageUi(&ui); }
    void TearDown() override { SetMessageUi(nullptr); }

    std::vector<std::string> Journal(const std::string& kind) const {
        std::vector<std::string> entries;
        for (const auto& entry : registry.journal)
            if (entry.starts_with(kind))
                entries.push_back(entry);
        return entries;
    }

    FakeRegistry registry;
    FakeWindow window;
    FakeUi ui;
};

void ExpectDword(const FakeRegistry& registry, const std::string& key, const std::string& name, std::uint32_t number) {
    const FakeRegistry::Value* value = registry.Find(key, name);
    ASSERT_NE(value, nullptr) << key << "\\" << name;
    EXPECT_EQ(value->type, Type::Dword) << name;
    EXPECT_EQ(value->number, number) << name;
}

void ExpectString(const FakeRegistry& registry, const std::string& key, const std::string& name,
                  const std::string& text) {
    const FakeRegistry::Value* value = registry.Find(key, name);
    ASSERT_NE(value, nullptr) << key << "\\" << name;
    EXPECT_EQ(value->type, Type::String) << name;
    EXPECT_EQ(value->text, text) << name;
}

TEST_F(SettingsStoreTest, FirstStartKeepsTheDefaultsAndSaveWritesEveryValue) {
    c_reg reg(registry, window);
    reg.Load();

    EXPECT_EQ(reg.ColWidth, (std::array<std::int32_t, 7>{200, 300, 100, 70, 100, 100, 100}));
    EXPECT_EQ(reg.PrinterSelected, "");
    EXPECT_EQ(reg.LastFolderOfList, "");
    EXPECT_EQ(reg.LastFolderOfAddedFile, "");
    EXPECT_EQ(reg.LastFolderOfTextFile, "");
    EXPECT_FALSE(reg.DontShowAboutOnStartup);
    EXPECT_FALSE(reg.ShowPasswordOnList);
    EXPECT_EQ(reg.ExcelRangeDefault, 1);
    EXPECT_TRUE(reg.FolderSubfolderDefault);
    EXPECT_TRUE(reg.AddFolderRecur);
    EXPECT_FALSE(reg.AllowOther);
    EXPECT_TRUE(reg.RecentFiles.empty());
    EXPECT_EQ(reg.ManyFilesThreshold, 100);
    EXPECT_EQ(window.boundsSet, 0);
    EXPECT_EQ(window.state, kWindowNormal);
    EXPECT_TRUE(ui.boxes.empty());

    // One separator between print and exit.
    FakeMenu menu = FakeMenu::FileMenu();
    reg.RebuildRecentMenu(menu, "mnuSep2", "C:\\", kSevenPixelsPerByte);
    EXPECT_EQ(menu.VisibleCaptions(), (std::vector<std::string>{"開く(&O)...", "印刷(&P)", "-", "終了(&X)"}));

    reg.Save();
    const std::uint32_t widths[] = {200, 300, 100, 70, 100, 100, 100};
    for (int i = 0; i < 7; ++i)
        ExpectDword(registry, kMain, "ColWidth" + std::to_string(i), widths[i]);
    for (const char* name : {"PrinterSelected", "LastFolderOfList", "LastFolderOfAddedFile", "LastFolderOfTextFile"})
        ExpectString(registry, kMain, name, "");
    ExpectDword(registry, kMain, "DontShowAboutOnStartup", 0);
    ExpectDword(registry, kMain, "ShowPasswordOnList", 0);
    ExpectDword(registry, kMain, "ExcelRangeDefault", 1);
    ExpectDword(registry, kMain, "FolderSubfolderDefault", 1);
    ExpectDword(registry, kMain, "AddFolderRecur", 1);
    ExpectDword(registry, kMain, "AllowOther", 0);
    EXPECT_EQ(registry.ValuesOf(kMain).size(), 17u);

    ExpectDword(registry, kWindowState, "Top", 50);
    ExpectDword(registry, kWindowState, "Left", 100);
    ExpectDword(registry, kWindowState, "Width", 800);
    ExpectDword(registry, kWindowState, "Height", 600);
    ExpectDword(registry, kWindowState, "Maximized", 0);
    EXPECT_EQ(registry.ValuesOf(kWindowState).size(), 5u);

    ASSERT_TRUE(registry.HasKey(kRecent));
    EXPECT_TRUE(registry.ValuesOf(kRecent).empty());
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SettingsStoreTest, SaveWritesInAFixedOrderAndClearsEveryRecentName) {
    registry.PutString(kRecent, "FILE00", "C:\\old0.lst");
    registry.PutString(kRecent, "FILE01", "C:\\old1.lst");
    registry.PutString(kRecent, "FILE02", "C:\\old2.lst");
    c_reg reg(registry, window);
    reg.RecentFiles = {"C:\\new0.lst", "C:\\new1.lst"};
    reg.Save();

    std::vector<std::string> expected;
    for (int i = 0; i < 7; ++i)
        expected.push_back("write " + kMain + "\\ColWidth" + std::to_string(i));
    for (const char* name : {"PrinterSelected", "LastFolderOfList", "LastFolderOfAddedFile", "LastFolderOfTextFile",
                             "DontShowAboutOnStartup", "ShowPasswordOnList", "ExcelRangeDefault",
                             "FolderSubfolderDefault", "AddFolderRecur", "AllowOther"})
        expected.push_back("write " + kMain + "\\" + name);
    for (const char* entry : {"delete FILE00", "write FILE00", "delete FILE01", "write FILE01", "delete FILE02"}) {
        const std::string text(entry);
        const std::size_t blank = text.find(' ');
        expected.push_back(text.substr(0, blank + 1) + kRecent + "\\" + text.substr(blank + 1));
    }
    for (const char* name : {"Top", "Left", "Width", "Height", "Maximized"})
        expected.push_back("write " + kWindowState + "\\" + name);

    std::vector<std::string> changes;
    for (const auto& entry : registry.journal)
        if (entry.starts_with("write ") || entry.starts_with("delete "))
            changes.push_back(entry);
    EXPECT_EQ(changes, expected);
    ExpectString(registry, kRecent, "FILE01", "C:\\new1.lst");
    EXPECT_EQ(registry.Find(kRecent, "FILE02"), nullptr);
}

TEST_F(SettingsStoreTest, EverySettingSurvivesSaveAndLoad) {
    {
        c_reg reg(registry, window);
        reg.ColWidth = {11, 22, 33, 44, 55, 66, 77};
        reg.PrinterSelected = "ＰＤＦ プリンタ";
        reg.LastFolderOfList = "D:\\ソフト\\表";
        reg.LastFolderOfAddedFile = "\\\\server\\share\\予定";
        reg.LastFolderOfTextFile = "E:\\text";
        reg.DontShowAboutOnStartup = true;
        reg.ShowPasswordOnList = true;
        reg.ExcelRangeDefault = 2;
        reg.FolderSubfolderDefault = false;
        reg.AddFolderRecur = false;
        reg.AllowOther = true;
        reg.RecentFiles = {"D:\\能力\\b.lst", "C:\\a.lst"};
        reg.Save();
    }
    ExpectDword(registry, kMain, "DontShowAboutOnStartup", 1);
    ExpectDword(registry, kMain, "FolderSubfolderDefault", 0);

    FakeWindow other;
    c_reg reg(registry, other);
    reg.Load();
    EXPECT_EQ(reg.ColWidth, (std::array<std::int32_t, 7>{11, 22, 33, 44, 55, 66, 77}));
    EXPECT_EQ(reg.PrinterSelected, "ＰＤＦ プリンタ");
    EXPECT_EQ(reg.LastFolderOfList, "D:\\ソフト\\表");
    EXPECT_EQ(reg.LastFolderOfAddedFile, "\\\\server\\share\\予定");
    EXPECT_EQ(reg.LastFolderOfTextFile, "E:\\text");
    EXPECT_TRUE(reg.DontShowAboutOnStartup);
    EXPECT_TRUE(reg.ShowPasswordOnList);
    EXPECT_EQ(reg.ExcelRangeDefault, 2);
    EXPECT_FALSE(reg.FolderSubfolderDefault);
    EXPECT_FALSE(reg.AddFolderRecur);
    EXPECT_TRUE(reg.AllowOther);
    EXPECT_EQ(reg.RecentFiles, (std::vector<std::string>{"D:\\能力\\b.lst", "C:\\a.lst"}));
    EXPECT_TRUE(ui.boxes.empty());
}

struct StoredBoolCase {
    const char* name;
    FakeRegistry::Value stored;
    bool allowOther;             // default false
    bool folderSubfolderDefault; // default true
};

class StoredBoolTest : public SettingsStoreTest, public ::testing::WithParamInterface<StoredBoolCase> {};

TEST_P(StoredBoolTest, AnyNonZeroIntegerIsTrueAndAnotherTypeIsAbsent) {
    registry.Put(kMain, "AllowOther", GetParam().stored);
    registry.Put(kMain, "FolderSubfolderDefault", GetParam().stored);
    c_reg reg(registry, window);
    reg.Load();
    EXPECT_EQ(reg.AllowOther, GetParam().allowOther);
    EXPECT_EQ(reg.FolderSubfolderDefault, GetParam().folderSubfolderDefault);
}

INSTANTIATE_TEST_SUITE_P(Values, StoredBoolTest,
                         ::testing::Values(StoredBoolCase{"zero", {Type::Dword, 0, ""}, false, false},
                                           StoredBoolCase{"one", {Type::Dword, 1, ""}, true, true},
                                           StoredBoolCase{"two", {Type::Dword, 2, ""}, true, true},
                                           StoredBoolCase{"allBits", {Type::Dword, 0xFFFFFFFFu, ""}, true, true},
                                           StoredBoolCase{"stringOne", {Type::String, 0, "1"}, false, true},
                                           StoredBoolCase{"stringZero", {Type::String, 0, "0"}, false, true},
                                           StoredBoolCase{"binary", {Type::Binary, 0, ""}, false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsStoreTest, AValueOfAnotherTypeReadsAsAbsent) {
    registry.PutString(kMain, "ColWidth0", "250");
    registry.PutDword(kMain, "ColWidth1", 0xFFFFFF9Cu);
    registry.Put(kMain, "ExcelRangeDefault", {Type::Binary, 2, ""});
    registry.PutDword(kMain, "PrinterSelected", 5);
    registry.Put(kMain, "LastFolderOfList", {Type::ExpandString, 0, "%USERPROFILE%\\lists"});
    c_reg reg(registry, window);
    reg.Load();
    EXPECT_EQ(reg.ColWidth[0], 200);
    EXPECT_EQ(reg.ColWidth[1], -100);
    EXPECT_EQ(reg.ExcelRangeDefault, 1);
    EXPECT_EQ(reg.PrinterSelected, "");
    // An expandable string is still text, read unexpanded.
    EXPECT_EQ(reg.LastFolderOfList, "%USERPROFILE%\\lists");
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SettingsStoreTest, TwentyFiveListsShowInTheMenuAndTwentySurviveARestart) {
    c_reg reg(registry, window);
    reg.Load();
    for (int i = 0; i < 25; ++i)
        reg.AddRecentFile("C:\\Lists\\list" + std::to_string(100 + i) + ".lst");

    FakeMenu menu = FakeMenu::FileMenu();
    reg.RebuildRecentMenu(menu, "mnuSep2", "D:\\", kSevenPixelsPerByte);
    const auto items = menu.RecentItems();
    ASSERT_EQ(items.size(), 25u);
    EXPECT_EQ(items[0].caption, "&1 C:\\Lists\\list124.lst");
    EXPECT_EQ(items[8].caption, "&9 C:\\Lists\\list116.lst");
    EXPECT_EQ(items[9].caption, "10 C:\\Lists\\list115.lst");
    EXPECT_EQ(items[24].caption, "25 C:\\Lists\\list100.lst");
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(items[i].tag, i);
    EXPECT_TRUE(menu.items[menu.IndexOfName("mnuSep3")].visible);
    EXPECT_EQ(reg.GetRecentFile(24), "C:\\Lists\\list100.lst");
    reg.Save();

    ExpectString(registry, kRecent, "FILE19", "C:\\Lists\\list105.lst");
    EXPECT_EQ(registry.ValuesOf(kRecent).size(), 20u);

    FakeWindow other;
    c_reg restarted(registry, other);
    restarted.Load();
    ASSERT_EQ(restarted.RecentFiles.size(), 20u);
    EXPECT_EQ(restarted.RecentFiles.front(), "C:\\Lists\\list124.lst");
    EXPECT_EQ(restarted.RecentFiles.back(), "C:\\Lists\\list105.lst");

    // Rebuilding the same menu replaces the old items.
    restarted.RebuildRecentMenu(menu, "mnuSep2", "D:\\", kSevenPixelsPerByte);
    EXPECT_EQ(menu.RecentItems().size(), 20u);
    EXPECT_EQ(menu.Count(), 5 + 20);
    EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(SettingsStoreTest, AGapInTheRecentValuesClosesAndIsRenumberedAtSave) {
    for (const char* name : {"FILE00", "FILE01", "FILE02", "FILE04", "FILE05", "FILE19"})
        registry.PutString(kRecent, name, std::string("C:\\") + name + ".lst");
    registry.PutString(kRecent, "FILE06", "");
    c_reg reg(registry, window);
    reg.Load();
    EXPECT_EQ(reg.RecentFiles, (std::vector<std::string>{"C:\\FILE00.lst", "C:\\FILE01.lst", "C:\\FILE02.lst",
                                                         "C:\\FILE04.lst", "C:\\FILE05.lst", "C:\\FILE19.lst"}));
    reg.Save();
    ExpectString(registry, kRecent, "FILE03", "C:\\FILE04.lst");
    ExpectString(registry, kRecent, "FILE04", "C:\\FILE05.lst");
    ExpectString(registry, kRecent, "FILE05", "C:\\FILE19.lst");
    EXPECT_EQ(registry.ValuesOf(kRecent).size(), 6u);
}

TEST_F(SettingsStoreTest, TheSameListInAnotherLetterCaseStaysOnceAtTheTopInTheLatestCase) {
    c_reg reg(registry, window);
    reg.AddRecentFile("C:\\Lists\\Month.lst");
    reg.AddRecentFile("D:\\表\\a.lst");
    reg.AddRecentFile("C:\\other.lst");
    reg.AddRecentFile("c:\\LISTS\\month.LST");
    EXPECT_EQ(reg.RecentFiles, (std::vector<std::string>{"c:\\LISTS\\month.LST", "C:\\other.lst", "D:\\表\\a.lst"}));
    reg.AddRecentFile("D:\\表\\A.LST");
    EXPECT_EQ(reg.RecentFiles, (std::vector<std::string>{"D:\\表\\A.LST", "c:\\LISTS\\month.LST", "C:\\other.lst"}));
}

TEST_F(SettingsStoreTest, GetRecentFileOutsideTheListIsAnInternalError) {
    c_reg reg(registry, window);
    reg.RecentFiles = {"C:\\a.lst", "C:\\b.lst"};
    EXPECT_EQ(reg.GetRecentFile(1), "C:\\b.lst");
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(reg.GetRecentFile(2), "");
    EXPECT_EQ(reg.GetRecentFile(-1), "");
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>(2, "内部エラー: func=m_filesrct_filename code1=0 code2= 0"));
}

TEST_F(SettingsStoreTest, AListInTheCurrentFolderShowsAsItsBareFileName) {
    c_reg reg(registry, window);
    reg.RecentFiles = {"C:\\Work\\Lists\\月次.lst", "C:\\Work\\other.lst"};
    FakeMenu menu = FakeMenu::FileMenu();
    reg.RebuildRecentMenu(menu, "mnuSep2", "c:\\work\\LISTS", kSevenPixelsPerByte);
    const auto items = menu.RecentItems();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].caption, "&1 月次.lst");
    EXPECT_EQ(items[1].caption, "&2 C:\\Work\\other.lst");
}

struct MenuFaultCase {
    const char* name;
    std::vector<FakeMenu::Item> items;
    bool refuseInserts;
    const char* error;
};

class RecentMenuFaultTest : public SettingsStoreTest, public ::testing::WithParamInterface<MenuFaultCase> {};

TEST_P(RecentMenuFaultTest, ReportsAnInternalErrorAndStops) {
    c_reg reg(registry, window);
    reg.RecentFiles = {"C:\\a.lst", "C:\\b.lst"};
    FakeMenu menu;
    menu.items = GetParam().items;
    menu.refuseInserts = GetParam().refuseInserts;
    reg.RebuildRecentMenu(menu, "mnuSep2", "C:\\", kSevenPixelsPerByte);
    EXPECT_EQ(ui.BoxTexts(),
              std::vector<std::string>{std::string("内部エラー: func=") + GetParam().error + " code1=0 code2= 0"});
    // Nothing was deleted or shown.
    std::vector<std::string> captions;
    for (const auto& item : menu.items)
        captions.push_back(item.caption);
    std::vector<std::string> before;
    for (const auto& item : GetParam().items)
        before.push_back(item.caption);
    EXPECT_EQ(captions, before);
    for (const auto& item : menu.items)
        EXPECT_TRUE(item.visible);
}

INSTANTIATE_TEST_SUITE_P(
    Menus, RecentMenuFaultTest,
    ::testing::Values(
        MenuFaultCase{"noSeparator", {{"mnuPrint", "印刷(&P)"}, {"mnuSep3", "-"}}, false, "m_filesrct_menuset"},
        MenuFaultCase{"noClosingSeparator",
                      {{"mnuPrint", "印刷(&P)"}, {"mnuSep2", "-"}, {"", "&1 C:\\old.lst"}, {"mnuExit", "終了(&X)"}},
                      false,
                      "m_filesrct_menuset 2"},
        MenuFaultCase{"insertsLost",
                      {{"mnuPrint", "印刷(&P)"}, {"mnuSep2", "-"}, {"mnuSep3", "-"}, {"mnuExit", "終了(&X)"}},
                      true,
                      "m_filesrct_menuset 3"}),
    [](const auto& info) { return std::string(info.param.name); });

struct PlacementCase {
    const char* name;
    std::int32_t top, left, width, height;
    std::optional<std::int32_t> maximized;
    std::int32_t initialState;
    std::optional<WindowRect> applied; // nullopt: the window keeps its rectangle
    std::int32_t expectedState;
};

class PlacementTest : public SettingsStoreTest, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(PlacementTest, AppliesAStoredRectangleOnlyWhenItFitsTheScreen) {
    const auto& c = GetParam();
    const std::string key = kMain + "\\WindowStatePrintLog";
    registry.PutDword(key, "Top", static_cast<std::uint32_t>(c.top));
    registry.PutDword(key, "Left", static_cast<std::uint32_t>(c.left));
    registry.PutDword(key, "Width", static_cast<std::uint32_t>(c.width));
    registry.PutDword(key, "Height", static_cast<std::uint32_t>(c.height));
    if (c.maximized)
        registry.PutDword(key, "Maximized", static_cast<std::uint32_t>(*c.maximized));
    window.state = c.initialState;
    const WindowRect before = window.normal;

    c_reg reg(registry, window);
    reg.LoadWindowPlacement(window, "MAIN", "WindowStatePrintLog");

    const WindowRect expected = c.applied.value_or(before);
    EXPECT_EQ(window.boundsSet, c.applied ? 1 : 0);
    EXPECT_EQ(window.normal.left, expected.left);
    EXPECT_EQ(window.normal.top, expected.top);
    EXPECT_EQ(window.normal.right, expected.right);
    EXPECT_EQ(window.normal.bottom, expected.bottom);
    EXPECT_EQ(window.state, c.expectedState);
    EXPECT_TRUE(ui.boxes.empty());
}

// The screen is 1024 x 768; the window starts at {100, 50, 900, 650}.
INSTANTIATE_TEST_SUITE_P(
    Cases, PlacementTest,
    ::testing::Values(
        PlacementCase{"fits", 10, 20, 800, 600, 0, 0, WindowRect{20, 10, 820, 610}, 0},
        PlacementCase{"exactlyFits", 168, 224, 800, 600, 2, 0, WindowRect{224, 168, 1024, 768}, 2},
        PlacementCase{"offRight", 10, 300, 800, 600, 2, 0, std::nullopt, 2},
        PlacementCase{"offBottom", 200, 10, 800, 600, 1, 0, std::nullopt, 1},
        PlacementCase{"negativeRaised", -30, -10, 800, 600, 0, 0, WindowRect{0, 0, 800, 600}, 0},
        PlacementCase{"raisedStillTooTall", -30, 0, 800, 800, 2, 0, std::nullopt, 2},
        PlacementCase{"widthZero", 10, 20, 0, 600, 2, 0, std::nullopt, 2},
        PlacementCase{"heightZero", 10, 20, 800, 0, 0, 2, std::nullopt, 0},
        PlacementCase{"stateAbsentKeepsCurrent", 10, 20, 800, 600, std::nullopt, 2, WindowRect{20, 10, 820, 610}, 2},
        PlacementCase{"stateUnknownKeepsCurrent", 10, 20, 800, 600, 7, 1, WindowRect{20, 10, 820, 610}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsStoreTest, AMaximizedWindowSavesItsNormalRectangle) {
    window.normal = {120, 80, 920, 680};
    window.state = kWindowMaximized;
    c_reg reg(registry, window);
    reg.SaveWindowPlacement(window, "MAIN", "WindowStateFoldFiles");
    const std::string key = kMain + "\\WindowStateFoldFiles";
    ExpectDword(registry, key, "Top", 80);
    ExpectDword(registry, key, "Left", 120);
    ExpectDword(registry, key, "Width", 800);
    ExpectDword(registry, key, "Height", 600);
    ExpectDword(registry, key, "Maximized", 2);

    FakeWindow next;
    reg.LoadWindowPlacement(next, "MAIN", "WindowStateFoldFiles");
    EXPECT_EQ(next.normal.left, 120);
    EXPECT_EQ(next.normal.bottom, 680);
    EXPECT_EQ(next.state, kWindowMaximized);
}

struct InaccessibleCase {
    const char* name;
    std::string failingKey;
    std::vector<std::string> reported;
    bool mainRead, recentRead, placementRead;
};

class InaccessibleRegistryTest : public SettingsStoreTest, public ::testing::WithParamInterface<InaccessibleCase> {};

TEST_P(InaccessibleRegistryTest, LoadReportsEachFailingKeyAndKeepsTheDefaults) {
    registry.PutDword(kMain, "ColWidth0", 250);
    registry.PutString(kRecent, "FILE00", "C:\\a.lst");
    registry.PutDword(kWindowState, "Top", 1);
    registry.PutDword(kWindowState, "Left", 2);
    registry.PutDword(kWindowState, "Width", 300);
    registry.PutDword(kWindowState, "Height", 200);
    registry.PutDword(kWindowState, "Maximized", 2);
    registry.failingKeys.insert(GetParam().failingKey);

    c_reg reg(registry, window);
    reg.Load();

    std::vector<std::string> expected;
    for (const auto& name : GetParam().reported)
        expected.push_back("レジストリのアクセスに失敗しました (" + name + ")");
    EXPECT_EQ(ui.BoxTexts(), expected);
    EXPECT_EQ(reg.ColWidth[0], GetParam().mainRead ? 250 : 200);
    EXPECT_EQ(reg.RecentFiles.size(), GetParam().recentRead ? 1u : 0u);
    EXPECT_EQ(window.state, GetParam().placementRead ? kWindowMaximized : kWindowNormal);
    EXPECT_EQ(window.boundsSet, GetParam().placementRead ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, InaccessibleRegistryTest,
    ::testing::Values(
        InaccessibleCase{"software", "HKCU\\Software", {"Software", "Software", "Software"}, false, false, false},
        InaccessibleCase{
            "maker", "HKCU\\Software\\Quendral", {"Quendral", "Quendral", "Quendral"}, false, false, false},
        InaccessibleCase{
            "product", kBase.substr(0, kBase.size() - 3), {"Tarvoline", "Tarvoline", "Tarvoline"}, false, false, false},
        InaccessibleCase{"version", kBase, {"V1", "V1", "V1"}, false, false, false},
        InaccessibleCase{"main", kMain, {"MAIN", "MAIN"}, false, true, false},
        InaccessibleCase{"recent", kRecent, {"Recent"}, true, false, true},
        InaccessibleCase{"windowState", kWindowState, {"WindowState"}, true, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsStoreTest, SaveToAnInaccessibleRegistryReportsAndWritesNothing) {
    registry.failingKeys.insert("HKCU\\Software\\Quendral");
    c_reg reg(registry, window);
    reg.Save();
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>(3, "レジストリのアクセスに失敗しました (Quendral)"));
    EXPECT_TRUE(Journal("write").empty());
    EXPECT_TRUE(Journal("delete").empty());
}

TEST_F(SettingsStoreTest, ASilentAccessorReportsNothing) {
    registry.failingKeys.insert("HKCU\\Software\\Quendral");
    c_regcom accessor(registry, "Quendral", "Tarvoline", "V1", true);
    EXPECT_FALSE(accessor.OpenSection("MAIN"));
    EXPECT_FALSE(accessor.HasOpenKey());
    accessor.Silent = false;
    EXPECT_FALSE(accessor.OpenSection("MAIN"));
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"レジストリのアクセスに失敗しました (Quendral)"});
}

TEST_F(SettingsStoreTest, OpenSectionCreatesTheKeysBelowSoftwareButNeverSoftwareItself) {
    c_regcom accessor(registry, "Quendral", "Tarvoline", "V1", false);
    ASSERT_TRUE(accessor.OpenSection("MAIN"));
    EXPECT_EQ(accessor.CurrentPath(), "Software\\Quendral\\Tarvoline\\V1\\MAIN");
    ASSERT_TRUE(accessor.OpenSubKey("WindowState"));
    EXPECT_TRUE(registry.HasKey(kWindowState));
    EXPECT_EQ(registry.journal.front(), "open write HKCU\\Software");

    FakeRegistry noSoftware;
    noSoftware.keys.clear();
    c_regcom other(noSoftware, "Quendral", "Tarvoline", "V1", false);
    EXPECT_FALSE(other.OpenSection("MAIN"));
    EXPECT_TRUE(noSoftware.keys.empty());
    EXPECT_EQ(ui.BoxTexts(), std::vector<std::string>{"レジストリのアクセスに失敗しました (Software)"});
}

struct RegistryStringCase {
    const char* name;
    std::string keyPath;
    std::string valueName;
    std::string expected;
};

class ReadRegistryStringTest : public SettingsStoreTest, public ::testing::WithParamInterface<RegistryStringCase> {
protected:
    void SetUp() override {
        SettingsStoreTest::SetUp();
        registry.PutString("HKCR\\.lst", "", "Tarvoline.List");
        registry.Put("HKCR\\Tarvoline.List\\shell\\printto\\command", "",
                     {Type::ExpandString, 0, "\"%ProgramFiles%\\Viewer\\view.exe\" /pt \"%1\" \"%2\""});
        registry.PutDword("HKCR\\.num", "", 7);
        registry.PutString("HKCR\\.locked", "", "Hidden");
        registry.failingKeys.insert("HKCR\\.locked");
    }
};

TEST_P(ReadRegistryStringTest, ReadsSilentlyAndReadOnly) {
    const auto& c = GetParam();
    EXPECT_EQ(c_regcom::ReadRegistryString(registry, RegistryRoot::ClassesRoot, c.keyPath, c.valueName), c.expected);
    EXPECT_TRUE(ui.boxes.empty());
    EXPECT_EQ(registry.journal, std::vector<std::string>{"open read HKCR\\" + c.keyPath});
}

INSTANTIATE_TEST_SUITE_P(Cases, ReadRegistryStringTest,
                         ::testing::Values(RegistryStringCase{"defaultValue", ".lst", "", "Tarvoline.List"},
                                           RegistryStringCase{"expandable", "Tarvoline.List\\shell\\printto\\command",
                                                              "",
                                                              "\"%ProgramFiles%\\Viewer\\view.exe\" /pt \"%1\" \"%2\""},
                                           RegistryStringCase{"missingKey", ".missing", "", ""},
                                           RegistryStringCase{"missingValue", ".lst", "Content Type", ""},
                                           RegistryStringCase{"integerValue", ".num", "", ""},
                                           RegistryStringCase{"inaccessibleKey", ".locked", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct DisplayCase {
    const char* name;
    std::string path;
    std::string currentFolder;
    int maxWidth;
    std::string expected;
};

class RecentDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(RecentDisplayTest, ShowsTheNameInTheCurrentFolderAndShortensLongPaths) {
    const auto& c = GetParam();
    EXPECT_EQ(RecentFileDisplayText(c.path, c.currentFolder, kSevenPixelsPerByte, c.maxWidth), c.expected);
}

// Seven pixels per byte: 600 pixels hold 85 bytes.
const std::string kLong =
    "D:\\Projects2024\\Quarterly-Reports\\Department-Accounting\\Archive\\Tokyo-Branch\\monthly-summary.lst";
// Every folder name here ends in a character whose second byte is 0x5C.
const std::string kJapanese = "D:\\表示\\ソフト\\能力\\予定表\\報告書.lst";

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentDisplayTest,
    ::testing::Values(
        DisplayCase{"currentFolder", "C:\\Work\\Lists\\a.lst", "c:\\work\\LISTS", 600, "a.lst"},
        DisplayCase{"currentFolderWithBackslash", "C:\\Work\\Lists\\a.lst", "C:\\Work\\Lists\\", 600, "a.lst"},
        DisplayCase{"driveRoot", "C:\\a.lst", "C:\\", 600, "a.lst"},
        DisplayCase{"japaneseCurrentFolder", "D:\\表示\\ソフト\\a.lst", "d:\\表示\\ソフト", 600, "a.lst"},
        DisplayCase{"parentOfCurrent", "C:\\Work\\a.lst", "C:\\Work\\Lists", 600, "C:\\Work\\a.lst"},
        DisplayCase{"subfolderOfCurrent", "C:\\Work\\Lists\\sub\\a.lst", "C:\\Work\\Lists", 600,
                    "C:\\Work\\Lists\\sub\\a.lst"},
        DisplayCase{"exactlyFits", kLong, "C:\\", 672, kLong},
        DisplayCase{"oneFolderDropped", kLong, "C:\\", 609,
                    "D:\\...\\Quarterly-Reports\\Department-Accounting\\Archive\\Tokyo-Branch\\monthly-summary.lst"},
        DisplayCase{"twoFoldersDropped", kLong, "C:\\", 600,
                    "D:\\...\\Department-Accounting\\Archive\\Tokyo-Branch\\monthly-summary.lst"},
        DisplayCase{"lastFolderKept", kLong, "C:\\", 300, "D:\\...\\Tokyo-Branch\\monthly-summary.lst"},
        DisplayCase{"allFoldersDropped", kLong, "C:\\", 200, "D:\\...\\monthly-summary.lst"},
        DisplayCase{"driveDropped", kLong, "C:\\", 180, "...\\monthly-summary.lst"},
        DisplayCase{"nameAloneTooLong", kLong, "C:\\", 50, "...\\monthly-summary.lst"},
        DisplayCase{"rootFileTooLong", "C:\\monthly-summary.lst", "D:\\", 100, "C:\\monthly-summary.lst"},
        DisplayCase{"uncPath", "\\\\server\\share\\reports\\a.lst", "C:\\", 130, "\\...\\reports\\a.lst"},
        DisplayCase{"japaneseFits", kJapanese, "C:\\", 259, kJapanese},
        DisplayCase{"japaneseOneDropped", kJapanese, "C:\\", 252, "D:\\...\\ソフト\\能力\\予定表\\報告書.lst"},
        DisplayCase{"japaneseTwoDropped", kJapanese, "C:\\", 203, "D:\\...\\能力\\予定表\\報告書.lst"},
        DisplayCase{"japaneseLastFolderKept", kJapanese, "C:\\", 168, "D:\\...\\予定表\\報告書.lst"},
        DisplayCase{"japaneseDriveDropped", kJapanese, "C:\\", 100, "...\\報告書.lst"},
        // Cut at the second byte of 表, the first folder would lose only "Quarterly表" and still fit here.
        DisplayCase{"mixedFolderName", "D:\\Quarterly表示\\ソフト\\予定表.lst", "C:\\", 189,
                    "D:\\...\\ソフト\\予定表.lst"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VersionKeyNameTest, IsVAndTheMajorVersion) {
    EXPECT_EQ(VersionKeyName("1.0.5"), "V1");
    EXPECT_EQ(VersionKeyName("12.3.4.5"), "V12");
    EXPECT_EQ(VersionKeyName("2"), "V2");
    EXPECT_EQ(VersionKeyName(TARVOLINE_VERSION_TEXT), "V1");
}

} // namespace
} // namespace tarvoline
