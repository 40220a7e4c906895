#pragma once
// TFormAttribute: the modal dialog in which a startup entry is added or edited (name, type,
// location text and command). It is filled from and writes back to the hand-over texts.
#include <windows.h>

#include <functional>
#include <set>
#include <string>

#include "platform/handles.h"
#include "platform/prompts.h"
#include "platform/shell_launcher.h"
#include "platform/special_folders.h"
#include "startup/startup_entry.h"
#include "ui/controls.h"
#include "ui/window.h"

namespace startup {

inline constexpr char kFillParametersText[] = "Please fill the right parameter and try again";
inline constexpr char kExecuteErrorText[] = "execute error!";
inline constexpr char kOpenFileFilter[] =
    "程序文件(*.exe,*.com,*.bat,*.cmd,*.lnk)|*.exe;*.com;*.bat;*.cmd;*.lnk|COM文件(*.com)|*.com|"
    "批处理(*.bat)|*.bat|程序文件(*.lnk)|*.lnk|执行文件(*.exe)|*.exe|所有文件(*.*)|*.*";
inline constexpr char kOpenFilePattern[] = "*.exe;*.com;*.bat;*.cmd;.lnk";

// A client-filling window that holds the dialog's controls and passes their events on.
class Panel : public ui::Window {
  public:
    using Window::Window;
    void Create(HWND parent, ui::Bounds b);
};

class TFormAttribute : public ui::Window {
  public:
    TFormAttribute(AttributeTexts& attributes, bool editMode, platform::Prompts& prompts,
                   platform::ShellLauncher& shell, const platform::SpecialFolders& folders);
    ~TFormAttribute() override;

    // Creates the dialog, hidden, owned by `owner`.
    void Create(HWND owner);
    // Shows the dialog and runs its modal loop until it is closed; the owner is disabled
    // meanwhile.
    void ShowModal();
    bool IsOpen() const { return open_; }
    bool IsEditMode() const { return editMode_; }

    void FormShow();
    void FlatComboBoxTypeChange();
    void FlatEditCmdChange();
    void FlatButtonOpenClick();
    void FlatSpeedButtonFindClick();
    void FlatSpeedButtonEnterClick();
    void FlatSpeedButtonCancelClick();
    void FormKeyUp(WPARAM key);

    // The main window's refresh of the startup list, and its removal of the edited entry.
    std::function<void()> refresh;
    std::function<void(const ui::Component* sender)> removeEdited;
    // Runs once the dialog is up, inside the modal loop.
    std::function<void(TFormAttribute&)> onShown;

    Panel Panel2{"Panel2"};
    ui::GroupBox GroupBoxProperties{"GroupBoxProperties"};
    ui::Label LabelICO{"LabelICO"};
    ui::Picture Image1{"Image1"};
    ui::Label LabelName{"LabelName"};
    ui::Edit FlatEditName{"FlatEditName"};
    ui::Label LabelTypes{"LabelTypes"};
    ui::ComboBox FlatComboBoxType{"FlatComboBoxType"};
    ui::Label LabelPath{"LabelPath"};
    ui::Edit FlatEditPath{"FlatEditPath"};
    ui::Label LabelFile{"LabelFile"};
    ui::Edit FlatEditCmd{"FlatEditCmd"};
    ui::Button FlatButtonOpen{"FlatButtonOpen"};
    ui::Button FlatSpeedButtonFind{"FlatSpeedButtonFind"};
    ui::Label Bevel3{"Bevel3"};
    ui::Button FlatSpeedButtonEnter{"FlatSpeedButtonEnter"};
    ui::Button FlatSpeedButtonCancel{"FlatSpeedButtonCancel"};
    platform::FileDialogState openfile;

  protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

  private:
    void CloseDialog();
    // Close, then have the main window refresh its list.
    void CloseAndRefresh();
    // Key preview: true when the dialog handled the message itself.
    bool PreviewKey(const MSG& msg);

    AttributeTexts& attributes_;
    bool editMode_;
    TStartupEntry opened_;  // the entry the dialog was opened for, in edit mode
    platform::Prompts& prompts_;
    platform::ShellLauncher& shell_;
    const platform::SpecialFolders& folders_;
    platform::UniqueFont font_;
    platform::UniqueIcon icon_, okIcon_, cancelIcon_;
    std::set<WPARAM> keysDown_;
    bool open_ = false;
};

}  // namespace startup
