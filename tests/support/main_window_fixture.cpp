#include "support/main_window_fixture.h"

#include "ui/message_pump.h"

namespace testing_support {

MainWindowTest::~MainWindowTest() {
    frame_.reset();
}

app::TFrmMain& MainWindowTest::MakeWindow() {
    frame_ = std::make_unique<app::TFrmMain>(context);
    return *frame_;
}

void MainWindowTest::CloseWindow() {
    SendMessageW(frame_->Handle(), WM_CLOSE, 0, 0);
    ui::PumpMessages();
}

}  // namespace testing_support
