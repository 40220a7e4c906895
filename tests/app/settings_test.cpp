#include <gtest/gtest.h>

#include "services/settings_file.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/main_window_fixture.h"
#include "support/temp_folder.h"

namespace {

using testing_support::TempFolder;

// A small window of test controls: three check boxes and two radio buttons sharing a parent.
class SettingsTest : public ::testing::Test {
  protected:
    SettingsTest() {
        testing_support::InitHeadlessUi();
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr,
                                  nullptr, nullptr);
        options_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 300, 100, window_, nullptr,
                                   nullptr, nullptr);
        a.Create(window_, "A", {0, 0, 50, 20}, true);
        b.Create(window_, "B", {0, 20, 50, 20}, true);
        c.Create(window_, "C", {0, 40, 50, 20}, true);
        direct.Create(options_, "Delete Permanently", {0, 0, 50, 20}, true);
        recycle.Create(options_, "Move To Recycle", {0, 20, 50, 20}, false);
        // Registered out of order: the passes still go by ascending key.
        settings.RegisterCheckBox(40, c);
        settings.RegisterCheckBox(36, a);
        settings.RegisterCheckBox(37, b);
        settings.RegisterRadioButton(23, recycle);
        settings.RegisterRadioButton(22, direct);
    }
    ~SettingsTest() override { DestroyWindow(window_); }

    void WriteIni(const std::string& text) { folder.Write("Veltrin.INI", text); }
    void LoadAll() {
        settings.LoadCheckBoxes();
        settings.LoadRadioButtons();
    }

    TempFolder folder;
    services::SettingsFile settings{folder.File("Veltrin.INI")};
    HWND window_, options_;
    ui::CheckBox a{"CBA"}, b{"CBB"}, c{"CBC"};
    ui::RadioButton direct{"RBDirectDel"}, recycle{"RBMoveToRecycle"};
};

struct ValueCase {
    const char* value;
    std::optional<bool> state;  // nullopt: a conversion error
};

class SettingsValueTest : public SettingsTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SettingsValueTest, ReadsTheValueAsAState) {
    WriteIni(std::string("[CheckBox]\r\n36=") + GetParam().value + "\r\n");
    a.SetChecked(!GetParam().state.value_or(false));
    if (GetParam().state) {
        settings.LoadCheckBoxes();
        EXPECT_EQ(a.IsChecked(), *GetParam().state);
    } else {
        try {
            settings.LoadCheckBoxes();
            FAIL() << "no error for " << GetParam().value;
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(e.what(),
                      "'" + std::string(GetParam().value) + "' is not a valid boolean value");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, SettingsValueTest,
    ::testing::Values(ValueCase{"-1", true}, ValueCase{"1", true}, ValueCase{"2", true},
                      ValueCase{"0.5", true}, ValueCase{"1E3", true}, ValueCase{"true", true},
                      ValueCase{"TRUE", true}, ValueCase{"True", true}, ValueCase{"0", false},
                      ValueCase{"-0", false}, ValueCase{"false", false}, ValueCase{"FALSE", false},
                      ValueCase{"", std::nullopt}, ValueCase{"yes", std::nullopt},
                      ValueCase{"1x", std::nullopt}, ValueCase{"--1", std::nullopt},
                      ValueCase{"e5", std::nullopt}));

TEST_F(SettingsTest, FirstRunClearsCheckBoxesAndTheLaterRadioWins) {
    LoadAll();
    EXPECT_FALSE(a.IsChecked());
    EXPECT_FALSE(b.IsChecked());
    EXPECT_FALSE(c.IsChecked());
    EXPECT_FALSE(direct.IsChecked());
    EXPECT_TRUE(recycle.IsChecked());
}

TEST_F(SettingsTest, BothRadioKeysZeroLeaveBothClear) {
    WriteIni("[RadioButton]\r\n22=0\r\n23=0\r\n");
    LoadAll();
    EXPECT_FALSE(direct.IsChecked());
    EXPECT_FALSE(recycle.IsChecked());
}

TEST_F(SettingsTest, ANonBooleanStopsThePassAtThatControl) {
    // a and c start checked (designed state); b's value is bad.
    WriteIni("[CheckBox]\r\n36=0\r\n37=maybe\r\n40=0\r\n[RadioButton]\r\n22=0\r\n23=-1\r\n");
    EXPECT_THROW(LoadAll(), std::runtime_error);
    EXPECT_FALSE(a.IsChecked());      // loaded before the bad value
    EXPECT_TRUE(b.IsChecked());       // keeps its designed state
    EXPECT_TRUE(c.IsChecked());       // later: not loaded
    EXPECT_TRUE(direct.IsChecked());  // radio buttons not loaded at all
    EXPECT_FALSE(recycle.IsChecked());
}

TEST_F(SettingsTest, SaveThenLoadRestoresEveryState) {
    a.SetChecked(true);
    b.SetChecked(false);
    c.SetChecked(true);
    direct.SetChecked(false);
    recycle.SetChecked(true);
    settings.SaveCheckBoxes();
    settings.SaveRadioButtons();
    EXPECT_EQ(folder.Read("Veltrin.INI"),
              "[CheckBox]\r\n36=-1\r\n37=0\r\n40=-1\r\n[RadioButton]\r\n22=0\r\n23=-1\r\n");

    a.SetChecked(false);
    b.SetChecked(true);
    c.SetChecked(false);
    direct.SetChecked(true);
    LoadAll();
    EXPECT_TRUE(a.IsChecked());
    EXPECT_FALSE(b.IsChecked());
    EXPECT_TRUE(c.IsChecked());
    EXPECT_FALSE(direct.IsChecked());
    EXPECT_TRUE(recycle.IsChecked());
}

TEST_F(SettingsTest, KeysOfOtherComponentsAreLeftUntouched) {
    WriteIni("[CheckBox]\r\n5=keep\r\n36=0\r\n200=x\r\n");
    LoadAll();  // 5 and 200 are not registered: never read, so no conversion error
    settings.SaveCheckBoxes();
    const std::string text = folder.Read("Veltrin.INI");
    EXPECT_NE(text.find("5=keep"), std::string::npos) << text;
    EXPECT_NE(text.find("200=x"), std::string::npos) << text;
}

TEST_F(SettingsTest, ARefusedWriteNamesTheFile) {
    platform::UniqueHandle lock =
        platform::AdoptFile(CreateFileW(platform::Widen(settings.Path()).c_str(), GENERIC_WRITE, 0,
                                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    try {
        settings.SaveCheckBoxes();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(e.what(), "Unable to write to " + settings.Path());
    }
}

TEST(SettingsPath, IsTheProgramPathWithTheExtensionINI) {
    EXPECT_EQ(platform::ReplaceExtension("C:\\Program Files\\Veltrin\\Veltrin.exe", ".INI"),
              "C:\\Program Files\\Veltrin\\Veltrin.INI");
    EXPECT_EQ(platform::ReplaceExtension("C:\\a.b\\prog", ".INI"), "C:\\a.b\\prog.INI");
    EXPECT_EQ(platform::ReplaceExtension("C:\\x\\v.1.exe", ".INI"), "C:\\x\\v.1.INI");
}

}  // namespace
