#pragma once
// The four ways the view draws the molecule, and the one table of the radii
// each draws atoms and bonds with. Picking, fitting the zoom and drawing all
// read their radii here.

#include <cstdint>

#include "forcefield/ForceFieldTables.h"
#include "model/Atom.h"

namespace tf {

enum ModelStyle : int32_t { kWireframe = 0, kSpacefill = 1, kSticks = 2, kBallStick = 3 };

struct StyleRadii {
  // Sphere radius in Angstrom; 0 draws no spheres, a negative value draws
  // each atom at its ChemicalType radius.
  float sphere;
  float bond;  // cylinder radius; 0 draws bonds as lines (or not at all)
  // Radius within which a click hits an atom where no sphere is drawn:
  // Wireframe draws a lone atom as a cross, and atoms can be picked there too.
  float pick;
};

inline constexpr float kAtomOwnRadius = -1.0f;

// By ModelStyle; a style outside the table has all radii 0.
StyleRadii RadiiOfStyle(int32_t style);

// Radius of the sphere drawn for `atom` in `style` (0: none).
float DrawnAtomRadius(const ForceFieldTables& tables, const Atom& atom, int32_t style);

// Radius within which a click hits `atom` in `style` (0: nothing is hit).
float PickRadius(const ForceFieldTables& tables, const Atom& atom, int32_t style);

}  // namespace tf
