// PugiXmlValues - the well-formedness checks pugixml leaves out, node by
// node, and the decoding of references it is not asked to do (so that an
// undeclared entity or a bare '&' is refused rather than kept as text).
#ifndef FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLVALUES_H_
#define FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLVALUES_H_

#include <pugixml.hpp>
#include <string>
#include <vector>

#include "src/platform/XmlReferences.h"

namespace fennimar::platform::pugixml_load {

class ValueChecker {
 public:
  // `check_all`: every value is checked for characters XML does not allow
  // (the bytes were not checked before parsing, as UTF-16 is not).
  // `references`: the values may hold '&' (the bytes held one, or were not
  // looked at); without, no value is searched for one.
  ValueChecker(const xml::EntityTable& entities, bool check_all, bool references = true)
      : entities_(entities), check_all_(check_all), references_(references || check_all) {}

  // Decodes the references in `node`'s text or attributes, in place, and
  // refuses what XML 1.0 does not allow there. Empty on success, else why.
  // `preserve_space`: the node is under xml:space="preserve".
  std::string Check(pugi::xml_node node, bool preserve_space);
  // The attribute names of the element checked last, in order, so that the
  // caller need not walk its attributes again.
  const std::vector<const char*>& attribute_names() const { return names_; }

 private:
  bool NeedsDecoding(const char* value, bool attribute) const;
  std::string Text(pugi::xml_node node, bool preserve_space);
  std::string Attributes(pugi::xml_node node);

  const xml::EntityTable& entities_;
  const bool check_all_;
  const bool references_;
  xml::ExpansionBudget budget_;
  std::string decoded_;
  std::vector<const char*> names_;
};

}  // namespace fennimar::platform::pugixml_load

#endif  // FENNIMAR_PLATFORM_STANDIN_XML_PUGIXMLVALUES_H_
