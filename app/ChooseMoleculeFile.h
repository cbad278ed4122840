#pragma once
// Choosing the file for File > Open, Save and Save As. The dialog only picks
// a name and a filter; the rules live here: the extension of a save, the
// questions about missing and existing files of a save, and paths too long
// for the path buffer.

#include <optional>
#include <string>
#include <string_view>

#include "app/DesktopShell.h"
#include "io/MoleculeFormat.h"
#include "model/Document.h"

namespace tf {

inline constexpr char16_t kPdbFilter[] = u"Protein Databank (*.pdb)";

enum class FileChoice {
  kOpen,    // every format the program reads; "Molecule files (...)" first
  kSave,    // the formats it writes, the current file's format first chosen
  kSaveAs,  // the formats it writes, PDB first chosen
};

// The path of a save in `format`. PDB: ".pdb" appended unless the text
// ".pdb" occurs anywhere in it (case-sensitive: "WATER.PDB" becomes
// "WATER.PDB.pdb", "a.pdbx" stays). The others: their extension appended
// unless the path ends with one of theirs, in any case.
std::u16string SavePath(std::u16string_view path, MoleculeFormat format = MoleculeFormat::kPdb);

// Shows the open ("Open File") or save ("Save File") dialog with the current
// file path proposed, and returns the name the user confirmed; nothing when
// the dialog was cancelled. The open dialog offers only files that exist.
// Before accepting a save it asks whether to go on with a file that does not
// exist or to replace one that does; "No" returns to the dialog. A save is
// asked about under the path with the chosen format's extension added. A
// path that would not fit the path buffer shows "Bad file." and returns
// nothing. The current file path is never changed here.
std::optional<std::u16string> ChooseMoleculeFile(const Document& document, DesktopShell& desktop,
                                                 FileChoice choice);

}  // namespace tf
