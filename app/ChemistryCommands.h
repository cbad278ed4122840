#pragma once
// The Model menu's chemistry: charges, perceiving bonds and types, adding
// hydrogens. Each works on a copy of the molecule away from the window
// thread (RunLongCommand); the window thread then takes over what the
// command changed, so a cancelled command changes nothing. The caller opens
// the edit step.

namespace tf {

struct Application;

// Partial charges of the whole molecule; the panel shows them afterwards.
void ComputeChargesOfDocument(Application& app);
// Bonds for a molecule read without its bond list, types from its
// chemistry, hydrogens on atoms that lack them: each reports its counts in
// a message once the view shows the result.
void PerceiveBondsOfDocument(Application& app);
void PerceiveTypesOfDocument(Application& app);
void AddHydrogensToDocument(Application& app);

}  // namespace tf
