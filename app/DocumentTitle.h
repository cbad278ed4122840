#pragma once
// How the window and the save question name the document: the file name of
// its path, or "the new molecule" while it has none. The title reads
// "NAME - Tessaform", with "*" before NAME while the document has changed
// since it was opened or saved, and a bare "Tessaform" for a new document
// that has not changed.

#include <string>
#include <string_view>

namespace tf {

struct Application;

inline constexpr char16_t kProgramName[] = u"Tessaform";
inline constexpr char16_t kNewDocumentName[] = u"the new molecule";

// The last part of `path`, after its final '/'.
std::u16string_view FileNameOf(std::u16string_view path);

// FileNameOf(path); "the new molecule" for an empty path.
std::u16string DocumentName(std::u16string_view path);

std::u16string WindowTitle(std::u16string_view path, bool changed);

// Sets the main window's title from the document now.
void UpdateWindowTitle(Application& app);

}  // namespace tf
