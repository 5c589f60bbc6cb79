// IniText - the INI file format as the Windows INI service reads and writes it,
// on whole files held in memory: finding a key's value, converting it to an
// integer, and changing one value while keeping every other line.
//
// A file is UTF-16 (either byte order) or UTF-8 with a byte order mark, UTF-8
// without one, or else 8-bit text in the ANSI code page, as the Windows
// service reads it; here that code page is Latin-1, where every byte stands
// for one character and back, so every byte a rewrite does not change is
// kept (a character Latin-1 cannot hold is written as '?', as the service
// writes one its code page cannot hold). An odd byte count in UTF-16 and NUL
// characters are unreadable: such a file reads as empty and is never
// rewritten.
//
// Lines end with CR LF, LF or a lone CR. "[name]" starts a section (a line
// with "[" but no "]" does not); a line whose first non-blank character is ";"
// is a comment; a blank line is nothing; any other line is a key. A section
// name runs to the first "]"; a key's name runs to the first "=", and a key
// line without "=" is all name, with an empty value. Section and key names
// match ASCII case-insensitively, ignoring surrounding spaces and tabs; the
// first matching section and the first matching key in it win.
#ifndef FENNIMAR_PLATFORM_STANDIN_INI_INITEXT_H_
#define FENNIMAR_PLATFORM_STANDIN_INI_INITEXT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fennimar::platform::ini {

// How a file's text is stored, so that a rewrite stores it the same way.
enum class Encoding { kUtf8, kUtf8WithBom, kUtf16LeWithBom, kUtf16BeWithBom, kAnsi };

struct Text {
  Encoding encoding = Encoding::kUtf8;
  std::u16string chars;  // the whole text, without the byte order mark
};

// Decodes a file's bytes; nullopt when they are in none of the forms above.
std::optional<Text> Decode(std::string_view bytes);
// The bytes of `text` in its encoding, byte order mark included.
std::string Encode(const Text& text);

// The value text of `key` in `section`, surrounding spaces and tabs removed;
// nullopt when the section or the key is missing.
std::optional<std::u16string_view> FindValue(std::u16string_view chars, std::u16string_view section,
                                             std::u16string_view key);

// Converts a value as GetPrivateProfileInt does: surrounding quotes removed,
// an empty value gives `default_value`; otherwise optional white space and
// sign, an optional "0x", "0o" or "0b" prefix, and the digits of that base up
// to the first other character (none gives 0). The lower 32 bits are kept.
std::uint32_t ParseInt(std::u16string_view value, std::uint32_t default_value);

// Sets `key` in `section` to `value`, changing nothing else: an existing key
// gets the text of its value replaced, the blanks around it and the rest of
// the line kept (a key line without "=" gets "=" and the value after its
// name); a missing key is added after the section's last line that is not
// blank (its header when it has no other); a missing section is added at the
// end, after a line break if the text does not end with one. Added lines end
// with the text's own line break (that of its first line; CR LF when it has
// none). False, with `*chars` unchanged, when a name or the value cannot be
// stored as one line that reads back the same: a line break or NUL anywhere,
// "=" in the key, "]" in the section, or a key that is empty or would read as
// a comment or a section.
bool SetValue(std::u16string* chars, std::u16string_view section, std::u16string_view key,
              std::u16string_view value);

// The whole read of an integer from a file's bytes: `default_value` when the
// file is unreadable or the section, key or value is missing or empty.
std::uint32_t ReadInt(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                      std::uint32_t default_value);

// The whole edit of a file's bytes: `*updated` receives the file with the one
// value set and, as the Windows service writes a file back, every line ending
// with CR LF. A file that does not exist yet is passed as empty bytes: it
// becomes UTF-8 without a byte order mark. False when the bytes are
// unreadable or SetValue refuses.
bool WriteValue(std::string_view bytes, std::u16string_view section, std::u16string_view key,
                std::u16string_view value, std::string* updated);

}  // namespace fennimar::platform::ini

#endif  // FENNIMAR_PLATFORM_STANDIN_INI_INITEXT_H_
