#include "src/platform/standin/ini/IniText.h"

#include "src/common/Utf.h"
#include "src/common/Utf16Bytes.h"

namespace fennimar::platform::ini {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::u16string_view kWindowsLineBreak = u"\r\n";

// Blanks around names and values: what the Windows service trims there.
bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }
// White space as the C runtime's iswspace sees it in the "C" locale.
bool IsSpace(char16_t unit) { return unit == u' ' || (unit >= u'\t' && unit <= u'\r'); }
bool IsLineBreak(char16_t unit) { return unit == u'\r' || unit == u'\n'; }

std::u16string_view TrimBlanks(std::u16string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) ++first;
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

char16_t FoldAscii(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// Compares two names already trimmed, ASCII letters case-insensitively.
bool NamesMatch(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  }
  return true;
}

// One line of the text: its characters are [start, end), its line break (if
// any) is [end, next).
struct Line {
  std::size_t start = 0;
  std::size_t end = 0;
  std::size_t next = 0;
  bool has_break() const { return next > end; }
};

// The line that starts at `start`, which must be inside `chars`. A line always
// advances (next > start), so scanning terminates.
Line LineAt(std::u16string_view chars, std::size_t start) {
  Line line{start, start, start};
  while (line.end < chars.size() && !IsLineBreak(chars[line.end])) ++line.end;
  line.next = line.end;
  if (line.next < chars.size()) {
    const bool crlf =
        chars[line.next] == u'\r' && line.next + 1 < chars.size() && chars[line.next + 1] == u'\n';
    line.next += crlf ? 2 : 1;
  }
  return line;
}

enum class LineKind { kBlank, kComment, kSection, kKey };

// What a line says: a section header with its name, a key with its name and
// the position of its value text (blanks around it excluded), or nothing.
struct ParsedLine {
  LineKind kind = LineKind::kBlank;
  std::u16string_view name;
  bool has_equals = true;
  std::size_t value_start = 0;
  std::size_t value_end = 0;
};

ParsedLine ParseSectionLine(std::u16string_view body, std::size_t open) {
  const std::size_t close = body.find(u']', open + 1);
  ParsedLine parsed;
  parsed.kind = LineKind::kSection;
  parsed.name = TrimBlanks(body.substr(open + 1, close - open - 1));
  return parsed;
}

// A key line without "=": the whole line is the key's name, and its value is
// empty, placed right after the name.
ParsedLine ParseBareKeyLine(std::u16string_view body, std::size_t first, std::size_t start) {
  ParsedLine parsed;
  parsed.kind = LineKind::kKey;
  parsed.name = TrimBlanks(body.substr(first));
  parsed.has_equals = false;
  parsed.value_start = parsed.value_end = start + first + parsed.name.size();
  return parsed;
}

ParsedLine ParseLine(std::u16string_view chars, const Line& line) {
  const std::u16string_view body = chars.substr(line.start, line.end - line.start);
  std::size_t first = 0;
  while (first < body.size() && IsBlank(body[first])) ++first;
  if (first == body.size()) return {};
  if (body[first] == u';') {
    ParsedLine comment;
    comment.kind = LineKind::kComment;
    return comment;
  }
  if (body[first] == u'[' && body.find(u']', first) != std::u16string_view::npos) {
    return ParseSectionLine(body, first);
  }
  const std::size_t equals = body.find(u'=', first);
  if (equals == std::u16string_view::npos) return ParseBareKeyLine(body, first, line.start);
  ParsedLine parsed;
  parsed.kind = LineKind::kKey;
  parsed.name = TrimBlanks(body.substr(first, equals - first));
  std::size_t value_start = equals + 1;
  while (value_start < body.size() && IsBlank(body[value_start])) ++value_start;
  std::size_t value_end = body.size();
  while (value_end > value_start && IsBlank(body[value_end - 1])) --value_end;
  parsed.value_start = line.start + value_start;
  parsed.value_end = line.start + value_end;
  return parsed;
}

// Where a key is, or where it would go: the value of the first matching key
// in the first matching section or, when the key is missing, the line after
// which a new key belongs (the section's last line that is not blank, as the
// Windows service adds a key after the section's last entry or comment).
struct Location {
  bool section_found = false;
  bool key_found = false;
  bool has_equals = true;
  std::size_t value_start = 0;
  std::size_t value_end = 0;
  Line anchor;
};

Location Locate(std::u16string_view chars, std::u16string_view section, std::u16string_view key) {
  const std::u16string_view wanted_section = TrimBlanks(section);
  const std::u16string_view wanted_key = TrimBlanks(key);
  Location location;
  for (std::size_t pos = 0; pos < chars.size();) {
    const Line line = LineAt(chars, pos);
    pos = line.next;
    const ParsedLine parsed = ParseLine(chars, line);
    if (parsed.kind == LineKind::kSection) {
      if (location.section_found) break;  // past the end of the section
      location.section_found = NamesMatch(parsed.name, wanted_section);
      location.anchor = line;
    } else if (parsed.kind != LineKind::kBlank && location.section_found) {
      location.anchor = line;
      if (parsed.kind == LineKind::kKey && NamesMatch(parsed.name, wanted_key)) {
        location.key_found = true;
        location.has_equals = parsed.has_equals;
        location.value_start = parsed.value_start;
        location.value_end = parsed.value_end;
        break;
      }
    }
  }
  return location;
}

// The line break the text already uses (that of its first line), so added
// lines look like their neighbours; CR LF for a text without one.
std::u16string_view LineBreakOf(std::u16string_view chars) {
  const std::size_t at = chars.find_first_of(u"\r\n");
  if (at == std::u16string_view::npos) return kWindowsLineBreak;
  if (chars[at] == u'\n') return u"\n";
  const bool crlf = at + 1 < chars.size() && chars[at + 1] == u'\n';
  return crlf ? kWindowsLineBreak : u"\r";
}

bool HasLineBreakOrNul(std::u16string_view text) {
  return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
}

// True when the names and the value can be written as one key line (and one
// header line) that read back as the same names and value.
bool IsStorable(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  if (HasLineBreakOrNul(section) || HasLineBreakOrNul(key) || HasLineBreakOrNul(value)) {
    return false;
  }
  const std::u16string_view trimmed_key = TrimBlanks(key);
  if (trimmed_key.empty() || trimmed_key.front() == u';' || trimmed_key.front() == u'[') {
    return false;
  }
  return key.find(u'=') == std::u16string_view::npos &&
         section.find(u']') == std::u16string_view::npos;
}

void AppendKeyLine(std::u16string_view key, std::u16string_view value,
                   std::u16string_view line_break, std::u16string* out) {
  out->append(TrimBlanks(key)).append(u"=").append(value).append(line_break);
}

// Every line break (CR LF, LF or a lone CR) as CR LF.
std::u16string WithWindowsLineBreaks(std::u16string_view chars) {
  std::u16string out;
  out.reserve(chars.size() + chars.size() / 16);
  for (std::size_t pos = 0; pos < chars.size();) {
    const Line line = LineAt(chars, pos);
    out.append(chars.substr(line.start, line.end - line.start));
    if (line.has_break()) out.append(kWindowsLineBreak);
    pos = line.next;
  }
  return out;
}

std::optional<Text> DecodeUtf16(std::string_view bytes, bool big_endian) {
  if (bytes.size() % 2 != 0) return std::nullopt;
  Text text;
  text.encoding = big_endian ? Encoding::kUtf16BeWithBom : Encoding::kUtf16LeWithBom;
  text.chars = big_endian ? UnitsFromBigEndian(bytes) : UnitsFromLittleEndian(bytes);
  if (text.chars.find(u'\0') != std::u16string::npos) return std::nullopt;
  return text;
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

int DigitValue(char16_t unit) {
  if (unit >= u'0' && unit <= u'9') return unit - u'0';
  if (unit >= u'a' && unit <= u'f') return unit - u'a' + 10;
  if (unit >= u'A' && unit <= u'F') return unit - u'A' + 10;
  return -1;
}

// The base a "0x", "0o" or "0b" prefix at `text[*pos]` selects, moving past
// the prefix; 10 and no move without one.
unsigned ReadBasePrefix(std::u16string_view text, std::size_t* pos) {
  if (*pos + 1 >= text.size() || text[*pos] != u'0') return 10;
  const char16_t letter = text[*pos + 1];
  const unsigned base = letter == u'x' ? 16 : letter == u'o' ? 8 : letter == u'b' ? 2 : 10;
  if (base != 10) *pos += 2;
  return base;
}

std::u16string_view RemoveMatchingQuotes(std::u16string_view text) {
  if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
      text.back() == text.front()) {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

}  // namespace

std::optional<Text> Decode(std::string_view bytes) {
  if (StartsWith(bytes, kUtf16LeBom)) return DecodeUtf16(bytes.substr(2), /*big_endian=*/false);
  if (StartsWith(bytes, kUtf16BeBom)) return DecodeUtf16(bytes.substr(2), /*big_endian=*/true);
  if (bytes.find('\0') != std::string_view::npos) return std::nullopt;
  Text text;
  if (StartsWith(bytes, kUtf8Bom)) {
    text.encoding = Encoding::kUtf8WithBom;
    bytes.remove_prefix(kUtf8Bom.size());
  } else if (!IsValidUtf8(bytes)) {
    text.encoding = Encoding::kAnsi;
    text.chars.assign(bytes.begin(), bytes.end());
    for (char16_t& c : text.chars) c = static_cast<unsigned char>(c);
    return text;
  }
  if (!IsValidUtf8(bytes)) return std::nullopt;
  text.chars = Utf8ToUtf16(bytes);
  return text;
}

std::string Encode(const Text& text) {
  std::string out;
  if (text.encoding == Encoding::kUtf16LeWithBom || text.encoding == Encoding::kUtf16BeWithBom) {
    const bool big_endian = text.encoding == Encoding::kUtf16BeWithBom;
    out.reserve(2 + 2 * text.chars.size());
    out.append(big_endian ? kUtf16BeBom : kUtf16LeBom);
    if (big_endian) {
      AppendBigEndianBytes(text.chars, out);
    } else {
      AppendLittleEndianBytes(text.chars, out);
    }
    return out;
  }
  if (text.encoding == Encoding::kAnsi) {
    for (const char16_t unit : text.chars) out.push_back(unit <= 0xFF ? static_cast<char>(unit) : '?');
    return out;
  }
  out.reserve(kUtf8Bom.size() + text.chars.size());
  if (text.encoding == Encoding::kUtf8WithBom) out.append(kUtf8Bom);
  AppendUtf16AsUtf8(text.chars, out);
  return out;
}

std::optional<std::u16string_view> FindValue(std::u16string_view chars, std::u16string_view section,
                                             std::u16string_view key) {
  const Location location = Locate(chars, section, key);
  if (!location.key_found) return std::nullopt;
  return chars.substr(location.value_start, location.value_end - location.value_start);
}

std::uint32_t ParseInt(std::u16string_view value, std::uint32_t default_value) {
  value = RemoveMatchingQuotes(TrimBlanks(value));
  if (value.empty()) return default_value;
  std::size_t pos = 0;
  while (pos < value.size() && IsSpace(value[pos])) ++pos;
  bool negative = false;
  if (pos < value.size() && (value[pos] == u'+' || value[pos] == u'-')) {
    negative = value[pos++] == u'-';
  }
  const unsigned base = ReadBasePrefix(value, &pos);
  // Unsigned arithmetic wraps, which keeps exactly the lower 32 bits.
  std::uint32_t result = 0;
  for (; pos < value.size(); ++pos) {
    const int digit = DigitValue(value[pos]);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
    result = static_cast<std::uint32_t>(result * base + static_cast<unsigned>(digit));
  }
  return negative ? static_cast<std::uint32_t>(0u - result) : result;
}

bool SetValue(std::u16string* chars, std::u16string_view section, std::u16string_view key,
              std::u16string_view value) {
  if (!IsStorable(section, key, value)) return false;
  const Location location = Locate(*chars, section, key);
  if (location.key_found) {
    const std::u16string text = location.has_equals ? std::u16string(value)
                                                    : u"=" + std::u16string(value);
    chars->replace(location.value_start, location.value_end - location.value_start, text);
    return true;
  }
  const std::u16string_view line_break = LineBreakOf(*chars);
  std::u16string addition;
  if (location.section_found) {
    if (!location.anchor.has_break()) addition.append(line_break);
    AppendKeyLine(key, value, line_break, &addition);
    chars->insert(location.anchor.next, addition);
    return true;
  }
  if (!chars->empty() && !IsLineBreak(chars->back())) addition.append(line_break);
  addition.append(u"[").append(TrimBlanks(section)).append(u"]").append(line_break);
  AppendKeyLine(key, value, line_break, &addition);
  chars->append(addition);
  return true;
}

std::uint32_t ReadInt(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                      std::uint32_t default_value) {
  const std::optional<Text> text = Decode(bytes);
  if (!text) return default_value;
  const std::optional<std::u16string_view> value = FindValue(text->chars, section, key);
  return value ? ParseInt(*value, default_value) : default_value;
}

bool WriteValue(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                std::u16string_view value, std::string* updated) {
  std::optional<Text> text = Decode(bytes);
  if (!text) return false;
  text->chars = WithWindowsLineBreaks(text->chars);
  if (!SetValue(&text->chars, section, key, value)) return false;
  *updated = Encode(*text);
  return true;
}

}  // namespace fennimar::platform::ini
