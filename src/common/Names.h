// Names - the element, attribute, registry, INI and file names the library
// uses, in one place. They are compile-time constants, so nothing has to be
// built when the library is loaded or torn down when it is unloaded.
#ifndef FENNIMAR_COMMON_NAMES_H_
#define FENNIMAR_COMMON_NAMES_H_

#include <string_view>

namespace fennimar::names {

// The template document, looked up in the host's module folder.
inline constexpr std::u16string_view kTemplateFileName = u"Fennimar.xml";

// The folder below the user's configuration folder that holds the default
// settings document (and, on Linux, the registry file).
inline constexpr std::u16string_view kUserFolderName = u"fennimar";

// Sections of the settings document, children of its root element.
inline constexpr std::u16string_view kAppList = u"AppList";
inline constexpr std::u16string_view kAppItem = u"AppItem";
inline constexpr std::u16string_view kGlobalSetting = u"GlobalSetting";
inline constexpr std::u16string_view kBackgroundSetting = u"BackgroundSetting";
inline constexpr std::u16string_view kWorkspaceSetting = u"WorkspaceSetting";

// Attributes of an application item.
inline constexpr std::u16string_view kKey = u"key";
inline constexpr std::u16string_view kPath = u"path";
inline constexpr std::u16string_view kParameter = u"parameter";
inline constexpr std::u16string_view kDescriptionName = u"descriptionName";

// Attributes of a workspace, besides kKey.
inline constexpr std::u16string_view kName = u"name";
inline constexpr std::u16string_view kStyleId = u"styleID";
inline constexpr std::u16string_view kMouseStyle = u"mouseStyle";
inline constexpr std::u16string_view kEmRecylePath = u"emRecylePath";
inline constexpr std::u16string_view kFuRecylePath = u"fuRecylePath";
inline constexpr std::u16string_view kMouseNo = u"mouseNo";
inline constexpr std::u16string_view kRecyleNo = u"recyleNo";
inline constexpr std::u16string_view kUseTarsel = u"useTarsel";

// Registry keys below HKEY_CURRENT_USER, and their values.
inline constexpr std::u16string_view kProductKey = u"Software\\Tarsel\\Tarsel Kestrova2";
inline constexpr std::u16string_view kIsFirstUse = u"IsFirstUse";
inline constexpr std::u16string_view kDesktopKey = u"Control Panel\\Desktop";
inline constexpr std::u16string_view kWallPaper = u"WallPaper";

// The hardware-information INI file beside the host's executable.
inline constexpr std::u16string_view kHardwareIniFileName = u"HWinfo.ini";
inline constexpr std::u16string_view kSystemRequestSection = u"systemrequest";
inline constexpr std::u16string_view kIsFirstFlag = u"IsFirstFlag";

}  // namespace fennimar::names

#endif  // FENNIMAR_COMMON_NAMES_H_
