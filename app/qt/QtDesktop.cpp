#include "app/qt/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <mutex>
#include <utility>

#include "app/AtomInfoPanel.h"
#include "app/Commands.h"
#include "app/DocumentFiles.h"
#include "app/MainWindowProc.h"
#include "app/qt/AboutDialog.h"
#include "app/qt/AtomInfoPanelWidget.h"
#include "app/qt/ExportImageDialog.h"
#include "app/qt/KeyTranslation.h"
#include "app/qt/MainWindow.h"
#include "app/qt/QtText.h"
#include "app/qt/ShapingPanelWidget.h"
#include "base/FixedText.h"
#include "view/GraphicsDevice.h"
#include "view/ViewResources.h"
#include "view/gl/FramePicture.h"

namespace tf {

namespace {

// A long command shows its progress dialog after this long; until then the
// window looks as if the command were instant.
constexpr int kProgressDelayMs = 300;
constexpr int kLongCommandPollMs = 10;

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

}  // namespace

QtDesktop::QtDesktop() {
  qApp->installEventFilter(this);
}

QtDesktop::~QtDesktop() {
  qApp->removeEventFilter(this);
  ReleaseWindows();
}

void QtDesktop::ReleaseWindows() {
  if (!window_) return;
  window_->View()->DetachDevice();
  atomInfo_ = nullptr;
  shaping_ = nullptr;
  window_.reset();
}

void QtDesktop::Dispatch(const WindowMessage& message, Qt::KeyboardModifiers modifiers) {
  if (!receiving_ || app_ == nullptr) return;
  modifiers_ = modifiers;
  MainWindowProc(*app_, message);
}

bool QtDesktop::CreateMainWindow() {
  window_ = std::make_unique<MainWindow>(MainWindow::Events{
      .dispatch = [this](const WindowMessage& message,
                         Qt::KeyboardModifiers modifiers) { Dispatch(message, modifiers); },
      .closeRequested =
          [this] {
            if (receiving_ && app_ != nullptr)
              CloseMainWindow(*app_);
            else
              DestroyMainWindow();
          },
      .minimizedChanged = [this](bool minimized) { SetMinimized(minimized); },
      .fileDropped = [this](const QString& path) { OpenDroppedFile(path); },
  });
  return true;
}

void QtDesktop::OpenDroppedFile(const QString& path) {
  if (!receiving_ || app_ == nullptr) return;
  // Opened once the drop has finished, so the source application is not kept
  // waiting by a message box the open may show.
  QMetaObject::invokeMethod(
      window_.get(),
      [this, file = FromQString(path)] {
        if (receiving_) OpenDocumentFile(*app_, file);
      },
      Qt::QueuedConnection);
}

void QtDesktop::CreatePanels(const std::vector<std::u16string>& typeEntries,
                             const ShapingChecks& shapingChecks) {
  typeEntries_ = typeEntries;
  atomInfo_ = new AtomInfoPanelWidget(
      typeEntries_,
      {.apply = [this](const AtomInfoTexts& typed,
                       const AtomInfoTexts& shown) { PressAtomInfoApply(*app_, typed, shown); },
       .pressBondButton = [this] { PressBondButton(*app_); },
       .visibilityChanged =
           [this](bool visible) { PanelVisibilityChanged(*app_, Panel::AtomInfo, visible); }},
      window_.get());
  shaping_ = new ShapingPanelWidget(
      shapingChecks,
      {.apply = [this](const ShapingChecks& checks) { ApplyShapingPanel(app_->shaping, checks); },
       .visibilityChanged =
           [this](bool visible) { PanelVisibilityChanged(*app_, Panel::Shaping, visible); }},
      window_.get());
  // Keys typed into the Atom Information panel's fields are the panel's.
  window_->SetKeyboardPanel(atomInfo_);
}

void QtDesktop::ShowMainWindow() {
  receiving_ = true;
  window_->View()->AttachDevice(app_->resources.device);
  window_->show();
  FocusMainWindow();
}

void QtDesktop::DestroyMainWindow() {
  if (destroyed_ || !window_) return;
  destroyed_ = true;
  window_->hide();
  if (receiving_ && app_ != nullptr) MainWindowProc(*app_, {.message = WM_DESTROY});
  receiving_ = false;
  window_->View()->DetachDevice();
}

void QtDesktop::DestroyPanel(Panel panel) {
  if (QWidget* widget = PanelWidget(panel)) widget->hide();
}

void QtDesktop::PostQuit(int exitCode) {
  QCoreApplication::exit(exitCode);
}

ClientSize QtDesktop::MainClientSize() {
  const QWidget* area = window_->ClientArea();
  return {area->width(), area->height()};
}

ScreenRect QtDesktop::ClientRectOnScreen() {
  const QWidget* area = window_->ClientArea();
  const QPoint topLeft = area->mapToGlobal(QPoint(0, 0));
  return {topLeft.x(), topLeft.y(), topLeft.x() + area->width(), topLeft.y() + area->height()};
}

int32_t QtDesktop::ToolbarHeight() {
  return window_->Toolbar()->height();
}

PanelSize QtDesktop::OuterPanelSize(Panel panel) {
  const QWidget* widget = PanelWidget(panel);
  if (widget == nullptr) return {};
  const QRect frame = widget->frameGeometry();
  return {frame.width(), frame.height()};
}

void QtDesktop::MovePanel(Panel panel, int32_t left, int32_t top) {
  if (QWidget* widget = PanelWidget(panel)) widget->move(left, top);
}

bool QtDesktop::IsShiftDown() {
  return modifiers_.testFlag(Qt::ShiftModifier);
}

uint32_t QtDesktop::DigitKeysDown() {
  return digitsDown_;
}

void QtDesktop::CheckToolButton(int32_t command, bool checked) {
  if (QToolButton* button = window_->ToolbarButton(command)) button->setChecked(checked);
}

void QtDesktop::CheckModelRadio(int32_t command) {
  if (QAction* action = window_->MenuAction(command)) action->setChecked(true);
}

void QtDesktop::CheckViewItem(int32_t command, bool checked) {
  if (window_)
    if (QAction* action = window_->MenuAction(command)) action->setChecked(checked);
}

void QtDesktop::EnableMenuItem(int32_t command, bool enabled) {
  if (window_)
    if (QAction* action = window_->MenuAction(command)) action->setEnabled(enabled);
}

bool QtDesktop::IsPanelVisible(Panel panel) {
  const QWidget* widget = PanelWidget(panel);
  return widget != nullptr && widget->isVisible();
}

void QtDesktop::ShowPanel(Panel panel, bool visible) {
  if (QWidget* widget = PanelWidget(panel)) widget->setVisible(visible);
}

void QtDesktop::RefreshAtomInfoPanel() {
  if (atomInfo_ != nullptr && app_ != nullptr)
    atomInfo_->Show(RefreshAtomInfo(app_->document, app_->tables, typeEntries_));
}

void QtDesktop::PostRefreshPanels() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (app_ != nullptr) SendRefreshPanels(*app_);
      },
      Qt::QueuedConnection);
}

void QtDesktop::SetBondButtonLabel(std::u16string_view label) {
  if (atomInfo_ != nullptr) atomInfo_->SetBondButtonLabel(ToQString(label));
}

void QtDesktop::FocusMainWindow() {
  if (!window_ || destroyed_) return;
  window_->activateWindow();
  window_->View()->setFocus(Qt::OtherFocusReason);
}

std::optional<FileDialogChoice> QtDesktop::RunFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(window_.get(), ToQString(request.title));
  dialog.setObjectName(request.open ? "openDialog" : "saveDialog");
  dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  // A save may name any file; the application asks about missing and existing ones.
  dialog.setFileMode(request.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  QStringList filters;
  for (const std::u16string& filter : request.filters) filters << ToQString(filter);
  dialog.setNameFilters(filters);
  if (request.selectedFilter >= 0 && request.selectedFilter < filters.size())
    dialog.selectNameFilter(filters[request.selectedFilter]);
  if (!request.proposedPath.empty()) dialog.selectFile(ToQString(request.proposedPath));
  const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  ReturnFocusFromDialog();
  if (!accepted) return std::nullopt;
  return FileDialogChoice{FromQString(dialog.selectedFiles().first()),
                          static_cast<int32_t>(filters.indexOf(dialog.selectedNameFilter()))};
}

std::optional<std::u16string> QtDesktop::AskSmiles() {
  QInputDialog dialog(window_.get());
  dialog.setObjectName("smilesDialog");
  dialog.setWindowTitle("New from SMILES");
  dialog.setLabelText("SMILES:");
  dialog.setInputMode(QInputDialog::TextInput);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  ReturnFocusFromDialog();
  if (!accepted) return std::nullopt;
  return FromQString(dialog.textValue().trimmed());
}

SaveChangesAnswer QtDesktop::AskSaveChanges(std::u16string_view text) {
  QMessageBox box(QMessageBox::Question, "Message", ToQString(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window_.get());
  box.setObjectName("saveChanges");
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  const int answer = box.exec();
  ReturnFocusFromDialog();
  if (answer == QMessageBox::Save) return SaveChangesAnswer::Save;
  if (answer == QMessageBox::Discard) return SaveChangesAnswer::Discard;
  return SaveChangesAnswer::Cancel;
}

void QtDesktop::SetWindowTitle(std::u16string_view title) {
  if (window_) window_->setWindowTitle(ToQString(title));
}

bool QtDesktop::AskYesNo(std::u16string_view caption, std::u16string_view text) {
  QMessageBox box(QMessageBox::Question, ToQString(caption), ToQString(text),
                  QMessageBox::Yes | QMessageBox::No, window_.get());
  box.setObjectName("question");
  const bool yes = box.exec() == QMessageBox::Yes;
  ReturnFocusFromDialog();
  return yes;
}

void QtDesktop::ShowMessageBox(std::u16string_view text, std::u16string_view caption,
                               MessageIcon icon) {
  QMessageBox box(icon == MessageIcon::Warning ? QMessageBox::Warning : QMessageBox::Information,
                  ToQString(caption), ToQString(text), QMessageBox::Ok, window_.get());
  box.setObjectName("message");
  box.exec();
  ReturnFocusFromDialog();
}

std::optional<ImageExportChoice> QtDesktop::RunExportImageDialog(
    const ImageExportRequest& request) {
  std::optional<ImageExportChoice> choice = tf::RunExportImageDialog(window_.get(), request);
  ReturnFocusFromDialog();
  return choice;
}

bool QtDesktop::WriteFrameImage(const Frame& frame, std::u16string_view path, std::string* error) {
  return WriteFramePicture(frame, std::filesystem::path(ToUtf8(path)), error);
}

void QtDesktop::ShowAboutBox(std::u16string_view manualPath) {
  AboutDialog about([this, manual = std::u16string(manualPath)] { OpenFile(manual); },
                    window_.get());
  about.exec();
  ReturnFocusFromDialog();
}

void QtDesktop::SetWaitCursor(bool waiting) {
  if (waiting) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++waitCursors_;
  } else if (waitCursors_ > 0) {
    QApplication::restoreOverrideCursor();
    --waitCursors_;
  }
}

bool QtDesktop::WaitForLongCommand(std::u16string_view name, bool cancellable,
                                   const std::function<bool()>& finished) {
  if (finished()) return true;
  QEventLoop loop;
  QTimer poll;
  QElapsedTimer clock;
  std::unique_ptr<QProgressDialog> progress;
  bool cancelled = false;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (finished()) {
      loop.quit();
      return;
    }
    if (progress || clock.elapsed() < kProgressDelayMs) return;
    progress = std::make_unique<QProgressDialog>(ToQString(name), QString(), 0, 0, window_.get());
    progress->setWindowTitle(ToQString(name));
    progress->setWindowModality(Qt::ApplicationModal);
    progress->setMinimumDuration(0);
    if (cancellable) {
      progress->setCancelButtonText(QStringLiteral("Cancel"));
      QObject::connect(progress.get(), &QProgressDialog::canceled, &loop, [&] {
        cancelled = true;
        loop.quit();
      });
    }
    progressDialog_ = progress.get();
    progress->show();
  });
  clock.start();
  poll.start(kLongCommandPollMs);
  const bool wasHolding = std::exchange(holdingInput_, true);
  loop.exec();
  holdingInput_ = wasHolding;
  progressDialog_ = nullptr;
  if (progress) {
    progress->hide();
    ReturnFocusFromDialog();
  }
  return !cancelled;
}

void QtDesktop::OpenFile(std::u16string_view path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

// Qt has no keyboard-state query, so the main keyboard's digit keys are
// followed as they go down and up anywhere in the program.
bool QtDesktop::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  // While a long command runs, input reaches only its progress dialog.
  // Menu accelerators arrive as shortcut events to their actions.
  if (holdingInput_ && type == QEvent::Shortcut) return true;
  if (holdingInput_ && IsUserInput(type) && watched->isWidgetType()) {
    const auto* widget = static_cast<QWidget*>(watched);
    if (progressDialog_ == nullptr || widget->window() != progressDialog_) return true;
  }
  if ((type == QEvent::KeyPress || type == QEvent::KeyRelease) && watched->isWidgetType()) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (!key.isAutoRepeat()) {
      if (const std::optional<int> digit = MainKeyboardDigit(key)) {
        const uint32_t bit = 1u << *digit;
        digitsDown_ = type == QEvent::KeyPress ? (digitsDown_ | bit) : (digitsDown_ & ~bit);
      }
    }
  } else if (type == QEvent::ApplicationDeactivate) {
    digitsDown_ = 0;  // releases while another program has the keyboard are not seen
  }
  return QObject::eventFilter(watched, event);
}

// A minimised window cannot be drawn: the device is lost until it is restored.
void QtDesktop::SetMinimized(bool minimized) {
  if (app_ == nullptr) return;
  std::lock_guard render(app_->resources.renderLock);
  if (GraphicsDevice* device = app_->resources.device) {
    const bool lost = device->TestCooperativeLevel() != 0;
    if (minimized)
      device->SetCooperativeLevel(CooperativeLevel::kLost);
    else if (lost)
      device->SetCooperativeLevel(CooperativeLevel::kNotReset);
  }
}

// A closed modal dialog gives the keyboard back to its owner, the main
// window, even where no window manager does it.
void QtDesktop::ReturnFocusFromDialog() {
  if (window_ && !destroyed_) window_->activateWindow();
}

QWidget* QtDesktop::PanelWidget(Panel panel) const {
  if (panel == Panel::AtomInfo) return atomInfo_;
  return shaping_;
}

}  // namespace tf
