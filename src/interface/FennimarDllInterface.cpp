// FennimarDllInterface - the exported object. Each method forwards to the part
// that does the work: the settings holder for the document's sections, the
// registry controller for the registry, the password file for passwords. The
// object takes its platform services from the wiring once, when it is built,
// and hands them down: the settings holder keeps them for the document, and
// the system parts keep them with the registry controller for the password
// file, the hardware flag and the wallpaper, which are handed them at each
// call.
#include "fennimar/FennimarDllInterface.h"

#include <utility>

#include "src/interface/SystemParts.h"
#include "src/platform/wiring/Wiring.h"
#include "src/store/AppListLimit.h"
#include "src/store/ChangeStep.h"
#include "src/store/SettingsHolder.h"
#include "src/system/HardwareFlag.h"
#include "src/system/PasswordFile.h"
#include "src/system/Wallpaper.h"

using fennimar::ChangeStep;
using fennimar::kMaxApplications;
using fennimar::SettingsHolder;
using fennimar::SystemParts;

namespace {

// The first-use status handed to the document when the flag cannot be read
// (the key exists without a value, or the registry is damaged): not a first
// use, so an existing settings document is kept rather than replaced.
constexpr std::uint32_t kStatusWhenUnreadable = 0;

// Positions of the switches in their section.
constexpr int kLaunchcodePosition = 0;
constexpr int kMouseHookPosition = 1;
constexpr int kSoundEffectPosition = 2;
constexpr int kLightEffectPosition = 3;

// The password file's path, empty until the host has set one.
CString PasswordFilePath(const std::shared_ptr<CString>& path) { return path ? *path : CString(); }

}  // namespace

FennimarDllInterface::FennimarDllInterface(CString documentPath)
    : FennimarDllInterface(std::move(documentPath), FennimarOptions()) {}

FennimarDllInterface::FennimarDllInterface(CString documentPath, const FennimarOptions& options)
    : m_system(std::make_shared<SystemParts>(fennimar::platform::WiredServices())) {
  const fennimar::platform::Services& services = m_system->services();
  std::uint32_t status = kStatusWhenUnreadable;
  (void)GetUsedStatus(status);
  const bool shared = options.shared || services.locks->SharingRequested();
  m_settings = std::make_shared<SettingsHolder>(services, documentPath, status, shared);
}

// The document is saved before the other parts go, as it always was.
FennimarDllInterface::~FennimarDllInterface() {
  m_settings.reset();
  m_passwordFilePath.reset();
  m_system.reset();
}

FennimarDllInterface& FennimarDllInterface::operator=(const FennimarDllInterface& other) {
  if (this == &other) return *this;
  m_settings = other.m_settings;
  m_passwordFilePath = other.m_passwordFilePath;
  m_system = other.m_system;
  return *this;
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetApplicationsList(
    std::vector<_Fennimar_AppItem_>& items) {
  m_settings->Refresh();
  return m_settings->GetApplicationsList(items);
}

_Fennimar_ReturnCode_ FennimarDllInterface::AddAppItem(_Fennimar_AppItem_& item) {
  ChangeStep step(*m_settings);
  if (!step.ready()) return step.refusal();
  if (m_settings->CountApplications(kMaxApplications) >= kMaxApplications) return RC_LIST_FULL;
  return step.Finish(m_settings->AddAppItem(item));
}

_Fennimar_ReturnCode_ FennimarDllInterface::EditAppItem(CString&) { return RC_NOT_IMPLEMENTED; }

_Fennimar_ReturnCode_ FennimarDllInterface::DeleteAppItem(CString& path) {
  ChangeStep step(*m_settings);
  if (!step.ready()) return step.refusal();
  return step.Finish(m_settings->DeleteAppItem(path));
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetConfig(_Fennimar_Config_& config) {
  m_settings->Refresh();
  return m_settings->GetConfig(config);
}

_Fennimar_ReturnCode_ FennimarDllInterface::IsLaunchcodeEnabled(int& value) {
  m_settings->Refresh();
  return m_settings->GetSwitch(kLaunchcodePosition, value);
}

_Fennimar_ReturnCode_ FennimarDllInterface::IsMouseHookEnabled(int& value) {
  m_settings->Refresh();
  return m_settings->GetSwitch(kMouseHookPosition, value);
}

_Fennimar_ReturnCode_ FennimarDllInterface::IsSoundEffectEnabled(int& value) {
  m_settings->Refresh();
  return m_settings->GetSwitch(kSoundEffectPosition, value);
}

_Fennimar_ReturnCode_ FennimarDllInterface::IsLightEffectEnabled(int& value) {
  m_settings->Refresh();
  return m_settings->GetSwitch(kLightEffectPosition, value);
}

_Fennimar_ReturnCode_ FennimarDllInterface::SetConfig(_Fennimar_Config_& config) {
  ChangeStep step(*m_settings);
  if (!step.ready()) return step.refusal();
  return step.Finish(m_settings->SetConfig(config));
}

// No place is kept for the file chooser's folder: the argument is not used.
_Fennimar_ReturnCode_ FennimarDllInterface::UpdateBrowserDir(CString&) { return RC_SUCCESS; }

// Nothing is kept, so nothing is returned: the argument stays as it was.
_Fennimar_ReturnCode_ FennimarDllInterface::GetBrowserDir(CString&) { return RC_SUCCESS; }

_Fennimar_ReturnCode_ FennimarDllInterface::SavePassword(CString& password) {
  fennimar::SavePasswordFile(*m_system->services().files, PasswordFilePath(m_passwordFilePath),
                             password);
  return RC_SUCCESS;
}

_Fennimar_ReturnCode_ FennimarDllInterface::ValidatePassword(CString& candidate) {
  return fennimar::ValidatePasswordFile(*m_system->services().files,
                                        PasswordFilePath(m_passwordFilePath), candidate);
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetUsedStatus(std::uint32_t& status) {
  return m_system->registry().GetUsedStatus(status);
}

_Fennimar_ReturnCode_ FennimarDllInterface::SetUsedStatus() {
  return m_system->registry().SetUsedStatus();
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetBackgroundConfig(_Background_Config_& config) {
  m_settings->Refresh();
  return m_settings->GetBackgroundConfig(config);
}

_Fennimar_ReturnCode_ FennimarDllInterface::SetBackgroundConfig(_Background_Config_& config) {
  ChangeStep step(*m_settings);
  if (!step.ready()) return step.refusal();
  return step.Finish(m_settings->SetBackgroundConfig(config));
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetCurrentBgImage(CString& path) {
  return fennimar::GetWallpaper(m_system->registry(), path, m_system->services().desktop);
}

_Fennimar_ReturnCode_ FennimarDllInterface::SetCurrentBgImage(CString& path) {
  return fennimar::SetWallpaper(m_system->registry(), path, m_system->services().desktop);
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetLightFlagStatus(std::uint32_t& flag) {
  return fennimar::GetHardwareFlag(m_system->services(), flag);
}

_Fennimar_ReturnCode_ FennimarDllInterface::SetLightFlagStatus() {
  return fennimar::ClearHardwareFlag(m_system->services());
}

_Fennimar_ReturnCode_ FennimarDllInterface::GetWorkspcaeConfig(
    std::vector<_VDESKTOPINFO_>& workspaces) {
  m_settings->Refresh();
  return m_settings->GetWorkspcaeConfig(workspaces);
}

_Fennimar_ReturnCode_ FennimarDllInterface::SetWorkspcaeConfig(
    std::vector<_VDESKTOPINFO_>& workspaces) {
  ChangeStep step(*m_settings);
  if (!step.ready()) return step.refusal();
  return step.Finish(m_settings->SetWorkspcaeConfig(workspaces));
}

CString FennimarDllInterface::GetLastSaveError() const { return m_settings->LastSaveError(); }

_Fennimar_ReturnCode_ FennimarDllInterface::SetPasswordFilePath(const CString& path) {
  m_passwordFilePath = std::make_shared<CString>(path);
  return RC_SUCCESS;
}
