#include "app/DocumentFiles.h"

#include <functional>
#include <memory>
#include <mutex>

#include "app/Application.h"
#include "app/ChooseMoleculeFile.h"
#include "app/DocumentTitle.h"
#include "app/EditSteps.h"
#include "app/LongCommand.h"
#include "app/ReadReportMessages.h"
#include "base/FixedText.h"
#include "io/MoleculeFileCommands.h"
#include "io/MoleculeFiles.h"
#include "io/MoleculeFormat.h"
#include "io/openbabel/SmilesBuilding.h"
#include "model/CenterMolecule.h"
#include "view/CameraOperations.h"

namespace tf {
namespace {

// A molecule read or built away from the window thread, shared with the
// helper thread, which may outlive a cancelled command.
struct FreshMolecule {
  std::unique_ptr<Document> document = std::make_unique<Document>();
  ReadReport report;
};

// Reads (or builds) into a fresh document on a helper thread; nothing when
// the user cancelled.
std::shared_ptr<const FreshMolecule> ReadAside(
    Application& app, std::u16string_view name,
    std::function<ReadReport(Document& fresh, const ForceFieldTables& tables)> read) {
  auto job = std::make_shared<FreshMolecule>();
  const ForceFieldTables& tables = app.tables;
  const bool ended =
      RunLongCommand(app, name, true, [job, &tables, read](const std::atomic<bool>&) {
        job->report = read(*job->document, tables);
      });
  return ended ? job : nullptr;
}

// The files are written from a copy on a helper thread. A save cannot be
// cancelled: its files are replaced all at once, so it is either done or not.
bool SaveToFile(Application& app, std::u16string_view path) {
  const std::shared_ptr<Document> copy = CopyOfMolecule(app.document);
  const auto saved = std::make_shared<bool>(false);
  const ForceFieldTables& tables = app.tables;
  RunLongCommand(app, u"Save", false,
                 [copy, saved, &tables, target = std::u16string(path)](const std::atomic<bool>&) {
                   *saved = SaveMoleculeFile(*copy, tables, target);
                 });
  if (!*saved) {
    app.desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
    return false;
  }
  {
    std::lock_guard model(app.document.modelLock);
    SetFilePath(app.document, path);
  }
  MarkDocumentSaved(app);
  return true;
}

// The question's Save writes the file the question named, when its format
// can be written; otherwise it asks for a name.
bool SaveChanges(Application& app) {
  const std::u16string path(TextView(app.document.filePath));
  const MoleculeFormat format = FormatOfPath(path).value_or(MoleculeFormat::kPdb);
  return path.empty() || !CanWriteFormat(format) ? SaveDocument(app) : SaveToFile(app, path);
}

// A new molecule is in view: the view reset, centred and fitted to it.
void ShowNewMolecule(Application& app) {
  ResetView(app.view, app.resources);
  CenterMolecule(app.document);
  FitZoom(app.view, app.resources, app.document, app.tables);
}

// The molecule at `path` replaces the document when it can be read.
void ReadDocumentFile(Application& app, std::u16string_view path) {
  const auto job = ReadAside(
      app, u"Open", [file = std::u16string(path)](Document& fresh, const ForceFieldTables& tables) {
        SetFilePath(fresh, file);
        return ReadMoleculeFile(fresh, tables, file, 0);
      });
  if (!job) return;
  {
    const EditScope step(app);
    const ReadReport& report = job->report;
    if (report.read) {
      {
        std::lock_guard model(app.document.modelLock);
        TakeMolecule(app.document, *job->document);
      }
      ShowNewMolecule(app);
      MarkDocumentSaved(app);
    }
    ShowReadReport(app.desktop, report, FileNameOf(path));
    if (!report.read) return;
  }
  RefreshAndRedraw(app);
  // The dialog's closing click may still hold the button down over the view.
  app.state.skipNextDrag = 1;
}

}  // namespace

bool OfferToSaveChanges(Application& app) {
  if (!DocumentChanged(app)) return true;
  const std::u16string text =
      u"Save changes to " + DocumentName(TextView(app.document.filePath)) + u"?";
  switch (app.desktop.AskSaveChanges(text)) {
    case SaveChangesAnswer::Save:
      return SaveChanges(app);
    case SaveChangesAnswer::Discard:
      return true;
    case SaveChangesAnswer::Cancel:
    default:
      return false;
  }
}

void NewDocument(Application& app) {
  if (!OfferToSaveChanges(app)) return;
  {
    const EditScope step(app);
    {
      std::lock_guard model(app.document.modelLock);
      NewMolecule(app.document);
      // Without a path the first save asks for a name instead of writing the
      // empty molecule over the file that was open.
      SetFilePath(app.document, u"");
    }
    MarkDocumentSaved(app);
  }
  RefreshAndRedraw(app);
}

void OpenDocument(Application& app) {
  if (!OfferToSaveChanges(app)) return;
  if (const auto path = ChooseMoleculeFile(app.document, app.desktop, FileChoice::kOpen))
    ReadDocumentFile(app, *path);
}

bool SaveDocument(Application& app) {
  const auto path = ChooseMoleculeFile(app.document, app.desktop, FileChoice::kSave);
  return path && SaveToFile(app, *path);
}

bool SaveDocumentAs(Application& app) {
  const auto path = ChooseMoleculeFile(app.document, app.desktop, FileChoice::kSaveAs);
  return path && SaveToFile(app, *path);
}

void NewDocumentFromSmiles(Application& app) {
  if (!OfferToSaveChanges(app)) return;
  const std::optional<std::u16string> smiles = app.desktop.AskSmiles();
  if (!smiles || smiles->empty()) return;
  const auto job =
      ReadAside(app, u"New from SMILES",
                [text = ToUtf8(*smiles)](Document& fresh, const ForceFieldTables& tables) {
                  return BuildFromSmiles(fresh, tables, text);
                });
  if (!job) return;
  {
    const EditScope step(app);
    const ReadReport& report = job->report;
    if (report.read) {
      std::lock_guard model(app.document.modelLock);
      TakeMolecule(app.document, *job->document);
    }
    if (!report.read) {
      app.desktop.ShowMessageBox(u"The SMILES string cannot be built: " +
                                     FromUtf8(report.failure ? report.failure->reason : ""),
                                 u"Message", MessageIcon::Warning);
      return;
    }
    ShowNewMolecule(app);
    ShowReadReport(app.desktop, report, u"The SMILES string");
  }
  RefreshAndRedraw(app);
}

void OpenDocumentFile(Application& app, std::u16string_view path) {
  if (path.size() >= static_cast<std::size_t>(kPathCapacity)) {
    app.desktop.ShowMessageBox(u"Bad file.", u"Message", MessageIcon::Warning);
    return;
  }
  if (OfferToSaveChanges(app)) ReadDocumentFile(app, path);
}

void CloseMainWindow(Application& app) {
  // The window waits for a long command: closing would pull the document
  // away from under it.
  if (app.state.longCommandRunning) return;
  if (OfferToSaveChanges(app)) app.desktop.DestroyMainWindow();
}

}  // namespace tf
