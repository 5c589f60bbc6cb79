// Layout white space is never made into nodes (see PugiXmlLoad), but the
// parser leaves the bytes between two nodes as they were: the byte before a
// node's opening '<' tells whether white space stood there.

#include "src/platform/standin/xml/PugiXmlText.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include "src/common/Utf.h"

namespace fennimar::platform::pugixml_text {
namespace {

bool IsXmlSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool Within(const char* at, std::string_view source) {
  const auto address = reinterpret_cast<std::uintptr_t>(at);
  const auto begin = reinterpret_cast<std::uintptr_t>(source.data());
  return address >= begin && address < begin + source.size();
}

// True when white space stood right before `node` in the parsed bytes. A node
// the library made, or whose name or value was replaced, is in no bytes.
bool FollowsLayoutSpace(pugi::xml_node node, std::string_view source) {
  const char* at = nullptr;
  std::ptrdiff_t opener = 0;  // the markup between the '<' and `at`, '<' included
  switch (node.type()) {
    case pugi::node_element:
      at = node.name(), opener = 1;  // "<"
      break;
    case pugi::node_pi:
      at = node.name(), opener = 2;  // "<?"
      break;
    case pugi::node_comment:
      at = node.value(), opener = 4;  // "<!--"
      break;
    case pugi::node_cdata:
      at = node.value(), opener = 9;  // "<![CDATA["
      break;
    default:
      return false;
  }
  const bool in_place = Within(at, source) && at - source.data() > opener;
  if (!in_place && node.offset_debug() <= opener) return false;
  return IsXmlSpace(at[-opener - 1]);
}

// One element being walked: where its text starts in the result, and whether
// layout space came since its last piece of text.
struct Level {
  std::size_t start;
  bool space;
};

void AppendPiece(pugi::xml_node node, Level& level, std::u16string& text) {
  if (*node.value() == '\0' && node.type() != pugi::node_cdata) return;
  if (level.space && text.size() > level.start) text += u' ';
  AppendUtf8AsUtf16(node.value(), text);
  level.space = false;
}

// Closes the innermost level: its text, when it has any, is one piece of the
// level around it; space at its end is owed by that level too.
void CloseLevel(std::vector<Level>& levels, std::u16string& text) {
  const Level inner = levels.back();
  levels.pop_back();
  Level& outer = levels.back();
  if (text.size() > inner.start) {
    if (outer.space && inner.start > outer.start) text.insert(inner.start, 1, u' ');
    outer.space = false;
  }
  outer.space = outer.space || inner.space;
}

}  // namespace

// Walks without recursion, so that no nesting depth can exhaust the stack.
void AppendDescendantText(pugi::xml_node root, std::string_view source, std::u16string& text) {
  std::vector<Level> levels{{text.size(), false}};
  pugi::xml_node node = root.first_child();
  while (node) {
    const pugi::xml_node_type type = node.type();
    if (type == pugi::node_element && node.first_child()) {
      levels.push_back({text.size(), false});
      node = node.first_child();
      continue;
    }
    if (type == pugi::node_pcdata || type == pugi::node_cdata)
      AppendPiece(node, levels.back(), text);
    for (;;) {
      if (const pugi::xml_node next = node.next_sibling()) {
        // White space after text is part of that text.
        if (node.type() != pugi::node_pcdata && FollowsLayoutSpace(next, source)) {
          levels.back().space = true;
        }
        node = next;
        break;
      }
      node = node.parent();
      if (node == root) return;
      CloseLevel(levels, text);
    }
  }
}

}  // namespace fennimar::platform::pugixml_text
