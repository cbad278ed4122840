#pragma once
// Brings an opened molecule into view: its bounding box is centred on the
// world origin, and the file origin remembers the shift so a save writes the
// file's own coordinates back.

namespace tf {

struct Document;

// Translates every atom so that the centre of the atoms' axis-aligned
// bounding box lies at the origin and adds the translation to fileOrigin. An
// empty molecule stays as it is. Takes modelLock: never call it while
// holding modelLock.
void CenterMolecule(Document& document);

}  // namespace tf
