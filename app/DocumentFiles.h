#pragma once
// File > New, Open and Save, and ending the program, so that no change is
// thrown away without asking: while the document has changed since it was
// opened or saved, New, Open, a dropped file and closing the window first ask
// "Save changes to NAME?" (Save, Discard, Cancel).

#include <string_view>

namespace tf {

struct Application;

// The save question, when the document has changed. True when the caller may
// go on: nothing had changed, the user discarded the changes, or saved them
// (to the current file, or through the Save dialog when there is none) and
// the save succeeded. False after Cancel or a failed or cancelled save.
bool OfferToSaveChanges(Application& app);

// File > New: an empty document without a file path, one step of the history.
void NewDocument(Application& app);

// File > Open: the save question, then the open dialog.
void OpenDocument(Application& app);

// File > Save: the save dialog (the current file's format chosen), then the
// file in the chosen format. Whether it was written.
bool SaveDocument(Application& app);

// File > Save As...: the same with PDB chosen first.
bool SaveDocumentAs(Application& app);

// File > New from SMILES...: the save question, then the SMILES dialog; the
// molecule built from the string replaces the document (one undo step, no
// file path). A string that cannot be built says so and changes nothing.
void NewDocumentFromSmiles(Application& app);

// Opens `path` as File > Open does once a file is chosen (from the command
// line or a drop), after the save question. The molecule is replaced only
// when the file can be read; then the view is reset and fitted to it, and it
// is one step of the undo history. Otherwise "Bad file." is shown and the
// document, the view and the history stay as they were.
void OpenDocumentFile(Application& app, std::u16string_view path);

// Esc, File > Exit, Alt+F4 and the window's close box: the save question,
// then the main window is destroyed and the program ends.
void CloseMainWindow(Application& app);

}  // namespace tf
