#pragma once
// A fresh folder under the temporary folder, removed with everything in it at the end.
#include <string>
#include <string_view>

namespace testing_support {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(std::string_view relative) const;
    // Writes a file (creating its folders); returns its full path.
    std::string Write(std::string_view relative, std::string_view bytes) const;
    std::string MakeFolder(std::string_view relative) const;
    std::string Read(std::string_view relative) const;

  private:
    std::string path_;
};

void RemoveTree(const std::string& path);

}  // namespace testing_support
