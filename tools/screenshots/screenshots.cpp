// Renders the main window, its menus and the dialogs to PNG files, and prints
// the results of the example into printout.pdf, headless:
//   kvis-screenshots <output folder>
// The editing and inspection dialogs show a project of the widest names and
// numbers, their edits filled with the widest texts they take. Run it with
// QT_SCALE_FACTOR=2 for the same pictures at 192 dpi.
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <tuple>

#include "app/about_dialog.h"
#include "app/kavorin_app.h"
#include "app/lifecycle.h"
#include "app/project_dialogs.h"
#include "app/results_printout.h"
#include "dialogs/editing_dialogs.h"
#include "dialogs/progress_dialog.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/test_hooks.h"
#include "resources/menu_resource.h"
#include "views/graph_views.h"
#include "views/sheet_window.h"

using namespace kvis;

namespace {

QString g_out;

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// A dialog with a title bar as a window manager would draw it (the headless
// platform draws none): its caption in the title font, cut where the room
// TDialog::captionWidth keeps for the icon and buttons begins.
QPixmap withTitleBar(QDialog* d, const QPixmap& content) {
    const QFont font = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    const QFontMetrics fm(font);
    const int bar = fm.height() + 8;
    const qreal ratio = content.devicePixelRatio();
    QPixmap shot(QSize(d->width(), d->height() + bar) * ratio);
    shot.setDevicePixelRatio(ratio);
    shot.fill(QColor(0x4a, 0x4a, 0x4a));
    QPainter p(&shot);
    p.drawPixmap(0, bar, content);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRect text(2 * fm.height(), 0, std::max(0, d->width() - TDialog::captionWidth(QString())), bar);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, fm.elidedText(d->windowTitle(), Qt::ElideRight, text.width()));
    p.drawText(QRect(d->width() - 2 * fm.height(), 0, 2 * fm.height(), bar), Qt::AlignCenter, QStringLiteral("x"));
    return shot;
}

bool save(QWidget* w, const QString& name) {
    settle();
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    QPixmap shot = w->grab();
    if (auto* d = qobject_cast<QDialog*>(w)) shot = withTitleBar(d, shot);
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

int g_failures = 0;

void grab(QWidget* w, const QString& name) { g_failures += save(w, name) ? 0 : 1; }

// Every edit of a dialog holds the widest text it takes: a name of the widest
// letter, a number of the widest digit, as many as can be typed.
void fillWidest(TDialog& d) {
    for (QLineEdit* e : d.findChildren<QLineEdit*>()) {
        auto* filter = dynamic_cast<const TFilterValidator*>(e->validator());
        const QString chars = filter && filter->admits(u'_')
                                  ? QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_")
                                  : QStringLiteral("0123456789");
        const QFontMetrics fm(e->font());
        QChar widest = chars.front();
        for (QChar c : chars)
            if (fm.horizontalAdvance(c) > fm.horizontalAdvance(widest)) widest = c;
        e->setText(QString(e->maxLength(), widest));
    }
}

// Grabs the dialog a command runs, filled, then cancels it.
std::function<void(TDialog&)> grabAndCancel(const char* name) {
    return [name](TDialog& d) {
        fillWidest(d);
        d.show();
        grab(&d, QString::fromLatin1(name));
        d.pressEscape();
    };
}

void grabNextDialog(TestHooks& hooks, const char* name) { hooks.dialogScripts.push_back(grabAndCancel(name)); }

// Presses a button of the dialog a command runs (which opens a nested one),
// then cancels it.
void pressNext(TestHooks& hooks, int id) {
    hooks.dialogScripts.push_back([id](TDialog& d) {
        d.press(id);
        d.pressEscape();
    });
}

// Grabs a message box as the program shows it, then closes it.
void grabMessageBox(const char* name, const QString& text, const QString& caption, unsigned flags,
                    const QString& path) {
    QTimer::singleShot(0, [name] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            grab(box, QString::fromLatin1(name));
            box->close();
        } else {
            std::printf("FAILED %s\n", name);
            ++g_failures;
        }
    });
    messageBox(nullptr, text, caption, flags, path);
}

// The main window with one of its menus open from the menu bar and an item
// selected, the status bar showing that item's hint.
void grabWithMenu(TDecoratedMDIFrame* frame, int menu, int item, const QString& name) {
    QMenu* m = frame->popup(menu);
    frame->menuBar()->setActiveAction(m->menuAction());
    settle();
    if (QAction* a = item ? frame->action(item) : nullptr) m->setActiveAction(a);
    settle();
    QPixmap shot = frame->grab();
    const QRect at = frame->menuBar()->actionGeometry(m->menuAction());
    QPainter painter(&shot);
    painter.drawPixmap(frame->menuBar()->mapTo(frame, at.bottomLeft()) + QPoint(0, 1), m->grab());
    painter.end();
    m->hide();
    frame->menuBar()->setActiveAction(nullptr);
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    g_failures += ok ? 0 : 1;
}

// Every nested editing dialog (Modify and Add alternative, the value dialog,
// Modify and Add criterion, the preview, the comparison and the structure of
// a kernel vertex), opened from the dialogs of the commands and cancelled.
// Only the names typed into Modify alternative reach the project.
void renderNestedEditingDialogs(QWidget* parent, Document& doc, TestHooks& hooks) {
    const Project& p = doc.project();
    if (p.n > 0 && p.m > 0) {
        pressNext(hooks, idc::EditList::Modify);
        grabNextDialog(hooks, "dialog_modify_alternative");
        runEditAlternatives(parent, doc);
        pressNext(hooks, idc::EditList::Modify);
        pressNext(hooks, idc::ModifyAlternative::Modify);
        grabNextDialog(hooks, "dialog_modify_value");
        runEditAlternatives(parent, doc);

        pressNext(hooks, idc::EditList::Add);
        grabNextDialog(hooks, "dialog_add_alternative");
        runEditAlternatives(parent, doc);

        pressNext(hooks, idc::EditList::Modify);
        grabNextDialog(hooks, "dialog_modify_criterion");
        runEditCriteria(parent, doc);
        pressNext(hooks, idc::EditList::Modify);
        pressNext(hooks, idc::ModifyCriterion::Preview);
        grabNextDialog(hooks, "dialog_evaluation_preview");
        runEditCriteria(parent, doc);
        // Thresholds too wide for their columns: the lines scroll sideways,
        // and the headings with them.
        pressNext(hooks, idc::EditList::Modify);
        hooks.dialogScripts.push_back([](TDialog& d) {
            namespace ids = idc::ModifyCriterion;
            d.type(ids::QBeta, QStringLiteral("1e15"));
            d.type(ids::PBeta, QStringLiteral("2e15"));
            d.type(ids::VBeta, QStringLiteral("3e15"));
            d.press(ids::Preview);
            d.pressEscape();
        });
        hooks.dialogScripts.push_back([](TDialog& d) {
            if (d.templateId() != tpl::Evaluation) {
                std::printf("FAILED dialog_evaluation_preview_scrolled\n");
                ++g_failures;
                d.pressEscape();
                return;
            }
            d.show();
            QScrollBar* bar = d.listBox(idc::Evaluation::List)->horizontalScrollBar();
            bar->setValue(bar->maximum());
            grab(&d, QStringLiteral("dialog_evaluation_preview_scrolled"));
            d.pressEscape();
        });
        runEditCriteria(parent, doc);

        pressNext(hooks, idc::EditList::Add);
        grabNextDialog(hooks, "dialog_add_criterion");
        runEditCriteria(parent, doc);
    }
    const auto& pair = doc.state().comparePair;
    if (p.n > 1 && p.m > 0 && pair[0] != pair[1]) {
        grabNextDialog(hooks, "dialog_compare");
        runCompareAlternatives(parent, doc);
    }
    if (doc.state().resultsValid == 1) {
        pressNext(hooks, idc::Kernel::Details);
        grabNextDialog(hooks, "dialog_kernel_structure");
        runKernel(parent, doc);
    }
}

// Every editing and inspection dialog on a project of the widest names and
// numbers, first as the commands show them, then computed.
void renderEditingDialogs(TKavorinApp& app, const QString& project) {
    TestHooks hooks;
    if (app.document().state().modified) hooks.answers.push_back(IDNO);
    hooks.files.push_back(project);
    app.cmOpen();
    Document& doc = app.document();
    QWidget* parent = app.client();
    grabNextDialog(hooks, "dialog_edit_alternatives");
    runEditAlternatives(parent, doc);
    grabNextDialog(hooks, "dialog_edit_criteria");
    runEditCriteria(parent, doc);
    grabNextDialog(hooks, "dialog_level_of_concordance");
    runLevelOfConcordance(parent, doc);
    grabNextDialog(hooks, "dialog_advanced");
    runAdvanced(parent, doc);
    grabNextDialog(hooks, "dialog_compare_select");
    runSetToCompare(parent, doc);
    app.cmComputations();
    grabNextDialog(hooks, "dialog_kernel");
    runKernel(parent, doc);
    grabNextDialog(hooks, "dialog_select");
    runSelect(parent, doc);
    renderNestedEditingDialogs(parent, doc, hooks);
}

// The matrix views on the computed project: all five open at once, the
// discordance view with its notice, a result matrix scrolled to its lower
// right corner, and the Matrix of Alternatives in the middle of an edit (last:
// typing changes the project).
void renderMatrixViews(TKavorinApp& app) {
    TDecoratedMDIFrame* frame = app.mainWindow();
    TOknoMDI& client = *app.client();
    const int commands[] = {cmd::MatrixOfAlternatives, cmd::Concordance, cmd::Discordance, cmd::Robustness,
                            cmd::Outranking};
    for (int id : commands) frame->sendCommand(id);
    frame->updateCommandUI();
    grab(frame, QStringLiteral("main_window_matrix_views"));
    grab(client.view(ViewSlot::Discordance), QStringLiteral("view_discordance"));

    auto keys = [](QWidget* w, Qt::Key key, int times) {
        for (int i = 0; i < times; ++i) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(w, &press);
        }
    };
    // A view made smaller than its matrix, its current cell moved to the last one.
    TMDIChild* concordance = client.view(ViewSlot::Concordance);
    client.setActiveSubWindow(concordance);
    concordance->resize(360, 200);
    settle();
    auto* sheet = static_cast<TSheetWindow*>(concordance->widget());
    const int n = app.document().project().n;
    keys(sheet->ArrayWindow, Qt::Key_Down, n);
    keys(sheet->ArrayWindow, Qt::Key_Right, n);
    grab(concordance, QStringLiteral("view_concordance_lower_right"));

    TMDIChild* alternatives = client.view(ViewSlot::Alternatives);
    client.setActiveSubWindow(alternatives);
    sheet = static_cast<TSheetWindow*>(alternatives->widget());
    keys(sheet->ArrayWindow, Qt::Key_Down, 2);
    keys(sheet->ArrayWindow, Qt::Key_Right, 1);
    settle();
    // The first character begins the edit in the cells, the others go to the entry line.
    for (const char c : {'1', '2', '.', '7', '5'}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(QChar(c)));
        QWidget* to = sheet->isEditing() ? static_cast<QWidget*>(sheet->EnterEdit) : sheet->ArrayWindow;
        QApplication::sendEvent(to, &press);
    }
    grab(alternatives, QStringLiteral("view_alternatives_editing"));
    client.closeChildren();
}

// Presses an arrow key on the figure of a graph view `times` times.
void markWithKeys(TMDIChild* view, Qt::Key key, int times) {
    auto* figure = static_cast<TOknoGraf*>(view->widget())->Drawing;
    for (int i = 0; i < times; ++i) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(figure, &press);
    }
}

// The three graph views on the computed project: all three at once as they
// open, then each alone, large enough for its whole figure, with a vertex
// marked and its panel filled.
void renderGraphViews(TKavorinApp& app) {
    TDecoratedMDIFrame* frame = app.mainWindow();
    TOknoMDI& client = *app.client();
    struct View {
        int command;
        ViewSlot slot;
        const char* name;
        int left;  // Left presses: vertex left - 1 marked
    } views[] = {
        {cmd::Graph, ViewSlot::Graph, "view_graph_of_outranking", 2},
        {cmd::ModifiedGraph, ViewSlot::ModifiedGraph, "view_modified_graph", 4},
        {cmd::FinalGraph, ViewSlot::FinalGraph, "view_final_graph", 3},
    };
    for (const View& v : views) frame->sendCommand(v.command);
    frame->updateCommandUI();
    grab(frame, QStringLiteral("main_window_graph_views"));
    for (const View& v : views) {
        TMDIChild* view = client.view(v.slot);
        client.setActiveSubWindow(view);
        view->setGeometry(QRect(QPoint(0, 0), QSize(720, 530)));
        settle();
        markWithKeys(view, Qt::Key_Left, v.left);
        grab(view, QString::fromLatin1(v.name));
    }
    client.closeChildren();
}

// The final graph of a larger project, with artificial and kernel vertices.
void renderLargeFinalGraph(TKavorinApp& app, const QString& project) {
    TestHooks hooks;
    // Not saving what the views before may have typed.
    if (app.document().state().modified) hooks.answers.push_back(IDNO);
    hooks.files.push_back(project);
    app.cmOpen();
    app.cmComputations();
    TOknoMDI& client = *app.client();
    app.mainWindow()->sendCommand(cmd::FinalGraph);
    TMDIChild* view = client.view(ViewSlot::FinalGraph);
    if (!view) {
        std::printf("FAILED final graph of %s\n", qPrintable(project));
        ++g_failures;
        return;
    }
    view->setGeometry(QRect(QPoint(0, 0), QSize(770, 660)));
    settle();
    markWithKeys(view, Qt::Key_Left, 1);
    grab(view, QStringLiteral("view_final_graph_large"));
    client.closeChildren();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kvis-screenshots <output folder>\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    g_out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(g_out);
    const QString example = QStringLiteral(KVIS_SOURCE_DIR "/examples/car.kvs");

    // Settings are read and written in a scratch folder, never the user's.
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    TKavorinApp app;
    Document& doc = app.document();
    startUp(doc, scratch.path().toStdString());
    app.initMainWindow();
    TDecoratedMDIFrame* frame = app.mainWindow();
    frame->resize(1000, 680);
    frame->show();

    // Captions that name a file: whole while the path fits, else the name.
    {
        const QString counts = QStringLiteral("Number of alternatives:  6\nNumber of criteria:  6");
        const QString near = QDir(scratch.path()).filePath(QStringLiteral("car.kvs"));
        QString deep = scratch.path();
        for (const char* folder : {"projects", "decisions_of_the_purchasing_department",
                                   "company_cars_for_the_sales_team", "second_round_after_the_test_drives"})
            deep += u'/' + QString::fromLatin1(folder);
        deep += QStringLiteral("/car.kvs");
        grabMessageBox("message_counts", counts, near, MB_OK | MB_ICONINFORMATION, near);
        grabMessageBox("message_counts_long_path", counts, deep, MB_OK | MB_ICONINFORMATION, deep);
        grabMessageBox("message_replace_long_path",
                       QStringLiteral("       File already exist.\nDo you want to replace the old file?"), deep,
                       MB_YESNOCANCEL | MB_ICONQUESTION, deep);
    }

    {
        TestHooks hooks;
        hooks.files.push_back(example);
        app.cmOpen();
        frame->updateCommandUI();
        grab(frame, QStringLiteral("main_window"));

        for (int i = 0; i < frame->popupCount(); ++i) {
            QMenu* m = frame->popup(i);
            frame->updateCommandUI(m->actions());
            m->popup(frame->mapToGlobal(QPoint(10 + 80 * i, 40)));
            QString title = m->title().remove(u'&').toLower();
            grab(m, QStringLiteral("menu_") + title);
            m->hide();
        }

        TDlgAbout about(app.client());
        about.create();
        about.setUp();
        about.show();
        grab(&about, QStringLiteral("dialog_about"));
        about.hide();

        // The progress dialog as a long computation shows it, and that of
        // Save results, whose files are written whole or not at all.
        for (auto [work, stage, name] : {std::tuple{LongWork::Computations, 2, "dialog_progress"},
                                         std::tuple{LongWork::SavingResults, 4, "dialog_progress_saving"}}) {
            TProgressDialog progress(frame, progressDialogSetup(work), stage);
            progress.create();
            progress.setUp();
            progress.show();
            grab(&progress, QString::fromLatin1(name));
            progress.hide();
        }

        auto fileDialog = [&](TOpenSaveDialog& d, const QString& name) {
            d.setUp();
            d.dialog()->show();
            grab(d.dialog(), name);
            d.dialog()->hide();
        };
        TOpenSaveDialog::TData data = app.fileData();
        data.fileName = QStringLiteral("*.kvs");
        data.filter = QStringLiteral("Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|");
        DialogOtwarciaPliku open(frame, data, QStringLiteral("Opening project"));
        fileDialog(open, QStringLiteral("dialog_open_project"));
        DialogZapisuPliku saveAs(frame, data, QStringLiteral("Saving project"));
        fileDialog(saveAs, QStringLiteral("dialog_save_project"));

        // Save results cannot be chosen before the computations; its hint shows.
        grabWithMenu(frame, 0, cmd::SaveResults, QStringLiteral("menu_disabled_item_hint"));

        {
            TPrinter printer;
            TPrinterSetupDialog setup(printer.printer(), frame);
            setup.show();
            grab(&setup, QStringLiteral("dialog_printer_setup"));
            setup.hide();
        }

        QMessageBox exitBox(QMessageBox::Question, QStringLiteral("Exit program"), QStringLiteral("Save current project?"),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, frame);
        exitBox.show();
        grab(&exitBox, QStringLiteral("message_exit"));
        exitBox.hide();

        app.cmComputations();
        frame->updateCommandUI();
        grab(frame, QStringLiteral("main_window_results"));
        // The main window with its Results menu open, for the README.
        {
            QMenu* m = frame->popup(2);
            frame->updateCommandUI(m->actions());
            frame->statusBar()->showMessage(frame->action(cmd::Computations)->statusTip());
            QPixmap shot = frame->grab();
            const QRect at = frame->menuBar()->actionGeometry(m->menuAction());
            m->popup(frame->mapToGlobal(QPoint(at.left(), at.bottom())));
            settle();
            QPainter painter(&shot);
            painter.drawPixmap(frame->menuBar()->mapTo(frame, at.bottomLeft()) + QPoint(0, 1), m->grab());
            painter.end();
            m->hide();
            const QString path = QDir(g_out).filePath(QStringLiteral("main_window_menu.png"));
            const bool ok = shot.save(path);
            std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
            g_failures += ok ? 0 : 1;
        }

        // Every item printed as Print and kvis --print-pdf write them; the
        // Makefile renders the pages.
        {
            TKavorinPrintout printout(doc, 0xff);
            TPrinter printer;
            QString error;
            const QString pdf = QDir(g_out).filePath(QStringLiteral("printout.pdf"));
            const bool ok = printer.printToPdf(pdf, printout, &error);
            std::printf("%s %s (%d pages)\n", ok ? "wrote" : "FAILED", qPrintable(pdf), printout.pageCount());
            g_failures += ok ? 0 : 1;
        }

        renderGraphViews(app);
        renderMatrixViews(app);
        renderLargeFinalGraph(app, QStringLiteral(KVIS_SOURCE_DIR "/examples/laptop.kvs"));
        renderEditingDialogs(app, QStringLiteral(KVIS_SOURCE_DIR "/tests/dialogs/widest.kvs"));
    }
    frame->hide();
    return g_failures == 0 ? 0 : 1;
}
