#include "app/ChooseMoleculeFile.h"

#include <filesystem>
#include <system_error>

#include "forcefield/FixedText.h"
#include "io/MoleculeFiles.h"

namespace tf {
namespace {

constexpr std::size_t kLongestPath = kPathCapacity - 1;

bool FileExists(std::u16string_view path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(ToUtf8(path)), error);
}

std::u16string_view FileName(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u'/');
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

// Asks about the file the command will read or write; false: choose again.
bool ConfirmChoice(DesktopShell& desktop, const FileDialogRequest& request,
                   std::u16string_view path) {
  const std::u16string name(FileName(path));
  if (!FileExists(path))
    return desktop.AskYesNo(request.title, name + u"\nThis file does not exist.\nCreate the file?");
  if (!request.open)
    return desktop.AskYesNo(request.title, name + u" already exists.\nDo you want to replace it?");
  return true;
}

}  // namespace

std::u16string SavePath(std::u16string_view path) {
  std::u16string result(path);
  if (result.find(u".pdb") == std::u16string::npos) result += u".pdb";
  return result;
}

bool ChooseMoleculeFile(MoleculeStore& store, DesktopShell& desktop, bool open) {
  FileDialogRequest request{open, open ? u"Open File" : u"Save File", kPdbFilter, kPdbPattern,
                            std::u16string(TextView(store.filePath))};
  for (;;) {
    const std::optional<std::u16string> chosen = desktop.RunFileDialog(request);
    if (!chosen || chosen->empty()) {
      const std::u16string current = SavePath(TextView(store.filePath));
      if (!open && current.size() <= kLongestPath) SetFilePath(store, current);
      return false;
    }
    const std::u16string path = open ? *chosen : SavePath(*chosen);
    if (path.size() > kLongestPath) {
      ShowMessage(store.shell, u"Bad file.", MessageIcon::Warning);
      return false;
    }
    if (ConfirmChoice(desktop, request, path)) {
      SetFilePath(store, path);
      return true;
    }
    request.proposedPath = *chosen;
  }
}

}  // namespace tf
