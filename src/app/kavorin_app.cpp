#include "app/kavorin_app.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <new>
#include <stdexcept>

#include "app/about_dialog.h"
#include "app/extensions.h"
#include "app/lifecycle.h"
#include "app/project_dialogs.h"
#include "dialogs/editing_dialogs.h"
#include "dialogs/progress_dialog.h"
#include "model/atomic_file.h"
#include "model/project_file.h"
#include "model/settings.h"
#include "model/sibling.h"
#include "output/exchange_file.h"
#include "output/results_file.h"
#include "platform/background_work.h"
#include "platform/icons.h"
#include "platform/message_box.h"
#include "platform/services.h"
#include "resources/menu_resource.h"

namespace kvis {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }
std::string s(const QString& q) { return q.toStdString(); }

const char* const kNewQuestion =
    "  Creating a new project will cause \n    \t  the loss of current one.\nDo you want to save the current project?";
const char* const kOpenQuestion =
    "   Opening a new project will cause \n    \t  the loss of current one.\nDo you want to save the current project?";
const char* const kProjectFilter = "Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|";
const char* const kCountsFormat = "Number of alternatives:  %1\nNumber of criteria:  %2";

QString countsText(const Project& p) { return QString::fromLatin1(kCountsFormat).arg(p.n).arg(p.m); }

// New and Import take the three parameters from the settings of the current
// directory (its recent list is not theirs to change).
Parameters settingsParameters() {
    std::array<std::string, 4> unused;
    return readSettings(QDir::currentPath().toStdString(), unused);
}

// A file that could not be written: the message names the path.
void reportWriteFailure(QWidget* owner, const std::string& path, const std::string& error, const char* caption) {
    const std::string text = error.empty() ? "Cannot create file '" + path + "'" : error;
    messageBox(owner, q(text), QString::fromLatin1(caption), MB_OK | MB_ICONSTOP);
}

}  // namespace

TKavorinApp::TKavorinApp() : TApplication(QString::fromLatin1(kAppCaption)) {
    initResources();
    ensureProgramTemplates();
    // Views show the document's arrays in place: they close before any of
    // those arrays is released or re-created.
    closeAllBeforeRelease_ = document_.beforeRelease([this] { closeAllViews(); });
}

TKavorinApp::~TKavorinApp() {
    closeAllBeforeRelease_.reset();
    // The windows read the document, which goes with this object.
    delete mainWindow();
    setMainWindow(nullptr);
    client_ = nullptr;
}

void TKavorinApp::closeAllViews() {
    if (client_) client_->closeChildren();
}

QWidget* TKavorinApp::owner() const { return mainWindow(); }

void TKavorinApp::initMainWindow() {
    client_ = new TOknoMDI(document_);
    registerResultViews(*client_);
    auto* frame = new TDecoratedMDIFrame(QString::fromLatin1(kAppCaption), mainMenu(), client_, *this);
    frame->setHints(statusHints());
    printer_ = std::make_unique<TPrinter>();

    auto* bar = new TControlBar(frame);
    bar->setObjectName(QStringLiteral("toolbar1000"));
    for (const Gadget& g : toolBarGadgets()) {
        if (g.bitmap.isEmpty()) {
            bar->insertSeparator(12);
            continue;
        }
        QAction* a = frame->action(g.command);
        if (!a) continue;
        a->setIcon(resourceIcon(g.bitmap));
        a->setIconVisibleInMenu(false);  // menus show check marks, not pictures
        a->setToolTip(a->text().remove(u'&'));
        bar->insertButton(a);
    }
    frame->setControlBar(bar);
    frame->setStatusBar(new TStatusBar(frame));
    // Every view command carries a check mark while its view is open.
    for (int id : {cmd::MatrixOfAlternatives, cmd::Computations, cmd::FinalGraph, cmd::ModifiedGraph, cmd::Graph,
                   cmd::Concordance, cmd::Discordance, cmd::Robustness, cmd::Outranking})
        frame->setToggle(id);
    setMainWindow(frame);
    frame->setWindowIcon(resourceIcon(QStringLiteral("ICN_KVIS")));
    fileData_.flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    // Three-dimensional controls and the system-menu texts need nothing here:
    // the widget style and the window manager provide them.
    frame->updateCommandUI();
}

void TKavorinApp::showMainWindow(bool minimised) {
    if (minimised) {
        mainWindow()->showMinimized();
    } else {
        // Without a window manager (a bare X server) maximising does nothing:
        // start with the whole available screen all the same.
        if (const QScreen* screen = mainWindow()->screen()) mainWindow()->setGeometry(screen->availableGeometry());
        mainWindow()->showMaximized();
    }
}

QString TKavorinApp::caption() const { return mainWindow() ? mainWindow()->windowTitle() : QString(); }

void TKavorinApp::setCaption(const QString& c) {
    if (mainWindow()) mainWindow()->setWindowTitle(c);
}

bool TKavorinApp::processCommand(int id) {
    // Every command ends here: memory that runs out is reported, and the
    // project stays as the operations left it (each replaces its arrays only
    // once the new ones are complete), instead of the program ending.
    try {
        return dispatchCommand(id);
    } catch (const std::bad_alloc&) {
    } catch (const std::length_error&) {
    }
    messageBox(owner(), QString::fromLatin1(kNotEnoughMemoryText), QString::fromLatin1(kComputationsImpossibleCaption),
               MB_OK | MB_ICONSTOP);
    return true;
}

bool TKavorinApp::dispatchCommand(int id) {
    switch (id) {
        case cmd::New: cmNew(); return true;
        case cmd::Open: cmOpen(); return true;
        case cmd::Save: cmSave(); return true;
        case cmd::SaveAs: cmSaveAs(); return true;
        case cmd::SaveResults: cmSaveResults(); return true;
        case cmd::Import: cmImport(); return true;
        case cmd::Export: cmExport(); return true;
        case cmd::Print: cmPrint(); return true;
        case cmd::PrinterSetup: cmPrinterSetup(); return true;
        case cmd::Alternatives: cmAlternatives(); return true;
        case cmd::Criteria: cmCriteria(); return true;
        case cmd::Level: cmLevel(); return true;
        case cmd::Advanced: cmAdvanced(); return true;
        case cmd::Computations: cmComputations(); return true;
        case cmd::Qolv: cmQolv(); return true;
        case cmd::Kernel: cmKernel(); return true;
        case cmd::Compare: cmCompare(); return true;
        case cmd::MatrixOfAlternatives: client_->toggle(ViewSlot::Alternatives); return true;
        case cmd::Concordance: client_->toggle(ViewSlot::Concordance); return true;
        case cmd::Discordance: client_->toggle(ViewSlot::Discordance); return true;
        case cmd::Robustness: client_->toggle(ViewSlot::Robustness); return true;
        case cmd::Outranking: client_->toggle(ViewSlot::Outranking); return true;
        case cmd::Graph: client_->toggle(ViewSlot::Graph); return true;
        case cmd::ModifiedGraph: client_->toggle(ViewSlot::ModifiedGraph); return true;
        case cmd::FinalGraph: client_->toggle(ViewSlot::FinalGraph); return true;
        case cmd::HelpContents: showHelp(HelpPage::Contents); return true;
        case cmd::UsingHelp: showHelp(HelpPage::UsingHelp); return true;
        case cmd::About: cmAbout(); return true;
        default:
            if (id >= cmd::Recent1 && id <= cmd::Recent4) {
                cmOpenRecent(id - cmd::Recent1);
                return true;
            }
            return false;
    }
}

void TKavorinApp::commandEnable(TCommandEnabler& ce) {
    const Project& p = document_.project();
    const DocumentState& d = document_.state();
    const bool valid = d.resultsValid != 0;
    const bool data = p.n != 0 && p.m != 0;
    auto view = [&](ViewSlot s, bool enabled) {
        ce.enable(enabled);
        ce.setCheck(client_ && client_->isOpen(s));
    };
    switch (ce.id()) {
        case cmd::Save:
        case cmd::SaveAs:
        case cmd::Export:
        case cmd::Criteria: ce.enable(p.n != 0); break;
        case cmd::SaveResults:
        case cmd::Qolv:
        case cmd::Kernel: ce.enable(valid); break;
        case cmd::Print:
        case cmd::PrinterSetup: ce.enable(data); break;
        case cmd::Computations:
            ce.enable(data);
            ce.setCheck(valid);
            break;
        case cmd::Compare: ce.enable(p.n >= 2 && p.m != 0); break;
        case cmd::MatrixOfAlternatives: view(ViewSlot::Alternatives, data); break;
        case cmd::FinalGraph: view(ViewSlot::FinalGraph, valid); break;
        case cmd::ModifiedGraph: view(ViewSlot::ModifiedGraph, valid); break;
        case cmd::Graph: view(ViewSlot::Graph, valid); break;
        case cmd::Concordance: view(ViewSlot::Concordance, valid); break;
        case cmd::Discordance: view(ViewSlot::Discordance, valid); break;
        case cmd::Robustness: view(ViewSlot::Robustness, valid); break;
        case cmd::Outranking: view(ViewSlot::Outranking, valid); break;
        default:
            if (ce.id() >= cmd::Recent1 && ce.id() <= cmd::Recent4) {
                const int k = ce.id() - cmd::Recent1;
                ce.setText(q(recentMenuText(k + 1, d.recentProjects[static_cast<size_t>(k)])));
            }
            break;  // New, Open, Import, Alternatives, Level, Advanced, Help, About: always
    }
}

bool TKavorinApp::canClose() {
    if (document_.state().modified == 0) return true;
    const int a = messageBox(owner(), QStringLiteral("Save current project?"), QStringLiteral("Exit program"),
                             MB_YESNOCANCEL | MB_ICONQUESTION);
    if (a == IDCANCEL) return false;
    // A save that could not write keeps the project (and the program) rather
    // than dropping it; a cancelled Save As goes on as answered.
    if (a == IDYES && !cmSave() && writeFailed_) return false;
    return true;
}

bool TKavorinApp::askToSave(AskFor kind) {
    if (document_.state().modified == 0) return true;
    const bool isNew = kind == AskFor::New;
    const int a = messageBox(owner(), QString::fromLatin1(isNew ? kNewQuestion : kOpenQuestion),
                             isNew ? QStringLiteral("New project") : QStringLiteral("Open project"),
                             MB_YESNOCANCEL | MB_ICONQUESTION);
    if (a == IDCANCEL) return false;
    // As at Exit: a failed write keeps the project, a cancelled Save As goes on.
    if (a == IDYES && !cmSave() && writeFailed_) return false;
    return true;
}

void TKavorinApp::cmNew() {
    if (!askToSave(AskFor::New)) return;
    setCaption(QStringLiteral("%1 - [new]").arg(QString::fromLatin1(kAppCaption)));
    document_.newProject(settingsParameters());
}

void TKavorinApp::cmOpen() {
    const QString remembered = fileData_.fileName;
    if (!askToSave(AskFor::Open)) return;
    fileData_.fileName = QStringLiteral("*.kvs");
    fileData_.filter = QString::fromLatin1(kProjectFilter);
    fileData_.defaultExt = QStringLiteral("kvs");
    DialogOtwarciaPliku dlg(owner(), fileData_, QStringLiteral("Opening project"));
    if (dlg.runModal() != IDOK) {
        fileData_.fileName = remembered;
        return;
    }
    openPath(s(fileData_.fileName));
}

void TKavorinApp::cmOpenRecent(int index) {
    if (!askToSave(AskFor::Open)) return;
    // The entry as it is after the save, which may have changed the list.
    openWithoutDialog(document_.state().recentProjects[static_cast<size_t>(index)]);
}

void TKavorinApp::openProject(std::string path) {
    if (askToSave(AskFor::Open)) openWithoutDialog(std::move(path));
}

void TKavorinApp::openWithoutDialog(std::string path) {
    fileData_.fileName = QStringLiteral("*.kvs");
    fileData_.filter = QString::fromLatin1(kProjectFilter);
    fileData_.defaultExt = QStringLiteral("kvs");
    openPath(std::move(path));
}

void TKavorinApp::openPath(std::string path) {
    Project loaded = document_.project();  // the reader keeps its two advanced options
    LoadResult r = loadProject(path, loaded);
    if (!r.ok) {
        // A file that cannot be read at all has nothing to repair in an editor.
        if (r.cannotOpen) {
            messageBox(owner(), q(loadFailureText(r)), q(loadFailureCaption(path)), MB_OK | MB_ICONSTOP, q(path));
            return;
        }
        if (messageBox(owner(), q(loadFailureText(r)), q(loadFailureCaption(path)), MB_YESNO | MB_ICONSTOP,
                       q(path)) == IDYES &&
            !openInTextEditor(q(path)))
            messageBox(owner(), QStringLiteral("Error running notepad program"), QStringLiteral("Error running editor"),
                       MB_OK);
        return;
    }
    document_.open(std::move(loaded), path, r.testMode);
    messageBox(owner(), countsText(document_.project()), q(path), MB_OK | MB_ICONINFORMATION, q(path));
    QString c = QStringLiteral("%1 - [%2]").arg(QString::fromLatin1(kAppCaption), q(path));
    if (document_.state().testMode) c += QStringLiteral(" test!!!");
    setCaption(c);
}

bool TKavorinApp::cmSave() {
    const DocumentState& d = document_.state();
    writeFailed_ = false;
    // A project begun at start-up (no New) has no file either.
    if (d.untitled || d.projectPath.empty()) return cmSaveAs();
    // The same message as every other file that cannot be written.
    if (!writeProject(d.projectPath, document_.project())) {
        reportWriteFailure(owner(), d.projectPath, {}, "Saving project");
        writeFailed_ = true;
        return false;
    }
    document_.saved();
    return true;
}

bool TKavorinApp::cmSaveAs() {
    writeFailed_ = false;
    fileData_.fileName = QStringLiteral("*.kvs");
    fileData_.filter = QStringLiteral("Kavorin files (*.KVS)|*.kvs");
    fileData_.defaultExt = QStringLiteral("kvs");
    DialogZapisuPliku dlg(owner(), fileData_, QStringLiteral("Saving project"));
    if (dlg.runModal() != IDOK) return false;
    const QString path = fileData_.fileName;
    if (QFileInfo::exists(path) && !confirmReplace(owner(), path)) return false;
    if (!writeProject(s(path), document_.project())) {
        reportWriteFailure(owner(), s(path), {}, "Saving project");
        writeFailed_ = true;
        return false;
    }
    setCaption(QStringLiteral("%1 - [%2]").arg(QString::fromLatin1(kAppCaption), path));
    document_.savedAs(s(path));
    return true;
}

void TKavorinApp::cmImport() {
    const QString remembered = fileData_.fileName;
    if (!askToSave(AskFor::Open)) return;
    fileData_.fileName = QStringLiteral("*.txt");
    fileData_.filter = QStringLiteral("Kavorin III/IV files (*.txt)|*.txt|All files(*.*)|*.*|");
    fileData_.defaultExt = QStringLiteral("txt");
    DialogOtwarciaPliku dlg(owner(), fileData_, QStringLiteral("Opening project"));
    if (dlg.runModal() != IDOK) {
        fileData_.fileName = remembered;
        return;
    }
    const std::string path = s(fileData_.fileName);
    // The whole file is read before anything of the current project goes, so
    // a file that fails at any point leaves the project and its results.
    Project imported;
    if (!importProject(path, false, imported).ok) {
        messageBox(owner(), QString::fromLatin1(kImportFailureMessage), q("Error opening project '" + path + "'"),
                   MB_OK | MB_ICONSTOP, q(path));
        return;
    }
    std::string newPath = path;
    if (newPath.size() >= 3) newPath.replace(newPath.size() - 3, 3, "KVS");
    document_.import(std::move(imported), newPath, settingsParameters());
    messageBox(owner(), countsText(document_.project()), q(newPath), MB_OK | MB_ICONINFORMATION, q(newPath));
    setCaption(QStringLiteral("%1 - [%2]").arg(QString::fromLatin1(kAppCaption), q(newPath)));
}

void TKavorinApp::cmExport() {
    fileData_.fileName = QStringLiteral("*.txt");
    fileData_.filter = QStringLiteral("Kavorin III/IV files (*.TXT)|*.txt");
    fileData_.defaultExt = QStringLiteral("txt");
    DialogZapisuPliku dlg(owner(), fileData_, QStringLiteral("Export project to Kavorin III/IV"));
    if (dlg.runModal() != IDOK) return;
    const QString path = fileData_.fileName;
    // The project's own file would be lost to the export, unnoticed: the
    // project in memory is not modified, so nothing would ask to save it.
    const DocumentState& d = document_.state();
    if (!d.untitled && sameFile(s(path), d.projectPath)) {
        reportWriteFailure(owner(), s(path), {}, "Export project to Kavorin III/IV");
        return;
    }
    if (QFileInfo::exists(path) && !confirmReplace(owner(), path)) return;
    std::string error;
    if (!exportProject(s(path), document_.project(), &error))
        reportWriteFailure(owner(), s(path), error, "Export project to Kavorin III/IV");
}

void TKavorinApp::cmComputations() {
    showStatus({});
    // The views close as the old results go; then the engine runs on a worker
    // thread behind the progress dialog, which alone owns what it fills.
    const ComputeOutcome out = document_.compute([this](const Document::Engine& engine) {
        runWithProgress(owner(), progressDialogSetup(LongWork::Computations), [&engine](TProgress& dialog) {
            DialogProgress progress(dialog);
            engine(&progress);
        });
    });
    if (out.status == ComputeStatus::Cancelled) {
        showStatus(QString::fromLatin1(kComputationsCancelled));
        return;
    }
    if (out.text.empty()) return;  // computed, or the results were still valid
    const unsigned buttons = out.buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const int a = messageBox(owner(), q(out.text), q(out.caption), buttons | MB_ICONSTOP);
    if (out.refused == Check::Thresholds && a == IDYES) cmCriteria();
}

void TKavorinApp::showStatus(const QString& text) {
    if (mainWindow() && mainWindow()->statusBar()) mainWindow()->statusBar()->showMessage(text);
}

void TKavorinApp::cmSaveResults() {
    if (runSelect(client_, document_) != IDOK) return;
    const int mask = document_.state().selectionMask;
    fileData_.fileName = QStringLiteral("*.kvr");
    fileData_.filter = QStringLiteral("Result files (*.KVR)|*.kvr|All files(*.*)|*.*|");
    fileData_.defaultExt = QStringLiteral("kvr");
    DialogZapisuPliku dlg(owner(), fileData_, QStringLiteral("Saving results"));
    if (dlg.runModal() != IDOK) return;
    const std::string path = s(fileData_.fileName);
    std::string error;
    bool written = false;
    bool cancelled = false;
    showStatus({});
    // Written on a worker thread while the window paints; the views only
    // read the results meanwhile, and nothing can change them. A cancel
    // leaves every file as it was.
    runWithProgress(owner(), progressDialogSetup(LongWork::SavingResults), [&](TProgress& dialog) {
        DialogProgress progress(dialog);
        progress.stage(ComputeStage::Writing);
        // Never over the project's own file.
        const DocumentState& d = document_.state();
        try {
            written = saveResultsFile(path, document_.project(), d, document_.results(), mask, &error,
                                      d.untitled ? std::string() : d.projectPath, &progress);
        } catch (const ComputationCancelled&) {
            cancelled = true;
        }
    });
    if (cancelled)
        showStatus(QString::fromLatin1(kSavingResultsCancelled));
    else if (!written)
        reportWriteFailure(owner(), path, error, "Saving results");
}

void TKavorinApp::cmQolv() {
    const QString file = QDir::current().absoluteFilePath(QString::fromLatin1(kExchangeFileName));
    const DocumentState& d = document_.state();
    if (!writeExchangeFile(s(file), document_.project(), document_.results(), nullptr,
                           d.untitled ? std::string() : d.projectPath))
        return;
    startProgram(QDir::current().absoluteFilePath(QStringLiteral("qolv.exe")),
                 {QString::fromLatin1(kExchangeFileName)}, QDir::currentPath());
}

void TKavorinApp::refreshPrinter() {
    // The default printer may have changed since the printer object was made.
    if (!printer_ || printer_->deviceName() != TPrinter::defaultPrinterName()) printer_ = std::make_unique<TPrinter>();
}

void TKavorinApp::cmPrinterSetup() {
    refreshPrinter();
    if (printer_) printer_->setup(owner());
}

void TKavorinApp::cmPrint() {
    refreshPrinter();
    if (!printer_) return;
    const DocumentState& d = document_.state();
    const int remembered = d.selectionMask;
    document_.setSelectionMask(d.openViewsMask);
    if (runSelect(client_, document_) == IDOK && d.selectionMask != 0)
        printResults(*printer_, owner(), document_, d.selectionMask);
    document_.setSelectionMask(remembered);
}

// The editing commands close the views once the dialog is done with the
// results it invalidated (a changed count has closed them already).
void TKavorinApp::cmAlternatives() {
    runEditAlternatives(client_, document_);
    if (document_.state().resultsValid == 0) closeAllViews();
}

void TKavorinApp::cmCriteria() {
    runEditCriteria(client_, document_);
    if (document_.state().resultsValid == 0) closeAllViews();
}

void TKavorinApp::cmLevel() {
    if (runLevelOfConcordance(client_, document_) == IDOK) closeAllViews();
}

void TKavorinApp::cmAdvanced() {
    const Project& p = document_.project();
    const int arcs = p.maxArcsToCut;
    const double loss = p.acceptableLoss;
    runAdvanced(client_, document_);
    if (p.maxArcsToCut != arcs || p.acceptableLoss != loss) closeAllViews();
}

void TKavorinApp::cmKernel() { runKernel(client_, document_); }

void TKavorinApp::cmCompare() {
    while (runSetToCompare(client_, document_) == IDOK) runCompareAlternatives(client_, document_);
}

void TKavorinApp::cmAbout() {
    TDlgAbout dlg(client_);
    dlg.runModal();
}

}  // namespace kvis
