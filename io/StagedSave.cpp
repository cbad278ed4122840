#include "io/StagedSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "base/FixedText.h"
#include "io/WriteFailures.h"

namespace tf {

namespace {

constexpr int kNameAttempts = 100;

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Creates a file no one else uses in `folder`; -1 when the folder takes none.
int CreateTemporary(const std::string& folder, std::string& name) {
  static std::atomic<uint32_t> counter{0};
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = folder + "/.tf-save-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes, bool failPartway) {
  // An injected failure stops halfway, leaving a partial temporary to clean up.
  if (failPartway) bytes = bytes.substr(0, bytes.size() / 2);
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return !failPartway;
}

// Makes the renames themselves last across a power cut.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

StagedSave::~StagedSave() {
  for (const StagedFile& file : files_) ::unlink(file.temporary.c_str());
}

bool StagedSave::Stage(std::u16string_view path, std::string_view bytes) {
  if (path.empty()) return false;
  std::string target = ToUtf8(path);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  // A folder would make the rename fail after other files were already replaced.
  if (replacing && S_ISDIR(old.st_mode)) return false;

  std::string temporary;
  int fd = CreateTemporary(FolderOf(target), temporary);
  if (fd < 0) return false;
  bool written = (!replacing || ::fchmod(fd, old.st_mode & 07777) == 0) &&
                 WriteAll(fd, bytes, WriteFails(target)) && ::fsync(fd) == 0;
  written = ::close(fd) == 0 && written;
  if (!written) {
    ::unlink(temporary.c_str());
    return false;
  }
  files_.push_back({std::move(temporary), std::move(target)});
  return true;
}

bool StagedSave::Commit() {
  while (!files_.empty()) {
    const StagedFile& file = files_.front();
    if (::rename(file.temporary.c_str(), file.target.c_str()) != 0) return false;
    SyncFolder(FolderOf(file.target));
    files_.erase(files_.begin());
  }
  return true;
}

}  // namespace tf
