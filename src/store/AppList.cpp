// The application list: one element per application, its four fields as
// attributes.
#include "src/common/Names.h"
#include "src/platform/XmlText.h"
#include "src/store/SettingsHolder.h"

namespace fennimar {
namespace {

using platform::XmlDocument;
using platform::XmlNode;

// Reads one attribute into `field`; false when the element lacks it.
bool ReadField(XmlDocument& doc, XmlNode element, std::u16string_view name,
               std::u16string& buffer, CString& field) {
  if (!doc.GetAttribute(element, name, &buffer)) return false;
  field = CString(buffer);
  return true;
}

bool ReadAppItem(XmlDocument& doc, XmlNode element, std::u16string& buffer,
                 _Fennimar_AppItem_& item) {
  return ReadField(doc, element, names::kKey, buffer, item.key) &&
         ReadField(doc, element, names::kPath, buffer, item.path) &&
         ReadField(doc, element, names::kParameter, buffer, item.parameter) &&
         ReadField(doc, element, names::kDescriptionName, buffer, item.descriptionName);
}

// True when the element has the four attributes an item is read from.
bool IsCompleteItem(XmlDocument& doc, XmlNode element) {
  return doc.HasAttribute(element, names::kKey) && doc.HasAttribute(element, names::kPath) &&
         doc.HasAttribute(element, names::kParameter) &&
         doc.HasAttribute(element, names::kDescriptionName);
}

// `path` is the stored form of the caller's path, which is what an item added
// with that path holds.
bool HasPath(XmlDocument& doc, XmlNode element, std::u16string_view path,
             std::u16string& buffer) {
  return doc.IsElement(element) && doc.GetAttribute(element, names::kPath, &buffer) &&
         buffer == path;
}

}  // namespace

_Fennimar_ReturnCode_ SettingsHolder::GetApplicationsList(
    std::vector<_Fennimar_AppItem_>& items) {
  const XmlNode section = logfile_.FindSection(names::kAppList);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  std::u16string buffer;  // one for every value, so that it grows once
  for (XmlNode child = doc.FirstChild(section); child; child = doc.NextSibling(child)) {
    if (!doc.IsElement(child)) continue;
    _Fennimar_AppItem_ item;
    if (!ReadAppItem(doc, child, buffer, item)) break;
    items.push_back(std::move(item));
  }
  return RC_SUCCESS;
}

std::size_t SettingsHolder::CountApplications(std::size_t limit) {
  const XmlNode section = logfile_.FindSection(names::kAppList);
  if (!section) return 0;
  XmlDocument& doc = *logfile_.document();
  std::size_t count = 0;
  for (XmlNode child = doc.FirstChild(section); child && count < limit;
       child = doc.NextSibling(child)) {
    if (!doc.IsElement(child)) continue;
    if (!IsCompleteItem(doc, child)) break;
    ++count;
  }
  return count;
}

_Fennimar_ReturnCode_ SettingsHolder::AddAppItem(const _Fennimar_AppItem_& item) {
  const XmlNode section = logfile_.FindSection(names::kAppList);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  const XmlNode element = doc.AppendElement(section, names::kAppItem);
  doc.SetAttribute(element, names::kKey, item.key);
  doc.SetAttribute(element, names::kPath, item.path);
  doc.SetAttribute(element, names::kParameter, item.parameter);
  doc.SetAttribute(element, names::kDescriptionName, item.descriptionName);
  logfile_.Save();
  return RC_SUCCESS;
}

_Fennimar_ReturnCode_ SettingsHolder::DeleteAppItem(const CString& path) {
  const XmlNode section = logfile_.FindSection(names::kAppList);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  std::u16string buffer;
  std::u16string scratch;
  const std::u16string_view stored = platform::StoredXmlValue(path.str(), scratch);
  for (XmlNode child = doc.FirstChild(section); child; child = doc.NextSibling(child)) {
    if (HasPath(doc, child, stored, buffer)) {
      doc.RemoveChild(doc.ParentNode(child), child);
      break;
    }
  }
  logfile_.Save();
  return RC_SUCCESS;
}

}  // namespace fennimar
