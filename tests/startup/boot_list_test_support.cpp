#include "boot_list_test_support.h"

namespace startup_tests {

void BootListTest::SetUp() {
    page_ = &OpenPage<startup::StartupManagerPage>();
    shell.calls.clear();
}

std::vector<std::string> BootListTest::Names() {
    std::vector<std::string> out;
    for (int i = 0; i < Page().LVBootList.Count(); ++i)
        out.push_back(Page().LVBootList.CellText(i, 0));
    return out;
}

std::vector<startup::TStartupEntry> BootListTest::Rows() {
    std::vector<startup::TStartupEntry> out;
    for (int i = 0; i < Page().LVBootList.Count(); ++i)
        out.push_back(Page().Entry(i));
    return out;
}

int BootListTest::RowOf(const std::string& name, const std::string& typeLabel) {
    for (int i = 0; i < Page().LVBootList.Count(); ++i) {
        const auto e = Page().Entry(i);
        if (e.Name == name && (typeLabel.empty() || e.TypeLabel == typeLabel)) return i;
    }
    return -1;
}

void BootListTest::SelectRow(const std::string& name, const std::string& typeLabel) {
    const int row = RowOf(name, typeLabel);
    ASSERT_GE(row, 0) << name << " " << typeLabel;
    Select(row);
}

void BootListTest::WithDialog(const std::function<void()>& opener,
                              const std::function<void(startup::TFormAttribute&)>& script) {
    Page().onDialogShown = [&](startup::TFormAttribute& dialog) {
        ++dialogsShown;
        script(dialog);
        PostMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    };
    opener();
    Page().onDialogShown = nullptr;
}

void PickType(startup::TFormAttribute& dialog, const std::string& label) {
    auto& box = dialog.FlatComboBoxType;
    for (int i = 0; i < box.Count(); ++i) {
        if (box.ItemText(i) != label) continue;
        box.Select(i);
        box.OnCommand(CBN_SELCHANGE);
        return;
    }
    ADD_FAILURE() << "no type " << label;
}

void TypeType(startup::TFormAttribute& dialog, const std::string& text) {
    dialog.FlatComboBoxType.SetText(text);
    dialog.FlatComboBoxType.OnCommand(CBN_EDITCHANGE);
}

}  // namespace startup_tests
