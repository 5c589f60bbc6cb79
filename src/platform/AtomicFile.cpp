// AtomicFile - writes a whole file by the write-a-temporary-then-rename
// method, through the FileSystem interface only, so that it is the same on
// every platform and tests can make any step fail.
//
// The order is what makes it safe: the temporary's data reaches the disk
// (Sync) and the file is closed before the rename, so the name never points
// at a file whose content might still be lost; the folder is flushed after
// the rename so that the new name itself survives a power loss.
#include "src/platform/AtomicFile.h"

#include <cerrno>
#include <memory>
#include <string>

#include "src/platform/Paths.h"

namespace fennimar::platform {
namespace {

// Added to the target's name; the file system adds a unique suffix after it.
constexpr std::u16string_view kTemporaryMarker = u".fennimar-tmp";
constexpr unsigned kOwnerWrite = 0200;

// The permission bits the replacement gets: the existing file's, or
// `new_file_mode` when there is none yet. A file its owner may not write is
// not replaced: the rename would ignore its permissions, where the system's
// own services refuse to write such a file.
Status ChooseMode(FileSystem& files, std::u16string_view target, unsigned new_file_mode,
                  unsigned* mode) {
  const Status status = files.GetPermissions(target, mode);
  if (status.ok() && (*mode & kOwnerWrite) == 0) {
    return Status::IoError("the file is read-only", EACCES).Because(Status::Cause::kReadOnlyFile);
  }
  if (!status.IsNotFound()) return status;
  *mode = new_file_mode;
  return Status::Ok();
}

// The folder to flush after the rename. A name directly below the root has
// an empty ParentFolder, which would otherwise mean the current folder.
std::u16string FolderOf(std::u16string_view target) {
  std::u16string folder = ParentFolder(target);
  if (folder.empty() && !target.empty() && target.front() == PathSeparator()) {
    folder.assign(1, PathSeparator());
  }
  return folder;
}

Status WriteAndClose(WritableFile& file, const FileFiller& fill) {
  Status status = fill(file);
  if (status.ok()) status = file.Sync();
  if (status.ok()) status = file.Close();
  return status;
}

// Creates the temporary beside `target` and fills it. On failure nothing is
// left behind and `temporary` is meaningless. Temporaries that writers killed
// mid-save left for this target are removed first, so that they never pile
// up; that clean-up is housekeeping, and its failure never stops the save.
Status WriteTemporary(FileSystem& files, std::u16string_view target, const FileFiller& fill,
                      unsigned mode, std::u16string* temporary) {
  std::u16string prefix(target);
  prefix.append(kTemporaryMarker);
  (void)files.RemoveStaleUniqueFiles(prefix);
  std::unique_ptr<WritableFile> file;
  const Status created = files.CreateUniqueFile(prefix, mode, temporary, &file);
  if (!created.ok()) return created;
  const Status written = WriteAndClose(*file, fill);
  file.reset();  // closed before it is removed, for systems that care
  if (!written.ok()) (void)files.RemoveFile(*temporary);
  return written;
}

}  // namespace

// A failure of the last step, the folder flush, is reported even though the
// rename has happened: the new content is complete and in place, but whether
// it would survive a power loss is not known, and the caller should hear it.
Status WriteFileAtomically(FileSystem& files, std::u16string_view path, std::string_view bytes,
                           unsigned new_file_mode) {
  return WriteFileAtomically(
      files, path, [bytes](WritableFile& file) { return file.Append(bytes); }, new_file_mode);
}

Status WriteFileAtomically(FileSystem& files, std::u16string_view path, const FileFiller& fill,
                           unsigned new_file_mode) {
  std::u16string target;
  Status status = files.ResolveLinks(path, &target);
  if (!status.ok()) return status;
  unsigned mode = 0;
  status = ChooseMode(files, target, new_file_mode, &mode);
  if (!status.ok()) return status;
  std::u16string temporary;
  status = WriteTemporary(files, target, fill, mode, &temporary);
  if (!status.ok()) return status;
  status = files.RenameFile(temporary, target);
  if (!status.ok()) {
    (void)files.RemoveFile(temporary);
    return status;
  }
  return files.SyncDirectory(FolderOf(target));
}

}  // namespace fennimar::platform
