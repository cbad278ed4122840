#pragma once
// The molecule file formats, told apart by the file name's extension.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tf {

enum class MoleculeFormat : uint8_t { kPdb, kSdf, kMol2, kXyz, kCif, kCml };

// The format of a path by its extension, in any case: .pdb/.ent, .sdf/.mol,
// .mol2, .xyz, .cif/.mmcif, .cml. Nothing for any other extension.
std::optional<MoleculeFormat> FormatOfPath(std::u16string_view path);

// Whether the program can write the format (PDB with its companions, SDF,
// MOL2 and XYZ).
bool CanWriteFormat(MoleculeFormat format);

// The extension, without its dot, that the Save dialog appends for the
// format ("pdb", "sdf", ...).
std::u16string_view DefaultExtension(MoleculeFormat format);

}  // namespace tf
