#pragma once
// A real WinINet URL cache of this test process's own. WinINet takes the folders of its cache,
// cookie and history containers from the user's shell folders when it loads and keeps them for
// the life of the process; this points those folders into a private folder while it loads the
// library, so no test sees another's entries or the user's. Make it before anything loads
// wininet.dll and before any RegistryRedirect (it redirects HKEY_CURRENT_USER for a moment).
// The test exe calls WinINet only through functions looked up here, so the library is not
// loaded at start.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace testing_support {

class PrivateUrlCache {
  public:
    static PrivateUrlCache& Get();

    // False when wininet.dll was loaded before this could redirect it.
    bool Isolated() const { return isolated_; }
    const std::string& Root() const { return root_; }

    // Creates and commits an entry with `body` as its data; true on success.
    bool AddEntry(const std::string& url, uint32_t type, std::string_view body,
                  std::string_view header = {});
    // A persistent cookie (it carries an expiry date) set through WinINet.
    bool SetCookie(const std::string& url, const std::string& name, const std::string& value);
    bool Exists(const std::string& url) const;
    // The local file of an entry ("" when it has none or is missing).
    std::string LocalFile(const std::string& url) const;
    // Every entry of every container, in the platform's order.
    std::vector<std::string> AllUrls() const;
    // Deletes every entry, so a test starts from an empty cache.
    void Clear();

  private:
    PrivateUrlCache();
    std::string root_;
    bool isolated_ = false;
};

}  // namespace testing_support
