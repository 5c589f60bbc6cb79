#include "bench/BenchHome.h"

#include <sys/vfs.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "fennimar/FennimarDllInterface.h"
#include "src/common/Names.h"
#include "src/common/Utf.h"
#include "src/platform/wiring/Wiring.h"
#include "src/system/PasswordFile.h"

namespace fennimar::bench {
namespace {

namespace fs = std::filesystem;

fs::path MakeTemporaryFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string pattern = (tmpdir && *tmpdir ? std::string(tmpdir) : "/tmp");
  pattern += "/fennimar-bench.XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return fs::path(buffer.data());
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

}  // namespace

BenchHome::BenchHome(const fs::path& template_file) : root_(MakeTemporaryFolder()) {
  fs::create_directories(root_ / "config");
  fs::create_directories(root_ / "module");
  fs::create_directories(root_ / "documents");
  fs::copy_file(template_file, TemplateFile());
  ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  ::setenv("HOME", root_.c_str(), 1);
}

BenchHome::~BenchHome() {
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

fs::path BenchHome::HiveFile() const {
  return root_ / "config" / "fennimar" / "HKEY_CURRENT_USER.reg";
}

fs::path BenchHome::DocumentFile(const std::string& label) const {
  return root_ / "documents" / (label + ".xml");
}

void BenchHome::SetFirstUse(std::uint32_t value) {
  platform::Registry& registry = *platform::DefaultServices().registry;
  platform::RegKey key = platform::kNullKey;
  const unsigned char data[4] = {static_cast<unsigned char>(value & 0xFF),
                                 static_cast<unsigned char>(value >> 8 & 0xFF),
                                 static_cast<unsigned char>(value >> 16 & 0xFF),
                                 static_cast<unsigned char>(value >> 24 & 0xFF)};
  Check(registry.CreateKey(platform::kHkeyCurrentUser, names::kProductKey, &key).ok(),
        "cannot create the product key");
  Check(registry.SetValue(key, names::kIsFirstUse, platform::kRegDword, data, 4).ok(),
        "cannot write the first-use flag");
  (void)registry.CloseKey(key);
}

void BenchHome::WriteSystemFiles() const {
  WriteText(IniFile(), "[systemrequest]\r\nIsFirstFlag=1\r\n");
  SavePasswordFile(*platform::DefaultServices().files, CString(Utf8ToUtf16(PasswordFile().string())), CString(u"open sesame"));
}

std::string FileSystemType(const fs::path& path) {
  struct statfs info {};
  if (::statfs(path.c_str(), &info) != 0) return "unknown";
  switch (static_cast<unsigned long>(info.f_type)) {
    case 0xEF53: return "ext2/3/4";
    case 0x01021994: return "tmpfs";
    case 0x9123683E: return "btrfs";
    case 0x58465342: return "xfs";
    case 0x794C7630: return "overlayfs";
    default: return "other";
  }
}

}  // namespace fennimar::bench
