#pragma once
// The main window's command surface: the menu bar with its exact texts, the
// toolbar's eleven buttons and the accelerator keys. Each only produces a
// command id; the application decides what it does and moves the marks.

#include <QKeySequence>
#include <QToolBar>
#include <cstdint>
#include <functional>
#include <map>

class QAction;
class QMenuBar;
class QToolButton;
class QWidget;

namespace tf {

using CommandSink = std::function<void(int32_t command)>;

// Fills `menuBar` with File, View, Model and Help. Returns the actions by
// command id; View items are checkable, the Model items form a radio group.
std::map<int32_t, QAction*> BuildMenus(QMenuBar& menuBar, const CommandSink& send);

// A flat toolbar of 24 x 24 images whose texts appear only as tooltips.
// Returns the buttons by command id. The tool buttons show a check that only
// SetChecked moves: clicking a button just sends its command.
QToolBar* BuildToolbar(QWidget* parent, const CommandSink& send,
                       std::map<int32_t, QToolButton*>& buttons);

// The accelerator table, active while `window` or a tool window it owns is
// the active window, except while `suppressed` says no.
void AddAccelerators(QWidget& window, const CommandSink& send,
                     const std::function<bool()>& suppressed);

}  // namespace tf
