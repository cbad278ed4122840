#pragma once
// The command table: what each menu item, toolbar button and accelerator
// does. Unknown ids (the panels' own controls among them) do nothing.

#include <cstdint>
#include <string_view>

#include "app/Application.h"

namespace tf {

void OnCommand(Application& app, int32_t command);

// Opens `path` as File > Open does once a file is chosen (from the command
// line or a drop): one step of the undo history. A path too long for the
// path buffer shows "Bad file." and leaves the document as it was.
void OpenDocumentFile(Application& app, std::u16string_view path);

// The manual that ships beside the program, in the start directory.
inline constexpr char16_t kManualFileName[] = u"Tessaform.html";

}  // namespace tf
