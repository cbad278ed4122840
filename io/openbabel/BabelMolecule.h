#pragma once
// Translation between the document and Open Babel's molecule, and the
// chemistry read off Open Babel's molecule. Only the sources of io/openbabel/
// include this header: nothing else sees Open Babel.

#include <openbabel/mol.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/Math.h"
#include "forcefield/ForceFieldTables.h"
#include "io/MoleculeFormat.h"
#include "model/Atom.h"
#include "model/Document.h"
#include "model/TypeRoles.h"

namespace tf::babel {

// Open Babel's name of a format ("sdf", "mol2", "xyz", "mmcif", "cml").
const char* BabelFormatName(MoleculeFormat format);

// Open Babel reports problems to a log of its own; this keeps that log off
// standard error and empties it, so the next problem is the one looked for.
void ClearBabelLog();
// The last error Open Babel logged since ClearBabelLog, one line; empty if none.
std::string LastBabelError();

// The molecule of a document as it was at one moment, copied under
// modelLock so Open Babel works on it while a worker goes on moving atoms.
struct MoleculeCopy {
  std::vector<Atom> atoms;
  std::vector<Bond> bonds;
  Vector3 fileOrigin = {0, 0, 0};
};
MoleculeCopy CopyMolecule(Document& document);

// Atomic number of an element symbol in any case ("CL", "Cl"); 0 when the
// symbol names no element.
int AtomicNumberOfSymbol(std::u16string_view symbol);

// Atomic number of the atom's AtomType's element; 0 when it has none.
int AtomicNumberOfType(const ForceFieldTables& tables, int32_t atomType);

// Element symbol as the parameter file writes it: upper case ("C", "CL").
std::string UpperSymbol(int atomicNumber);

// Fills `molecule` (emptied first) with the copy's atoms in order (document
// index i is Open Babel's atom i + 1), their elements from their types and
// their file coordinates, and each valid bond once as a single bond.
void FillMolecule(OpenBabel::OBMol& molecule, const MoleculeCopy& copy,
                  const ForceFieldTables& tables);

// Bond orders and hydrogens the atoms lack, perceived from the geometry:
// for a molecule whose bonds are all single because its file had no orders.
void PerceiveOrdersFromGeometry(OpenBabel::OBMol& molecule);

// The role of an atom by its element, bond orders, aromaticity and neighbours.
TypeRole RoleOfAtom(OpenBabel::OBAtom& atom);

// The AtomType perception gives an atom of `molecule`.
int32_t PerceivedType(const ForceFieldTables& tables, OpenBabel::OBAtom& atom);

// Replaces the emptied document's molecule with the first kMaxAtoms atoms of
// `molecule`, named by element and a running number per element, with their
// residues (else "LIG" 1), coordinates, charges (withCharges, else 0) and
// types of their elements, and its bonds between them up to the capacity.
struct TakenMolecule {
  uint32_t atomsLeftOut = 0;
  uint32_t bondsLeftOut = 0;
};
TakenMolecule TakeMolecule(Document& document, const ForceFieldTables& tables,
                           OpenBabel::OBMol& molecule, bool withCharges);

// The perceived type of every taken atom, from `molecule`'s bond orders.
void TakeTypes(Document& document, const ForceFieldTables& tables, OpenBabel::OBMol& molecule);

}  // namespace tf::babel
