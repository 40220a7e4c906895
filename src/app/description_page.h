#pragma once
// A tool page showing its picture and description; the tool's own controls are added by the
// page class that replaces it when the tool is built.
#include "ui/page.h"

namespace app {

class DescriptionPage : public ui::Page {
  public:
    DescriptionPage(std::string name, std::string designCaption, std::string labelName,
                    std::string description, ui::NavIcon icon)
        : Page(std::move(name), std::move(designCaption)),
          label(std::move(labelName)),
          description_(std::move(description)),
          icon_(icon) {}

    void Create(HWND host) override {
        CreatePage(host);
        AddHeading(label, picture, icon_, description_);
    }

    ui::Label label;
    ui::Picture picture{"Image"};

  private:
    std::string description_;
    ui::NavIcon icon_;
};

}  // namespace app
