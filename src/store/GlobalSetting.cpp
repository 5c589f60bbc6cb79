// The switches: the first four children of GlobalSetting, by position, each
// holding a decimal number as its text.
#include "src/common/Names.h"
#include "src/common/Numbers.h"
#include "src/store/SettingsHolder.h"

namespace fennimar {
namespace {

using platform::XmlDocument;
using platform::XmlNode;

constexpr int kSwitchCount = 4;

int* SwitchField(_Fennimar_Config_& config, int position) {
  int* const fields[kSwitchCount] = {&config.launchcode, &config.mouseHook, &config.soundEffect,
                                     &config.lightEffect};
  return fields[position];
}

int SwitchValue(const _Fennimar_Config_& config, int position) {
  const int values[kSwitchCount] = {config.launchcode, config.mouseHook, config.soundEffect,
                                    config.lightEffect};
  return values[position];
}

}  // namespace

_Fennimar_ReturnCode_ SettingsHolder::GetConfig(_Fennimar_Config_& config) {
  const XmlNode section = logfile_.FindSection(names::kGlobalSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  int position = 0;
  for (XmlNode child = doc.FirstChild(section); child && position < kSwitchCount;
       child = doc.NextSibling(child), ++position) {
    *SwitchField(config, position) = doc.GetTextAsDecimal(child);
  }
  return RC_SUCCESS;
}

_Fennimar_ReturnCode_ SettingsHolder::GetSwitch(int position, int& value) {
  const XmlNode section = logfile_.FindSection(names::kGlobalSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  XmlNode child = doc.FirstChild(section);
  for (int i = 0; child && i < position; ++i) child = doc.NextSibling(child);
  if (child) value = doc.GetTextAsDecimal(child);
  return RC_SUCCESS;
}

_Fennimar_ReturnCode_ SettingsHolder::SetConfig(const _Fennimar_Config_& config) {
  const XmlNode section = logfile_.FindSection(names::kGlobalSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  int position = 0;
  for (XmlNode child = doc.FirstChild(section); child && position < kSwitchCount;
       child = doc.NextSibling(child), ++position) {
    doc.SetText(child, FormatDecimal(SwitchValue(config, position)));
  }
  logfile_.Save();
  return RC_SUCCESS;
}

}  // namespace fennimar
