#include "bench/PugiFloor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fennimar::bench::pugi_floor {
namespace {

constexpr const char* kApplicationFields[] = {"key", "path", "parameter", "descriptionName"};
constexpr const char* kWorkspaceFields[] = {"key",          "name",         "styleID",
                                            "mouseStyle",   "emRecylePath", "fuRecylePath",
                                            "mouseNo",      "recyleNo",     "useTarsel"};
constexpr int kSwitchCount = 4;

bool SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

pugi::xml_node Section(const pugi::xml_document& document, const char* name) {
  return document.document_element().child(name);
}

// Sum of the lengths of the named attributes; false when one is missing.
template <std::size_t N>
bool ReadAttributes(pugi::xml_node element, const char* const (&names)[N], std::size_t* total) {
  for (const char* name : names) {
    const pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute) return false;
    *total += std::strlen(attribute.value());
  }
  return true;
}

template <std::size_t N>
std::size_t WalkRecords(const pugi::xml_document& document, const char* section,
                        const char* const (&names)[N]) {
  std::size_t total = 0;
  for (pugi::xml_node child = Section(document, section).first_child(); child;
       child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    if (!ReadAttributes(child, names, &total)) break;
  }
  return total;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  struct stat info {};
  if (::fstat(fd, &info) == 0) {
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (got <= 0) break;
      done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
  }
  ::close(fd);
  return bytes;
}

bool ParseMemory(const std::string& bytes, pugi::xml_document* document) {
  return document->load_buffer(bytes.data(), bytes.size(), kParseFlags, pugi::encoding_auto);
}

bool ParseFile(const std::string& path, pugi::xml_document* document) {
  return document->load_file(path.c_str(), kParseFlags, pugi::encoding_auto);
}

bool SaveAtomically(const pugi::xml_document& document, const std::string& path) {
  const std::string temporary = path + ".floor-tmp";
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return false;
  pugi::xml_writer_file writer(file);
  document.save(writer, kIndent, kSaveFlags, pugi::encoding_utf8);
  bool ok = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  ok = std::fclose(file) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  return ok && SyncFolder(std::filesystem::path(path).parent_path().string());
}

std::size_t WalkApplications(const pugi::xml_document& document) {
  return WalkRecords(document, "AppList", kApplicationFields);
}

std::size_t WalkWorkspaces(const pugi::xml_document& document) {
  return WalkRecords(document, "WorkspaceSetting", kWorkspaceFields);
}

int WalkSwitches(const pugi::xml_document& document) {
  int sum = 0;
  pugi::xml_node child = Section(document, "GlobalSetting").first_child();
  for (int i = 0; child && i < kSwitchCount; ++i, child = child.next_sibling()) {
    sum += std::atoi(child.child_value());
  }
  return sum;
}

int WalkSwitch(const pugi::xml_document& document, int position) {
  pugi::xml_node child = Section(document, "GlobalSetting").first_child();
  for (int i = 0; child && i < position; ++i) child = child.next_sibling();
  return child ? std::atoi(child.child_value()) : 0;
}

std::size_t WalkBackground(const pugi::xml_document& document) {
  const pugi::xml_node folder = Section(document, "BackgroundSetting").first_child();
  if (!folder) return 0;
  const std::size_t length = std::strlen(folder.child_value());
  const pugi::xml_node sequence = folder.next_sibling();
  return length + (sequence ? static_cast<std::size_t>(std::atoi(sequence.child_value())) : 0);
}

}  // namespace fennimar::bench::pugi_floor
