#include "src/common/Utf.h"

#include <cstdint>
#include <cstring>

namespace fennimar {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Decodes one code point at `utf8[*pos]` and advances `*pos`. A bad sequence
// gives U+FFFD and advances past its first byte only, so that the bytes after
// it are decoded again (the usual "maximal subpart" replacement).
char32_t DecodeOne(std::string_view utf8, std::size_t* pos) {
  const auto lead = static_cast<unsigned char>(utf8[*pos]);
  if (lead < 0x80) {
    ++*pos;
    return lead;
  }
  int length = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    ++*pos;
    return kReplacement;
  }
  if (*pos + length > utf8.size()) {
    ++*pos;
    return kReplacement;
  }
  for (int i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(utf8[*pos + i]);
    if (!IsContinuation(byte)) {
      ++*pos;
      return kReplacement;
    }
    code = (code << 6) | (byte & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++*pos;
    return kReplacement;
  }
  *pos += length;
  return code;
}

void AppendCodePointAsUtf8(char32_t code, std::string& out) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code >> 6)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

// The length of the run of ASCII bytes at `pos`. Settings text is mostly
// ASCII, so eight bytes are tested at once.
std::size_t AsciiRun(std::string_view bytes, std::size_t pos) {
  const std::size_t start = pos;
  constexpr std::uint64_t kHighBits = 0x8080808080808080ull;
  while (pos + 8 <= bytes.size()) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + pos, 8);
    if ((word & kHighBits) != 0) break;
    pos += 8;
  }
  while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) < 0x80) ++pos;
  return pos - start;
}

// Appends ASCII bytes as the same number of UTF-16 units.
void AppendAscii(std::string_view ascii, std::u16string& out) {
  const std::size_t at = out.size();
  out.resize(at + ascii.size());
  for (std::size_t i = 0; i < ascii.size(); ++i) {
    out[at + i] = static_cast<char16_t>(static_cast<unsigned char>(ascii[i]));
  }
}

}  // namespace

void AppendUtf8AsUtf16(std::string_view utf8, std::u16string& out) {
  // Never more units than bytes, so one allocation at most.
  if (out.capacity() < out.size() + utf8.size()) out.reserve(out.size() + utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t ascii = AsciiRun(utf8, pos);
    if (ascii > 0) {
      AppendAscii(utf8.substr(pos, ascii), out);
      pos += ascii;
      continue;
    }
    const char32_t code = DecodeOne(utf8, &pos);
    if (code < 0x10000) {
      out.push_back(static_cast<char16_t>(code));
    } else {
      out.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    }
  }
}

namespace {

// Paths and names are mostly ASCII: a run of it is copied unit by unit into
// room made once.
std::size_t AppendAsciiUnits(std::u16string_view utf16, std::size_t at, std::string& out) {
  std::size_t end = at;
  while (end < utf16.size() && utf16[end] < 0x80) ++end;
  const std::size_t filled = out.size();
  out.resize(filled + (end - at));
  for (std::size_t i = at; i < end; ++i) out[filled + (i - at)] = static_cast<char>(utf16[i]);
  return end;
}

}  // namespace

void AppendUtf16AsUtf8(std::u16string_view utf16, std::string& out) {
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    i = AppendAsciiUnits(utf16, i, out);
    if (i == utf16.size()) break;
    const char16_t unit = utf16[i];
    char32_t code = unit;
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      code = kReplacement;  // an unpaired surrogate
    }
    AppendCodePointAsUtf8(code, out);
  }
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  AppendUtf8AsUtf16(utf8, out);
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  AppendUtf16AsUtf8(utf16, out);
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    pos += AsciiRun(bytes, pos);
    if (pos == bytes.size()) break;
    const std::size_t start = pos;
    const char32_t code = DecodeOne(bytes, &pos);
    // U+FFFD is valid when it was really encoded (3 bytes: EF BF BD).
    if (code == kReplacement && pos - start != 3) return false;
  }
  return true;
}

}  // namespace fennimar
