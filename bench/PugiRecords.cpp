#include "bench/PugiRecords.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/PugiFloor.h"
#include "src/common/Utf.h"

namespace fennimar::bench::pugi_records {
namespace {

bool IsAscii(const char* text, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  }
  return true;
}

// UTF-8 to a CString, written straight into the string's own buffer for
// ASCII text (one allocation, one pass).
CString ToCString(const char* utf8) {
  const std::size_t length = std::strlen(utf8);
  if (!IsAscii(utf8, length)) return CString(Utf8ToUtf16(utf8));
  CString text;
  char16_t* units = text.GetBuffer(static_cast<int>(length));
  for (std::size_t i = 0; i < length; ++i) units[i] = static_cast<unsigned char>(utf8[i]);
  text.ReleaseBuffer(static_cast<int>(length));
  return text;
}

// A CString as the UTF-8 that pugixml stores, ASCII unit by unit.
const char* ToUtf8(const CString& text, std::string& buffer) {
  buffer.clear();
  for (const char16_t unit : text.str()) {
    if (unit >= 0x80) {
      buffer = Utf16ToUtf8(text.str());
      break;
    }
    buffer.push_back(static_cast<char>(unit));
  }
  return buffer.c_str();
}

pugi::xml_node Section(const pugi::xml_document& document, const char* name) {
  return document.document_element().child(name);
}

template <class Record, class Read>
std::vector<Record> BuildRecords(const pugi::xml_document& document, const char* section,
                                 Read read) {
  std::vector<Record> records;
  for (pugi::xml_node child = Section(document, section).first_child(); child;
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    Record record;
    if (!read(child, record)) break;
    records.push_back(std::move(record));
  }
  return records;
}

bool ReadText(pugi::xml_node element, const char* name, CString& field) {
  const pugi::xml_attribute attribute = element.attribute(name);
  if (!attribute) return false;
  field = ToCString(attribute.value());
  return true;
}

bool ReadNumber(pugi::xml_node element, const char* name, int& field) {
  const pugi::xml_attribute attribute = element.attribute(name);
  if (!attribute) return false;
  field = std::atoi(attribute.value());
  return true;
}

bool ReadApplication(pugi::xml_node element, _Fennimar_AppItem_& item) {
  return ReadText(element, "key", item.key) && ReadText(element, "path", item.path) &&
         ReadText(element, "parameter", item.parameter) &&
         ReadText(element, "descriptionName", item.descriptionName);
}

bool ReadWorkspace(pugi::xml_node element, _VDESKTOPINFO_& record) {
  return ReadNumber(element, "key", record.key) && ReadText(element, "name", record.name) &&
         ReadNumber(element, "styleID", record.styleID) &&
         ReadText(element, "mouseStyle", record.mouseStyle) &&
         ReadText(element, "emRecylePath", record.emRecylePath) &&
         ReadText(element, "fuRecylePath", record.fuRecylePath) &&
         ReadNumber(element, "mouseNo", record.mouseNo) &&
         ReadNumber(element, "recyleNo", record.recyleNo) &&
         ReadNumber(element, "useTarsel", record.useTarsel);
}

void WriteText(pugi::xml_node element, const char* name, const CString& value,
               std::string& buffer) {
  element.attribute(name).set_value(ToUtf8(value, buffer));
}

void WriteNumber(pugi::xml_node element, const char* name, int value) {
  element.attribute(name).set_value(value);
}

void WriteWorkspace(pugi::xml_node element, const _VDESKTOPINFO_& record, std::string& buffer) {
  WriteText(element, "name", record.name, buffer);
  WriteNumber(element, "styleID", record.styleID);
  WriteText(element, "mouseStyle", record.mouseStyle, buffer);
  WriteText(element, "emRecylePath", record.emRecylePath, buffer);
  WriteText(element, "fuRecylePath", record.fuRecylePath, buffer);
  WriteNumber(element, "mouseNo", record.mouseNo);
  WriteNumber(element, "recyleNo", record.recyleNo);
  WriteNumber(element, "useTarsel", record.useTarsel);
}

}  // namespace

std::vector<_Fennimar_AppItem_> BuildApplications(const pugi::xml_document& document) {
  return BuildRecords<_Fennimar_AppItem_>(document, "AppList", ReadApplication);
}

std::vector<_VDESKTOPINFO_> BuildWorkspaces(const pugi::xml_document& document) {
  return BuildRecords<_VDESKTOPINFO_>(document, "WorkspaceSetting", ReadWorkspace);
}

_Background_Config_ BuildBackground(const pugi::xml_document& document) {
  _Background_Config_ config;
  const pugi::xml_node folder = Section(document, "BackgroundSetting").first_child();
  if (!folder) return config;
  config.pictureFolder = ToCString(folder.child_value());
  const pugi::xml_node sequence = folder.next_sibling();
  if (sequence) config.displaySequence = std::atoi(sequence.child_value());
  return config;
}

void WriteWorkspaces(pugi::xml_document& document, const std::vector<_VDESKTOPINFO_>& records) {
  std::string buffer;
  for (pugi::xml_node child = Section(document, "WorkspaceSetting").first_child(); child;
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    const int key = child.attribute("key").as_int();
    if (key < 1 || static_cast<std::size_t>(key) > records.size()) continue;
    WriteWorkspace(child, records[static_cast<std::size_t>(key) - 1], buffer);
  }
}

void AddAndDeleteApplication(pugi::xml_document& document, const std::string& file,
                             const _Fennimar_AppItem_& item, bool full) {
  pugi::xml_node list = Section(document, "AppList");
  std::string buffer;
  if (!full) {
    pugi::xml_node added = list.append_child("AppItem");
    added.append_attribute("key").set_value(ToUtf8(item.key, buffer));
    added.append_attribute("path").set_value(ToUtf8(item.path, buffer));
    added.append_attribute("parameter").set_value(ToUtf8(item.parameter, buffer));
    added.append_attribute("descriptionName").set_value(ToUtf8(item.descriptionName, buffer));
    (void)pugi_floor::SaveAtomically(document, file);
  }
  const char* wanted = ToUtf8(item.path, buffer);
  for (pugi::xml_node child = list.first_child(); child; child = child.next_sibling()) {
    if (child.type() == pugi::node_element &&
        std::strcmp(child.attribute("path").value(), wanted) == 0) {
      list.remove_child(child);
      break;
    }
  }
  (void)pugi_floor::SaveAtomically(document, file);
}

}  // namespace fennimar::bench::pugi_records
