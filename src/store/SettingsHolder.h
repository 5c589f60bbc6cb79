// SettingsHolder - owns the settings document and carries the operations on
// its four sections. It keeps no state besides the document.
//
// Every operation first looks its section up (the first child element of the
// root with the section's name) and answers RC_FAIL, changing nothing, when
// there is none, which is also the case when no document could be loaded.
// Readers work on the in-memory document; every writer saves the whole
// document after its pass, even when the pass changed nothing.
//
// Record sections (AppList, WorkspaceSetting) take every element child as a
// record and find values by attribute name; comments and other non-element
// children among them are skipped. Value sections (GlobalSetting,
// BackgroundSetting) go by the position of each child among all children,
// comments included, and never compare names, so that a hand-edited document
// reads the same here as with the Windows DOM component.
#ifndef FENNIMAR_STORE_SETTINGSHOLDER_H_
#define FENNIMAR_STORE_SETTINGSHOLDER_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "src/store/CXMLLogfile.h"

namespace fennimar {

class SharedDocument;

class SettingsHolder {
 public:
  // In default mode the holder keeps its own copy and, for its whole life,
  // the document's presence lock shared, so that programs sharing the
  // document can tell. With `shared` the document is installed and loaded
  // under the change lock and then follows the file (SharedDocument.h).
  SettingsHolder(const platform::Services& services, std::u16string_view document_path,
                 std::uint32_t first_use, bool shared = false);
  ~SettingsHolder();
  SettingsHolder(const SettingsHolder&) = delete;
  SettingsHolder& operator=(const SettingsHolder&) = delete;

  // Shared mode's steps (see SharedDocument); in default mode Refresh, Hold
  // and Release do nothing, BeginChange answers RC_SUCCESS, EndChange true,
  // PrivateCopiesOpen false and LastSaveError an empty string.
  void Refresh();
  _Fennimar_ReturnCode_ BeginChange();
  bool EndChange();
  void Hold();
  void Release();
  bool PrivateCopiesOpen();
  CString LastSaveError() const;

  CXMLLogfile& logfile() { return logfile_; }

  // Application list (AppList). The reader appends items in document order
  // and stops, still succeeding, at the first item that lacks one of its four
  // attributes. AddAppItem appends an AppItem as the last child without any
  // limit of its own. DeleteAppItem removes the first item whose path equals
  // `path` exactly and saves even when none matched.
  _Fennimar_ReturnCode_ GetApplicationsList(std::vector<_Fennimar_AppItem_>& items);
  // How many items GetApplicationsList would give, counting no further than
  // `limit` and building no record; 0 without an AppList section.
  std::size_t CountApplications(std::size_t limit);
  _Fennimar_ReturnCode_ AddAppItem(const _Fennimar_AppItem_& item);
  _Fennimar_ReturnCode_ DeleteAppItem(const CString& path);

  // Switches (GlobalSetting): the entries at positions 0 to 3. Fields whose
  // entry is missing keep the caller's value and are not written; missing
  // entries are never created.
  _Fennimar_ReturnCode_ GetConfig(_Fennimar_Config_& config);
  _Fennimar_ReturnCode_ GetSwitch(int position, int& value);
  _Fennimar_ReturnCode_ SetConfig(const _Fennimar_Config_& config);

  // Background pictures (BackgroundSetting): the folder at position 0, the
  // display sequence at position 1.
  _Fennimar_ReturnCode_ GetBackgroundConfig(_Background_Config_& config);
  _Fennimar_ReturnCode_ SetBackgroundConfig(const _Background_Config_& config);

  // Workspaces (WorkspaceSetting). See FennimarDllInterface for the rules.
  _Fennimar_ReturnCode_ GetWorkspcaeConfig(std::vector<_VDESKTOPINFO_>& workspaces);
  _Fennimar_ReturnCode_ SetWorkspcaeConfig(const std::vector<_VDESKTOPINFO_>& workspaces);

 private:
  // The presence lock as taken before the document is loaded, and what the
  // locks saw of the document on the way.
  struct Presence {
    std::unique_ptr<platform::FileLock> lock;
    platform::DocumentSeen seen;
  };
  static Presence TakePresence(const platform::Services& services,
                               std::u16string_view document_path);
  SettingsHolder(const platform::Services& services, std::u16string_view document_path,
                 std::uint32_t first_use, bool shared, Presence presence);

  // Declared in the order they are taken; the presence lock outlives the
  // logfile's final save.
  std::unique_ptr<platform::FileLock> construction_lock_;
  std::unique_ptr<platform::FileLock> presence_;
  CXMLLogfile logfile_;
  std::unique_ptr<SharedDocument> shared_;
};

}  // namespace fennimar

#endif  // FENNIMAR_STORE_SETTINGSHOLDER_H_
