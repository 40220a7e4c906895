#pragma once
// The privacy protector's work: the cleaning steps of "Clean Now!" in their fixed order, each
// with its texts and its yields, and the cache figures shown on the page.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "privacy/ie_cache.h"

namespace privacy {

// The check boxes of the privacy page, one per step, in the order the steps run.
enum class PrivacyBox {
    WinClipBoard,
    RecentDocuments,
    Run,
    SearchAssistant,
    OtherExplorerMRUs,
    WinMedPlayer,
    RealPlayer,
    AcroReader,
    WinRAR,
    CleanCache,
    CleanWebsiteHistory,
    CleanWebsiteAddress,
    CleanGoogle,
    CleanIEAutoComplete,
};

// The component name of a box's check box ("CBWinClipBoard", ...).
std::string_view CheckBoxName(PrivacyBox box);

// One thing a step does, in order.
struct StepOp {
    enum Kind {
        Yield,      // let pending window messages run
        Status,     // set the status text to `text`
        Report,     // add `text` to the report
        DeleteKey,  // delete the key `text` under HKEY_CURRENT_USER, with all below it
        EmptyClipboard,
        CleanCache,  // delete every cache entry of `pattern` with the privacy enumerator
    };
    Kind kind;
    std::string text;
    TSearchPattern pattern = TSearchPattern::spAll;
};

struct PrivacyStep {
    PrivacyBox box;
    std::vector<StepOp> ops;
};

// Every step, in the order "Clean Now!" runs them.
const std::vector<PrivacyStep>& PrivacySteps();

// The usage-trace lists of Explorer that the "Other Explorer MRUs" step deletes.
const std::vector<std::string>& ExplorerMruKeys();

// What the steps are done with. `checked` is asked when a step is reached, so a box changed
// during an earlier step's yield counts.
struct PrivacyHooks {
    std::function<bool(PrivacyBox)> checked;
    std::function<void(const std::string&)> status;
    std::function<void(const std::string&)> report;
    std::function<void()> yield;
    std::function<void(const std::string&)> deleteKey;
    std::function<void()> emptyClipboard;
    std::function<void(TSearchPattern)> cleanCache;
};

// Runs the step of every checked box. With no box checked it does nothing at all.
void RunPrivacyCleaning(const PrivacyHooks& hooks);

// Deletes a key (a path from the root, with its leading backslash) under HKEY_CURRENT_USER with
// its values and all its subkeys, deepest first; a key that is missing or cannot be deleted is
// passed over without a word.
void DeleteCurrentUserKey(const std::string& path);

// The cache figures of the page: entries seen and their bytes, 64-bit so that a large cache
// shows its real size.
struct CacheCounters {
    int64_t CacheFileCount = 0;
    int64_t CacheByteTotal = 0;

    void Add(const TEntryInfo& entry);
};

// The label text: the count, " Files, ", the megabytes (10^6 bytes) as "%15.3f" with the
// given decimal separator, " MB".
std::string CacheSizeCaption(const CacheCounters& counters, std::string_view decimalSeparator);

// Counts every content entry of the cache with `IECMain` (its pattern set to spUrl); the
// enumerator's OnEntry must add each entry to `counters`.
void CountCache(TIECache& IECMain, CacheCounters& counters);

}  // namespace privacy
