// RegValues - registry values as `fennimar reg` shows and takes them: type
// names as the registry editor spells them, and the data of each type as
// text (REG_SZ as text, REG_DWORD as a number, REG_BINARY as hex bytes).
#ifndef FENNIMAR_CLI_REGVALUES_H_
#define FENNIMAR_CLI_REGVALUES_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "cli/Output.h"
#include "src/platform/standin/registry/HiveFormat.h"

namespace fennimar::cli {

// "REG_SZ", "REG_DWORD"... or "REG_0xN" for a type without a name.
std::string RegTypeName(std::uint32_t type);

// The type that `reg add --type` names: REG_SZ, REG_DWORD or REG_BINARY
// (case-insensitive); fails (usage) listing them.
std::uint32_t ParseRegType(std::string_view name);

// The bytes stored for `text` as data of `type`: REG_SZ as UTF-16LE with its
// terminating zero (as the registry editor stores it); REG_DWORD as 4 bytes,
// little-endian, from a decimal or 0x-hex number (negative numbers as their
// 32-bit two's complement); REG_BINARY from hex bytes, optionally separated
// by commas or spaces. Fails (usage) for text the type cannot take.
std::string EncodeRegData(std::uint32_t type, std::string_view text);

// The data for people: text for the string types, "0x0000000a (10)" for
// numbers, hex bytes "01,02,ff" for everything else or anything malformed.
std::string FormatRegData(const platform::HiveValue& value);

// {"name", "type", "data"} with data as a JSON string, number or list.
Json RegValueToJson(const platform::HiveValue& value);

}  // namespace fennimar::cli

#endif  // FENNIMAR_CLI_REGVALUES_H_
