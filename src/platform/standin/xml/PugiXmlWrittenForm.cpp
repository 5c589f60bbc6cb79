// The scan follows the writer's layout rules (those PugiXmlSame walks the
// tree by) over the bytes themselves: before every node but text, a line
// feed unless it is the first thing written or follows text, and two spaces
// per level; an empty element as "<name />"; an element's text on the line
// of its tags. White space between tags that is not exactly that layout
// would be dropped by the parse or written otherwise, so the bytes are then
// not in the written form.
#include "src/platform/standin/xml/PugiXmlWrittenForm.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "src/common/Utf.h"
#include "src/platform/XmlReferences.h"
#include "src/platform/standin/xml/PugiXmlLoad.h"

namespace fennimar::platform::pugixml_load {
namespace {

// What the writer puts before the next node.
enum LayoutFlags : unsigned { kNewline = 1, kIndentation = 2 };
constexpr std::size_t kIndentWidth = 2;
// Elements with more attributes are left to the full load, which sorts the
// names to find one given twice; here they are compared pair by pair.
constexpr std::size_t kMaxAttributes = 16;

// Classes of ASCII bytes; bytes from 0x80 on are in none and are looked at
// one by one (see Skip). NUL is in none, so that every scan stops at the
// terminator std::string keeps after its bytes.
enum ByteClass : unsigned char {
  kNameStart = 1,      // pugixml's first byte of a name, ASCII only
  kNameByte = 2,       // the other bytes of a name
  kAttributeByte = 4,  // written as it is inside double quotes
  kTextByte = 8,       // written as it is in text
  kCommentByte = 16,   // in a comment, but for '-', which may start "--"
};

constexpr std::array<unsigned char, 256> ByteClasses() {
  std::array<unsigned char, 256> classes{};
  for (int c = 0x20; c < 0x80; ++c) {
    classes[c] = kAttributeByte | kTextByte | kCommentByte;
  }
  for (int c = 'a'; c <= 'z'; ++c) classes[c] |= kNameStart | kNameByte;
  for (int c = 'A'; c <= 'Z'; ++c) classes[c] |= kNameStart | kNameByte;
  for (int c = '0'; c <= '9'; ++c) classes[c] |= kNameByte;
  classes['_'] |= kNameStart | kNameByte;
  classes[':'] |= kNameStart | kNameByte;
  classes['-'] |= kNameByte;
  classes['.'] |= kNameByte;
  classes['"'] &= ~kAttributeByte;
  classes['&'] &= ~(kAttributeByte | kTextByte);
  classes['<'] &= ~(kAttributeByte | kTextByte);
  classes['>'] &= ~kTextByte;
  classes['-'] &= ~kCommentByte;
  classes['\t'] = classes['\n'] = kTextByte | kCommentByte;
  return classes;
}
constexpr std::array<unsigned char, 256> kClasses = ByteClasses();

bool In(char c, ByteClass byte_class) {
  return (kClasses[static_cast<unsigned char>(c)] & byte_class) != 0;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
    if (x != b[i]) return false;
  }
  return true;
}

class WrittenFormScan {
 public:
  explicit WrittenFormScan(const std::string& bytes)
      : at_(bytes.data()), end_(bytes.data() + bytes.size()) {
    open_.reserve(8);
  }

  bool Run() {
    unsigned layout = kIndentation;
    if (StartsWith("<?xml")) {
      if (!Declaration()) return false;
      layout = kNewline | kIndentation;
    }
    bool rooted = false;
    for (;;) {
      const char* const markup = NextMarkup(layout);
      if (markup == nullptr) return false;
      if (markup == end_) return open_.empty() && rooted;
      at_ = markup;
      if (!Markup(&rooted)) return false;
      layout = kNewline | kIndentation;
    }
  }

  // Bytes from 0x80 on were met (in values, text or comments).
  bool saw_high_bytes() const { return high_; }

 private:
  struct OpenElement {
    std::string_view name;
    bool has_child;
  };

  std::size_t Left() const { return static_cast<std::size_t>(end_ - at_); }

  bool StartsWith(std::string_view literal) const {
    return Left() >= literal.size() && std::memcmp(at_, literal.data(), literal.size()) == 0;
  }

  // The '<' of the next node, past exactly the layout the writer puts before
  // it or past text; end_ after the final line feed; null for anything else.
  const char* NextMarkup(unsigned layout) {
    const char* p = at_;
    if ((layout & kNewline) != 0 && *p == '\n') ++p;
    const char* const indent = p;
    while (*p == ' ') ++p;
    if (p == end_) {
      return p == indent && (p != at_) == ((layout & kNewline) != 0) ? p : nullptr;
    }
    if (*p != '<') return Text();
    const bool closing = p[1] == '/';
    if (closing && open_.empty()) return nullptr;
    const std::size_t level = open_.size() - (closing ? 1 : 0);
    const std::size_t width = (layout & kIndentation) != 0 ? level * kIndentWidth : 0;
    const bool newline = indent != at_;
    return newline == ((layout & kNewline) != 0) && static_cast<std::size_t>(p - indent) == width
               ? p
               : nullptr;
  }

  // Text from at_ to the next tag: kept by the parse (not white space only)
  // and written as it is. The writer puts nothing between it and that tag.
  const char* Text() {
    if (open_.empty()) return nullptr;
    const auto* markup = static_cast<const char*>(std::memchr(at_, '<', Left()));
    if (markup == nullptr || Skip(at_, kTextByte) != markup) return nullptr;
    const std::string_view run(at_, static_cast<std::size_t>(markup - at_));
    if (run.find_first_not_of(" \t\n") == std::string_view::npos) return nullptr;
    open_.back().has_child = true;
    return markup;
  }

  // The tag, comment or end tag at `at_`.
  bool Markup(bool* rooted) {
    if (at_[1] == '/') return EndTag();
    if (!open_.empty()) open_.back().has_child = true;
    if (StartsWith("<!--")) return Comment();
    if (open_.empty() && *rooted) return false;  // a second root element
    *rooted = true;
    return StartTag();
  }

  // Past the bytes of `byte_class` and those from 0x80 on, which are noted.
  const char* Skip(const char* p, ByteClass byte_class) {
    for (;;) {
      p = SkipRun(p, byte_class);
      if (In(*p, byte_class)) {
        ++p;
      } else if (p == end_ || static_cast<unsigned char>(*p) < 0x80) {
        return p;
      } else {
        high_ = true;
        ++p;
      }
    }
  }

  // Past bytes of `byte_class`, sixteen at a time where SSE2 is there; it may
  // stop early at a byte below 0x20 or from 0x80 on, which Skip looks at.
  const char* SkipRun(const char* p, ByteClass byte_class) const {
#if defined(__SSE2__)
    switch (byte_class) {
      case kAttributeByte:
        p = SkipBlocks<'"', '&', '<'>(p);
        break;
      case kTextByte:
        p = SkipBlocks<'&', '<', '>'>(p);
        break;
      case kCommentByte:
        p = SkipBlocks<'-', '-', '-'>(p);
        break;
      default:
        break;
    }
#endif
    while (In(*p, byte_class)) ++p;
    return p;
  }

#if defined(__SSE2__)
  // To the first block of sixteen bytes that holds `a`, `b`, `c`, a byte
  // below 0x20 or one from 0x80 on (as signed bytes, both are below 0x20),
  // at that byte.
  template <char a, char b, char c>
  const char* SkipBlocks(const char* p) const {
    const __m128i space = _mm_set1_epi8(0x20);
    while (end_ - p >= 16) {
      const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i stops = _mm_or_si128(
          _mm_or_si128(_mm_cmplt_epi8(block, space), _mm_cmpeq_epi8(block, _mm_set1_epi8(a))),
          _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8(b)),
                       _mm_cmpeq_epi8(block, _mm_set1_epi8(c))));
      const int mask = _mm_movemask_epi8(stops);
      if (mask != 0) return p + __builtin_ctz(static_cast<unsigned>(mask));
      p += 16;
    }
    return p;
  }
#endif

  bool Name(std::string_view* name) {
    if (!In(*at_, kNameStart)) return false;
    const char* p = at_ + 1;
    while (In(*p, kNameByte)) ++p;
    *name = std::string_view(at_, static_cast<std::size_t>(p - at_));
    at_ = p;
    return true;
  }

  // `name` (one scanned before) stands whole at `p`.
  bool IsNameAt(const char* p, std::string_view name) const {
    return !name.empty() && static_cast<std::size_t>(end_ - p) > name.size() &&
           std::memcmp(p, name.data(), name.size()) == 0 && !In(p[name.size()], kNameByte);
  }

  // ` name="value"` for each attribute, into names_ and values_. Siblings
  // mostly repeat the names of the element before them, which names_ still
  // holds: a name found again where it stood there is neither scanned nor
  // compared with the others, as those names were all different.
  bool Attributes() {
    const char* p = at_;
    std::size_t count = 0;
    bool as_before = true;
    while (p[0] == ' ' && p[1] != '/') {  // p[0] is ' ' only before the end
      ++p;
      if (as_before && count < attributes_ && IsNameAt(p, names_[count])) {
        p += names_[count].size();
      } else {
        as_before = false;
        at_ = p;
        if (count == kMaxAttributes || !Name(&names_[count]) || !IsNewName(count)) return false;
        p = at_;
      }
      if (p[0] != '=' || p[1] != '"') return false;
      const char* const value = p + 2;
      p = SkipRun(value, kAttributeByte);
      if (*p != '"') p = Skip(p, kAttributeByte);
      if (*p != '"') return false;
      values_[count++] = std::string_view(value, static_cast<std::size_t>(p - value));
      ++p;
    }
    at_ = p;
    attributes_ = count;
    return true;
  }

  // The name at `index` differs from those before it and is not xml:space,
  // which would make the full load keep white space.
  bool IsNewName(std::size_t index) const {
    const std::string_view name = names_[index];
    if (name == "xml:space") return false;
    for (std::size_t i = 0; i < index; ++i) {
      if (names_[i].size() == name.size() && names_[i][0] == name[0] && names_[i] == name) {
        return false;
      }
    }
    return true;
  }

  // A declaration the load reads as it stands: version 1.0 first, UTF-8 if
  // an encoding is named.
  bool Declaration() {
    at_ += 5;  // "<?xml"
    if (!Attributes() || attributes_ == 0 || names_[0] != "version" || !StartsWith("?>")) {
      return false;
    }
    at_ += 2;
    for (std::size_t i = 0; i < attributes_; ++i) {
      const bool known =
          (names_[i] == "version" && values_[i] == "1.0") ||
          (names_[i] == "encoding" && EqualsIgnoringAsciiCase(values_[i], "utf-8")) ||
          (names_[i] == "standalone" && (values_[i] == "yes" || values_[i] == "no"));
      if (!known) return false;
    }
    return true;
  }

  // Siblings mostly share their name, so the last one is tried first.
  bool StartTag() {
    ++at_;  // '<'
    if (IsNameAt(at_, last_tag_)) {
      at_ += last_tag_.size();
    } else if (!Name(&last_tag_)) {
      return false;
    }
    if (open_.size() + 1 > kMaxElementDepth || !Attributes()) return false;
    if (at_[0] == ' ' && at_[1] == '/' && at_[2] == '>') {
      at_ += 3;
      return true;
    }
    if (*at_ != '>') return false;
    ++at_;
    open_.push_back({last_tag_, false});
    return true;
  }

  // An element without children is written as "<name />", never with an
  // end tag.
  bool EndTag() {
    at_ += 2;  // "</"
    const OpenElement& element = open_.back();
    if (!element.has_child || !StartsWith(element.name)) return false;
    at_ += element.name.size();
    if (*at_ != '>') return false;
    ++at_;
    open_.pop_back();
    return true;
  }

  // Ends at the first "--", which must be that of "-->".
  bool Comment() {
    const char* p = at_ + 4;  // "<!--"
    for (;;) {
      p = Skip(p, kCommentByte);
      if (*p != '-') return false;
      if (p[1] == '-') break;
      ++p;
    }
    if (p[2] != '>') return false;
    at_ = p + 3;
    return true;
  }

  const char* at_;
  const char* const end_;
  bool high_ = false;
  std::vector<OpenElement> open_;
  std::string_view last_tag_;
  std::size_t attributes_ = 0;
  std::array<std::string_view, kMaxAttributes> names_;
  std::array<std::string_view, kMaxAttributes> values_;
};

}  // namespace

bool IsWrittenForm(const std::string& bytes) {
  WrittenFormScan scan(bytes);
  if (!scan.Run()) return false;
  return !scan.saw_high_bytes() ||
         (IsValidUtf8(bytes) && xml::FindForbiddenByte(bytes) == std::string_view::npos);
}

}  // namespace fennimar::platform::pugixml_load
