// Reading a hive from the registry editor's export format (see HiveFormat.h).
#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include "src/common/RegistryNumbers.h"
#include "src/common/Utf.h"
#include "src/common/Utf16Bytes.h"
#include "src/platform/Registry.h"
#include "src/platform/standin/registry/HiveFormat.h"
#include "src/platform/standin/registry/HiveInternal.h"

namespace fennimar::platform {
namespace {

using hive_internal::FindUnpairedSurrogate;
using hive_internal::FoldName;
using hive_internal::kHiveHeader;

constexpr std::string_view kOldHeader = "REGEDIT4";
constexpr std::string_view kBlanks = " \t";
constexpr std::size_t kNoKey = static_cast<std::size_t>(-1);

// ---- Bytes and text --------------------------------------------------------

std::string_view TrimLeft(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  return text.substr(0, text.find_last_not_of(kBlanks) + 1);
}

bool ConsumePrefixIgnoringCase(std::string_view* text, std::string_view prefix) {
  if (text->size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    const char c = (*text)[i];
    if ((c >= 'A' && c <= 'Z' ? c + 0x20 : c) != prefix[i]) return false;
  }
  text->remove_prefix(prefix.size());
  return true;
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One to eight hex digits.
bool ParseHexNumber(std::string_view digits, std::uint32_t* number) {
  if (digits.empty() || digits.size() > 8) return false;
  *number = 0;
  for (const char c : digits) {
    const int value = HexDigitValue(c);
    if (value < 0) return false;
    *number = *number << 4 | static_cast<std::uint32_t>(value);
  }
  return true;
}

// Bytes separated by commas, fed one line at a time: a list continued on the
// next line reads as if the lines were joined.
class HexListReader {
 public:
  bool Feed(std::string_view segment) {
    for (const char c : segment) {
      if (c == ' ' || c == '\t') {
        closed_ = closed_ || digits_ > 0;
      } else if (c == ',') {
        if (digits_ == 0) return false;
        bytes_.push_back(static_cast<char>(byte_));
        digits_ = 0, byte_ = 0, closed_ = false;
      } else {
        const int value = HexDigitValue(c);
        if (value < 0 || closed_ || digits_ == 2) return false;
        byte_ = byte_ << 4 | static_cast<unsigned>(value);
        ++digits_;
      }
    }
    return true;
  }
  // False when the list ends with a comma.
  bool Finish(std::string* bytes) {
    if (digits_ > 0) {
      bytes_.push_back(static_cast<char>(byte_));
    } else if (!bytes_.empty()) {
      return false;
    }
    *bytes = std::move(bytes_);
    return true;
  }

 private:
  std::string bytes_;
  unsigned byte_ = 0;
  int digits_ = 0;
  bool closed_ = false;  // blanks followed the digits of the current byte
};

std::string AtLine(std::size_t line, std::string_view what) {
  return "line " + std::to_string(line) + ": " + std::string(what);
}

// The line number at unit `position`.
std::size_t LineAt(std::u16string_view text, std::size_t position) {
  return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + position, u'\n'));
}

// UTF-16LE text after its byte-order mark, as UTF-8.
Status DecodeUtf16(std::string_view bytes, std::string* utf8) {
  const std::u16string units = UnitsFromLittleEndian(bytes);
  const std::size_t bad = FindUnpairedSurrogate(units);
  if (bad != std::u16string::npos) {
    return Status::Corrupt(AtLine(LineAt(units, bad), "a broken UTF-16 surrogate pair"));
  }
  if (bytes.size() % 2 != 0) {
    return Status::Corrupt(
        AtLine(LineAt(units, units.size()), "the UTF-16 text ends in half a unit"));
  }
  utf8->reserve(units.size());
  AppendUtf16AsUtf8(units, *utf8);
  return Status::Ok();
}

// The file's text as UTF-8 without a byte-order mark; `storage` holds it when
// it had to be converted.
Status DecodeText(std::string_view bytes, std::string* storage, std::string_view* text) {
  *text = bytes;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    text->remove_prefix(3);
  } else if (bytes.substr(0, 2) == "\xFE\xFF") {
    return Status::Corrupt(AtLine(1, "big-endian UTF-16 is not accepted"));
  } else if (bytes.substr(0, 2) == "\xFF\xFE") {
    if (Status decoded = DecodeUtf16(bytes.substr(2), storage); !decoded.ok()) return decoded;
    *text = *storage;
  }
  return Status::Ok();
}

// Reads the text line by line into keys in file order. Keys named but not
// listed are created above the keys that need them; a key listed twice gets
// the values of both sections, the later of two equal names winning.
class HiveParser {
 public:
  explicit HiveParser(std::string_view text) : text_(text) {}

  Status Run(Hive* hive) {
    if (Status header = ReadHeader(); !header.ok()) return header;
    for (bool more = true;;) {
      if (Status next = NextLine(&more); !next.ok()) return next;
      if (!more) return Finish(hive);
      if (Status read = ReadLine(Trim(line_)); !read.ok()) return read;
    }
  }

 private:
  // A child of `parent` (kNoKey for a root) by its case-folded name.
  struct Child {
    std::size_t parent;
    std::u16string folded;
    bool operator==(const Child& other) const {
      return parent == other.parent && folded == other.folded;
    }
  };
  struct ChildHash {
    std::size_t operator()(const Child& child) const {
      return std::hash<std::u16string>()(child.folded) ^ (child.parent * 0x9E3779B97F4A7C15u);
    }
  };

  Status Error(std::string_view what) const { return Status::Corrupt(AtLine(line_number_, what)); }

  Status NextLine(bool* more) {
    *more = position_ < text_.size();
    if (!*more) return Status::Ok();
    const std::size_t end = std::min(text_.find('\n', position_), text_.size());
    line_ = text_.substr(position_, end - position_);
    position_ = end + 1;
    ++line_number_;
    if (!line_.empty() && line_.back() == '\r') line_.remove_suffix(1);
    if (line_.find('\0') != std::string_view::npos) return Error("a NUL byte");
    if (line_.find('\r') != std::string_view::npos) return Error("a carriage return inside a line");
    if (!IsValidUtf8(line_)) return Error("text that is not UTF-8");
    return Status::Ok();
  }

  Status ReadHeader() {
    bool more = false;
    if (Status next = NextLine(&more); !next.ok()) return next;
    if (!more) return Status::Corrupt(AtLine(1, "the file is empty"));
    const std::string_view header = Trim(line_);
    if (header == kHiveHeader) return Status::Ok();
    old_format_ = header == kOldHeader;
    return old_format_ ? Status::Ok() : Error("the header \"Windows Registry Editor\" is missing");
  }

  Status ReadLine(std::string_view line) {
    if (line.empty() || line[0] == ';') return Status::Ok();
    if (line[0] == '[') return ReadKeyLine(line);
    if (line[0] == '"' || line[0] == '@') return ReadValueLine(line);
    return Error("a line that is neither a key, a value nor a comment");
  }

  Status ReadKeyLine(std::string_view line) {
    if (line.size() < 2 || line.back() != ']') return Error("a key without its closing bracket");
    const std::string_view inner = line.substr(1, line.size() - 2);
    if (!inner.empty() && inner[0] == '-') return Error("deleting a key is not accepted here");
    const std::u16string path = Utf8ToUtf16(inner);
    if (Status checked = CheckKeyPath(path); !checked.ok()) return Error(checked.message());
    return EnsureKey(path);
  }

  // Makes `path` and the keys above it exist, and the current key.
  Status EnsureKey(std::u16string_view path) {
    std::size_t parent = kNoKey;
    for (std::size_t start = 0; start <= path.size();) {
      const std::size_t end = std::min(path.find(u'\\', start), path.size());
      const std::u16string_view name = path.substr(start, end - start);
      const auto [child, added] =
          children_.try_emplace(Child{parent, FoldName(name)}, keys_.size());
      if (added) {
        std::u16string full(name);
        if (parent != kNoKey) full = keys_[parent].path() + u'\\' + full;
        path_units_ += full.size();
        // Such keys could never be written back into a hive file.
        if (path_units_ > kMaxHiveBytes) return Error("the keys named imply too many parent keys");
        keys_.push_back(HiveBuilder::MakeKey(std::move(full)));
      }
      parent = child->second;
      start = end + 1;
    }
    current_ = parent;
    return Status::Ok();
  }

  Status ReadValueLine(std::string_view line) {
    if (current_ == kNoKey) return Error("a value before the first key");
    HiveValue value;
    if (line[0] == '@') {
      line.remove_prefix(1);
    } else if (Status name = ReadQuoted(&line, &value.name); !name.ok()) {
      return name;
    }
    if (Status checked = CheckValueName(value.name); !checked.ok()) return Error(checked.message());
    line = TrimLeft(line);
    if (line.empty() || line[0] != '=') return Error("a value name not followed by '='");
    if (Status data = ReadData(TrimLeft(line.substr(1)), &value); !data.ok()) return data;
    HiveBuilder::ValuesOf(keys_[current_]).push_back(std::move(value));
    return Status::Ok();
  }

  // A quoted text at the start of `*text`, which is advanced past it.
  Status ReadQuoted(std::string_view* text, std::u16string* unquoted) {
    std::string utf8;
    for (std::size_t i = 1; i < text->size(); ++i) {
      char c = (*text)[i];
      if (c == '"') {
        *unquoted = Utf8ToUtf16(utf8);
        text->remove_prefix(i + 1);
        return Status::Ok();
      }
      if (c == '\\' && ++i < text->size()) {
        c = (*text)[i];
        if (c != '\\' && c != '"') return Error("an unknown escape after a backslash");
      }
      utf8.push_back(c);
    }
    return Error("a text without its closing quote");
  }

  Status ReadData(std::string_view data, HiveValue* value) {
    if (!data.empty() && data[0] == '"') {
      std::u16string text;
      if (Status quoted = ReadQuoted(&data, &text); !quoted.ok()) return quoted;
      if (!Trim(data).empty()) return Error("text after the closing quote");
      value->type = kRegSz;
      value->data = LittleEndianBytes(text) + std::string(2, '\0');
      return Status::Ok();
    }
    if (Trim(data) == "-") return Error("deleting a value is not accepted here");
    if (ConsumePrefixIgnoringCase(&data, "dword:")) return ReadDword(Trim(data), value);
    if (ConsumePrefixIgnoringCase(&data, "hex:")) {
      value->type = kRegBinary;
    } else if (ConsumePrefixIgnoringCase(&data, "hex(")) {
      const std::size_t close = data.find("):");
      if (close == std::string_view::npos || !ParseHexNumber(data.substr(0, close), &value->type)) {
        return Error("a malformed hex(type)");
      }
      data.remove_prefix(close + 2);
    } else {
      return Error("data of an unknown form");
    }
    return ReadHexData(data, value);
  }

  Status ReadDword(std::string_view digits, HiveValue* value) {
    std::uint32_t number = 0;
    if (!ParseHexNumber(digits, &number)) return Error("a dword that is not 1 to 8 hex digits");
    value->type = kRegDword;
    value->data = DwordBytes(number);
    return Status::Ok();
  }

  // A byte list, continued on the next line after a trailing backslash.
  Status ReadHexData(std::string_view segment, HiveValue* value) {
    HexListReader reader;
    for (;;) {
      segment = Trim(segment);
      const bool continued = !segment.empty() && segment.back() == '\\';
      if (continued) segment.remove_suffix(1);
      if (!reader.Feed(segment)) return Error("a malformed hex byte");
      if (!continued) break;
      bool more = false;
      if (Status next = NextLine(&more); !next.ok()) return next;
      if (!more) return Error("the file ends inside a continued value");
      segment = line_;
    }
    if (!reader.Finish(&value->data)) return Error("a hex byte list ending in a comma");
    // The old format held expandable and multiple strings in 8-bit text.
    if (old_format_ && (value->type == kRegExpandSz || value->type == kRegMultiSz)) {
      value->data = LittleEndianBytes(Utf8ToUtf16(value->data));
    }
    return Status::Ok();
  }

  Status Finish(Hive* hive) {
    for (HiveKey& key : keys_) MergeRepeatedValues(HiveBuilder::ValuesOf(key));
    HiveBuilder::KeysOf(*hive) = std::move(keys_);
    return Status::Ok();
  }

  static void MergeRepeatedValues(std::vector<HiveValue>& values) {
    if (values.size() < 2) return;
    std::unordered_map<std::u16string, std::size_t> seen;
    std::vector<HiveValue> merged;
    for (HiveValue& value : values) {
      const auto [first, added] = seen.try_emplace(FoldName(value.name), merged.size());
      if (added) {
        merged.push_back(std::move(value));
      } else {
        merged[first->second].type = value.type;
        merged[first->second].data = std::move(value.data);
      }
    }
    values = std::move(merged);
  }

  std::string_view text_;
  std::size_t position_ = 0;
  std::size_t line_number_ = 0;
  std::string_view line_;
  bool old_format_ = false;
  std::size_t current_ = kNoKey;
  std::size_t path_units_ = 0;
  std::vector<HiveKey> keys_;
  std::unordered_map<Child, std::size_t, ChildHash> children_;
};

}  // namespace

Status ParseHive(std::string_view file_bytes, Hive* out) {
  if (file_bytes.size() > kMaxHiveBytes) {
    return Status::Corrupt("the hive file is " + std::to_string(file_bytes.size()) +
                           " bytes, over the limit of " + std::to_string(kMaxHiveBytes));
  }
  std::string storage;
  std::string_view text;
  if (Status decoded = DecodeText(file_bytes, &storage, &text); !decoded.ok()) return decoded;
  Hive hive;
  if (Status parsed = HiveParser(text).Run(&hive); !parsed.ok()) return parsed;
  *out = std::move(hive);
  return Status::Ok();
}

}  // namespace fennimar::platform
