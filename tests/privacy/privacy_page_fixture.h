#pragma once
// The privacy and cookie pages hosted on their own, each with its enumerator configured as the
// main window configures it, over the fake cache or over a real cache of this process's own.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/url_cache.h"
#include "privacy/cookie_manager_page.h"
#include "privacy/ie_cache.h"
#include "privacy/privacy_protector_page.h"
#include "support/page_fixture.h"
#include "support/private_url_cache.h"

namespace privacy_testing {

// Loads WinINet into its private cache before the page fixture redirects the registry.
struct PrivateCacheFirst {
    PrivateCacheFirst() { testing_support::PrivateUrlCache::Get(); }
};

class PrivacyPagesTest : public PrivateCacheFirst, public testing_support::PageTest {
  protected:
    // The real cache instead of the fixture's fake one; call before opening a page.
    void UseRealCache() {
        ASSERT_TRUE(real().Isolated());
        real().Clear();
        context.urlCache = &realLayer_;
    }
    testing_support::PrivateUrlCache& real() { return testing_support::PrivateUrlCache::Get(); }

    privacy::PrivacyProtectorPage& OpenPrivacy() {
        IECMain_ = std::make_unique<privacy::TIECache>(*context.urlCache, "IECMain");
        IECMain_->SetFilterOptions(privacy::DefaultFilterOptions());
        IECMain_->SearchPattern = privacy::TSearchPattern::spAll;
        auto& page = OpenPage<privacy::PrivacyProtectorPage>(*IECMain_);
        IECMain_->OnEntry = [&page](privacy::TIECache& s, bool& c) { page.IECMainEntry(s, c); };
        page.TSInternetPrivacyShow();  // the showing above ran before OnEntry was set
        return page;
    }
    privacy::CookieManagerPage& OpenCookies() {
        CooKie_ = std::make_unique<privacy::TIECache>(*context.urlCache, "CooKie");
        CooKie_->SetFilterOptions(privacy::DefaultFilterOptions());
        CooKie_->SearchPattern = privacy::TSearchPattern::spCookies;
        auto& page = OpenPage<privacy::CookieManagerPage>(*CooKie_);
        CooKie_->OnEntry = [&page](privacy::TIECache& s, bool& c) { page.CooKieEntry(s, c); };
        page.TSCookieManagerShow();
        return page;
    }
    privacy::TIECache& IECMain() { return *IECMain_; }
    privacy::TIECache& CooKie() { return *CooKie_; }

    ~PrivacyPagesTest() override {
        if (context.urlCache == &realLayer_) real().Clear();
    }

  private:
    platform::Win32UrlCache realLayer_;
    std::unique_ptr<privacy::TIECache> IECMain_, CooKie_;
};

// Other test processes may use the clipboard at the same time.
class ClipboardLock {
  public:
    ClipboardLock() : mutex_(CreateMutexW(nullptr, FALSE, L"VeltrinTestsClipboard")) {
        WaitForSingleObject(mutex_, 30000);
    }
    ~ClipboardLock() {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;

  private:
    HANDLE mutex_;
};

inline bool PutClipboardText(const std::wstring& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory);
    const bool ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    return ok;
}

}  // namespace privacy_testing
