#include "bench/BenchServices.h"

#include "src/common/Utf.h"
#include "src/platform/standin/StandIns.h"

namespace fennimar::bench {

bool CountingFileSystem::PathExists(std::u16string_view path) { return real_.PathExists(path); }

Status CountingFileSystem::CreateDirectory(std::u16string_view path) {
  return real_.CreateDirectory(path);
}

Status CountingFileSystem::Identify(std::u16string_view path, platform::FileIdentity* identity) {
  return real_.Identify(path, identity);
}

Status CountingFileSystem::ReadFile(std::u16string_view path, std::size_t max_bytes,
                                    std::string* bytes) {
  return real_.ReadFile(path, max_bytes, bytes);
}

Status CountingFileSystem::ReadSeenFile(std::u16string_view path, std::size_t max_bytes,
                                        const platform::FileIdentity& seen, std::string* bytes) {
  return real_.ReadSeenFile(path, max_bytes, seen, bytes);
}

Status CountingFileSystem::ReadFileIfChanged(std::u16string_view path, std::size_t max_bytes,
                                             platform::FileIdentity* identity, std::string* bytes,
                                             bool* read) {
  return real_.ReadFileIfChanged(path, max_bytes, identity, bytes, read);
}

Status CountingFileSystem::CreateUniqueFile(std::u16string_view prefix, unsigned mode,
                                            std::u16string* created_path,
                                            std::unique_ptr<platform::WritableFile>* file) {
  return real_.CreateUniqueFile(prefix, mode, created_path, file);
}

Status CountingFileSystem::RemoveStaleUniqueFiles(std::u16string_view prefix) {
  return real_.RemoveStaleUniqueFiles(prefix);
}

Status CountingFileSystem::RenameFile(std::u16string_view from, std::u16string_view to) {
  ++renames;
  return real_.RenameFile(from, to);
}

Status CountingFileSystem::RemoveFile(std::u16string_view path) { return real_.RemoveFile(path); }

Status CountingFileSystem::SyncDirectory(std::u16string_view folder) {
  return real_.SyncDirectory(folder);
}

Status CountingFileSystem::GetPermissions(std::u16string_view path, unsigned* mode) {
  return real_.GetPermissions(path, mode);
}

Status CountingFileSystem::ResolveLinks(std::u16string_view path, std::u16string* resolved) {
  return real_.ResolveLinks(path, resolved);
}

Status CountingFileSystem::LockFile(std::u16string_view path,
                                    std::unique_ptr<platform::FileLock>* lock) {
  return real_.LockFile(path, lock);
}

Status CountingFileSystem::LockExistingFile(std::u16string_view path,
                                            std::unique_ptr<platform::FileLock>* lock) {
  return real_.LockExistingFile(path, lock);
}

BenchServices::BenchServices(const std::string& module_file)
    : files_(*platform::DefaultServices().files),
      module_(Utf8ToUtf16(module_file)),
      dom_(platform::NewPugiXmlDom(files_)) {
  platform::Services services;
  services.files = &files_;
  services.dom = dom_.get();
  services.module = &module_;
  services.sleeper = &sleeper_;
  scoped_ = std::make_unique<platform::ScopedServices>(services);
}

ServiceCounts CountsOf(BenchServices& services) {
  return {services.sleeper().waits, services.sleeper().total_milliseconds,
          services.files().renames};
}

}  // namespace fennimar::bench
