#pragma once
// The Atom Information panel's logic: the texts it shows for the selection,
// writing edited texts back into the selected atoms, its sorted type list and
// its bond button. The Qt panel only moves texts between its widgets and
// these functions. Coordinates are shown and read in the file's frame (the
// stored point plus fileOrigin), so they match the file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Application.h"

namespace tf {

// The nine display texts, one per field. Texts read from the widgets are cut
// to kAtomInfoTextLimit characters.
struct AtomInfoTexts {
  std::u16string id, name, charge, x, y, z, fragmentName, fragmentNumber, type;
};
inline constexpr std::size_t kAtomInfoTextLimit = 255;

// The type-list entry that stands for mixed values; "Apply" leaves them as they are.
inline constexpr char16_t kMixedEntry[] = u"*";

// Composes the texts from the selection and returns selectedCount. No atom:
// the first eight texts are empty and the type text is left as it was. One
// atom (the selected atom of lowest index): serial, name, charge "%.4f",
// x, y, z "%.3f", fragment name and number, AtomType name. Numbers always
// use "." as the decimal point. Several atoms:
// the first one's name, charge, fragment name and number and type, each "*"
// when any other selected atom differs in it; ID, X, Y and Z stay empty.
// Takes modelLock.
int32_t FillAtomInfo(Document& document, const ForceFieldTables& tables, AtomInfoTexts& texts);

// Writes back the texts the user edited: a field whose text is still the one
// the panel showed (`shown`) keeps its value exactly. One atom: every edited
// field. Several atoms: edited name, charge and fragment name and number
// unless their text begins with "*"; ID and coordinates are not used. Then,
// unless the type text begins with "*", every selected atom whose AtomType is
// not the one named by the first word of the type text gets that type
// (SetAtomType, which also renames it). Names keep their first 4 characters;
// numbers follow ReadInteger and ReadDecimal, and a text that holds none
// keeps the field. Takes modelLock, then SetAtomType takes it.
void ApplyAtomInfo(Document& document, const ForceFieldTables& tables, const AtomInfoTexts& typed,
                   const AtomInfoTexts& shown);

// Entries "name (symbol,spN,description)" of every loaded AtomType and the
// mixed entry "*", sorted as a sorted list box shows them (ignoring case).
std::vector<std::u16string> AtomTypeListEntries(const ForceFieldTables& tables);

// What the panel shows after a refresh.
struct AtomInfoView {
  AtomInfoTexts texts;
  int32_t selectedCount = 0;
  bool idAndCoordinatesEnabled = true;  // ID, X, Y and Z: 0 or 1 atom selected
  int32_t typeEntry = -1;               // entry to select; -1 keeps the current one
  bool bondButtonEnabled = false;       // exactly two atoms selected
  std::u16string bondButtonLabel;       // "Add Bond" / "Delete Bond"; empty keeps the label
};

// FillAtomInfo, and the first entry (from the top) that begins with the type
// text, ignoring case.
AtomInfoView RefreshAtomInfo(Document& document, const ForceFieldTables& tables,
                             const std::vector<std::u16string>& entries);

// "Apply" (or Enter in a field): ApplyAtomInfo, redraw, refresh the panel,
// focus back to the main window.
void PressAtomInfoApply(Application& app, const AtomInfoTexts& typed, const AtomInfoTexts& shown);

// The bond button: ToggleBond (which relabels it), redraw, focus back.
void PressBondButton(Application& app);

}  // namespace tf
