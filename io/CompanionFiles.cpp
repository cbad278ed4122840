// The topology file (bond list) and the atoms file (AtomType and charge per
// atom) that sit beside a PDB file.

#include "io/CompanionFiles.h"

#include <charconv>

#include "forcefield/WordStream.h"
#include "io/FileBytes.h"

namespace tf {

namespace {

void AppendInt(std::string& out, int32_t value) {
  char buffer[16];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, end);
}

void AppendCharge(std::string& out, float charge) {
  char buffer[64];
  auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, charge, std::chars_format::fixed, 4);
  out.append(buffer, end);
}

}  // namespace

std::u16string CompanionPath(std::u16string_view pdbPath, CompanionKind kind) {
  std::size_t at = pdbPath.find(u".pdb");
  if (at == std::u16string_view::npos) return {};
  std::u16string path(pdbPath.substr(0, at));
  path += kind == CompanionKind::Topology ? u".tftopology" : u".tfatoms";
  if (path.size() >= static_cast<std::size_t>(kPathCapacity)) return {};
  return path;
}

void ReadTopology(MoleculeStore& store, const std::optional<std::string>& bytes) {
  store.bondCount = 0;
  if (!bytes) return;
  WordStream words(*bytes);
  const int32_t atomCount = static_cast<int32_t>(store.atomCount);
  int32_t a = 0, b = 0;
  while (words.ReadInt(a) && words.ReadInt(b)) {
    if (a >= 0 && a < atomCount && b >= 0 && b < atomCount && store.bondCount < kMaxBonds)
      store.bonds[store.bondCount++] = {a, b};
  }
}

void ReadAtoms(MoleculeStore& store, const std::optional<std::string>& bytes) {
  if (!bytes || store.atomCount == 0) return;
  WordStream words(*bytes);
  for (uint32_t i = 0; i < store.atomCount; ++i) {
    int32_t atomType = 0;
    if (!words.ReadInt(atomType)) return;
    // An index the loaded table does not have would be read past later;
    // the atom keeps the type its name gave it.
    if (atomType >= 0 && static_cast<uint32_t>(atomType) < store.tables.atomTypeCount)
      store.atoms[i].atomType = atomType;
    if (!words.ReadFloat(store.atoms[i].charge)) return;
  }
}

std::string TopologyText(const MoleculeStore& store) {
  std::string out;
  out.reserve(store.bondCount * 12);
  for (uint32_t i = 0; i < store.bondCount; ++i) {
    AppendInt(out, store.bonds[i].atom1);
    out += '\t';
    AppendInt(out, store.bonds[i].atom2);
    out += "\r\n";
  }
  return out;
}

std::string AtomsText(const MoleculeStore& store) {
  std::string out;
  out.reserve(store.atomCount * 14);
  for (uint32_t i = 0; i < store.atomCount; ++i) {
    AppendInt(out, store.atoms[i].atomType);
    out += '\t';
    AppendCharge(out, store.atoms[i].charge);
    out += "\r\n";
  }
  return out;
}

bool WriteAtomsFile(const MoleculeStore& store, std::u16string_view path) {
  return WriteFileBytes(path, AtomsText(store));
}

}  // namespace tf
