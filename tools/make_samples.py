#!/usr/bin/env python3
"""Builds the sample molecules in share/samples from internal coordinates.

Each molecule is a list of atoms placed by bond length, angle and torsion
against earlier atoms (a z-matrix), with its AtomType (index into the shipped
config.ini) and its bonds. The script writes the PDB file and both companion
files in the program's own formats; charges start at 0 and are filled in by
`tessaform-cli charges FILE --write`.

Usage: tools/make_samples.py OUTPUT_FOLDER
"""

import math
import os
import sys

# AtomType positions in share/config.ini.
H, C3, C2, N3, NAM, N2, O3, O2, HX = 3, 4, 5, 6, 7, 8, 9, 10, 11

TETRAHEDRAL = 109.47


def place(coords, ref, length, angle, torsion):
    """Position of a new atom bonded to ref[0] (the natural extension of a
    reference frame built from up to three earlier atoms)."""
    if not coords:
        return (0.0, 0.0, 0.0)
    a = coords[ref[0]]
    if len(coords) == 1:
        return (a[0] + length, a[1], a[2])
    b = coords[ref[1]]
    theta = math.radians(angle)
    if len(coords) == 2 or len(ref) < 3:
        # In the xy plane.
        d = [a[i] - b[i] for i in range(3)]
        n = math.sqrt(sum(x * x for x in d))
        d = [x / n for x in d]
        perp = (-d[1], d[0], 0.0)
        return tuple(a[i] - length * math.cos(theta) * d[i] + length * math.sin(theta) * perp[i]
                     for i in range(3))
    c = coords[ref[2]]
    phi = math.radians(torsion)
    bc = [a[i] - b[i] for i in range(3)]
    nbc = math.sqrt(sum(x * x for x in bc))
    bc = [x / nbc for x in bc]
    ab = [b[i] - c[i] for i in range(3)]
    n = [ab[1] * bc[2] - ab[2] * bc[1], ab[2] * bc[0] - ab[0] * bc[2], ab[0] * bc[1] - ab[1] * bc[0]]
    nn = math.sqrt(sum(x * x for x in n))
    n = [x / nn for x in n]
    m = [n[1] * bc[2] - n[2] * bc[1], n[2] * bc[0] - n[0] * bc[2], n[0] * bc[1] - n[1] * bc[0]]
    d2 = (-length * math.cos(theta), length * math.sin(theta) * math.cos(phi),
          length * math.sin(theta) * math.sin(phi))
    return tuple(a[i] + d2[0] * bc[i] + d2[1] * m[i] + d2[2] * n[i] for i in range(3))


class Molecule:
    def __init__(self, name):
        self.name = name
        self.atoms = []  # (name, residue, number, type, coords)
        self.bonds = []

    def add(self, name, residue, number, atom_type, ref=(), length=0.0, angle=0.0, torsion=0.0):
        coords = [a[4] for a in self.atoms]
        position = place(coords, list(ref), length, angle, torsion)
        self.atoms.append((name, residue, number, atom_type, position))
        index = len(self.atoms) - 1
        if ref:
            self.bonds.append((min(index, ref[0]), max(index, ref[0])))
        return index

    def bond(self, a, b):
        self.bonds.append((min(a, b), max(a, b)))

    def write(self, folder):
        base = os.path.join(folder, self.name)
        with open(base + ".pdb", "wb") as pdb:
            for serial, (name, residue, number, _, (x, y, z)) in enumerate(self.atoms, 1):
                padded = " " + name + " " if len(name) >= 4 else "  " + name.ljust(4)
                pdb.write(("ATOM%7d%s%3s A%4d    %8.3f%8.3f%8.3f\r\n" %
                           (serial, padded, residue, number, x, y, z)).encode("ascii"))
            pdb.write(b"END")
        with open(base + ".tftopology", "wb") as topology:
            for a, b in self.bonds:
                topology.write(b"%d\t%d\r\n" % (a, b))
        with open(base + ".tfatoms", "wb") as atoms:
            for atom in self.atoms:
                atoms.write(b"%d\t0.0000\r\n" % atom[3])


def methyl_hydrogens(m, carbon, back, front, residue, number, names, start_torsion=60.0):
    for k, name in enumerate(names):
        m.add(name, residue, number, H, (carbon, back, front), 1.09, TETRAHEDRAL,
              start_torsion + 120.0 * k)


def water():
    m = Molecule("water")
    o = m.add("O", "HOH", 1, O3)
    m.add("H1", "HOH", 1, HX, (o,), 0.96)
    m.add("H2", "HOH", 1, HX, (o, 1), 0.96, 104.5)
    return m


def methanol():
    m = Molecule("methanol")
    c = m.add("C1", "MOH", 1, C3)
    o = m.add("O1", "MOH", 1, O3, (c,), 1.43)
    m.add("HO", "MOH", 1, HX, (o, c), 0.96, 108.5)
    methyl_hydrogens(m, c, o, 2, "MOH", 1, ["H1", "H2", "H3"])
    return m


def ethanol():
    m = Molecule("ethanol")
    c1 = m.add("C1", "EOH", 1, C3)
    c2 = m.add("C2", "EOH", 1, C3, (c1,), 1.53)
    o = m.add("O", "EOH", 1, O3, (c2, c1), 1.43, TETRAHEDRAL)
    m.add("HO", "EOH", 1, HX, (o, c2, c1), 0.96, 108.5, 180.0)
    methyl_hydrogens(m, c1, c2, o, "EOH", 1, ["H11", "H12", "H13"])
    m.add("H21", "EOH", 1, H, (c2, c1, o), 1.09, TETRAHEDRAL, 120.0)
    m.add("H22", "EOH", 1, H, (c2, c1, o), 1.09, TETRAHEDRAL, -120.0)
    return m


def acetone():
    m = Molecule("acetone")
    c = m.add("C", "ACN", 1, C2)
    o = m.add("O", "ACN", 1, O2, (c,), 1.23)
    c1 = m.add("C1", "ACN", 1, C3, (c, o), 1.51, 121.0)
    c3 = m.add("C3", "ACN", 1, C3, (c, o, c1), 1.51, 121.0, 180.0)
    methyl_hydrogens(m, c1, c, o, "ACN", 1, ["H11", "H12", "H13"], 0.0)
    methyl_hydrogens(m, c3, c, o, "ACN", 1, ["H31", "H32", "H33"], 0.0)
    return m


def benzene():
    m = Molecule("benzene")
    radius, h_radius = 1.40, 1.40 + 1.08
    for k in range(6):
        angle = math.radians(60.0 * k)
        m.atoms.append(("C%d" % (k + 1), "BNZ", 1, C2,
                        (radius * math.cos(angle), radius * math.sin(angle), 0.0)))
    for k in range(6):
        angle = math.radians(60.0 * k)
        m.atoms.append(("H%d" % (k + 1), "BNZ", 1, H,
                        (h_radius * math.cos(angle), h_radius * math.sin(angle), 0.0)))
    for k in range(6):
        m.bond(k, (k + 1) % 6)
        m.bond(k, k + 6)
    return m


def alanine_dipeptide():
    """Acetyl-alanine-N-methylamide in the extended conformation."""
    m = Molecule("alanine-dipeptide")
    ch3 = m.add("CH3", "ACE", 1, C3)
    c = m.add("C", "ACE", 1, C2, (ch3,), 1.51)
    o = m.add("O", "ACE", 1, O2, (c, ch3), 1.23, 121.0)
    n = m.add("N", "ALA", 2, NAM, (c, ch3, o), 1.33, 116.0, 180.0)
    h = m.add("H", "ALA", 2, HX, (n, c, o), 1.01, 120.0, 180.0)
    ca = m.add("CA", "ALA", 2, C3, (n, c, o), 1.46, 122.0, 0.0)
    cc = m.add("C", "ALA", 2, C2, (ca, n, c), 1.52, 110.0, 180.0)       # phi
    oc = m.add("O", "ALA", 2, O2, (cc, ca, n), 1.23, 121.0, 0.0)         # psi = 180
    cb = m.add("CB", "ALA", 2, C3, (ca, n, cc), 1.53, 110.0, -120.0)
    m.add("HA", "ALA", 2, H, (ca, n, cc), 1.09, 109.0, 120.0)
    methyl_hydrogens(m, cb, ca, n, "ALA", 2, ["HB1", "HB2", "HB3"])
    n3 = m.add("N", "NME", 3, NAM, (cc, ca, oc), 1.33, 116.0, 180.0)
    m.add("H", "NME", 3, HX, (n3, cc, oc), 1.01, 120.0, 180.0)
    cn = m.add("CH3", "NME", 3, C3, (n3, cc, oc), 1.46, 122.0, 0.0)
    methyl_hydrogens(m, ch3, c, o, "ACE", 1, ["HH31", "HH32", "HH33"], 0.0)
    methyl_hydrogens(m, cn, n3, cc, "NME", 3, ["HH31", "HH32", "HH33"])
    del h
    return m


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_samples.py OUTPUT_FOLDER")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for build in (water, methanol, ethanol, acetone, benzene, alanine_dipeptide):
        build().write(folder)


if __name__ == "__main__":
    main()
