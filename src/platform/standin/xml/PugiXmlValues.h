// PugiXmlValues - the well-formedness checks pugixml leaves out, node by
// node, and the decoding of references it is not asked to do (so that an
// undeclared entity or a bare '&' is refused rather than kept as text).
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLVALUES_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLVALUES_H_

#include <pugixml.hpp>
#include <string>

#include "src/platform/XmlReferences.h"

namespace fennimar::platform::pugixml_load {

class ValueChecker {
 public:
  // `check_all`: every value is checked for characters XML does not allow
  // (the bytes were not checked before parsing, as UTF-16 is not).
  ValueChecker(const xml::EntityTable& entities, bool check_all)
      : entities_(entities), check_all_(check_all) {}

  // Decodes the references in `node`'s text or attributes, in place, and
  // refuses what XML 1.0 does not allow there. Empty on success, else why.
  // `preserve_space`: the node is under xml:space="preserve".
  std::string Check(pugi::xml_node node, bool preserve_space);

 private:
  std::string Text(pugi::xml_node node, bool preserve_space);
  std::string Attributes(pugi::xml_node node);

  const xml::EntityTable& entities_;
  const bool check_all_;
  xml::ExpansionBudget budget_;
  std::string decoded_;
};

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLVALUES_H_
