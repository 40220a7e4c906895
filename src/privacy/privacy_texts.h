#pragma once
// The privacy and cookie pages' own texts, byte for byte (double blanks and trailing blanks
// included), and the privacy page's check boxes with their groups and settings keys.
#include <array>

#include "privacy/privacy_cleaning.h"

namespace privacy {

inline constexpr char kPrivacyCaption[] = "Internet Privacy";
inline constexpr char kPrivacyDescription[] =
    "Privacy Protector: When otherone use your computer, they can know what you have visited, "
    "read, player, etc. Privacy protector will clean all these trace for keeping your privacy.";
inline constexpr char kGroupExplorer[] = "Clean  Windows Explorer  Recent Records ";
inline constexpr char kGroupApplications[] = "Clean  Applications Recent Files  Records";
inline constexpr char kGroupInternet[] = " Internet Explorer Privacy";
inline constexpr char kCleanNow[] = "Clean Now!";
inline constexpr char kClipboardEditText[] = "  ";  // MMcln

// The group boxes of the privacy page, top to bottom.
enum class PrivacyGroup {
    Explorer /*GroupBox2*/,
    Applications /*GroupBox3*/,
    Internet /*GroupBox1*/
};

struct PrivacyCheckBox {
    PrivacyBox box;
    PrivacyGroup group;
    const char* caption;
    int settingsKey;  // the key of the "CheckBox" section of the settings file
};

// In the order they stand in their groups, from the top.
inline constexpr std::array<PrivacyCheckBox, 14> kPrivacyCheckBoxes = {{
    {PrivacyBox::RecentDocuments, PrivacyGroup::Explorer, "Recent Documents  history", 45},
    {PrivacyBox::Run, PrivacyGroup::Explorer, "Run (In Start Menu)  history", 44},
    {PrivacyBox::SearchAssistant, PrivacyGroup::Explorer, "Search Assistant Autocomplete  history",
     43},
    {PrivacyBox::OtherExplorerMRUs, PrivacyGroup::Explorer, "Other Explorer MRUs  history", 42},
    {PrivacyBox::WinClipBoard, PrivacyGroup::Explorer, "Windows Clipboard memory", 46},
    {PrivacyBox::WinMedPlayer, PrivacyGroup::Applications, "WinMediaPlayer  history", 48},
    {PrivacyBox::RealPlayer, PrivacyGroup::Applications, "Real Player  history", 49},
    {PrivacyBox::AcroReader, PrivacyGroup::Applications, "AcroReader  history", 50},
    {PrivacyBox::WinRAR, PrivacyGroup::Applications, "WinRAR  history", 51},
    {PrivacyBox::CleanCache, PrivacyGroup::Internet, "Clean Cache(Internet temporary files)", 36},
    {PrivacyBox::CleanWebsiteHistory, PrivacyGroup::Internet, "Clean Website History", 37},
    {PrivacyBox::CleanWebsiteAddress, PrivacyGroup::Internet,
     "Clean Website address History( Need Close IE)", 38},
    {PrivacyBox::CleanGoogle, PrivacyGroup::Internet, "Clean Google ToolBar History", 39},
    {PrivacyBox::CleanIEAutoComplete, PrivacyGroup::Internet,
     "Clean IE form auto complete  records", 40},
}};

inline constexpr char kCookieCaption[] = "Cookie Manager";
inline constexpr char kCookieDescription[] =
    "Cookie Manager: While you are visiting some websites, some of them will leave a small file "
    "on your hard disk which contains your personal information. Hackers can even use the "
    "Cookies to steal your confidential information such as those of your credit cards. Please "
    "delete your bank site's cookie for keeping your secret.";
inline constexpr char kCookiesToDelete[] = "Cookies You want to delete:";  // Label5
inline constexpr char kCookiesToKeep[] = "Cookies you want to keep:";      // Label6
inline constexpr char kKeepCookie[] = "Keep >>";
inline constexpr char kKeepAllCookie[] = "Keep All >>";
inline constexpr char kDeleteCookie[] = "<< Delete";
inline constexpr char kDeleteAllCookie[] = "<< Delete All";
inline constexpr char kCookieOK[] = "OK";
inline constexpr char kCookieCancel[] = "Cancel";

}  // namespace privacy
