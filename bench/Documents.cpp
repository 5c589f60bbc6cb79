#include "bench/Documents.h"

#include <filesystem>
#include <pugixml.hpp>
#include <stdexcept>

#include "bench/PugiFloor.h"

namespace fennimar::bench {
namespace {

void ClearChildren(pugi::xml_node node) {
  while (node.first_child()) node.remove_child(node.first_child());
}

void FillApplications(pugi::xml_node list, int count) {
  ClearChildren(list);
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    pugi::xml_node item = list.append_child("AppItem");
    item.append_attribute("key").set_value(n.c_str());
    item.append_attribute("path").set_value(("/opt/tools/bin/application-" + n).c_str());
    item.append_attribute("parameter").set_value(i % 2 ? "" : ("--profile=" + n).c_str());
    item.append_attribute("descriptionName").set_value(("Application number " + n).c_str());
  }
}

void FillWorkspaces(pugi::xml_node list, int count) {
  ClearChildren(list);
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    pugi::xml_node space = list.append_child("Workspace");
    space.append_attribute("key").set_value(n.c_str());
    space.append_attribute("name").set_value(("Workspace " + n).c_str());
    space.append_attribute("styleID").set_value(std::to_string(i % 7 + 1).c_str());
    space.append_attribute("mouseStyle").set_value("default");
    space.append_attribute("emRecylePath").set_value(("/home/user/.recycle/em-" + n).c_str());
    space.append_attribute("fuRecylePath").set_value(("/home/user/.recycle/fu-" + n).c_str());
    space.append_attribute("mouseNo").set_value(std::to_string(i % 3).c_str());
    space.append_attribute("recyleNo").set_value(std::to_string(i % 5).c_str());
    space.append_attribute("useTarsel").set_value(i % 2 ? "1" : "0");
  }
}

}  // namespace

std::vector<int> DefaultItemCounts() { return {0, 100, 10000, 100000}; }

DocumentCase WriteDocument(const std::string& template_path, int items, const std::string& path) {
  pugi::xml_document document;
  if (!pugi_floor::ParseFile(template_path, &document)) {
    throw std::runtime_error("cannot read the template " + template_path);
  }
  if (items > 0) {
    const pugi::xml_node root = document.document_element();
    FillApplications(root.child("AppList"), items);
    FillWorkspaces(root.child("WorkspaceSetting"), items);
  }
  if (!document.save_file(path.c_str(), pugi_floor::kIndent, pugi_floor::kSaveFlags)) {
    throw std::runtime_error("cannot write " + path);
  }
  DocumentCase made;
  made.label = items > 0 ? std::to_string(items) : "template";
  made.items = items;
  made.path = path;
  made.bytes = std::filesystem::file_size(path);
  return made;
}

}  // namespace fennimar::bench
