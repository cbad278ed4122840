#pragma once
// The command table: what each menu item, toolbar button and accelerator
// does. Unknown ids (the panels' own controls among them) do nothing.

#include <cstdint>
#include <string_view>

#include "app/Application.h"

namespace tf {

void OnCommand(Application& app, int32_t command);

// The manual that ships beside the program, in the start directory.
inline constexpr char16_t kManualFileName[] = u"Tessaform.html";

}  // namespace tf
