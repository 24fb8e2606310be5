// Renders the main window, its menus and the dialogs to PNG files, headless:
//   kvis-screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/about_dialog.h"
#include "app/kavorin_app.h"
#include "app/lifecycle.h"
#include "app/project_dialogs.h"
#include "dialogs/editing_dialogs.h"
#include "platform/test_hooks.h"
#include "resources/menu_resource.h"

using namespace kvis;

namespace {

QString g_out;

void settle() {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

bool save(QWidget* w, const QString& name) {
    settle();
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    const bool ok = w->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Grabs the dialog a command runs, then cancels it.
void grabNextDialog(TestHooks& hooks, const QString& name) {
    hooks.dialogScripts.push_back([name](TDialog& d) {
        d.show();
        save(&d, name);
        d.pressEscape();
    });
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
    Workspace& w = workspace();
    startUp(w, scratch.path().toStdString());

    TKavorinApp app;
    app.initMainWindow();
    TDecoratedMDIFrame* frame = app.mainWindow();
    frame->resize(1000, 680);
    frame->show();

    int failures = 0;
    {
        TestHooks hooks;
        hooks.files.push_back(example);
        app.cmOpen();
        frame->updateCommandUI();
        failures += !save(frame, QStringLiteral("main_window"));

        for (int i = 0; i < frame->popupCount(); ++i) {
            QMenu* m = frame->popup(i);
            frame->updateCommandUI(m->actions());
            m->popup(frame->mapToGlobal(QPoint(10 + 80 * i, 40)));
            QString title = m->title().remove(u'&').toLower();
            failures += !save(m, QStringLiteral("menu_") + title);
            m->hide();
        }

        TDlgAbout about(app.client());
        about.create();
        about.setUp();
        about.show();
        failures += !save(&about, QStringLiteral("dialog_about"));
        about.hide();

        auto fileDialog = [&](TOpenSaveDialog& d, const QString& name) {
            d.setUp();
            d.dialog()->show();
            failures += !save(d.dialog(), name);
            d.dialog()->hide();
        };
        TOpenSaveDialog::TData data = app.fileData();
        data.fileName = QStringLiteral("*.kvs");
        data.filter = QStringLiteral("Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|");
        DialogOtwarciaPliku open(frame, data, QStringLiteral("Opening project"));
        fileDialog(open, QStringLiteral("dialog_open_project"));
        DialogZapisuPliku saveAs(frame, data, QStringLiteral("Saving project"));
        fileDialog(saveAs, QStringLiteral("dialog_save_project"));

        QMessageBox exitBox(QMessageBox::Question, QStringLiteral("Exit program"), QStringLiteral("Save current project?"),
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, frame);
        exitBox.show();
        failures += !save(&exitBox, QStringLiteral("message_exit"));
        exitBox.hide();

        // The editing dialogs as their commands show them.
        grabNextDialog(hooks, QStringLiteral("dialog_edit_alternatives"));
        runEditAlternatives(app.client());
        grabNextDialog(hooks, QStringLiteral("dialog_edit_criteria"));
        runEditCriteria(app.client());
        grabNextDialog(hooks, QStringLiteral("dialog_level_of_concordance"));
        runLevelOfConcordance(app.client());
        grabNextDialog(hooks, QStringLiteral("dialog_advanced"));
        runAdvanced(app.client());
        grabNextDialog(hooks, QStringLiteral("dialog_compare_select"));
        runSetToCompare(app.client());

        app.cmComputations();
        frame->updateCommandUI();
        failures += !save(frame, QStringLiteral("main_window_results"));
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
            failures += !ok;
        }

        grabNextDialog(hooks, QStringLiteral("dialog_kernel"));
        runKernel(app.client());
        grabNextDialog(hooks, QStringLiteral("dialog_select"));
        runSelect(app.client());
        failures += renderNestedEditingDialogs(app.client(), hooks, save);
        w.doc.modified = 0;
    }
    frame->hide();
    return failures == 0 ? 0 : 1;
}
