// Decoding references and reading the internal subset. Both walk the text
// once; entity expansion recurses at most kMaxEntityDepth levels.
#include "src/platform/XmlReferences.h"

#include <cstring>
#include <vector>

namespace fennimar::platform::xml {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Name characters as far as a reference needs them: ASCII letters, digits and
// the few punctuation marks XML allows, and any non-ASCII byte.
bool IsNameByte(char c, bool first) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':') {
    return true;
  }
  return !first && ((c >= '0' && c <= '9') || c == '-' || c == '.');
}

void AppendUtf8(char32_t c, std::string& out) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// "&#...;" or "&#x...;" from `text` at `*at` (just after "&#"). False when it
// is not a reference to a character XML allows.
bool ReadCharacterReference(std::string_view text, std::size_t* at, char32_t* c) {
  std::size_t i = *at;
  const bool hex = i < text.size() && text[i] == 'x';
  if (hex) ++i;
  const std::size_t digits = i;
  std::uint32_t value = 0;
  for (; i < text.size() && text[i] != ';'; ++i) {
    const char d = text[i];
    int v = -1;
    if (d >= '0' && d <= '9') v = d - '0';
    if (hex && d >= 'a' && d <= 'f') v = d - 'a' + 10;
    if (hex && d >= 'A' && d <= 'F') v = d - 'A' + 10;
    if (v < 0) return false;
    value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(v);
    if (value > 0x10FFFF) return false;
  }
  if (i == digits || i == text.size() || !IsXmlChar(value)) return false;
  *at = i + 1;
  *c = value;
  return true;
}

// A name followed by ';' at `*at`; empty when there is none.
std::string_view ReadReferenceName(std::string_view text, std::size_t* at) {
  std::size_t i = *at;
  while (i < text.size() && IsNameByte(text[i], i == *at)) ++i;
  if (i == *at || i == text.size() || text[i] != ';') return {};
  const std::string_view name = text.substr(*at, i - *at);
  *at = i + 1;
  return name;
}

const char* PredefinedEntity(std::string_view name) {
  if (name == "lt") return "<";
  if (name == "gt") return ">";
  if (name == "amp") return "&";
  if (name == "apos") return "'";
  if (name == "quot") return "\"";
  return nullptr;
}

class Decoder {
 public:
  Decoder(bool attribute, const EntityTable& entities, ExpansionBudget& budget)
      : attribute_(attribute), entities_(entities), budget_(budget) {}

  std::string Run(std::string_view raw, std::string* out) {
    if (!attribute_ && raw.find("]]>") != std::string_view::npos) {
      return "\"]]>\" in element text";
    }
    return Decode(raw, out);
  }

 private:
  std::string Decode(std::string_view text, std::string* out) {
    if (const std::size_t bad = FindForbiddenByte(text); bad != std::string_view::npos) {
      return "a character XML does not allow";
    }
    std::size_t i = 0;
    while (i < text.size()) {
      const std::size_t amp = text.find('&', i);
      const std::size_t lt = attribute_ ? text.find('<', i) : std::string_view::npos;
      if (lt < amp) return "'<' in an attribute value";
      out->append(text.substr(i, amp - i));
      if (amp == std::string_view::npos) break;
      i = amp + 1;
      std::string reason = Reference(text, &i, out);
      if (!reason.empty()) return reason;
    }
    return {};
  }

  std::string Reference(std::string_view text, std::size_t* at, std::string* out) {
    if (*at < text.size() && text[*at] == '#') {
      ++*at;
      char32_t c = 0;
      if (!ReadCharacterReference(text, at, &c)) return "a character reference that is not valid";
      AppendUtf8(c, *out);
      return {};
    }
    const std::string_view name = ReadReferenceName(text, at);
    if (name.empty()) return "a '&' that starts no reference";
    if (const char* predefined = PredefinedEntity(name)) {
      *out += predefined;
      return {};
    }
    const auto found = entities_.find(name);
    if (found == entities_.end())
      return "a reference to an undeclared entity &" + std::string(name) + ";";
    return Expand(found->first, found->second, out);
  }

  std::string Expand(const std::string& name, const std::string& replacement, std::string* out) {
    for (const std::string* open : open_) {
      if (*open == name) return "the entity &" + name + "; refers to itself";
    }
    if (static_cast<int>(open_.size()) >= kMaxEntityDepth) return "entities nested too deeply";
    const std::size_t before = out->size();
    open_.push_back(&name);
    std::string reason = Decode(replacement, out);
    open_.pop_back();
    if (!reason.empty()) return reason;
    const std::size_t added = out->size() - before;
    if (added > budget_.bytes_left) return "entities expand to too much text";
    budget_.bytes_left -= added;
    return {};
  }

  const bool attribute_;
  const EntityTable& entities_;
  ExpansionBudget& budget_;
  std::vector<const std::string*> open_;
};

// The internal subset, one declaration at a time.
class SubsetReader {
 public:
  SubsetReader(std::string_view subset, EntityTable* entities)
      : text_(subset), entities_(entities) {}

  std::string Run() {
    for (;;) {
      SkipSpace();
      if (at_ == text_.size()) return {};
      std::string reason = Declaration();
      if (!reason.empty()) return reason;
    }
  }

 private:
  std::string Declaration() {
    const std::string_view rest = text_.substr(at_);
    if (rest[0] == '%') return "a parameter entity reference in the document type";
    if (StartsWith(rest, "<!--")) return SkipPast("-->");
    if (StartsWith(rest, "<?")) return SkipPast("?>");
    if (StartsWith(rest, "<!ENTITY")) return Entity();
    if (StartsWith(rest, "<!ATTLIST")) return AttributeList();
    if (StartsWith(rest, "<!ELEMENT") || StartsWith(rest, "<!NOTATION")) return SkipMarkup();
    return "a document type that is not well-formed";
  }

  std::string Entity() {
    at_ += std::strlen("<!ENTITY");
    if (!SkipSpace()) return "a document type that is not well-formed";
    if (Peek() == '%') return "a parameter entity in the document type";
    const std::string_view name = Name();
    if (name.empty() || !SkipSpace()) return "a document type that is not well-formed";
    if (Peek() != '"' && Peek() != '\'') {
      return "an external entity &" + std::string(name) + "; (never fetched)";
    }
    std::string_view literal;
    if (!Quoted(&literal)) return "a document type that is not well-formed";
    SkipSpace();
    if (Peek() != '>') return "a document type that is not well-formed";
    ++at_;
    std::string value;
    std::string reason = EntityValue(name, literal, &value);
    if (!reason.empty()) return reason;
    entities_->emplace(std::string(name), std::move(value));  // the first declaration binds
    return {};
  }

  // Character references are replaced now, entity references at use.
  static std::string EntityValue(std::string_view name, std::string_view literal,
                                 std::string* value) {
    for (std::size_t i = 0; i < literal.size();) {
      const char c = literal[i];
      if (c == '%') return "a parameter entity reference in the document type";
      if (c == '&' && i + 1 < literal.size() && literal[i + 1] == '#') {
        std::size_t at = i + 2;
        char32_t code = 0;
        if (!ReadCharacterReference(literal, &at, &code)) {
          return "a character reference that is not valid";
        }
        AppendUtf8(code, *value);
        i = at;
        continue;
      }
      *value += c;
      ++i;
    }
    if (value->find('<') != std::string::npos) {
      return "the entity &" + std::string(name) + "; holds markup, which is not expanded";
    }
    return {};
  }

  // Attribute types are harmless; a default value would add attributes.
  std::string AttributeList() {
    const std::size_t start = at_;
    std::string reason = SkipMarkup();
    if (!reason.empty()) return reason;
    const std::string_view declaration = text_.substr(start, at_ - start);
    if (declaration.find_first_of("\"'") != std::string_view::npos ||
        declaration.find("#FIXED") != std::string_view::npos) {
      return "an attribute default in the document type";
    }
    return {};
  }

  // To the '>' that ends a declaration, over quoted text.
  std::string SkipMarkup() {
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '"' || c == '\'') {
        std::string_view ignored;
        if (!Quoted(&ignored)) break;
        continue;
      }
      ++at_;
      if (c == '>') return {};
    }
    return "a document type that is not well-formed";
  }

  std::string SkipPast(std::string_view end) {
    const std::size_t found = text_.find(end, at_);
    if (found == std::string_view::npos) return "a document type that is not well-formed";
    at_ = found + end.size();
    return {};
  }

  bool Quoted(std::string_view* inside) {
    const char quote = Peek();
    const std::size_t end = text_.find(quote, at_ + 1);
    if (end == std::string_view::npos) return false;
    *inside = text_.substr(at_ + 1, end - at_ - 1);
    at_ = end + 1;
    return true;
  }

  std::string_view Name() {
    const std::size_t start = at_;
    while (at_ < text_.size() && IsNameByte(text_[at_], at_ == start)) ++at_;
    return text_.substr(start, at_ - start);
  }

  bool SkipSpace() {
    const std::size_t start = at_;
    while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
    return at_ > start;
  }

  char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
  static bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  EntityTable* entities_;
};

}  // namespace

bool IsXmlChar(char32_t c) {
  if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

namespace {

// True for a byte that may start a character XML does not allow: a C0 control
// other than tab, LF and CR, or 0xEF, the lead byte of U+FFFE and U+FFFF.
// Written with bitwise operators only, so that a loop over it vectorises.
constexpr bool MayBeForbidden(unsigned char b) {
  const bool allowed_control = (b == 0x9) | (b == 0xA) | (b == 0xD);
  return ((b < 0x20) & !allowed_control) | (b == 0xEF);
}

// The exact test at `i`, where MayBeForbidden holds.
bool IsForbiddenAt(std::string_view utf8, std::size_t i) {
  const auto b = static_cast<unsigned char>(utf8[i]);
  if (b != 0xEF) return true;
  // U+FFFE and U+FFFF: EF BF BE, EF BF BF.
  return i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0xBF &&
         (static_cast<unsigned char>(utf8[i + 2]) & 0xFE) == 0xBE;
}

// Bytes looked at together: a block without a suspect byte is passed over
// with one branch, and the loop over it is one the compiler vectorises.
constexpr std::size_t kBlockBytes = 64;

}  // namespace

std::size_t FindForbiddenByte(std::string_view utf8) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t end = utf8.size() - i < kBlockBytes ? utf8.size() : i + kBlockBytes;
    unsigned char suspect = 0;
    for (std::size_t j = i; j < end; ++j)
      suspect |= static_cast<unsigned char>(MayBeForbidden(bytes[j]));
    if (suspect) {
      for (std::size_t j = i; j < end; ++j) {
        if (MayBeForbidden(bytes[j]) && IsForbiddenAt(utf8, j)) return j;
      }
    }
    i = end;
  }
  return std::string_view::npos;
}

std::string ReadDocumentType(std::string_view declaration, EntityTable* entities) {
  std::size_t open = 0;
  char quote = '\0';
  for (; open < declaration.size(); ++open) {  // a '[' inside a quoted identifier is no subset
    const char c = declaration[open];
    if (quote != '\0') {
      if (c == quote) quote = '\0';
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '[') {
      break;
    }
  }
  if (open == declaration.size()) return {};  // an external definition alone: not fetched
  const std::size_t close = declaration.rfind(']');
  if (close == std::string_view::npos || close < open) {
    return "a document type that is not well-formed";
  }
  return SubsetReader(declaration.substr(open + 1, close - open - 1), entities).Run();
}

std::string DecodeReferences(std::string_view raw, bool attribute, const EntityTable& entities,
                             ExpansionBudget& budget, std::string* out) {
  return Decoder(attribute, entities, budget).Run(raw, out);
}

}  // namespace fennimar::platform::xml
