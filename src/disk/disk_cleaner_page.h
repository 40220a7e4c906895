#pragma once
// The disk cleaner page TSDiskMedic: the drive list, the junk file types, the junk scan and the
// deletion of what it found.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/drives.h"
#include "services/page_context.h"
#include "disk/junk_match.h"
#include "ui/page.h"
#include "ui/paced_loop.h"

namespace disk {

inline constexpr char kJunkTypeFile[] = "JunkFileType.lst";
inline constexpr char kDefaultJunkFile[] = "DefaultJunk.lst";
// Appended to the working list's name for the copy kept before replacing a list never shown.
inline constexpr char kBackupSuffix[] = ".bak";
inline constexpr char kJunkListFilter[] = "Lst file(*.lst)|*.lst";
inline constexpr char kDiskInfoKey[] = "\\software\\KorvaneSoft\\FM\\Cleaner\\DiskInfo";
inline constexpr char kSelectFiltersMessage[] = "Please select filters             ";
inline constexpr char kScanFinished[] = "Scan Finished";
inline constexpr char kDeletingJunk[] = "Deleting Junk files...  ";
inline constexpr char kAllJunkDeleted[] = "All Junk files deleted! ";
inline constexpr char kDeletedSuffix[] = " deleted!";
inline constexpr char kRecycledSuffix[] = " sent to Recycle Bin!";
inline constexpr char kNotDeletedSuffix[] = " could not be deleted!";
inline constexpr char kNotRecycledSuffix[] = " could not be sent to Recycle Bin!";

// The columns of LVScanJunkResult.
enum ScanResultColumn { kResultName = 0, kResultSize = 1, kResultPath = 2 };

// A tab page of PCDiskMedic: a window of our own class, so its controls' notifications reach
// them.
class SubPage : public ui::Window {
  public:
    using Window::Window;
    void Create(HWND parent);
};

class DiskCleanerPage : public ui::Page {
  public:
    explicit DiskCleanerPage(const services::PageContext& context);
    void Create(HWND host);
    void OnShow() override { TSDiskMedicShow(); }

    void TSDiskMedicShow();

    // Junk file types.
    void LoadJunkTypeList(const std::string& fileName);
    void SaveJunkTypeList();
    void BtnAddJunkFileTypeClick();
    void BtnDelJunkFileTypeClick();
    void BtnCheckAllJunkFileTypeClick();
    void BtnClearAllJunkFileTypeClick();
    void BtnLoadDefaultJunkFileTypeClick();
    void BtnSaveJunkFileTypeClick();
    void BtnLoadJunkFileTypeClick();

    // Drives.
    void FillDriveList();
    void LVDriveInfoClick();

    // The scan.
    void BtnScanJunkNowClick();
    void BtnStopScanClick();
    // Walks `folder` (and its subfolders when `recurse`), listing the junk files it holds;
    // false when the continue flag ended it.
    bool FkFileListGet(const std::string& mask, const std::string& folder, bool recurse);

    // Deletion.
    void BtnDeleteJunkClick();
    void BtnDeleteAllJunkClick();

    int JunkCount() const { return junkCount_; }
    double JunkBytes() const { return junkBytes_; }
    bool ContinueScan() const { return continue_; }
    bool Scanning() const { return scanning_; }

    ui::Label Label2{"Label2"};
    ui::Picture Image2{"Image2"};
    ui::ListView LVDriveInfo{"LVDriveInfo"};
    ui::Button BtnScanJunkNow{"BtnScanJunkNow"};
    ui::Button BtnStopScan{"BtnStopScan"};
    ui::Button BtnDeleteJunk{"BtnDeleteJunk"};
    ui::Button BtnDeleteAllJunk{"BtnDeleteAllJunk"};
    ui::TabControl PCDiskMedic{"PCDiskMedic"};
    SubPage TSJunkFileType{"TSJunkFileType"};
    SubPage TSDMOptions{"TSDMOptions"};
    SubPage TSScanJunkResult{"TSScanJunkResult"};
    ui::ListView LVJunkFileType{"LVJunkFileType"};
    ui::GroupBox GBJunkFileType{"GroupBox2"};
    ui::Button BtnAddJunkFileType{"BtnAddJunkFileType"};
    ui::Button BtnDelJunkFileType{"BtnDelJunkFileType"};
    ui::Button BtnCheckAllJunkFileType{"BtnCheckAllJunkFileType"};
    ui::Button BtnClearAllJunkFileType{"BtnClearAllJunkFileType"};
    ui::Button BtnSaveJunkFileType{"BtnSaveJunkFileType"};
    ui::Button BtnLoadJunkFileType{"BtnLoadJunkFileType"};
    ui::Button BtnLoadDefaultJunkFileType{"BtnLoadDefaultJunkFileType"};
    ui::GroupBox GBDeleteOption{"GroupBox1"};
    ui::RadioButton RBDirectDel{"RBDirectDel"};
    ui::RadioButton RBMoveToRecycle{"RBMoveToRecycle"};
    ui::ListView LVScanJunkResult{"LVScanJunkResult"};

  private:
    enum class Outcome { Removed, Failed };

    const platform::DriveQueries& Drives() const;
    std::string ProgramFile(const std::string& name) const;
    void AddDriveRow(const std::string& root);
    void ReadCheckedTypes();
    // Copies a working list that exists but was never shown to its ".bak" name; throws when
    // that copy cannot be made.
    void KeepUnshownWorkingList();
    ui::PacedLoop MakeLoop();

    Outcome RemoveJunkFile(const std::string& path, bool recycle, bool clearAttributes);
    void ReportRemoval(const std::string& path, bool recycle, Outcome outcome);

    const services::PageContext& context_;
    platform::UniqueIcon icon_;

    // Scan state.
    bool continue_ = true;
    bool scanning_ = false;
    ui::PacedLoop* scanLoop_ = nullptr;  // the running scan's, while it runs
    int junkCount_ = 0;
    double junkBytes_ = 0;
    JunkExtensionTable checkedTypes_;
    bool typesStale_ = true;
    // The rows came from the working list file, or the page wrote it since.
    bool workingListShown_ = false;
};

}  // namespace disk
