#include "ui/dispatch.h"

#include <exception>

namespace ui {
namespace {

ExceptionHandler& Handler() {
    static ExceptionHandler handler;
    return handler;
}

void Report(const Component* sender, const std::string& message) {
    if (!Handler()) return;
    // The report itself must never throw back into a window procedure.
    try {
        Handler()(sender, message);
    } catch (...) {
    }
}

}  // namespace

void ReportError(const Component* sender, const std::string& message) {
    Report(sender, message);
}

void SetExceptionHandler(ExceptionHandler handler) {
    Handler() = std::move(handler);
}

bool Dispatch(const Component* sender, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const Abort&) {
    } catch (const std::exception& e) {
        Report(sender, e.what());
    } catch (...) {
        Report(sender, "Unknown error");
    }
    return false;
}

}  // namespace ui
