// The main window's commands run headless through the hooks: enabling and
// check marks, the view toggles, and the flows of the project commands with
// their questions, captions, flags and the recent list.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QStatusBar>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <array>
#include <new>

#include "../support/document_access.h"
#include "app/kavorin_app.h"
#include "app/lifecycle.h"
#include "app/project_dialogs.h"
#include "dialogs/dialog_logic.h"
#include "dialogs/progress_dialog.h"
#include "model/project_file.h"
#include "model/settings.h"
#include "model/sibling.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"
#include "resources/dialog_templates.h"
#include "resources/menu_resource.h"
#include "views/sheet_window.h"

using namespace kvis;

namespace {

const QString kExample = QStringLiteral(KVIS_SOURCE_DIR "/examples/car.kvs");
const char* const kOpenQuestion =
    "   Opening a new project will cause \n    \t  the loss of current one.\nDo you want to save the current project?";
const char* const kNewQuestion =
    "  Creating a new project will cause \n    \t  the loss of current one.\nDo you want to save the current project?";
constexpr unsigned kQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;
constexpr unsigned kStop = MB_OK | MB_ICONSTOP;

std::string readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}

void writeFile(const QString& path, const std::string& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

std::string str(const QString& s) { return s.toStdString(); }

// The pages of a PDF file: its page objects.
int pdfPages(const std::string& pdf) {
    int pages = 0;
    for (size_t at = 0; (at = pdf.find("/Type /Page", at)) != std::string::npos; at += 11)
        if (pdf.compare(at + 11, 1, "s") != 0) ++pages;
    return pages;
}

// Sets an environment variable for the life of the object, then puts it back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value)
        : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() { wasSet_ ? qputenv(name_, old_) : qunsetenv(name_); }

private:
    const char* name_;
    bool wasSet_;
    QByteArray old_;
};

// A view of the given slot: a child window with nothing in it.
void fakeView(TOknoMDI& client, ViewSlot s) {
    client.setViewFactory(s, [](TOknoMDI& c, Document&) { return new TMDIChild(c, "view", new QLabel("x")); });
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        app = std::make_unique<TKavorinApp>();
        startUp(doc(), dir.path().toStdString());
        app->initMainWindow();
    }
    void TearDown() override {
        app.reset();
        QDir::setCurrent(previousDir);
    }
    Document& doc() { return app->document(); }
    const DocumentState& state() { return doc().state(); }
    // Set up directly, as no command would.
    DocumentState& setState() { return DocumentAccess::state(doc()); }
    Project& setProject() { return DocumentAccess::project(doc()); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    // A copy of the example project under a name of the test's own.
    QString example(const char* name) {
        const QString p = path(name);
        QFile::copy(kExample, p);
        return p;
    }
    void open(const QString& p) {
        hooks.files.push_back(p);
        app->cmOpen();
    }
    QAction* action(int id) {
        app->mainWindow()->updateCommandUI();
        return app->mainWindow()->action(id);
    }
    bool enabled(int id) { return action(id)->isEnabled(); }
    bool checked(int id) { return action(id)->isChecked(); }
    void send(int id) { app->mainWindow()->sendCommand(id); }
    // The i-th message box, a file dialog: each checked whole.
    void said(size_t i, const QString& text, const QString& caption, unsigned flags) {
        ASSERT_LT(i, hooks.messages.size());
        const MessageBoxCall& m = hooks.messages[i];
        EXPECT_EQ(std::tuple(str(m.text), str(m.caption), m.flags), std::tuple(str(text), str(caption), flags)) << i;
    }
    void asked(const FileDialogCall& f, const char* title, const char* fileName, const char* filter) {
        EXPECT_EQ(std::tuple(str(f.title), str(f.fileName), str(f.filter)), std::tuple(title, fileName, filter));
    }
    void saidOnly(const QString& text, const QString& caption, unsigned flags) {
        ASSERT_EQ(hooks.messages.size(), 1u);
        said(0, text, caption, flags);
    }
    // Forgets the message boxes shown so far and queues these answers; the
    // answers queued before must all have been taken.
    void answer(std::initializer_list<int> answers) {
        EXPECT_TRUE(hooks.answers.empty()) << hooks.answers.size() << " answers left";
        EXPECT_TRUE(hooks.files.empty()) << hooks.files.size() << " files left";
        hooks.messages.clear();
        hooks.answers = answers;
    }
    std::array<int, 3> flags() { return {state().modified, state().untitled, state().resultsValid}; }
    void setCounts(int n, int m) {
        doc().start(Parameters{}, {});
        for (int j = 0; j < m; ++j) {
            Criterion c;
            c.name = "c" + std::to_string(j);
            c.weight = 1;
            doc().addCriterion(c);
        }
        for (int i = 0; i < n; ++i) doc().addAlternative("a" + std::to_string(i), {});
    }

    QTemporaryDir dir;
    QString previousDir;
    TestHooks hooks;
    std::unique_ptr<TKavorinApp> app;
};

TEST_F(AppTest, StartsWithTheCaptionAndTheWholeMenu) {
    EXPECT_EQ(app->caption(), "KAVORIN Is");
    TDecoratedMDIFrame* f = app->mainWindow();
    ASSERT_EQ(f->popupCount(), 5);
    QStringList titles;
    for (int i = 0; i < 5; ++i) titles << f->popup(i)->title();
    EXPECT_EQ(titles, (QStringList{"&Project", "&Edit", "&Results", "&Window", "&Help"}));
    EXPECT_EQ(f->action(cmd::Open)->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(f->action(cmd::SaveResults)->shortcut(), QKeySequence(Qt::Key_F12));
    EXPECT_EQ(f->action(cmd::Print)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F12));
    EXPECT_EQ(f->action(cmd::Exit)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(f->action(cmd::Compare)->text(), "Compare pairs of alternati&ves");
    EXPECT_EQ(f->action(cmd::ModifiedGraph)->statusTip(),
              "Show graph of outranking modified by new method of analyzing circuits");
    // 16 buttons and 6 separators on the tool bar.
    EXPECT_EQ(f->controlBar()->actions().size(), 22);
}

// While an item is selected the status bar tells what it does, whether the
// item can be chosen now or not; the keys stop on disabled items too.
TEST_F(AppTest, SelectedMenuItemsShowTheirHintsEnabledOrNot) {
    TDecoratedMDIFrame* f = app->mainWindow();
    f->show();
    QMenu* project = f->popup(0);
    f->menuBar()->setActiveAction(project->menuAction());
    QApplication::processEvents();
    ASSERT_TRUE(project->isVisible());
    const std::pair<int, const char*> steps[] = {
        {cmd::New, "Create a new project"}, {cmd::Open, "Open existing project"},
        {cmd::Save, "Save current project to disk"}, {cmd::SaveAs, "Save current project file under different name"},
    };
    for (const auto& [id, hint] : steps) {
        QTest::keyClick(project, Qt::Key_Down);
        SCOPED_TRACE(hint);
        EXPECT_EQ(project->activeAction(), f->action(id));
        EXPECT_EQ(f->statusBar()->currentMessage(), hint);
    }
    EXPECT_FALSE(f->action(cmd::Save)->isEnabled());
    // A disabled item does nothing when chosen.
    QTest::keyClick(project, Qt::Key_Return);
    EXPECT_TRUE(hooks.fileDialogs.empty());
    project->hide();
}

// The relabelled labels of both file dialogs show no "&": each underlines its
// letter, and Alt with it goes to its own control. Every column of the detail
// view shows whole once the dialog is up.
TEST_F(AppTest, FileDialogsKeepTheirMnemonicsAndShowTheirColumnsWhole) {
    TOpenSaveDialog::TData data;
    data.fileName = QStringLiteral("*.kvs");
    data.filter = QStringLiteral("Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|");
    for (bool save : {false, true}) {
        SCOPED_TRACE(save ? "save" : "open");
        std::unique_ptr<TOpenSaveDialog> d;
        if (save) {
            d = std::make_unique<DialogZapisuPliku>(app->mainWindow(), data, QStringLiteral("Saving project"));
        } else {
            d = std::make_unique<DialogOtwarciaPliku>(app->mainWindow(), data, QStringLiteral("Opening project"));
        }
        d->setUp();
        QFileDialog* f = d->dialog();
        f->show();
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
        QApplication::processEvents();
        const std::tuple<const char*, const char*, Qt::Key, const char*> labels[] = {
            {"lookInLabel", "&Directories:", Qt::Key_D, "lookInCombo"},
            {"fileNameLabel", "File &Name:", Qt::Key_N, "fileNameEdit"},
            {"fileTypeLabel", "List Files of &Type:", Qt::Key_T, "fileTypeCombo"},
        };
        for (const auto& [name, text, key, buddy] : labels) {
            SCOPED_TRACE(text);
            auto* label = f->findChild<QLabel*>(name);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->text(), text);
            EXPECT_EQ(label->buddy(), f->findChild<QWidget*>(buddy));
            QTest::keyClick(f, key, Qt::AltModifier);
            EXPECT_EQ(QApplication::focusWidget(), f->findChild<QWidget*>(buddy));
        }
        auto* tree = f->findChild<QTreeView*>("treeView");
        ASSERT_NE(tree, nullptr);
        const QHeaderView* header = tree->header();
        for (int i = 0; i < header->count(); ++i) EXPECT_GE(header->sectionSize(i), header->sectionSizeHint(i)) << i;
        EXPECT_LE(header->length() + tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree),
                  tree->viewport()->width());
        auto* side = f->findChild<QListView*>("sidebar");
        ASSERT_NE(side, nullptr);
        EXPECT_LE(side->sizeHintForColumn(0), side->viewport()->width());
        f->hide();
    }
}

TEST_F(AppTest, EnablingFollowsTheCountsAndTheResults) {
    using namespace cmd;
    const std::vector<int> ids = {Save,     SaveAs,  Export,      Criteria, Print, PrinterSetup, MatrixOfAlternatives,
                                  Computations, Compare, SaveResults, Qolv,     Kernel, FinalGraph,  ModifiedGraph,
                                  Graph,    Concordance, Discordance, Robustness, Outranking};
    struct Case { int n, m, valid; std::vector<bool> enabled; } cases[] = {  // enabled: in the order of ids
        {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {1, 0, 0, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {1, 1, 0, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {2, 0, 0, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {2, 1, 0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {3, 2, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        setCounts(c.n, c.m);
        setState().resultsValid = c.valid;
        for (size_t k = 0; k < ids.size(); ++k)
            EXPECT_EQ(enabled(ids[k]), c.enabled[k]) << "n=" << c.n << " m=" << c.m << " valid=" << c.valid
                                                     << " id=" << ids[k];
        for (int always : {New, Open, Import, Alternatives, Level, Advanced, 122, 125, HelpContents, UsingHelp, About,
                           Exit})
            EXPECT_TRUE(enabled(always)) << always;
        EXPECT_EQ(checked(Computations), c.valid == 1);
    }
    // The Window menu is offered only while child windows exist.
    EXPECT_FALSE(enabled(CloseAll));
    EXPECT_FALSE(enabled(Cascade));
}

TEST_F(AppTest, ViewTogglesOpenAndCloseAndCarryTheCheckMark) {
    for (ViewSlot s : {ViewSlot::Concordance, ViewSlot::FinalGraph}) fakeView(*app->client(), s);
    setCounts(3, 2);
    setState().resultsValid = 1;
    const auto views = [&] {  // the check marks, the mask of open views, the child windows
        return std::tuple(checked(cmd::Concordance), checked(cmd::FinalGraph), state().openViewsMask,
                          app->client()->childCount());
    };
    send(cmd::Concordance);
    EXPECT_EQ(views(), std::tuple(true, false, kBitConcordance, 1));
    send(cmd::Concordance);
    EXPECT_EQ(views(), std::tuple(false, false, 0, 0));
    send(cmd::Concordance);
    send(cmd::FinalGraph);
    EXPECT_EQ(views(), std::tuple(true, true, kBitConcordance | kBitFinalGraph, 2));
    EXPECT_TRUE(enabled(cmd::CloseAll));
    send(cmd::CloseAll);
    EXPECT_EQ(views(), std::tuple(false, false, 0, 0));
    // A view without a window: its toggle does nothing.
    app->client()->setViewFactory(ViewSlot::Robustness, nullptr);
    send(cmd::Robustness);
    EXPECT_FALSE(checked(cmd::Robustness));
}

TEST_F(AppTest, SaveOfAnUntitledProjectAndNewAskOnlyWhenModifiedAndYesRunsSaveAs) {
    doc().addAlternative("a1", {});
    EXPECT_FALSE(app->cmSave());  // a project begun at start-up: the Save As dialog, cancelled
    EXPECT_TRUE(hooks.messages.empty());
    answer({IDCANCEL});
    app->cmNew();
    said(0, kNewQuestion, "New project", kQuestion);
    EXPECT_EQ(doc().project().n, 1);  // cancelled

    answer({IDYES});
    app->cmNew();  // Save As is cancelled (no file queued): the new project comes anyway
    ASSERT_EQ(hooks.fileDialogs.size(), 2u);
    for (const auto& f : hooks.fileDialogs) asked(f, "Saving project", "*.kvs", "Kavorin files (*.KVS)|*.kvs");
    EXPECT_EQ(doc().project().n, 0);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [new]");
    EXPECT_EQ(state().projectTitle, "[new]");
    EXPECT_EQ(flags(), (std::array<int, 3>{0, 1, 0}));
    app->cmNew();  // unmodified: no question
    EXPECT_EQ(hooks.messages.size(), 1u);
}

TEST_F(AppTest, OpenShowsTheCountsAndSetsCaptionFlagsAndRecentList) {
    app->fileData().fileName = "/somewhere/results.kvr";
    app->cmOpen();  // cancelled: the file name comes back, nothing else changes
    EXPECT_EQ(app->fileData().fileName, "/somewhere/results.kvr");
    EXPECT_EQ(app->caption(), "KAVORIN Is");
    EXPECT_EQ(state().recentProjects[0], "");

    const QString p = example("car.kvs");
    setState().modified = 1;
    answer({IDNO});
    open(p);
    ASSERT_EQ(hooks.messages.size(), 2u);
    said(0, kOpenQuestion, "Open project", kQuestion);
    asked(hooks.fileDialogs[0], "Opening project", "*.kvs", "Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|");
    EXPECT_FALSE(hooks.fileDialogs[0].save);
    said(1, "Number of alternatives:  6\nNumber of criteria:  6", p, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + p + "]");
    EXPECT_EQ(state().projectPath, str(p));
    EXPECT_EQ(state().projectTitle, str(p));
    EXPECT_EQ(flags(), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(state().recentProjects[0], str(p));
    // A file of the test mode adds its mark to the caption.
    const QString t = path("t.kvs");
    writeFile(t, "test\n" + readFile(kExample));
    open(t);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + t + "] test!!!");
}

TEST_F(AppTest, AFailedOpenOffersTheEditorAndChangesNothing) {
    const ScopedEnv display("DISPLAY", ":99");  // the editor is offered on a desktop
    const QString p = path("broken.kvs");
    writeFile(p, "no_of_criteria 1\n");
    hooks.answers = {IDYES};
    open(p);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(std::tuple(str(hooks.messages[0].caption), hooks.messages[0].flags),
              std::tuple(loadFailureCaption(str(p)), MB_YESNO | MB_ICONSTOP));
    ASSERT_EQ(hooks.programs.size(), 1u);
    EXPECT_EQ(hooks.programs[0].arguments.last(), p);
    EXPECT_EQ(app->caption(), "KAVORIN Is");
    EXPECT_EQ(state().recentProjects[0], "");

    answer({IDYES});
    hooks.startSucceeds = false;
    open(p);
    said(1, "Error running notepad program", "Error running editor", MB_OK);

    // A file that cannot be read at all (a blank recent entry too) offers no editor.
    answer({});
    hooks.programs.clear();
    const QString missing = path("missing.kvs");
    open(missing);
    saidOnly("Cannot open file '" + missing + "'", QString::fromStdString(loadFailureCaption(str(missing))), kStop);
    answer({});
    send(cmd::Recent1);
    saidOnly("Cannot open file ''", "Error opening project ''", kStop);
    EXPECT_TRUE(hooks.programs.empty());
}

// The project named on the command line (a double-click in a file manager).
TEST_F(AppTest, AProjectGivenAtStartOpensAsOpenDoesWithoutItsDialog) {
    const ScopedEnv display("DISPLAY", ":99");
    // A file that cannot be loaded: the usual message, and the untitled project stays.
    const QString broken = path("broken.kvs");
    writeFile(broken, "no_of_criteria 1\n");
    hooks.answers = {IDNO};
    app->openProject(str(broken));
    saidOnly("Missing section: 'no_of_alternatives'.\nDo you want to run editor ?", "Error opening project '" + broken + "'",
             MB_YESNO | MB_ICONSTOP);
    answer({});
    const QString missing = path("missing.kvs");
    app->openProject(str(missing));
    saidOnly("Cannot open file '" + missing + "'", "Error opening project '" + missing + "'", kStop);
    EXPECT_EQ(app->caption(), "KAVORIN Is");
    EXPECT_EQ(std::tuple(flags(), state().projectPath, state().recentProjects[0]),
              std::tuple(std::array<int, 3>{0, 0, 0}, std::string(), std::string()));

    answer({});
    const QString p = example("car.kvs");
    app->openProject(str(p));
    saidOnly("Number of alternatives:  6\nNumber of criteria:  6", p, MB_OK | MB_ICONINFORMATION);
    EXPECT_TRUE(hooks.fileDialogs.empty());
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + p + "]");
    EXPECT_EQ(std::tuple(flags(), state().projectPath, state().recentProjects[0], str(app->fileData().fileName)),
              std::tuple(std::array<int, 3>{0, 0, 0}, str(p), str(p), std::string("*.kvs")));
}

TEST_F(AppTest, SaveSaveAsAndExitWriteAsAnsweredAndAFileThatCannotBeWrittenKeepsTheProject) {
    EXPECT_TRUE(app->canClose());  // nothing to save: Exit asks nothing
    EXPECT_TRUE(hooks.messages.empty());
    const QString p = example("a.kvs"), target = example("b.kvs"), exported = path("out.txt");
    open(p);
    hooks.files.push_back(exported);
    app->cmExport();
    EXPECT_TRUE(QFile::exists(exported));
    EXPECT_EQ(hooks.fileDialogs.back().title, "Export project to Kavorin III/IV");
    EXPECT_EQ(state().projectPath, str(p));
    // Not over the project's own file: refused before the question to replace it.
    const std::string project = readFile(p);
    answer({});
    hooks.files.push_back(p);
    app->cmExport();
    saidOnly("Cannot create file '" + p + "'", "Export project to Kavorin III/IV", kStop);
    EXPECT_EQ(readFile(p), project);
    answer({});

    doc().renameAlternative(0, "renamed");
    const size_t dialogs = hooks.fileDialogs.size();
    EXPECT_TRUE(app->cmSave());
    EXPECT_EQ(hooks.fileDialogs.size(), dialogs);
    EXPECT_EQ(state().modified, 0);
    EXPECT_NE(readFile(p).find("renamed"), std::string::npos);

    const std::string before = readFile(target);
    doc().renameAlternative(0, "changed");
    for (auto [a, written] : {std::pair{IDNO, false}, {IDCANCEL, false}, {IDYES, true}}) {
        answer({a});
        hooks.files.push_back(target);
        EXPECT_EQ(app->cmSaveAs(), written);
        saidOnly("       File already exist.\nDo you want to replace the old file?", target, kQuestion);
        EXPECT_EQ(readFile(target) != before, written);
    }
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + target + "]");
    EXPECT_EQ(state().projectPath, str(target));
    EXPECT_EQ(state().recentProjects[0], str(target));
    EXPECT_EQ(state().modified, 0);

    // A file that cannot be written is reported by its path and keeps modified.
    doc().renameAlternative(0, "again");
    const QString bad = path("missing/dir/x.kvs");
    hooks.files.push_back(bad);
    EXPECT_FALSE(app->cmSaveAs());
    ASSERT_EQ(hooks.messages.size(), 2u);
    said(1, "Cannot create file '" + bad + "'", "Saving project", kStop);
    EXPECT_EQ(state().modified, 1);
    EXPECT_EQ(state().projectPath, str(target));

    // Exit asks while modified; Yes saves.
    const std::string unsaved = readFile(target);
    for (auto [a, closes] : {std::pair{IDCANCEL, false}, {IDNO, true}, {IDYES, true}}) {
        answer({a});
        EXPECT_EQ(app->canClose(), closes);
        saidOnly("Save current project?", "Exit program", kQuestion);
        EXPECT_EQ(readFile(target) != unsaved, a == IDYES);
    }
    // Yes with a file that cannot be written keeps the program and the project,
    // at Exit and at the question of New.
    doc().renameAlternative(0, "unsaved");
    setState().projectPath = str(path("gone/e.kvs"));
    answer({IDYES});
    EXPECT_FALSE(app->canClose());
    hooks.answers = {IDYES};
    app->cmNew();
    ASSERT_EQ(hooks.messages.size(), 4u);
    said(1, "Cannot create file '" + path("gone/e.kvs") + "'", "Saving project", kStop);
    EXPECT_EQ(doc().project().alternatives[0].name, "unsaved");
    EXPECT_EQ(state().modified, 1);
}

TEST_F(AppTest, ImportNamesTheProjectKvsAndLeavesItUntitledAndAFailedOneChangesNothing) {
    setCounts(3, 2);
    const QString txt = path("sib.txt"), bad = path("bad.txt");
    ASSERT_TRUE(exportProject(str(txt), doc().project()));
    writeFile(bad, "not a project\n");
    setState().modified = 0;
    doc().setSelectionMask(0x40);
    setState().resultsValid = 1;
    hooks.files = {bad};
    app->cmImport();
    saidOnly("It is not an Kavorin III/IV project file", "Error opening project '" + bad + "'", kStop);
    EXPECT_EQ(std::tuple(doc().project().n, state().selectionMask, state().resultsValid), std::tuple(3, 0x40, 1));

    answer({});
    hooks.files = {txt};
    app->cmImport();
    asked(hooks.fileDialogs[0], "Opening project", "*.txt", "Kavorin III/IV files (*.txt)|*.txt|All files(*.*)|*.*|");
    const QString kvs = path("sib.KVS");
    saidOnly("Number of alternatives:  3\nNumber of criteria:  2", kvs, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + kvs + "]");
    EXPECT_EQ(state().projectPath, str(kvs));
    EXPECT_EQ(flags(), (std::array<int, 3>{1, 1, 0}));
    EXPECT_EQ(state().selectionMask, 0);
    EXPECT_EQ(state().recentProjects[0], "");
    // Save of an imported project asks for a name, starting from *.kvs.
    app->cmSave();
    asked(hooks.fileDialogs.back(), "Saving project", "*.kvs", "Kavorin files (*.KVS)|*.kvs");
}

// A view shows the arrays in place: it must close while they are still the
// ones it showed, whichever command replaces them.
TEST_F(AppTest, ViewsCloseBeforeTheProjectOrTheResultsGo) {
    std::vector<std::pair<int, int>> seen;  // the project's and the results' n as a view closes
    app->client()->setViewFactory(ViewSlot::Alternatives, [&seen](TOknoMDI& c, Document& d) {
        auto* view = new TMDIChild(c, "view", new QLabel("x"));
        QObject::connect(view, &QObject::destroyed, [&seen, &d] { seen.emplace_back(d.project().n, d.results().n); });
        return view;
    });
    const auto showView = [&] { app->client()->toggle(ViewSlot::Alternatives); };
    const QString txt = path("three.txt");
    setCounts(3, 2);
    ASSERT_TRUE(exportProject(str(txt), doc().project()));
    setState().modified = 0;
    open(example("car.kvs"));
    app->cmComputations();
    showView();
    hooks.files.push_back(txt);
    app->cmImport();  // 6 alternatives and their results, replaced by 3
    showView();
    setState().modified = 0;
    open(example("car.kvs"));
    app->cmComputations();
    showView();
    doc().setEvaluation(0, 0, 1, "1");  // invalid results, the view stays
    app->cmComputations();
    showView();
    setState().modified = 0;
    app->cmNew();
    EXPECT_EQ(seen, (std::vector<std::pair<int, int>>{{6, 6}, {3, 0}, {6, 6}, {6, 6}}));
    EXPECT_EQ(state().openViewsMask, 0);
}

TEST_F(AppTest, RecentListAfterOpensItsMenuItemsAndItsPersistenceAtTheEnd) {
    std::vector<std::string> p;
    for (const char* name : {"p1.kvs", "p2.kvs", "p3.kvs", "p4.kvs", "p5.kvs"}) p.push_back(str(example(name)));
    for (const std::string& x : p) open(QString::fromStdString(x));
    using Recent = std::array<std::string, 4>;
    EXPECT_EQ(state().recentProjects, (Recent{p[4], p[3], p[2], p[1]}));
    open(QString::fromStdString(p[2]));
    EXPECT_EQ(state().recentProjects, (Recent{p[2], p[3], p[4], p[1]}));
    EXPECT_EQ(str(action(122)->text()), "&1  " + p[2]);
    // Recent item 2 opens its entry without a dialog.
    const size_t dialogs = hooks.fileDialogs.size();
    send(123);
    EXPECT_EQ(hooks.fileDialogs.size(), dialogs);
    // The entry opened is the one the list held, though opening rewrites the list.
    EXPECT_EQ(std::tuple(state().projectPath, str(app->caption()), str(hooks.messages.back().caption)),
              std::tuple(p[3], "KAVORIN Is - [" + p[3] + "]", p[3]));

    // The end of the run writes the list to kvis.ini in the start directory.
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    shutDown(doc(), dir.path().toStdString());
    const std::string ini = str(dir.filePath("kvis.ini"));
    for (auto [key, want] : {std::pair{"1", p[3]}, {"2", p[2]}, {"3", p[4]}, {"4", p[1]}})
        EXPECT_EQ(getProfileString("history", key, "?", ini), want) << key;
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("kvis.ini")));
}

TEST_F(AppTest, HelpAndAbout) {
    send(cmd::HelpContents);
    send(cmd::UsingHelp);
    EXPECT_EQ(hooks.helpPages, (std::vector<QString>{"index.html", "using_help.html"}));
    hooks.dialogScripts.push_back([](TDialog& d) {
        EXPECT_EQ((QStringList{d.windowTitle(), d.staticText(idc::About::Version)->text(),
                               d.staticText(idc::About::Method)->text(), d.button(IDOK)->text()}),
                  (QStringList{"About program...", "KVIS    v 3.0", "Implementation of the Kavorin Is method", "OK"}));
        d.press(IDOK);
    });
    send(cmd::About);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{tpl::About});
}

// Print: the open views preselected; Cancel in Select prints nothing; a
// cancelled print dialog writes nothing; the chosen items are printed (one
// page each for this project); the selection of Save results is back every
// time; a file that cannot be created is the printer's message.
TEST_F(AppTest, PrintChoosesItsItemsAndKeepsTheSelection) {
    open(example("pr.kvs"));
    app->cmComputations();
    ASSERT_EQ(state().resultsValid, 1);
    doc().setSelectionMask(0x80);
    doc().setOpenViewsMask(0x41);
    int seen = 0;
    hooks.dialogScripts.push_back([&](TDialog& d) {
        for (const auto& box : dlg::kSelectBoxes)
            if (d.checkBox(box.id)->getCheck()) seen |= box.bit;
        d.pressEscape();
    });
    send(cmd::Print);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{tpl::Select});
    EXPECT_EQ(seen, 0x41);
    EXPECT_EQ(hooks.printDialogs, 0);
    EXPECT_EQ(state().selectionMask, 0x80);

    const auto everything = [](TDialog& d) {
        for (const auto& box : dlg::kSelectBoxes) d.checkBox(box.id)->setCheck(1);
        d.press(IDOK);
    };
    hooks.pdfPath = path("out.pdf");
    hooks.dialogScripts.push_back(everything);
    hooks.printAnswers.push_back(false);
    send(cmd::Print);
    EXPECT_EQ(hooks.printDialogs, 1);
    EXPECT_FALSE(QFile::exists(path("out.pdf")));

    hooks.dialogScripts.push_back(everything);
    send(cmd::Print);
    EXPECT_EQ(hooks.printDialogs, 2);
    EXPECT_EQ(pdfPages(readFile(path("out.pdf"))), 8);
    EXPECT_EQ(state().selectionMask, 0x80);
    EXPECT_TRUE(QDir(dir.path()).entryList({".out.pdf*"}, QDir::Hidden | QDir::Files).isEmpty());

    answer({});
    hooks.pdfPath = path("no/such/dir/out.pdf");
    hooks.dialogScripts.push_back(everything);
    send(cmd::Print);
    saidOnly("Cannot create file '" + path("no/such/dir/out.pdf") + "'", "Print", kStop);

    send(cmd::PrinterSetup);
    EXPECT_EQ(hooks.setupDialogs, 1);
}

TEST_F(AppTest, ComputationsQolvAndSaveResults) {
    fakeView(*app->client(), ViewSlot::Alternatives);
    open(example("v.kvs"));
    send(cmd::MatrixOfAlternatives);
    ASSERT_TRUE(checked(cmd::MatrixOfAlternatives));
    // Refused by the checks (the level, then a negative weight): the open views stay.
    const double weight = doc().project().criteria[0].weight;
    for (auto [level, firstWeight] : {std::pair{0.3, weight}, {0.6, -1.0}}) {
        answer({});
        setProject().levelOfConcordance = level;
        setProject().criteria[0].weight = firstWeight;
        app->cmComputations();
        ASSERT_EQ(hooks.messages.size(), 1u);
        EXPECT_EQ(std::tuple(str(hooks.messages[0].caption), hooks.messages[0].flags, hooks.progressRuns.size()),
                  std::tuple("Validation error", kStop, size_t{0}));
        EXPECT_TRUE(checked(cmd::MatrixOfAlternatives)) << level;
    }
    // A computation that goes ahead closes every view first and checks its menu item.
    setProject().criteria[0].weight = weight;
    app->cmComputations();
    ASSERT_EQ(state().resultsValid, 1) << str(hooks.messages.back().text);
    EXPECT_TRUE(checked(cmd::Computations));
    EXPECT_FALSE(checked(cmd::MatrixOfAlternatives));
    EXPECT_EQ(state().openViewsMask, 0);

    app->cmQolv();
    EXPECT_TRUE(QFile::exists(path("qolv.kvr")));
    ASSERT_EQ(hooks.programs.size(), 1u);
    EXPECT_EQ(hooks.programs[0].program, path("qolv.exe"));
    EXPECT_EQ(hooks.programs[0].arguments, QStringList{"qolv.kvr"});

    const std::string projectPath = state().projectPath;
    const auto saveResults = [&](bool ok, const char* file) {
        hooks.dialogScripts.push_back([ok](TDialog& d) { d.press(ok ? IDOK : IDCANCEL); });
        if (file) hooks.files.push_back(path(file));
        app->cmSaveResults();
    };
    // Written on the worker behind a dialog whose Cancel leaves no file.
    hooks.progressScripts.push_back([](TDialog& d, int) { d.pressEscape(); });
    const size_t messages = hooks.messages.size();
    saveResults(true, "res");
    EXPECT_EQ(std::tuple(str(hooks.progressRuns.back().caption), hooks.progressRuns.back().stages),
              std::tuple("Saving results", QStringList{"Writing the results..."}));
    EXPECT_FALSE(QFile::exists(path("res.kvr")) || QFile::exists(path("res.cvr")));
    EXPECT_EQ(hooks.messages.size(), messages);
    EXPECT_EQ(str(app->mainWindow()->statusBar()->currentMessage()), "Saving results cancelled");
    saveResults(true, "res");
    ASSERT_FALSE(hooks.fileDialogs.empty());
    asked(hooks.fileDialogs.back(), "Saving results", "*.kvr", "Result files (*.KVR)|*.kvr|All files(*.*)|*.*|");
    EXPECT_TRUE(QFile::exists(path("res.kvr")));
    EXPECT_EQ(state().projectPath, projectPath);

    answer({});
    saveResults(true, "no/such/dir/r.kvr");
    saidOnly("Cannot create file '" + path("no/such/dir/r.kvr") + "'", "Saving results", kStop);

    // The project's own file is never written over.
    const std::string project = readFile(path("v.kvs"));
    answer({});
    saveResults(true, "v.kvs");
    saidOnly("Cannot create file '" + path("v.kvs") + "'", "Saving results", kStop);
    EXPECT_EQ(readFile(path("v.kvs")), project);

    // Cancelling the choice of what to save ends the command before the file dialog.
    const size_t dialogs = hooks.fileDialogs.size();
    saveResults(false, nullptr);
    EXPECT_EQ(hooks.fileDialogs.size(), dialogs);
}

// Memory that runs out inside a command is reported; the program and the
// project go on.
TEST_F(AppTest, ACommandThatRunsOutOfMemoryKeepsTheProject) {
    open(example("m.kvs"));
    answer({});
    const Subscription failing = doc().beforeRelease([] { throw std::bad_alloc(); });
    EXPECT_TRUE(app->processCommand(cmd::Computations));
    saidOnly("Not enough memory to compute the results", "Computations impossible", kStop);
    EXPECT_EQ(doc().project().n, 6);
    EXPECT_EQ(state().projectPath, path("m.kvs").toStdString());
    EXPECT_EQ(state().resultsValid, 0);
}

// The engine runs on a worker thread behind the progress dialog. Cancel at
// any stage it reports leaves what a refused computation leaves: the project
// as it was, no results, the views closed, no message; only the status bar
// says so. The dialog shows only once the computation outlasts half a second.
TEST_F(AppTest, ComputationsShowTheirStagesAndCancelAtAnyOfThemKeepsNothing) {
    fakeView(*app->client(), ViewSlot::Alternatives);
    open(example("v.kvs"));
    answer({});
    const std::string project = projectText(doc().project());
    const std::array<int, 3> flagsBefore = flags();
    const QStringList texts = progressDialogSetup(LongWork::Computations).stageTexts;
    QStatusBar* status = app->mainWindow()->statusBar();
    // Each look at the clock finds `step` milliseconds more gone.
    std::int64_t step = 250;
    std::int64_t clock = 0;
    hooks.progressClock = [&] { return clock += step; };

    // Run to its end first, to learn the stages this project goes through;
    // the dialog shows once half a second has gone, at the second stage.
    std::vector<int> stages;
    hooks.progressScripts.push_back([&](TDialog& d, int stage) {
        stages.push_back(stage);
        EXPECT_EQ(d.staticText(idc::Progress::Stage)->text(), texts[stage]);
    });
    app->cmComputations();
    ASSERT_EQ(state().resultsValid, 1);
    EXPECT_EQ(std::tuple(str(hooks.progressRuns.at(0).caption), hooks.progressRuns[0].shownAt, hooks.messages.size()),
              std::tuple("Computations", 2, size_t{0}));
    // Matrices and Merging first, then the engine's own, in their order.
    ASSERT_GE(stages.size(), 2u);
    EXPECT_EQ(std::pair(stages[0], stages[1]), std::pair(0, 1));
    for (size_t i = 1; i < stages.size(); ++i) EXPECT_LT(stages[i - 1], stages[i]);
    EXPECT_LT(stages.back(), static_cast<int>(ComputeStage::Writing));

    for (size_t at = 0; at < stages.size(); ++at) {
        SCOPED_TRACE(str(texts[stages[at]]));
        setState().resultsValid = 0;
        setState().modified = flagsBefore[0];
        send(cmd::MatrixOfAlternatives);
        ASSERT_TRUE(app->client()->isOpen(ViewSlot::Alternatives));
        hooks.progressRuns.clear();
        // Slow from the first stage on: the dialog shows, and the user gets
        // nowhere else meanwhile.
        step = 1000;
        const size_t fileDialogs = hooks.fileDialogs.size();
        hooks.progressScripts.push_back([&](TDialog& d, int stage) {
            EXPECT_EQ(std::tuple(doc().results().n, app->client()->childCount(), state().openViewsMask),
                      std::tuple(0, 0, 0));
            QTest::keyClick(app->mainWindow(), Qt::Key_F3);
            if (stage == stages[at]) d.press(IDCANCEL);
        });
        app->cmComputations();
        EXPECT_EQ(hooks.fileDialogs.size(), fileDialogs);
        ASSERT_EQ(hooks.progressRuns.size(), 1u);
        const ProgressRun& run = hooks.progressRuns[0];
        EXPECT_EQ(std::tuple(run.shownAt, run.cancelled, run.stages.size()), std::tuple(1, true, at + 1));
        EXPECT_EQ(std::tuple(projectText(doc().project()), flags(), hooks.messages.size()),
                  std::tuple(project, flagsBefore, size_t{0}));
        EXPECT_EQ(std::tuple(doc().results().n, app->client()->childCount(), state().openViewsMask),
                  std::tuple(0, 0, 0));
        EXPECT_EQ(str(status->currentMessage()), "Computations cancelled");
        EXPECT_EQ(std::tuple(checked(cmd::Computations), enabled(cmd::Concordance), enabled(cmd::SaveResults)),
                  std::tuple(false, false, false));
    }

    // A quick computation shows no dialog; the cancelled state goes.
    step = 0;
    hooks.progressRuns.clear();
    app->cmComputations();
    EXPECT_EQ(hooks.progressRuns.at(0).shownAt, -1);
    EXPECT_EQ(state().resultsValid, 1);
    EXPECT_EQ(str(status->currentMessage()), "");
    EXPECT_TRUE(hooks.messages.empty());
}

// A computation the engine cannot finish says so once the dialog is gone.
TEST_F(AppTest, AFailedComputationSaysWhatItAlwaysSaid) {
    const QString failing = path("fails.kvs");
    QFile::copy(QStringLiteral(KVIS_SOURCE_DIR "/tests/golden/engine_fails/project.kvs"), failing);
    open(failing);
    answer({});
    app->cmComputations();
    EXPECT_EQ(std::tuple(hooks.progressRuns.size(), state().resultsValid), std::tuple(size_t{1}, 0));
    saidOnly("To cut a cycle, the algorithm must cut more arcs\n    than allowed in the Edit-Advanced options.   ",
             "Computations impossible", kStop);
}

TEST_F(AppTest, MatrixViewsOpenAndCloseByTheirCommandsTheirCloseBoxAndComputations) {
    open(example("v.kvs"));
    app->cmComputations();
    ASSERT_EQ(state().resultsValid, 1);
    struct View { int command; ViewSlot slot; const char* caption; QPoint at; int bit; } views[] = {
        {cmd::MatrixOfAlternatives, ViewSlot::Alternatives, "Matrix of Alternatives", {5, 5}, kBitAlternatives},
        {cmd::Concordance, ViewSlot::Concordance, "Matrix of Concordance", {25, 20}, kBitConcordance},
        {cmd::Discordance, ViewSlot::Discordance, "Matrix of Discordance", {45, 35}, kBitDiscordance},
        {cmd::Robustness, ViewSlot::Robustness, "Matrix of Robustness", {65, 50}, kBitRobustness},
        {cmd::Outranking, ViewSlot::Outranking, "Matrix of Outranking", {85, 65}, kBitOutranking},
    };
    TOknoMDI& client = *app->client();
    for (const View& v : views) {
        SCOPED_TRACE(v.caption);
        send(v.command);
        ASSERT_TRUE(client.isOpen(v.slot));
        const TMDIChild* child = client.view(v.slot);
        EXPECT_EQ(std::tuple(str(child->windowTitle()), child->geometry(), child->windowIcon().isNull()),
                  std::tuple(v.caption, QRect(v.at, QSize(500, 300)), false));
        EXPECT_TRUE(checked(v.command));
        EXPECT_TRUE(state().openViewsMask & v.bit);
        send(v.command);  // twice: closed again
        EXPECT_EQ(std::tuple(client.isOpen(v.slot), checked(v.command), state().openViewsMask), std::tuple(false, false, 0));
    }
    for (const View& v : views) send(v.command);
    EXPECT_EQ(state().openViewsMask, 0xF8);

    // The close box of a view empties its slot and its bit.
    client.view(ViewSlot::Robustness)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::tuple(client.isOpen(ViewSlot::Robustness), checked(cmd::Robustness), state().openViewsMask),
              std::tuple(false, false, 0xF8 & ~kBitRobustness));

    // An evaluation typed into the grid: the results go stale, their views stay open
    // with their commands disabled, until the next computation closes every view.
    auto* grid = static_cast<TSheetWindow*>(client.view(ViewSlot::Alternatives)->widget());
    QTest::keyClick(grid->ArrayWindow, Qt::Key_9);
    QTest::keyClick(grid->EnterEdit, Qt::Key_Return);
    EXPECT_EQ(doc().project().eval(0, 0), 9);
    EXPECT_EQ(std::tuple(state().modified, state().resultsValid, client.childCount()), std::tuple(1, 0, 4));
    EXPECT_EQ(std::tuple(enabled(cmd::Concordance), checked(cmd::Concordance)), std::tuple(false, true));
    app->cmComputations();
    ASSERT_EQ(state().resultsValid, 1);
    EXPECT_EQ(std::tuple(client.childCount(), state().openViewsMask, checked(cmd::MatrixOfAlternatives)),
              std::tuple(0, 0, false));
}

TEST_F(AppTest, GraphViewsOpenAndCloseByTheirCommandsAndTheirCloseBox) {
    open(example("g.kvs"));
    app->cmComputations();
    ASSERT_EQ(state().resultsValid, 1);
    struct View { int command; ViewSlot slot; const char* caption; QPoint at; int bit; } views[] = {
        {cmd::Graph, ViewSlot::Graph, "Graph of Outranking", {105, 80}, kBitGraph},
        {cmd::ModifiedGraph, ViewSlot::ModifiedGraph, "Modified Graph of Outranking", {125, 95}, kBitModifiedGraph},
        {cmd::FinalGraph, ViewSlot::FinalGraph, "Final Graph", {145, 110}, kBitFinalGraph},
    };
    TOknoMDI& client = *app->client();
    for (const View& v : views) {
        SCOPED_TRACE(v.caption);
        send(v.command);
        ASSERT_TRUE(client.isOpen(v.slot));
        const TMDIChild* child = client.view(v.slot);
        EXPECT_EQ(std::tuple(str(child->windowTitle()), child->geometry(), child->windowIcon().isNull()),
                  std::tuple(v.caption, QRect(v.at, QSize(500, 300)), false));
        EXPECT_EQ(std::tuple(checked(v.command), state().openViewsMask), std::tuple(true, v.bit));
        send(v.command);
        EXPECT_EQ(std::tuple(client.isOpen(v.slot), checked(v.command), state().openViewsMask),
                  std::tuple(false, false, 0));
    }
    for (const View& v : views) send(v.command);
    EXPECT_EQ(state().openViewsMask, 0x07);
    client.view(ViewSlot::ModifiedGraph)->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(std::tuple(client.isOpen(ViewSlot::ModifiedGraph), checked(cmd::ModifiedGraph), state().openViewsMask),
              std::tuple(false, false, kBitGraph | kBitFinalGraph));
    // Close All empties every slot and unchecks every command.
    send(cmd::CloseAll);
    EXPECT_EQ(std::tuple(client.childCount(), state().openViewsMask, checked(cmd::Graph), checked(cmd::FinalGraph)),
              std::tuple(0, 0, false, false));
}

// ---- The editing commands around their dialogs: what they do afterwards -------

class EditCommands : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        doc().start(Parameters{0.7, 2, 0.1}, {});
        doc().addCriterion({"c1", 0, 0, 0, 1, {0, 1}, {0, 0}, {}});
        doc().addCriterion({"c2", 0, 0, 0, 3, {0, 1}, {0, 0}, {}});
        for (const char* name : {"a1", "a2", "a3"}) doc().addAlternative(name, {});
        doc().setEvaluation(1, 0, 5, "5");
        setState().modified = 0;
        fakeView(*app->client(), ViewSlot::Concordance);
    }
    void script(std::function<void(TDialog&)> f) { hooks.dialogScripts.push_back(std::move(f)); }
};

TEST_F(EditCommands, ViewsCloseOnlyWhenResultsBecameInvalid) {
    using Act = std::function<void(TDialog&)>;
    const Act ok = [](TDialog& d) { d.press(IDOK); };
    struct Case { const char* what; void (TKavorinApp::*command)(); Act act; bool closes; } cases[] = {
        {"alternatives", &TKavorinApp::cmAlternatives, ok, false},
        {"criteria", &TKavorinApp::cmCriteria, [](TDialog& d) { d.pressEscape(); }, false},
        {"level cancelled", &TKavorinApp::cmLevel, [](TDialog& d) { d.press(IDCANCEL); }, false},
        {"level", &TKavorinApp::cmLevel, ok, true},  // OK always closes, even on the level it already has
        {"advanced unchanged", &TKavorinApp::cmAdvanced,
         [](TDialog& d) { d.type(idc::Advanced::Arcs, "2"), d.type(idc::Advanced::Loss, "0.1"), d.press(IDOK); },
         false},
        {"advanced", &TKavorinApp::cmAdvanced, [](TDialog& d) { d.type(idc::Advanced::Loss, "0.2"), d.press(IDOK); },
         true},
        {"a removal", &TKavorinApp::cmAlternatives,
         [](TDialog& d) { d.press(idc::EditList::Remove), d.press(IDOK); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        setState().resultsValid = 1;
        if (!checked(cmd::Concordance)) send(cmd::Concordance);
        ASSERT_EQ(state().openViewsMask, kBitConcordance);
        if (c.closes && c.command == &TKavorinApp::cmAlternatives) hooks.answers = {IDYES};
        script(c.act);
        (app.get()->*c.command)();
        EXPECT_EQ(std::tuple(checked(cmd::Concordance), state().openViewsMask, state().resultsValid),
                  std::tuple(!c.closes, c.closes ? 0 : kBitConcordance, c.closes ? 0 : 1));
        EXPECT_EQ(state().modified, doc().project().n == 2 ? 1 : 0);  // only the removal sets it
    }
    EXPECT_EQ(doc().project().n, 2);
    EXPECT_EQ(doc().project().acceptableLoss, 0.2);
}

TEST_F(EditCommands, ComputationsThresholdFailureYesOpensEditCriteria) {
    setProject().criteria[1].indifference = {0, 2};  // q above p
    hooks.answers.push_back(IDYES);
    script([](TDialog& d) { d.pressEscape(); });
    app->cmComputations();
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{tpl::EditCriteria});
}

TEST_F(EditCommands, CompareOffersThePairAgainAfterEachComparison) {
    script([](TDialog& d) { d.select(idc::SetToCompare::Second, 2), d.press(IDOK); });
    for (int i = 0; i < 3; ++i) script([](TDialog& d) { d.press(IDOK); });  // the second OK takes the pair offered
    script([](TDialog& d) { d.press(IDCANCEL); });
    app->cmCompare();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{tpl::SetToCompare, tpl::Compare, tpl::SetToCompare, tpl::Compare,
                                                  tpl::SetToCompare}));
    EXPECT_EQ(state().comparePair, (std::array<int, 2>{0, 2}));
}

}  // namespace
