#include "app/qt/CommandSurface.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <vector>

#include "app/WindowMessages.h"
#include "app/qt/Pictures.h"

namespace tf {
namespace {

struct MenuItem {
  const char* text;  // null: a separator
  int32_t command;
};

struct MenuDefinition {
  const char* title;
  std::vector<MenuItem> items;
};

// A tab, then five spaces, before each shortcut text, as the menu resource stores it.
const std::vector<MenuDefinition>& Menus() {
  static const std::vector<MenuDefinition> menus{
      {"File",
       {{"New\t     Ctrl+N", kCmdNew},
        {"New from SMILES...", kCmdNewFromSmiles},
        {"Open\t     Ctrl+O", kCmdOpen},
        {"Save\t     Ctrl+S", kCmdSave},
        {"Save As...", kCmdSaveAs},
        {"Export Image...", kCmdExportImage},
        {nullptr, 0},
        {"Exit\t     Alt+F4", kCmdExit}}},
      {"Edit", {{"Undo\t     Ctrl+Z", kCmdUndo}, {"Redo\t     Ctrl+Y", kCmdRedo}}},
      {"View",
       {{"Atom Info", kCmdViewAtomInfo},
        {"Shaping", kCmdViewShaping},
        {nullptr, 0},
        {"Color by Strain", kCmdColorByStrain}}},
      {"Model",
       {{"Wireframe", kCmdWireframe},
        {"Spacefill", kCmdSpacefill},
        {"Sticks", kCmdSticks},
        {"Ball-Stick", kCmdBallStick},
        {nullptr, 0},
        {"Perceive Bonds\t     P", kCmdPerceiveBonds},
        {"Perceive Types", kCmdPerceiveTypes},
        {"Add Hydrogens", kCmdAddHydrogens},
        {nullptr, 0},
        {"Minimize\t     Ctrl+M", kCmdMinimize}}},
      {"Help", {{"View Help", kCmdViewHelp}, {nullptr, 0}, {"About", kCmdAbout}}},
  };
  return menus;
}

// A button that never changes its own check: the window moves it.
class CommandButton : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void nextCheckState() override {}
};

struct ButtonDefinition {
  int32_t command;  // 0: a separator
  int image;        // index into the toolbar images; -1 for a standard file image
  QStyle::StandardPixmap standard;
  const char* themeIcon;
  const char* tooltip;
};

}  // namespace

std::map<int32_t, QAction*> BuildMenus(QMenuBar& menuBar, const CommandSink& send) {
  std::map<int32_t, QAction*> actions;
  auto* models = new QActionGroup(&menuBar);
  models->setExclusive(true);
  for (const MenuDefinition& definition : Menus()) {
    QMenu* menu = menuBar.addMenu(QString::fromUtf8(definition.title));
    for (const MenuItem& item : definition.items) {
      if (item.text == nullptr) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(QString::fromUtf8(item.text));
      const int32_t command = item.command;
      if (command == kCmdUndo || command == kCmdRedo) action->setEnabled(false);  // no steps yet
      if (command == kCmdViewAtomInfo || command == kCmdViewShaping || command == kCmdColorByStrain)
        action->setCheckable(true);
      if (command >= kCmdWireframe && command <= kCmdBallStick) {
        action->setCheckable(true);
        models->addAction(action);
      }
      QObject::connect(action, &QAction::triggered, &menuBar, [send, command] { send(command); });
      actions[command] = action;
    }
  }
  return actions;
}

QToolBar* BuildToolbar(QWidget* parent, const CommandSink& send,
                       std::map<int32_t, QToolButton*>& buttons) {
  static const ButtonDefinition kButtons[] = {
      {kCmdNew, -1, QStyle::SP_FileIcon, "document-new", "New Molecule (Ctrl+N)"},
      {kCmdOpen, -1, QStyle::SP_DialogOpenButton, "document-open", "Open Molecule (Ctrl+O)"},
      {kCmdSave, -1, QStyle::SP_DialogSaveButton, "document-save", "Save Molecule (Ctrl+S)"},
      {0, 0, {}, nullptr, nullptr},
      {kCmdStartShaping, 0, {}, nullptr, "Start Shaping (F5)"},
      {kCmdStopShaping, 1, {}, nullptr, "Stop Shaping (F6)"},
      {kCmdCharges, 2, {}, nullptr, "Charges (C)"},
      {0, 0, {}, nullptr, nullptr},
      {kCmdSelectTool, 3, {}, nullptr, "Select (F1)"},
      {kCmdRectangularTool, 4, {}, nullptr, "Rectangular (F2)"},
      {kCmdFreeformTool, 5, {}, nullptr, "Freeform (F3)"},
  };
  auto* toolbar = new QToolBar(parent);
  toolbar->setObjectName("toolbar");
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setIconSize(QSize(24, 24));
  toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const std::vector<QImage> images = ToolbarImages();
  for (const ButtonDefinition& definition : kButtons) {
    if (definition.command == 0) {
      toolbar->addSeparator();
      continue;
    }
    auto* button = new CommandButton(toolbar);
    QIcon icon;
    if (definition.image < 0) {
      icon = QIcon::fromTheme(definition.themeIcon,
                              toolbar->style()->standardIcon(definition.standard));
    } else if (static_cast<std::size_t>(definition.image) < images.size()) {
      icon = QIcon(QPixmap::fromImage(images[static_cast<std::size_t>(definition.image)]));
    }
    button->setIcon(icon);
    button->setToolTip(QString::fromUtf8(definition.tooltip));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    const int32_t command = definition.command;
    button->setObjectName(QString("button%1").arg(command));
    button->setCheckable(command >= kCmdSelectTool && command <= kCmdFreeformTool);
    QObject::connect(button, &QToolButton::clicked, toolbar, [send, command] { send(command); });
    toolbar->addWidget(button);
    buttons[command] = button;
  }
  return toolbar;
}

void AddAccelerators(QWidget& window, const CommandSink& send,
                     const std::function<bool()>& suppressed) {
  static const std::pair<QKeyCombination, int32_t> kAccelerators[] = {
      {QKeyCombination(Qt::Key_F3), kCmdFreeformTool},
      {QKeyCombination(Qt::Key_F2), kCmdRectangularTool},
      {QKeyCombination(Qt::Key_F1), kCmdSelectTool},
      {QKeyCombination(Qt::AltModifier, Qt::Key_F4), kCmdExit},
      {QKeyCombination(Qt::ControlModifier, Qt::Key_N), kCmdNew},
      {QKeyCombination(Qt::ControlModifier, Qt::Key_O), kCmdOpen},
      {QKeyCombination(Qt::ControlModifier, Qt::Key_S), kCmdSave},
      {QKeyCombination(Qt::ControlModifier, Qt::Key_Z), kCmdUndo},
      {QKeyCombination(Qt::ControlModifier, Qt::Key_Y), kCmdRedo},
      {QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z), kCmdRedo},
      {QKeyCombination(Qt::Key_F5), kCmdStartShaping},
      {QKeyCombination(Qt::Key_F6), kCmdStopShaping},
      {QKeyCombination(Qt::ControlModifier, Qt::Key_M), kCmdMinimize},
  };
  for (const auto& [keys, command] : kAccelerators) {
    auto* shortcut = new QShortcut(QKeySequence(keys), &window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(true);
    QObject::connect(shortcut, &QShortcut::activated, &window,
                     [send, suppressed, command = command] {
                       if (!suppressed()) send(command);
                     });
  }
}

}  // namespace tf
