#include "src/platform/standin/xml/PugiXmlSame.h"

#include <array>
#include <cstddef>
#include <cstring>

namespace fennimar::platform::pugixml_load {
namespace {

constexpr char kIndent[] = "  ";
constexpr std::size_t kIndentLength = sizeof(kIndent) - 1;

// What the writer does before the next node: pugixml's indent_newline and
// indent_indent.
enum LayoutFlags : unsigned { kNewline = 1, kIndentation = 2 };

// Where a value stands, which decides what the writer escapes.
enum class Context { kText, kAttribute };

// Bytes the writer passes through unchanged: in text everything but '&', '<',
// '>' and the C0 controls other than tab and line feed; in a double-quoted
// attribute everything but '&', '<', '"' and every C0 control. A carriage
// return is never passed through: pugixml escapes it in attributes, and the
// encoder (PugiXmlOutput) turns the raw one in text into "&#13;".
constexpr std::array<bool, 256> PlainBytes(Context context) {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 256; ++c) plain[c] = true;
  plain['&'] = plain['<'] = false;
  if (context == Context::kText) {
    plain['>'] = false;
    plain['\t'] = plain['\n'] = true;
  } else {
    plain['"'] = false;
  }
  return plain;
}
constexpr std::array<bool, 256> kPlainText = PlainBytes(Context::kText);
constexpr std::array<bool, 256> kPlainAttribute = PlainBytes(Context::kAttribute);

// What the writer puts for a byte it does not pass through (see PlainBytes).
std::string_view EscapeOf(unsigned char c, char (&scratch)[6]) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:  // a C0 control, as two decimal digits
      scratch[0] = '&', scratch[1] = '#';
      scratch[2] = static_cast<char>('0' + c / 10), scratch[3] = static_cast<char>('0' + c % 10);
      scratch[4] = ';', scratch[5] = '\0';
      return std::string_view(scratch, 5);
  }
}

// Walks the tree in the writer's order (pugixml's node_output), moving
// through the bytes as far as they match.
class SavedFormMatcher {
 public:
  SavedFormMatcher(std::string_view bytes, bool plain_attribute_values)
      : at_(bytes.data()),
        end_(bytes.data() + bytes.size()),
        plain_attribute_values_(plain_attribute_values) {}

  bool Run(const pugi::xml_node root) {
    unsigned layout = kIndentation;
    unsigned depth = 0;
    pugi::xml_node node = root;
    do {
      const pugi::xml_node_type type = node.type();
      if (type == pugi::node_pcdata) {
        if (!Escaped(node.value(), kPlainText)) return false;
        layout = 0;
      } else {
        if (!Layout(layout, depth)) return false;
        if (type == pugi::node_element) {
          layout = kNewline | kIndentation;
          bool opened = false;
          if (!ElementStart(node, &opened)) return false;
          if (opened) {
            node = node.first_child();
            ++depth;
            continue;
          }
        } else if (type == pugi::node_document) {
          layout = kIndentation;
          if (node.first_child()) {
            node = node.first_child();
            continue;
          }
        } else {
          if (!Simple(node)) return false;
          layout = kNewline | kIndentation;
        }
      }
      while (node != root) {
        if (const pugi::xml_node next = node.next_sibling()) {
          node = next;
          break;
        }
        node = node.parent();
        if (node.type() == pugi::node_element) {
          --depth;
          if (!Layout(layout, depth) || !Literal("</") || !Name(node.name()) || !Literal(">")) {
            return false;
          }
          layout = kNewline | kIndentation;
        }
      }
    } while (node != root);
    return ((layout & kNewline) == 0 || Literal("\n")) && at_ == end_;
  }

 private:
  bool Layout(unsigned layout, unsigned depth) {
    if ((layout & kNewline) != 0 && !Literal("\n")) return false;
    if ((layout & kIndentation) == 0) return true;
    for (unsigned i = 0; i < depth; ++i) {
      if (!Literal(std::string_view(kIndent, kIndentLength))) return false;
    }
    return true;
  }

  // "<name attributes", then " />" for an empty element or ">" when the
  // children follow (`*opened`).
  bool ElementStart(const pugi::xml_node element, bool* opened) {
    // An element holds a value only when parsed with embedded text, which
    // the loader never asks for; the writer would put it after the tag.
    if (*element.value() != '\0') return false;
    if (!Literal("<") || !Name(element.name()) || !Attributes(element)) return false;
    *opened = static_cast<bool>(element.first_child());
    return Literal(*opened ? std::string_view(">") : std::string_view(" />"));
  }

  bool Attributes(const pugi::xml_node node) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
      if (!Literal(" ") || !Name(a.name()) || !Literal("=\"") || !AttributeValue(a.value()) ||
          !Literal("\"")) {
        return false;
      }
    }
    return true;
  }

  // Comments, processing instructions and the declaration.
  bool Simple(const pugi::xml_node node) {
    switch (node.type()) {
      case pugi::node_comment:
        return Literal("<!--") && CommentText(node.value()) && Literal("-->");
      case pugi::node_pi:
        // The writer adds " value" only when the node has a value at all,
        // which an empty one cannot show: left to the writer.
        return *node.value() != '\0' && Literal("<?") && Name(node.name()) && Literal(" ") &&
               Verbatim(node.value(), "?>") && Literal("?>");
      case pugi::node_declaration:
        return Literal("<?") && Name(node.name()) && Attributes(node) && Literal("?>");
      default:  // CDATA and a document type
        return false;
    }
  }

  // A comment the writer would change ("--" inside, '-' at the end) is left
  // to it.
  bool CommentText(const char* text) {
    const std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '-') return false;
    return Verbatim(text, "--");
  }

  // Text written as it is, unless it holds `forbidden` (which the writer
  // breaks up) or a carriage return (which the encoder escapes).
  bool Verbatim(const char* text, const char* forbidden) {
    const std::string_view value(text);
    if (value.find(forbidden) != std::string_view::npos || value.find('\r') != value.npos) {
      return false;
    }
    return Literal(value);
  }

  // A name is written as it is. An empty one would be written as
  // ":anonymous" and is left to the writer.
  bool Name(const char* name) {
    const std::string_view text(name);
    return !text.empty() && Literal(text);
  }

  bool AttributeValue(const char* value) {
    if (plain_attribute_values_) return Literal(std::string_view(value));
    return Escaped(value, kPlainAttribute);
  }

  bool Escaped(const char* text, const std::array<bool, 256>& plain) {
    for (;;) {
      const char* const run = text;
      while (plain[static_cast<unsigned char>(*text)]) ++text;
      if (!Literal(std::string_view(run, static_cast<std::size_t>(text - run)))) return false;
      if (*text == '\0') return true;
      char scratch[6];
      if (!Literal(EscapeOf(static_cast<unsigned char>(*text), scratch))) return false;
      ++text;
    }
  }

  bool Literal(std::string_view expected) {
    if (static_cast<std::size_t>(end_ - at_) < expected.size() ||
        std::memcmp(at_, expected.data(), expected.size()) != 0) {
      return false;
    }
    at_ += expected.size();
    return true;
  }

  const char* at_;
  const char* const end_;
  const bool plain_attribute_values_;
};

}  // namespace

bool HoldsSavedForm(const pugi::xml_document& document, std::string_view bytes,
                    bool plain_attribute_values) {
  return SavedFormMatcher(bytes, plain_attribute_values).Run(document);
}

}  // namespace fennimar::platform::pugixml_load
