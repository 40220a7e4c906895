#include "privacy/privacy_cleaning.h"

#include <windows.h>

#include "core/number_text.h"
#include "platform/registry_tree.h"

namespace privacy {
namespace {

using Op = StepOp;

Op Y() {
    return {Op::Yield, {}};
}
Op S(std::string text) {
    return {Op::Status, std::move(text)};
}
Op R(std::string text) {
    return {Op::Report, std::move(text)};
}
Op K(std::string path) {
    return {Op::DeleteKey, std::move(path)};
}

// The usual shape: yield, opening texts, the action, yield, closing texts, yield.
PrivacyStep Standard(PrivacyBox box, const std::string& opening, std::vector<Op> action,
                     const std::string& closingStatus, const std::string& closingReport) {
    std::vector<Op> ops{Y(), S(opening), R(opening)};
    ops.insert(ops.end(), action.begin(), action.end());
    ops.insert(ops.end(), {Y(), S(closingStatus), R(closingReport), Y()});
    return {box, std::move(ops)};
}

std::vector<PrivacyStep> MakeSteps() {
    using enum PrivacyBox;
    std::vector<PrivacyStep> steps;
    steps.push_back(Standard(WinClipBoard, "Cleaning Windows Clipboard memory ...",
                             {{Op::EmptyClipboard, {}}}, " Windows Clipboard memory Cleaned!",
                             " Cleaning Windows Clipboard memory  Cleaned!"));
    steps.push_back(
        Standard(RecentDocuments, "Cleaning Recent Document records ...",
                 {K("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs")},
                 " Recent Document records Cleaned!", "Recent Document records Cleaned!"));
    steps.push_back(
        Standard(Run, "Cleaning Run menu records ...",
                 {K("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU")},
                 " Run menu records Cleaned!", "Run menu records Cleaned!"));
    steps.push_back(Standard(SearchAssistant, "Cleaning Search Assistant records ...",
                             {K("\\Software\\Microsoft\\Search Assistant\\ACMru")},
                             " Search Assistant records Cleaned!",
                             "Search Assistant records Cleaned!"));
    std::vector<Op> mru;
    for (const auto& key : ExplorerMruKeys())
        mru.push_back(K(key));
    steps.push_back(Standard(OtherExplorerMRUs, "Cleaning Other Explorer MRUs records ...", mru,
                             " Other Explorer MRUs records Cleaned!",
                             "Other Explorer MRUs records Cleaned!"));
    steps.push_back(Standard(WinMedPlayer, "Cleaning Windows Media Player records ...",
                             {K("\\Microsoft\\MediaPlayer\\Player\\RecentFileList")},
                             " Windows Media Player records Cleaned!",
                             "Windows Media Player records Cleaned!"));
    {
        // A yield after each of the ten keys, none more before the closing texts.
        std::vector<Op> ops{Y(), S("Cleaning Real Player records ..."),
                            R("Cleaning Real Player records ...")};
        for (int n = 1; n <= 10; ++n) {
            ops.push_back(
                K("\\Software\\RealNetworks\\RealPlayer\\6.0\\Preferences\\MostRecentClips" +
                  std::to_string(n)));
            ops.push_back(Y());
        }
        ops.insert(ops.end(),
                   {S("Real Player records Cleaned!"), R("Real Player records Cleaned!"), Y()});
        steps.push_back({RealPlayer, std::move(ops)});
    }
    steps.push_back(Standard(AcroReader, "Cleaning Adobe Acrobat Reader records ...",
                             {K("\\Software\\Adobe\\Acrobat Reader\\6.0\\AVGeneral\\cRecentFiles")},
                             " Adobe Acrobat Reader records Cleaned!",
                             "Adobe Acrobat Reader records Cleaned!"));
    steps.push_back(Standard(WinRAR, "Cleaning WinRAR records ...",
                             {K("\\Software\\WinRAR\\ArcHistory")}, " WinRAR records Cleaned!",
                             "WinRAR records Cleaned!"));
    // The cache step yields after its opening texts, not before them, and not at its end.
    steps.push_back({CleanCache,
                     {S("Cleaning IE Cache...."),
                      R("Clean IE Cache..."),
                      Y(),
                      {Op::CleanCache, {}, TSearchPattern::spUrl},
                      Y(),
                      S("Internet Explorer Cache Cleaned!"),
                      R("Internet Explorer Cache Cleaned!")}});
    steps.push_back({CleanWebsiteHistory,
                     {Y(),
                      S("Cleaning Website history ..."),
                      R("Cleaning Website history ..."),
                      {Op::CleanCache, {}, TSearchPattern::spHistory},
                      Y(),
                      S("Website history Cleaned!"),
                      R("Website history Cleaned!")}});
    steps.push_back({CleanWebsiteAddress,
                     {Y(), S("Cleaning Website Address..."), R("Cleaning Website Address..."),
                      K("\\Software\\Microsoft\\Internet Explorer\\TypedURLs"), Y(),
                      K("\\Software\\3721\\InputCns"), Y(), S("Website Address Cleaned!"),
                      R("Website Address Cleaned!")}});
    steps.push_back(Standard(CleanGoogle, "Cleaning Google ToolBar history ...",
                             {K("\\Software\\Google\\NavClient\\1.1\\History")},
                             " Google ToolBar history Cleaned!",
                             "Google ToolBar history Cleaned!"));
    steps.push_back(Standard(
        CleanIEAutoComplete, "Cleaning Clean IE form auto complete  records ...",
        {K("\\Software\\Microsoft\\Internet Explorer\\IntelliForms\\SPW")},
        " IE form auto complete  records Cleaned!", "IE form auto complete  records Cleaned!"));
    return steps;
}

}  // namespace

std::string_view CheckBoxName(PrivacyBox box) {
    switch (box) {
        case PrivacyBox::WinClipBoard:
            return "CBWinClipBoard";
        case PrivacyBox::RecentDocuments:
            return "CBRecentDocuments";
        case PrivacyBox::Run:
            return "CBRun";
        case PrivacyBox::SearchAssistant:
            return "CBSearchAssistant";
        case PrivacyBox::OtherExplorerMRUs:
            return "CBOtherExplorerMRUs";
        case PrivacyBox::WinMedPlayer:
            return "CBWinMedPlayer";
        case PrivacyBox::RealPlayer:
            return "CBRealPlayer";
        case PrivacyBox::AcroReader:
            return "CBAcroReader";
        case PrivacyBox::WinRAR:
            return "CBWinRAR";
        case PrivacyBox::CleanCache:
            return "CBCleanCache";
        case PrivacyBox::CleanWebsiteHistory:
            return "CBCleanWebsiteHistory";
        case PrivacyBox::CleanWebsiteAddress:
            return "CBCleanWebsiteAddress";
        case PrivacyBox::CleanGoogle:
            return "CBCleanGoogle";
        case PrivacyBox::CleanIEAutoComplete:
            return "CBCleanIEAutoComplete";
    }
    return {};
}

const std::vector<std::string>& ExplorerMruKeys() {
    static const std::vector<std::string> keys = {
        // Files opened and saved through the common dialogs, and the folders they were in.
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSaveMRU",
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\OpenSavePidlMRU",
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedMRU",
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\LastVisitedPidlMRU",
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ComDlg32\\"
        "LastVisitedPidlMRULegacy",
        // What was searched for: files, computers, the search box.
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU",
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindComputerMRU",
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\WordWheelQuery",
        // Paths typed into Explorer's address bar.
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TypedPaths",
        // Network shares typed into "Map Network Drive".
        "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Map Network Drive MRU",
    };
    return keys;
}

const std::vector<PrivacyStep>& PrivacySteps() {
    static const std::vector<PrivacyStep> steps = MakeSteps();
    return steps;
}

void RunPrivacyCleaning(const PrivacyHooks& hooks) {
    for (const PrivacyStep& step : PrivacySteps()) {
        if (!hooks.checked(step.box)) continue;
        for (const StepOp& op : step.ops) {
            switch (op.kind) {
                case StepOp::Yield:
                    hooks.yield();
                    break;
                case StepOp::Status:
                    hooks.status(op.text);
                    break;
                case StepOp::Report:
                    hooks.report(op.text);
                    break;
                case StepOp::DeleteKey:
                    hooks.deleteKey(op.text);
                    break;
                case StepOp::EmptyClipboard:
                    hooks.emptyClipboard();
                    break;
                case StepOp::CleanCache:
                    hooks.cleanCache(op.pattern);
                    break;
            }
        }
    }
}

void DeleteCurrentUserKey(const std::string& path) {
    try {
        platform::DeleteKeyTree(HKEY_CURRENT_USER, path);
    } catch (...) {
        // A trace that cannot be removed is passed over; the step still reports.
    }
}

void CacheCounters::Add(const TEntryInfo& entry) {
    ++CacheFileCount;
    CacheByteTotal += static_cast<int64_t>(entry.FullSize);
}

std::string CacheSizeCaption(const CacheCounters& counters, std::string_view decimalSeparator) {
    return std::to_string(counters.CacheFileCount) + " Files, " +
           core::FormatWithSeparator("%15.3f",
                                     static_cast<double>(counters.CacheByteTotal) / 1000000.0,
                                     decimalSeparator) +
           " MB";
}

void CountCache(TIECache& IECMain, CacheCounters& counters) {
    counters = CacheCounters{};
    IECMain.SearchPattern = TSearchPattern::spUrl;
    IECMain.RetrieveEntries(0);
}

}  // namespace privacy
