// Settings - the window's one connection to the library: the interface
// object on the settings document, opened as a host program opens it, and
// the one place where a setting is read, changed and written.
//
// The object works in the library's shared mode: its readers see what other
// programs saved, each change is made on the latest document under the
// document's lock, and closing the window never writes an older copy over
// another program's change.
#ifndef FENNIMAR_DESKTOP_SETTINGS_H_
#define FENNIMAR_DESKTOP_SETTINGS_H_

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "desktop/SettingsPaths.h"
#include "fennimar/FennimarDllInterface.h"

namespace fennimar::desktop {

// Constructs the interface object on `paths.document` and names its
// password file, in shared mode.
std::unique_ptr<FennimarDllInterface> OpenSettings(const SettingsPaths& paths);

class Settings {
 public:
  using Change = std::function<_Fennimar_ReturnCode_(FennimarDllInterface&)>;

  explicit Settings(SettingsPaths paths);
  ~Settings();
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  const SettingsPaths& paths() const { return paths_; }
  // For reading: the object as last opened.
  FennimarDllInterface& library() { return *library_; }

  // Runs `change` on the latest settings as one step: its reads and its
  // writes happen under one hold of the document, so a record read, changed
  // in one field and written back undoes no other program's change. The
  // library saves each change at once.
  _Fennimar_ReturnCode_ Apply(const Change& change);

  // The object follows the file by itself (shared mode), so reading again
  // needs no new object. A new object is what installs the template: when
  // the document is missing or the first-use flag is set. This says whether
  // Reopen() would do so, and Reopen() does it.
  bool ReopenInstallsTemplate();
  void Reopen();
  // True when at least one section of the document can be read.
  bool DocumentLoaded();
  // One line naming the file and the reason of the last save that did not
  // reach the disk.
  QString LastSaveError() const;

  // The first-use flag as the last opening found it (nullopt: unreadable),
  // whether that opening installed the template, and what clearing the flag
  // answered when it was not 0 (not tried when there was no template).
  std::optional<std::uint32_t> firstUseAtOpen() const { return first_use_; }
  bool templateInstalled() const { return template_installed_; }
  std::optional<_Fennimar_ReturnCode_> firstUseClearResult() const { return clear_result_; }

 private:
  void Open();

  SettingsPaths paths_;
  std::unique_ptr<FennimarDllInterface> library_;
  std::optional<std::uint32_t> first_use_;
  bool template_installed_ = false;
  std::optional<_Fennimar_ReturnCode_> clear_result_;
};

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_SETTINGS_H_
