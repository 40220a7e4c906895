#include "disk/junk_walk.h"

#include <exception>
#include <vector>

#include "disk/walk_rules.h"
#include "platform/file_walk.h"

namespace disk {
namespace {

bool LookAtFile(std::wstring_view folder, const WIN32_FIND_DATAW& entry,
                const JunkExtensionTable& types, const JunkWalkEvents& events) {
    if (events.onFile) events.onFile(folder, entry);
    for (int n = types.Matches(entry.cFileName); n > 0; --n)
        if (events.onFind) events.onFind(folder, entry);
    return events.onTick ? events.onTick() : true;
}

}  // namespace

bool WalkJunkFiles(std::wstring_view mask, const std::wstring& folder, bool recurse,
                   const JunkExtensionTable& types, const JunkWalkEvents& events) {
    // One listing gives both the files and the subfolders when the mask takes every name.
    const bool everyName = mask == L"*.*" || mask == L"*";
    std::vector<std::wstring> subfolders;
    {
        platform::DirectoryListing listing(folder + L"*");
        WIN32_FIND_DATAW entry;
        while (listing.Next(entry)) {
            switch (KindOfEntry(entry.dwFileAttributes)) {
                case EntryKind::Folder:
                    subfolders.emplace_back(entry.cFileName);
                    break;
                case EntryKind::File:
                    if (everyName && !LookAtFile(folder, entry, types, events)) return false;
                    break;
                case EntryKind::Passed:
                    break;
            }
        }
    }
    if (!everyName) {
        platform::DirectoryListing listing(folder + std::wstring(mask));
        WIN32_FIND_DATAW entry;
        while (listing.Next(entry))
            if (KindOfEntry(entry.dwFileAttributes) == EntryKind::File &&
                !LookAtFile(folder, entry, types, events))
                return false;
    }
    if (!recurse) return true;
    for (const std::wstring& name : subfolders) {
        bool finished = false;
        try {
            finished = WalkJunkFiles(mask, folder + name + L'\\', recurse, types, events);
        } catch (const std::exception&) {
            // A subfolder that fails ends this folder's walk, not the scan.
            break;
        }
        if (events.onTick) events.onTick();
        if (!finished) break;
    }
    return true;
}

}  // namespace disk
