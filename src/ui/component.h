#pragma once
// A named part of a window: the name is what the error log records for a handler's sender.
#include <windows.h>

#include <string>

namespace ui {

class Component {
  public:
    explicit Component(std::string name) : name_(std::move(name)) {}
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    // The component's window, or null for components that have none (timers, menus).
    virtual HWND Handle() const { return nullptr; }
    bool IsControl() const { return Handle() != nullptr; }

  private:
    std::string name_;
};

}  // namespace ui
