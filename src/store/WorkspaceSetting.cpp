// The workspaces: one element per workspace, nine values as attributes. The
// writer never adds or removes an element or attribute: it fills each
// element from the record its key selects.
#include "src/common/Names.h"
#include "src/common/Numbers.h"
#include "src/store/SettingsHolder.h"
#include "src/store/WorkspaceFields.h"

namespace fennimar {
namespace {

using platform::XmlDocument;
using platform::XmlNode;

bool ReadField(XmlDocument& doc, XmlNode element, const FennimarWorkspaceField& field,
               std::u16string& buffer, _VDESKTOPINFO_& record) {
  if (!doc.GetAttribute(element, field.name, &buffer)) return false;
  if (field.text) {
    record.*field.text = CString(buffer);
  } else {
    record.*field.number = ParseDecimal(buffer);
  }
  return true;
}

bool ReadWorkspace(XmlDocument& doc, XmlNode element, std::u16string& buffer,
                   _VDESKTOPINFO_& record) {
  for (const FennimarWorkspaceField& field : kWorkspaceFields) {
    if (!ReadField(doc, element, field, buffer, record)) return false;
  }
  return true;
}

// Writes the record's values over the element's attributes, in order; false
// at the first attribute the element lacks (those before it stay written).
bool WriteWorkspace(XmlDocument& doc, XmlNode element, const _VDESKTOPINFO_& record) {
  for (auto field = kWorkspaceValueFields; field != kWorkspaceFieldsEnd; ++field) {
    const bool replaced =
        field->text
            ? doc.ReplaceAttribute(element, field->name, record.*field->text)
            : doc.ReplaceAttribute(element, field->name, FormatDecimal(record.*field->number));
    if (!replaced) return false;
  }
  return true;
}

}  // namespace

_Fennimar_ReturnCode_ SettingsHolder::GetWorkspcaeConfig(std::vector<_VDESKTOPINFO_>& workspaces) {
  const XmlNode section = logfile_.FindSection(names::kWorkspaceSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  std::u16string buffer;  // one for every value, so that it grows once
  for (XmlNode child = doc.FirstChild(section); child; child = doc.NextSibling(child)) {
    if (!doc.IsElement(child)) continue;
    _VDESKTOPINFO_ record;
    if (!ReadWorkspace(doc, child, buffer, record)) break;
    workspaces.push_back(std::move(record));
  }
  return RC_SUCCESS;
}

// An element whose key selects no record (below 1 or beyond the list) is
// skipped; the pass goes on with the next element.
_Fennimar_ReturnCode_ SettingsHolder::SetWorkspcaeConfig(
    const std::vector<_VDESKTOPINFO_>& workspaces) {
  const XmlNode section = logfile_.FindSection(names::kWorkspaceSetting);
  if (!section) return RC_FAIL;
  XmlDocument& doc = *logfile_.document();
  std::u16string key;
  for (XmlNode child = doc.FirstChild(section); child; child = doc.NextSibling(child)) {
    if (!doc.IsElement(child)) continue;
    if (!doc.GetAttribute(child, names::kKey, &key)) break;
    std::size_t position = 0;
    if (!PositionOfKey(ParseDecimal(key), workspaces.size(), &position)) continue;
    if (!WriteWorkspace(doc, child, workspaces[position])) break;
  }
  logfile_.Save();
  return RC_SUCCESS;
}

}  // namespace fennimar
