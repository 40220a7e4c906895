#pragma once
// A headless main window over a temporary program folder, with every prompt, shell start,
// clock reading, special folder and drive answered by fakes.
#include <gtest/gtest.h>

#include <memory>

#include "app/frm_main.h"
#include "support/fake_desktop.h"

namespace testing_support {

class MainWindowTest : public ::testing::Test, public FakeDesktop {
  protected:
    ~MainWindowTest() override;

    // Creates the window (runs FormCreate); FirstShow() is up to the test.
    app::TFrmMain& MakeWindow();
    app::TFrmMain& Frame() { return *frame_; }
    // Closes the window as the user would and waits until it is gone.
    void CloseWindow();
    std::string ErrorLogText() const { return folder.Read("Error.log"); }

  private:
    std::unique_ptr<app::TFrmMain> frame_;
};

}  // namespace testing_support
