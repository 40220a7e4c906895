#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/text.h"
#include "support/main_window_fixture.h"
#include "ui/controls.h"
#include "ui/message_pump.h"
#include "ui/window.h"

namespace {

class Host : public ui::Window {
  public:
    Host() : Window("Host") {
        CreateWindowOf(L"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 400, 300, nullptr);
    }
};

// A list that holds its own rows, with check boxes, as the junk type list is made.
class HeldRowsListTest : public ::testing::Test {
  protected:
    HeldRowsListTest() {
        testing_support::InitHeadlessUi();
        host_ = std::make_unique<Host>();
        list.Create(host_->Handle(), {0, 0, 380, 280},
                    LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL | LVS_OWNERDATA,
                    LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES);
        list.AddColumn("Type", 100);
        list.AddColumn("Description", 200);
        list.onCheckChanged = [this](int row) { changes.push_back(row); };
    }
    // The text the control itself gives for a cell, as it draws it.
    std::string Shown(int row, int column) {
        wchar_t buf[64] = {};
        ListView_GetItemText(list.Handle(), row, column, buf, 64);
        return platform::Narrow(buf);
    }
    bool ShownChecked(int row) {
        return ListView_GetItemState(list.Handle(), row, LVIS_STATEIMAGEMASK) ==
               INDEXTOSTATEIMAGEMASK(2);
    }
    void ClickCheckBox(int row) {
        RECT r{};
        ListView_GetItemRect(list.Handle(), row, &r, LVIR_BOUNDS);
        const LPARAM at = MAKELPARAM(r.left + 8, (r.top + r.bottom) / 2);
        SendMessageW(list.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list.Handle(), WM_LBUTTONUP, 0, at);
        ui::PumpMessages();
    }

    std::unique_ptr<Host> host_;
    ui::ListView list{"List"};
    std::vector<int> changes;
};

TEST_F(HeldRowsListTest, TheControlShowsTheHeldRows) {
    std::vector<ui::ListView::Row> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({{"*.t" + std::to_string(i), "Type " + std::to_string(i)}, i % 3 == 0});
    list.SetRows(std::move(rows));
    EXPECT_EQ(ListView_GetItemCount(list.Handle()), 100000);
    EXPECT_EQ(list.Count(), 100000);
    EXPECT_EQ(Shown(0, 0), "*.t0");
    EXPECT_EQ(Shown(99999, 1), "Type 99999");
    EXPECT_EQ(list.CellText(4, 1), "Type 4");
    EXPECT_TRUE(ShownChecked(3));
    EXPECT_FALSE(ShownChecked(4));
    EXPECT_TRUE(changes.empty());  // rows that come checked are no change

    list.AddRow("*.é", {"accentué"}, true);
    EXPECT_EQ(Shown(100000, 0), "*.é");
    EXPECT_EQ(Shown(100000, 1), "accentué");
    list.SetCellText(100000, 1, "new");
    EXPECT_EQ(Shown(100000, 1), "new");
    list.InsertRow(0, "*.first");
    EXPECT_EQ(Shown(0, 0), "*.first");
    EXPECT_EQ(Shown(1, 0), "*.t0");
    EXPECT_EQ(Shown(0, 1), "");  // a cell never given is empty
    list.Clear();
    EXPECT_EQ(ListView_GetItemCount(list.Handle()), 0);
    EXPECT_EQ(list.CellText(0, 0), "");
}

TEST_F(HeldRowsListTest, ClicksSpaceAndSetCheckedToggleTheRowsCheckMark) {
    list.SetRows({{{"*.a"}, false}, {{"*.b"}, true}});
    ClickCheckBox(0);
    EXPECT_TRUE(list.IsChecked(0));
    EXPECT_TRUE(ShownChecked(0));
    ClickCheckBox(1);
    EXPECT_FALSE(list.IsChecked(1));
    EXPECT_EQ(changes, (std::vector<int>{0, 1}));

    list.Select(1);
    SendMessageW(list.Handle(), WM_KEYDOWN, VK_SPACE, 0);
    ui::PumpMessages();
    EXPECT_TRUE(list.IsChecked(1));
    list.SetChecked(0, false);
    list.SetChecked(0, false);  // no change, no notice
    EXPECT_FALSE(ShownChecked(0));
    EXPECT_EQ(changes, (std::vector<int>{0, 1, 1, 0}));
}

TEST_F(HeldRowsListTest, TypingALetterGoesToTheNextRowWhoseCaptionBeginsWithIt) {
    list.SetRows({{{"*.tmp"}, false}, {{"*.bak"}, false}, {{"Thumbs"}, false}, {{"*.old"}, false}});
    SetFocus(list.Handle());
    SendMessageW(list.Handle(), WM_CHAR, L't', 1);  // a repeat count of one
    EXPECT_EQ(list.SelectedIndex(), 2);
}

TEST_F(HeldRowsListTest, DeletingARowKeepsTheSelectionOnItsRow) {
    list.SetRows({{{"*.a"}, false}, {{"*.b"}, false}, {{"*.c"}, false}});
    list.Select(2);
    list.DeleteRow(0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.SelectedIndex(), 1);
    EXPECT_EQ(list.CellText(1, 0), "*.c");
    list.DeleteRow(1);  // the selected row itself
    EXPECT_EQ(list.SelectedIndex(), -1);
    list.DeleteRow(5);  // no such row
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(Shown(0, 0), "*.b");
}

}  // namespace
