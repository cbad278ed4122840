#pragma once
// Choosing the file for File > Open and File > Save. The dialog only picks a
// name; the rules live here: the ".pdb" extension of a save, the questions
// about missing and existing files of a save, and paths too long for the
// path buffer.

#include <optional>
#include <string>
#include <string_view>

#include "app/DesktopShell.h"
#include "model/Document.h"

namespace tf {

inline constexpr char16_t kPdbFilter[] = u"Protein Databank (*.pdb)";
inline constexpr char16_t kPdbPattern[] = u"*.pdb";

// The path of a save: ".pdb" appended unless the text ".pdb" occurs anywhere
// in it (case-sensitive: "WATER.PDB" becomes "WATER.PDB.pdb", "a.pdbx" stays).
std::u16string SavePath(std::u16string_view path);

// Shows the open (open = true, "Open File") or save ("Save File") dialog with
// the current file path proposed, and returns the name the user confirmed;
// nothing when the dialog was cancelled. The open dialog offers only files
// that exist. Before accepting a save it asks whether to go on with a file
// that does not exist or to replace one that does; "No" returns to the
// dialog. A save is asked about under the path with ".pdb" added. A path that
// would not fit the path buffer shows "Bad file." and returns nothing. The
// current file path is never changed here.
std::optional<std::u16string> ChooseMoleculeFile(const Document& document, DesktopShell& desktop,
                                                 bool open);

}  // namespace tf
