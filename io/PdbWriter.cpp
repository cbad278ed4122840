// Writing the PDB file and its companions. Lines keep the standard PDB
// columns whenever the values fit them, so other programs read them too; a
// value wider than its field shifts the rest of the line, and the reader then
// falls back to reading words.

#include <charconv>
#include <string>

#include "base/FixedText.h"
#include "io/CompanionFiles.h"
#include "io/MoleculeFiles.h"
#include "io/StagedSave.h"

namespace tf {

namespace {

void AppendRight(std::string& out, std::string_view text, std::size_t width) {
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

void AppendInt(std::string& out, int32_t value, std::size_t width) {
  char buffer[16];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  AppendRight(out, std::string_view(buffer, end - buffer), width);
}

void AppendCoordinate(std::string& out, double value) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  std::string_view text(buffer, end - buffer);
  // A value that fills its field would run into the digits before it; a
  // blank keeps the two numbers apart (the line then shifts).
  if (text.size() >= 8 && text[0] != '-') out += ' ';
  AppendRight(out, text, 8);
}

// Coordinates go back to the file's frame (stored point plus fileOrigin).
void AppendAtomLine(std::string& out, const Atom& atom, const Vector3& origin) {
  out += "ATOM";
  AppendInt(out, atom.serial, 7);
  std::string name = ToLatin1(TextView(atom.name));
  if (name.size() >= 4) {
    // Long names start in column 13 and keep a blank before the residue name.
    out += ' ';
    out += name;
    out += ' ';
  } else {
    out += "  ";
    out += name;
    out.append(4 - name.size(), ' ');
  }
  std::string fragment = ToLatin1(TextView(atom.fragmentName));
  if (fragment.size() == 4) {
    out += fragment;  // columns 18-21, chain identifier right after in 22
    out += 'A';
  } else {
    AppendRight(out, fragment, 3);
    out += " A";
  }
  AppendInt(out, atom.fragmentNumber, 4);
  out += "    ";
  AppendCoordinate(out, static_cast<double>(atom.x) + origin.x);
  AppendCoordinate(out, static_cast<double>(atom.y) + origin.y);
  AppendCoordinate(out, static_cast<double>(atom.z) + origin.z);
  out += "\r\n";
}

std::string PdbText(const Document& document) {
  std::string out;
  out.reserve(document.atomCount * 56 + 3);
  for (uint32_t i = 0; i < document.atomCount; ++i)
    AppendAtomLine(out, document.atoms[i], document.fileOrigin);
  out += "END";
  return out;
}

}  // namespace

bool WriteMolecule(Document& document) {
  std::u16string_view path = TextView(document.filePath);
  std::u16string topology = CompanionPath(path, CompanionKind::Topology);
  StagedSave save;
  bool saved = save.Stage(path, PdbText(document));
  if (saved && !topology.empty()) {
    saved = save.Stage(topology, TopologyText(document)) &&
            save.Stage(CompanionPath(path, CompanionKind::Atoms), AtomsText(document));
  }
  saved = saved && save.Commit();
  return saved;
}

}  // namespace tf
