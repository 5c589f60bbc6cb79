// BenchHome - a private home for one benchmark run, in a new temporary
// folder that is removed at the end: XDG_CONFIG_HOME (and so the registry
// stand-in) points into it, and it holds the module folder with the
// template and HWinfo.ini, the password file and the generated documents.
#ifndef FENNIMAR_BENCH_BENCHHOME_H_
#define FENNIMAR_BENCH_BENCHHOME_H_

#include <cstdint>
#include <filesystem>
#include <string>

namespace fennimar::bench {

class BenchHome {
 public:
  // Creates the folder below $TMPDIR (or /tmp) and points XDG_CONFIG_HOME
  // and HOME at it. `template_file` is copied into the module folder.
  explicit BenchHome(const std::filesystem::path& template_file);
  ~BenchHome();
  BenchHome(const BenchHome&) = delete;
  BenchHome& operator=(const BenchHome&) = delete;

  const std::filesystem::path& root() const { return root_; }
  // The host's module file; its folder holds the template and HWinfo.ini.
  std::filesystem::path ModuleFile() const { return root_ / "module" / "host"; }
  std::filesystem::path TemplateFile() const { return root_ / "module" / "Fennimar.xml"; }
  std::filesystem::path IniFile() const { return root_ / "module" / "HWinfo.ini"; }
  std::filesystem::path HiveFile() const;
  std::filesystem::path PasswordFile() const { return root_ / "password"; }
  std::filesystem::path DocumentFile(const std::string& label) const;

  // Writes the first-use flag into the registry stand-in (creating the key).
  // Needs the library's services in place.
  static void SetFirstUse(std::uint32_t value);
  // Writes the password file and HWinfo.ini. Needs the services in place.
  void WriteSystemFiles() const;

 private:
  std::filesystem::path root_;
};

// The file system type of `path` ("ext4", "tmpfs"...), for the report.
std::string FileSystemType(const std::filesystem::path& path);

}  // namespace fennimar::bench

#endif  // FENNIMAR_BENCH_BENCHHOME_H_
