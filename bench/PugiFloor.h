// PugiFloor - the same work done with pugixml and plain system calls alone:
// what the library's figures are compared with. Parse and save use the flags
// that give the tree the library keeps and the bytes the library writes.
#ifndef FENNIMAR_BENCH_PUGIFLOOR_H_
#define FENNIMAR_BENCH_PUGIFLOOR_H_

#include <cstddef>
#include <pugixml.hpp>
#include <string>

namespace fennimar::bench::pugi_floor {

// pugixml's defaults plus what the settings document keeps: declaration,
// comments and processing instructions. Layout white space is not parsed.
inline constexpr unsigned kParseFlags =
    pugi::parse_default | pugi::parse_declaration | pugi::parse_comments | pugi::parse_pi;
// The layout the library saves in.
inline constexpr char kIndent[] = "  ";
inline constexpr unsigned kSaveFlags = pugi::format_indent | pugi::format_no_declaration;

// The whole file in one read into a buffer of the file's size.
std::string ReadWholeFile(const std::string& path);
bool ParseMemory(const std::string& bytes, pugi::xml_document* document);
// pugixml's load_file: pugixml reads the file and parses its own buffer.
bool ParseFile(const std::string& path, pugi::xml_document* document);
// pugixml's save into a temporary beside `path`, flushed and synced, closed,
// renamed over `path`, and the folder synced: the library's write sequence.
bool SaveAtomically(const pugi::xml_document& document, const std::string& path);

// Walks over the nodes each reader visits, reading every value it reads.
// The results only keep the compiler from dropping the work.
std::size_t WalkApplications(const pugi::xml_document& document);
std::size_t WalkWorkspaces(const pugi::xml_document& document);
int WalkSwitches(const pugi::xml_document& document);
int WalkSwitch(const pugi::xml_document& document, int position);
std::size_t WalkBackground(const pugi::xml_document& document);

}  // namespace fennimar::bench::pugi_floor

#endif  // FENNIMAR_BENCH_PUGIFLOOR_H_
