#pragma once
// All-or-nothing saving of a group of files: each is written to a temporary
// file in its target's folder and flushed to disk, and only when every one was
// written completely are they renamed over their targets. A save that fails
// leaves the targets as they were and no temporary file behind.

#include <string>
#include <string_view>
#include <vector>

namespace tf {

class StagedSave {
 public:
  StagedSave() = default;
  ~StagedSave();  // removes the temporaries of a save not committed
  StagedSave(const StagedSave&) = delete;
  StagedSave& operator=(const StagedSave&) = delete;

  // Writes `bytes` to a new temporary beside `path` (UTF-16 text) with the
  // permissions of the file it replaces. False when the target is a folder or
  // the temporary cannot be written and flushed completely.
  bool Stage(std::u16string_view path, std::string_view bytes);

  // Renames the staged files over their targets in staging order. A rename
  // that fails (rare once every file is written) stops there: the files not
  // yet renamed keep their old contents.
  bool Commit();

 private:
  struct StagedFile {
    std::string temporary;
    std::string target;
  };
  std::vector<StagedFile> files_;
};

}  // namespace tf
