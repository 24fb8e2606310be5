// The main window's commands run headless through the hooks: enabling and
// check marks, the view toggles, and the flows of the project commands with
// their questions, captions, flags and the recent list.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <fstream>
#include <sstream>

#include "app/kavorin_app.h"
#include "app/lifecycle.h"
#include "dialogs/dialog_logic.h"
#include "model/project_file.h"
#include "model/project_ops.h"
#include "model/settings.h"
#include "model/sibling.h"
#include "platform/dialog.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"
#include "resources/menu_resource.h"

using namespace kvis;

namespace {

const QString kExample = QStringLiteral(KVIS_SOURCE_DIR "/examples/car.kvs");
const char* const kOpenQuestion =
    "   Opening a new project will cause \n    \t  the loss of current one.\nDo you want to save the current project?";
const char* const kNewQuestion =
    "  Creating a new project will cause \n    \t  the loss of current one.\nDo you want to save the current project?";

std::string readFile(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousDir = QDir::currentPath();
        QDir::setCurrent(dir.path());
        workspace() = Workspace{};
        startUp(workspace(), dir.path().toStdString());
        app = std::make_unique<TKavorinApp>();
        app->initMainWindow();
    }
    void TearDown() override {
        app.reset();
        for (int s = 0; s < kViewSlots; ++s) TOknoMDI::setViewFactory(static_cast<ViewSlot>(s), nullptr);
        QDir::setCurrent(previousDir);
    }
    Workspace& w() { return workspace(); }
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
    struct State {
        bool enabled;
        bool checked;
    };
    State state(int id) {
        app->mainWindow()->updateCommandUI();
        QAction* a = app->mainWindow()->action(id);
        return {a->isEnabled(), a->isChecked()};
    }
    void setCounts(int n, int m) {
        resetProject(w().project, w().doc, Parameters{});
        for (int j = 0; j < m; ++j) {
            Criterion c;
            c.name = "c" + std::to_string(j);
            c.weight = 1;
            addCriterion(w().project, w().doc, c);
        }
        for (int i = 0; i < n; ++i) addAlternative(w().project, w().doc, "a" + std::to_string(i));
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
    EXPECT_EQ(f->action(cmd::Robustness)->statusTip(), "Show matrix of robustness");
    EXPECT_EQ(f->action(cmd::ModifiedGraph)->statusTip(),
              "Show graph of outranking modified by new method of analyzing circuits");
    // 16 buttons and 6 separators on the tool bar.
    EXPECT_EQ(f->controlBar()->actions().size(), 22);
}

TEST_F(AppTest, EnablingFollowsTheCountsAndTheResults) {
    using namespace cmd;
    const std::vector<int> ids = {Save,     SaveAs,  Export,      Criteria, Print, PrinterSetup, MatrixOfAlternatives,
                                  Computations, Compare, SaveResults, Qolv,     Kernel, FinalGraph,  ModifiedGraph,
                                  Graph,    Concordance, Discordance, Robustness, Outranking};
    struct Case {
        int n, m, valid;
        std::vector<bool> enabled;  // in the order of ids
    } cases[] = {
        {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {1, 0, 0, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {1, 1, 0, {1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {2, 0, 0, {1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {2, 1, 0, {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {3, 2, 1, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        setCounts(c.n, c.m);
        w().doc.resultsValid = c.valid;
        for (size_t k = 0; k < ids.size(); ++k)
            EXPECT_EQ(state(ids[k]).enabled, c.enabled[k]) << "n=" << c.n << " m=" << c.m << " valid=" << c.valid
                                                            << " id=" << ids[k];
        for (int always : {New, Open, Import, Alternatives, Level, Advanced, 122, 125, HelpContents, UsingHelp, About,
                           Exit})
            EXPECT_TRUE(state(always).enabled) << always;
        EXPECT_EQ(state(Computations).checked, c.valid == 1);
    }
    // The Window menu is offered only while child windows exist.
    EXPECT_FALSE(state(CloseAll).enabled);
    EXPECT_FALSE(state(Cascade).enabled);
}

TEST_F(AppTest, ViewTogglesOpenAndCloseAndCarryTheCheckMark) {
    for (ViewSlot s : {ViewSlot::Concordance, ViewSlot::FinalGraph})
        TOknoMDI::setViewFactory(s, [](TOknoMDI& client) { return new TMDIChild(client, "view", new QLabel("x")); });
    setCounts(3, 2);
    w().doc.resultsValid = 1;
    TDecoratedMDIFrame* f = app->mainWindow();
    f->sendCommand(cmd::Concordance);
    EXPECT_TRUE(state(cmd::Concordance).checked);
    EXPECT_EQ(w().doc.openViewsMask, kBitConcordance);
    f->sendCommand(cmd::Concordance);
    EXPECT_FALSE(state(cmd::Concordance).checked);
    EXPECT_EQ(w().doc.openViewsMask, 0);
    EXPECT_EQ(app->client()->childCount(), 0);

    f->sendCommand(cmd::Concordance);
    f->sendCommand(cmd::FinalGraph);
    EXPECT_EQ(w().doc.openViewsMask, kBitConcordance | kBitFinalGraph);
    EXPECT_TRUE(state(cmd::CloseAll).enabled);
    f->sendCommand(cmd::CloseAll);
    EXPECT_FALSE(state(cmd::Concordance).checked);
    EXPECT_FALSE(state(cmd::FinalGraph).checked);
    EXPECT_EQ(w().doc.openViewsMask, 0);
    EXPECT_EQ(app->client()->childCount(), 0);
    // A view without a window yet: its toggle does nothing.
    f->sendCommand(cmd::Robustness);
    EXPECT_FALSE(state(cmd::Robustness).checked);
}

TEST_F(AppTest, RecentItemsShowTheirEntries) {
    w().doc.recentProjects = {"/p/a.kvs", "", "", ""};
    app->mainWindow()->updateCommandUI();
    EXPECT_EQ(app->mainWindow()->action(122)->text(), "&1  /p/a.kvs");
    EXPECT_EQ(app->mainWindow()->action(123)->text(), "&2  ");
}

TEST_F(AppTest, NewWithoutChangesAsksNothing) {
    app->cmNew();
    EXPECT_TRUE(hooks.messages.empty());
    EXPECT_EQ(app->caption(), "KAVORIN Is - [new]");
    EXPECT_EQ(w().doc.projectTitle, "[new]");
    EXPECT_EQ(w().doc.untitled, 1);
    EXPECT_EQ(w().doc.modified, 0);
}

TEST_F(AppTest, NewAsksToSaveAndYesOnAnUntitledProjectRunsSaveAs) {
    app->cmNew();
    addAlternative(w().project, w().doc, "a1");
    ASSERT_EQ(w().doc.modified, 1);
    hooks.answers = {IDCANCEL};
    app->cmNew();
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text, kNewQuestion);
    EXPECT_EQ(hooks.messages[0].caption, "New project");
    EXPECT_EQ(hooks.messages[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(w().project.n, 1);  // cancelled

    hooks.answers = {IDYES};
    app->cmNew();  // Save As is cancelled (no file queued): the new project comes anyway
    ASSERT_EQ(hooks.fileDialogs.size(), 1u);
    EXPECT_EQ(hooks.fileDialogs[0].title, "Saving project");
    EXPECT_EQ(hooks.fileDialogs[0].fileName, "*.kvs");
    EXPECT_EQ(hooks.fileDialogs[0].filter, "Kavorin files (*.KVS)|*.kvs");
    EXPECT_EQ(w().project.n, 0);
    EXPECT_EQ(w().doc.modified, 0);
    EXPECT_EQ(w().doc.untitled, 1);
}

TEST_F(AppTest, OpenShowsTheCountsAndSetsCaptionFlagsAndRecentList) {
    const QString p = example("car.kvs");
    w().doc.modified = 1;
    hooks.answers = {IDNO};
    open(p);
    ASSERT_EQ(hooks.messages.size(), 2u);
    EXPECT_EQ(hooks.messages[0].text, kOpenQuestion);
    EXPECT_EQ(hooks.messages[0].caption, "Open project");
    EXPECT_EQ(hooks.fileDialogs[0].title, "Opening project");
    EXPECT_FALSE(hooks.fileDialogs[0].save);
    EXPECT_EQ(hooks.fileDialogs[0].filter, "Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|");
    EXPECT_EQ(hooks.messages[1].text, "Number of alternatives:  6\nNumber of criteria:  6");
    EXPECT_EQ(hooks.messages[1].caption, p);
    EXPECT_EQ(hooks.messages[1].flags, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + p + "]");
    EXPECT_EQ(w().doc.projectPath, p.toStdString());
    EXPECT_EQ(w().doc.projectTitle, p.toStdString());
    EXPECT_EQ(w().doc.modified, 0);
    EXPECT_EQ(w().doc.untitled, 0);
    EXPECT_EQ(w().doc.resultsValid, 0);
    EXPECT_EQ(w().doc.recentProjects[0], p.toStdString());
}

TEST_F(AppTest, CancelledOpenRestoresTheFileNameAndChangesNothing) {
    app->fileData().fileName = "/somewhere/results.kvr";
    app->cmOpen();
    EXPECT_EQ(app->fileData().fileName, "/somewhere/results.kvr");
    EXPECT_EQ(app->caption(), "KAVORIN Is");
    EXPECT_EQ(w().doc.recentProjects[0], "");
}

TEST_F(AppTest, TestModeFileGetsTheSuffix) {
    const QString p = path("t.kvs");
    QFile::copy(kExample, p);
    {
        std::string text = "test\n" + readFile(p);
        std::ofstream(p.toStdString(), std::ios::binary) << text;
    }
    open(p);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + p + "] test!!!");
}

TEST_F(AppTest, AFailedOpenOffersTheEditorAndChangesNothing) {
    qputenv("DISPLAY", ":99");
    const QString p = path("broken.kvs");
    std::ofstream(p.toStdString()) << "no_of_criteria 1\n";
    hooks.answers = {IDYES};
    open(p);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].caption, QString::fromStdString(loadFailureCaption(p.toStdString())));
    EXPECT_EQ(hooks.messages[0].flags, MB_YESNO | MB_ICONSTOP);
    ASSERT_EQ(hooks.programs.size(), 1u);
    EXPECT_EQ(hooks.programs[0].arguments.last(), p);
    EXPECT_EQ(app->caption(), "KAVORIN Is");
    EXPECT_EQ(w().doc.recentProjects[0], "");

    hooks.answers = {IDYES};
    hooks.startSucceeds = false;
    open(p);
    ASSERT_EQ(hooks.messages.size(), 3u);
    EXPECT_EQ(hooks.messages[2].text, "Error running notepad program");
    EXPECT_EQ(hooks.messages[2].caption, "Error running editor");
    EXPECT_EQ(hooks.messages[2].flags, MB_OK);
}

TEST_F(AppTest, SaveAfterOpenWritesTheOpenedFileWithoutADialog) {
    const QString p = example("mine.kvs");
    const QString exported = path("out.txt");
    open(p);
    hooks.files.push_back(exported);
    app->cmExport();
    EXPECT_TRUE(QFile::exists(exported));
    EXPECT_EQ(hooks.fileDialogs.back().title, "Export project to Kavorin III/IV");
    EXPECT_EQ(w().doc.projectPath, p.toStdString());

    renameAlternative(w().project, w().doc, 0, "renamed");
    ASSERT_EQ(w().doc.modified, 1);
    const size_t dialogs = hooks.fileDialogs.size();
    EXPECT_TRUE(app->cmSave());
    EXPECT_EQ(hooks.fileDialogs.size(), dialogs);
    EXPECT_EQ(w().doc.modified, 0);
    EXPECT_NE(readFile(p).find("renamed"), std::string::npos);
}

TEST_F(AppTest, SaveAsAsksBeforeReplacingAFile) {
    open(example("a.kvs"));
    const QString target = example("b.kvs");
    const std::string before = readFile(target);
    renameAlternative(w().project, w().doc, 0, "changed");
    struct Case {
        int answer;
        bool written;
    } cases[] = {{IDNO, false}, {IDCANCEL, false}, {IDYES, true}};
    for (const Case& c : cases) {
        hooks.messages.clear();
        hooks.answers = {c.answer};
        hooks.files.push_back(target);
        EXPECT_EQ(app->cmSaveAs(), c.written);
        ASSERT_EQ(hooks.messages.size(), 1u);
        EXPECT_EQ(hooks.messages[0].text, "       File already exist.\nDo you want to replace the old file?");
        EXPECT_EQ(hooks.messages[0].caption, target);
        EXPECT_EQ(hooks.messages[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(readFile(target) != before, c.written);
    }
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + target + "]");
    EXPECT_EQ(w().doc.projectPath, target.toStdString());
    EXPECT_EQ(w().doc.recentProjects[0], target.toStdString());
    EXPECT_EQ(w().doc.modified, 0);
}

TEST_F(AppTest, AFileThatCannotBeWrittenIsReportedAndKeepsModified) {
    open(example("a.kvs"));
    renameAlternative(w().project, w().doc, 0, "changed");
    const QString bad = path("missing/dir/x.kvs");
    hooks.files.push_back(bad);
    EXPECT_FALSE(app->cmSaveAs());
    ASSERT_EQ(hooks.messages.size(), 2u);
    EXPECT_NE(hooks.messages[1].text.indexOf(bad), -1);
    EXPECT_EQ(hooks.messages[1].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(w().doc.modified, 1);
    EXPECT_NE(w().doc.projectPath, bad.toStdString());
}

TEST_F(AppTest, ImportNamesTheProjectKvsAndLeavesItUntitled) {
    setCounts(3, 2);
    const QString txt = path("sib.txt");
    ASSERT_TRUE(exportProject(txt.toStdString(), w().project));
    w().doc.modified = 0;
    w().doc.selectionMask = 0x40;
    w().doc.resultsValid = 1;
    hooks.files.push_back(txt);
    app->cmImport();
    EXPECT_EQ(hooks.fileDialogs[0].title, "Opening project");
    EXPECT_EQ(hooks.fileDialogs[0].fileName, "*.txt");
    EXPECT_EQ(hooks.fileDialogs[0].filter, "Kavorin III/IV files (*.txt)|*.txt|All files(*.*)|*.*|");
    const QString kvs = path("sib.KVS");
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text, "Number of alternatives:  3\nNumber of criteria:  2");
    EXPECT_EQ(hooks.messages[0].caption, kvs);
    EXPECT_EQ(app->caption(), "KAVORIN Is - [" + kvs + "]");
    EXPECT_EQ(w().doc.projectPath, kvs.toStdString());
    EXPECT_EQ(w().doc.modified, 1);
    EXPECT_EQ(w().doc.untitled, 1);
    EXPECT_EQ(w().doc.resultsValid, 0);
    EXPECT_EQ(w().doc.selectionMask, 0);
    EXPECT_EQ(w().doc.recentProjects[0], "");
    // Save of an imported project asks for a name, starting from *.kvs.
    app->cmSave();
    EXPECT_EQ(hooks.fileDialogs.back().title, "Saving project");
    EXPECT_EQ(hooks.fileDialogs.back().fileName, "*.kvs");
}

TEST_F(AppTest, AFailedImportLeavesTheProject) {
    setCounts(2, 1);
    const QString txt = path("bad.txt");
    std::ofstream(txt.toStdString()) << "not a project\n";
    w().doc.modified = 0;
    hooks.files.push_back(txt);
    app->cmImport();
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text, "It is not an Kavorin III/IV project file");
    EXPECT_EQ(hooks.messages[0].caption, "Error opening project '" + txt + "'");
    EXPECT_EQ(hooks.messages[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(w().project.n, 2);
}

TEST_F(AppTest, RecentListAfterOpensAndItsPersistenceAtTheEnd) {
    std::vector<QString> p;
    for (const char* name : {"p1.kvs", "p2.kvs", "p3.kvs", "p4.kvs", "p5.kvs"}) p.push_back(example(name));
    for (const QString& x : p) open(x);
    auto list = [&] {
        std::vector<std::string> v(w().doc.recentProjects.begin(), w().doc.recentProjects.end());
        return v;
    };
    EXPECT_EQ(list(), (std::vector<std::string>{p[4].toStdString(), p[3].toStdString(), p[2].toStdString(),
                                                p[1].toStdString()}));
    open(p[2]);
    EXPECT_EQ(list(), (std::vector<std::string>{p[2].toStdString(), p[3].toStdString(), p[4].toStdString(),
                                                p[1].toStdString()}));
    // Recent item 2 opens its entry without a dialog.
    const size_t dialogs = hooks.fileDialogs.size();
    app->mainWindow()->sendCommand(123);
    EXPECT_EQ(hooks.fileDialogs.size(), dialogs);
    EXPECT_EQ(w().doc.projectPath, p[3].toStdString());

    // The end of the run writes the list to kvis.ini in the start directory.
    QTemporaryDir elsewhere;
    QDir::setCurrent(elsewhere.path());
    shutDown(w());
    const std::string ini = dir.filePath("kvis.ini").toStdString();
    EXPECT_EQ(getProfileString("history", "1", "", ini), p[3].toStdString());
    EXPECT_EQ(getProfileString("history", "2", "", ini), p[2].toStdString());
    EXPECT_EQ(getProfileString("history", "4", "", ini), p[1].toStdString());
    EXPECT_FALSE(QFile::exists(elsewhere.filePath("kvis.ini")));
}

TEST_F(AppTest, ExitAsksOnlyWhenModified) {
    EXPECT_TRUE(app->canClose());
    EXPECT_TRUE(hooks.messages.empty());

    const QString p = example("e.kvs");
    open(p);
    renameAlternative(w().project, w().doc, 0, "exitname");
    const std::string before = readFile(p);
    struct Case {
        int answer;
        bool closes;
        bool written;
    } cases[] = {{IDCANCEL, false, false}, {IDNO, true, false}, {IDYES, true, true}};
    for (const Case& c : cases) {
        hooks.messages.clear();
        hooks.answers = {c.answer};
        EXPECT_EQ(app->canClose(), c.closes);
        ASSERT_EQ(hooks.messages.size(), 1u);
        EXPECT_EQ(hooks.messages[0].text, "Save current project?");
        EXPECT_EQ(hooks.messages[0].caption, "Exit program");
        EXPECT_EQ(hooks.messages[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
        EXPECT_EQ(readFile(p) != before, c.written);
    }
}

TEST_F(AppTest, HelpAndAbout) {
    app->mainWindow()->sendCommand(cmd::HelpContents);
    app->mainWindow()->sendCommand(cmd::UsingHelp);
    EXPECT_EQ(hooks.helpPages, (std::vector<QString>{"index.html", "using_help.html"}));
    hooks.dialogScripts.push_back([](TDialog& d) {
        EXPECT_EQ(d.windowTitle(), "About program...");
        EXPECT_EQ(d.staticText(201)->text(), "KVIS    v 3.0");
        EXPECT_EQ(d.staticText(202)->text(), "Implementation of the Kavorin Is method");
        d.press(1);
    });
    app->mainWindow()->sendCommand(cmd::About);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{108});
}

TEST_F(AppTest, ComputationsChecksItsMenuItemAndQolvStartsTheTool) {
    open(example("c.kvs"));
    app->cmComputations();
    ASSERT_EQ(w().doc.resultsValid, 1) << (hooks.messages.empty() ? "" : hooks.messages.back().text.toStdString());
    EXPECT_TRUE(state(cmd::Computations).checked);
    app->cmQolv();
    EXPECT_TRUE(QFile::exists(path("qolv.kvr")));
    ASSERT_EQ(hooks.programs.size(), 1u);
    EXPECT_EQ(hooks.programs[0].program, path("qolv.exe"));
    EXPECT_EQ(hooks.programs[0].arguments, QStringList{"qolv.kvr"});
}

}  // namespace

namespace {

TEST_F(AppTest, ComputationsRefusedByTheChecksKeepsTheOpenViews) {
    TOknoMDI::setViewFactory(ViewSlot::Alternatives,
                             [](TOknoMDI& client) { return new TMDIChild(client, "grid", new QLabel("x")); });
    open(example("v.kvs"));
    app->mainWindow()->sendCommand(cmd::MatrixOfAlternatives);
    ASSERT_TRUE(state(cmd::MatrixOfAlternatives).checked);
    w().project.levelOfConcordance = 0.3;
    app->cmComputations();
    ASSERT_EQ(hooks.messages.size(), 2u);
    EXPECT_EQ(hooks.messages[1].caption, "Validation error");
    EXPECT_EQ(hooks.messages[1].flags, MB_OK | MB_ICONSTOP);
    EXPECT_TRUE(state(cmd::MatrixOfAlternatives).checked);
    // A computation that goes ahead closes every view first.
    w().project.levelOfConcordance = 0.6;
    app->cmComputations();
    EXPECT_EQ(w().doc.resultsValid, 1);
    EXPECT_FALSE(state(cmd::MatrixOfAlternatives).checked);
    EXPECT_EQ(w().doc.openViewsMask, 0);
}

}  // namespace

namespace {

TEST_F(AppTest, PrintPreselectsTheOpenViewsAndRestoresTheSelection) {
    open(example("pr.kvs"));
    w().doc.selectionMask = 0x80;
    w().doc.openViewsMask = 0x41;
    int seen = 0;
    hooks.dialogScripts.push_back([&](TDialog& d) {
        for (const auto& box : dlg::kSelectBoxes)
            if (d.checkBox(box.id)->getCheck()) seen |= box.bit;
        d.press(1);
    });
    app->mainWindow()->sendCommand(cmd::Print);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{113});
    EXPECT_EQ(seen, 0x41);
    EXPECT_EQ(w().doc.selectionMask, 0x80);
    app->mainWindow()->sendCommand(cmd::PrinterSetup);
    EXPECT_EQ(hooks.setupDialogs, 1);
}

TEST_F(AppTest, SaveResultsWritesTheChosenFileAndReportsOneThatCannotBe) {
    open(example("sr.kvs"));
    app->cmComputations();
    ASSERT_EQ(w().doc.resultsValid, 1);
    const std::string projectPath = w().doc.projectPath;
    hooks.dialogScripts.push_back([](TDialog& d) { d.press(1); });
    hooks.files.push_back(path("res"));
    app->cmSaveResults();
    ASSERT_FALSE(hooks.fileDialogs.empty());
    EXPECT_EQ(hooks.fileDialogs.back().title, "Saving results");
    EXPECT_EQ(hooks.fileDialogs.back().fileName, "*.kvr");
    EXPECT_EQ(hooks.fileDialogs.back().filter, "Result files (*.KVR)|*.kvr|All files(*.*)|*.*|");
    EXPECT_TRUE(QFile::exists(path("res.kvr")));
    EXPECT_EQ(w().doc.projectPath, projectPath);

    const size_t before = hooks.messages.size();
    hooks.dialogScripts.push_back([](TDialog& d) { d.press(1); });
    hooks.files.push_back(path("no/such/dir/r.kvr"));
    app->cmSaveResults();
    ASSERT_EQ(hooks.messages.size(), before + 1);
    EXPECT_NE(hooks.messages.back().text.indexOf(path("no/such/dir/r.kvr")), -1);
    EXPECT_EQ(hooks.messages.back().flags, MB_OK | MB_ICONSTOP);

    // Cancelling the choice of what to save ends the command before the file dialog.
    const size_t dialogs = hooks.fileDialogs.size();
    hooks.dialogScripts.push_back([](TDialog& d) { d.press(2); });
    app->cmSaveResults();
    EXPECT_EQ(hooks.fileDialogs.size(), dialogs);
}

}  // namespace
