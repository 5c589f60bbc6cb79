// The bar's background pictures: the text of the first child of
// BackgroundSetting is the picture folder, that of the second the display
// sequence in decimal. Later children are neither read nor written.
#include "src/common/Names.h"
#include "src/common/Numbers.h"
#include "src/store/SettingsHolder.h"

namespace fennimar {

using platform::XmlDocument;
using platform::XmlNode;

_Fennimar_ReturnCode_ SettingsHolder::GetBackgroundConfig(_Background_Config_& config) {
  const XmlNode section = logfile_.FindSection(names::kBackgroundSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  std::u16string text;
  const XmlNode folder = doc.FirstChild(section);
  if (!folder) return RC_SUCCESS;
  doc.GetText(folder, &text);
  config.pictureFolder = CString(text);
  const XmlNode sequence = doc.NextSibling(folder);
  if (!sequence) return RC_SUCCESS;
  config.displaySequence = doc.GetTextAsDecimal(sequence);
  return RC_SUCCESS;
}

_Fennimar_ReturnCode_ SettingsHolder::SetBackgroundConfig(const _Background_Config_& config) {
  const XmlNode section = logfile_.FindSection(names::kBackgroundSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  const XmlNode folder = doc.FirstChild(section);
  if (folder) {
    doc.SetText(folder, config.pictureFolder);
    const XmlNode sequence = doc.NextSibling(folder);
    if (sequence) doc.SetText(sequence, FormatDecimal(config.displaySequence));
  }
  logfile_.Save();
  return RC_SUCCESS;
}

}  // namespace fennimar
