#include "app/ChooseMoleculeFile.h"

#include <filesystem>
#include <system_error>

#include "app/DocumentTitle.h"
#include "base/FixedText.h"
#include "io/MoleculeFiles.h"

namespace tf {
namespace {

constexpr std::size_t kLongestPath = kPathCapacity - 1;

const std::vector<std::u16string>& OpenFilters() {
  static const std::vector<std::u16string> filters = {
      u"Molecule files (*.pdb *.ent *.sdf *.mol *.mol2 *.xyz *.cif *.mmcif *.cml)",
      u"Protein Databank (*.pdb *.ent)",
      u"MDL SDF or MOL (*.sdf *.mol)",
      u"Tripos MOL2 (*.mol2)",
      u"XYZ coordinates (*.xyz)",
      u"mmCIF (*.cif *.mmcif)",
      u"Chemical Markup Language (*.cml)",
  };
  return filters;
}

struct SaveFormat {
  const char16_t* filter;
  MoleculeFormat format;
};

constexpr SaveFormat kSaveFormats[] = {
    {kPdbFilter, MoleculeFormat::kPdb},
    {u"MDL SDF (*.sdf)", MoleculeFormat::kSdf},
    {u"Tripos MOL2 (*.mol2)", MoleculeFormat::kMol2},
    {u"XYZ coordinates (*.xyz)", MoleculeFormat::kXyz},
};

int32_t SaveFilterOf(std::u16string_view path) {
  const std::optional<MoleculeFormat> format = FormatOfPath(path);
  for (int32_t i = 0; i < static_cast<int32_t>(std::size(kSaveFormats)); ++i)
    if (format && kSaveFormats[i].format == *format) return i;
  return 0;
}

bool FileExists(std::u16string_view path) {
  std::error_code error;
  return std::filesystem::exists(std::filesystem::path(ToUtf8(path)), error);
}

// Asks about the file a save will write; false: choose again.
bool ConfirmSave(DesktopShell& desktop, const FileDialogRequest& request,
                 std::u16string_view path) {
  const std::u16string name(FileNameOf(path));
  if (!FileExists(path))
    return desktop.AskYesNo(request.title, name + u"\nThis file does not exist.\nCreate the file?");
  return desktop.AskYesNo(request.title, name + u" already exists.\nDo you want to replace it?");
}

}  // namespace

std::u16string SavePath(std::u16string_view path, MoleculeFormat format) {
  std::u16string result(path);
  if (format == MoleculeFormat::kPdb) {
    if (result.find(u".pdb") == std::u16string::npos) result += u".pdb";
    return result;
  }
  if (FormatOfPath(result) != format) result += u"." + std::u16string(DefaultExtension(format));
  return result;
}

std::optional<std::u16string> ChooseMoleculeFile(const Document& document, DesktopShell& desktop,
                                                 FileChoice choice) {
  const bool open = choice == FileChoice::kOpen;
  FileDialogRequest request{
      open, open ? u"Open File" : u"Save File", {}, 0, std::u16string(TextView(document.filePath))};
  if (open) {
    request.filters = OpenFilters();
  } else {
    for (const SaveFormat& format : kSaveFormats) request.filters.emplace_back(format.filter);
    if (choice == FileChoice::kSave) request.selectedFilter = SaveFilterOf(request.proposedPath);
  }
  for (;;) {
    const std::optional<FileDialogChoice> chosen = desktop.RunFileDialog(request);
    if (!chosen || chosen->path.empty()) return std::nullopt;
    const int32_t filter =
        chosen->filter >= 0 && chosen->filter < static_cast<int32_t>(std::size(kSaveFormats))
            ? chosen->filter
            : 0;
    const std::u16string path =
        open ? chosen->path : SavePath(chosen->path, kSaveFormats[filter].format);
    if (path.size() > kLongestPath) {
      desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
      return std::nullopt;
    }
    if (open || ConfirmSave(desktop, request, path)) return path;
    request.proposedPath = chosen->path;
    request.selectedFilter = filter;
  }
}

}  // namespace tf
