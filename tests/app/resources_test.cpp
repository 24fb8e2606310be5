// The program's resources as the main window finds them (every tool bar
// picture, the program icon, the help pages, the status hints) and the
// project file dialogs as they really run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include "app/lifecycle.h"
#include "app/project_dialogs.h"
#include "platform/icons.h"
#include "platform/services.h"
#include "resources/menu_resource.h"

using namespace kvis;

TEST(Resources, EveryToolBarPictureAndTheIconExist) {
    initResources();
    int buttons = 0;
    for (const Gadget& g : toolBarGadgets()) {
        if (g.bitmap.isEmpty()) continue;
        ++buttons;
        EXPECT_FALSE(resourceIcon(g.bitmap).isNull()) << g.bitmap.toStdString();
    }
    EXPECT_EQ(buttons, 16);
    EXPECT_FALSE(resourceIcon("ICN_KVIS").isNull());
    EXPECT_TRUE(resourceIcon("NO_SUCH_BITMAP").isNull());
}

TEST(Resources, WindowsWithoutAnIconOfTheirOwnShowTheProgramIcon) {
    identifyApplication();
    const QImage icon = resourceIcon("ICN_KVIS").pixmap(32).toImage();
    ASSERT_FALSE(icon.isNull());
    QDialog lone;  // no parent to take an icon from
    EXPECT_EQ(lone.windowIcon().pixmap(32).toImage(), icon);
}

TEST(Resources, HelpOpensAtItsContentsAndAtUsingHelp) {
    initResources();
    for (HelpPage page : {HelpPage::Contents, HelpPage::UsingHelp}) {
        showHelp(page);
        QTextBrowser* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QTextBrowser*>(w); b && b->isVisible()) viewer = b;
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->source().toString().endsWith(page == HelpPage::Contents ? "index.html" : "using_help.html"));
        EXPECT_FALSE(viewer->toPlainText().trimmed().isEmpty());
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QTextBrowser*>(w)) w->close();
}

TEST(Resources, StatusHintsCarryTheirExactTexts) {
    const auto& h = statusHints();
    EXPECT_EQ(h.at(61472), "Reduce active window ");
    EXPECT_EQ(h.at(103), "Display informations about program");
    EXPECT_EQ(h.at(118), "Advanced options for Enhanced Kavorin I S");
    EXPECT_EQ(h.at(24365), "Close active windows");
}

TEST(ProjectFileDialogs, LabelsPatternAndDefaultExtension) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    TOpenSaveDialog::TData data;
    data.fileName = "*.kvs";
    data.filter = "Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|";
    data.defaultExt = "kvs";
    const auto active = [] { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); };

    DialogZapisuPliku save(nullptr, data, "Saving project");
    QTimer::singleShot(0, [&] {
        QFileDialog* f = active();
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->windowTitle(), "Saving project");
        EXPECT_EQ(f->labelText(QFileDialog::FileName), "File &Name:");
        EXPECT_EQ(f->labelText(QFileDialog::FileType), "List Files of &Type:");
        EXPECT_EQ(f->labelText(QFileDialog::LookIn), "&Directories:");
        EXPECT_EQ(f->labelText(QFileDialog::Accept), "&OK");
        EXPECT_EQ(f->labelText(QFileDialog::Reject), "&Cancel");
        EXPECT_EQ(QDir(f->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
        EXPECT_EQ(f->nameFilters(), (QStringList{"Kavorin files (*.KVS)", "All files (*)"}));
        f->selectFile(dir.filePath("chosen"));
        static_cast<QDialog*>(f)->accept();
    });
    ASSERT_EQ(save.runModal(), 1);
    EXPECT_EQ(QFileInfo(data.fileName).fileName(), "chosen.kvs");

    DialogOtwarciaPliku open(nullptr, data, "Opening project");
    QTimer::singleShot(0, [&] {
        ASSERT_NE(active(), nullptr);
        active()->reject();
    });
    EXPECT_EQ(open.runModal(), 2);
    EXPECT_EQ(QFileInfo(data.fileName).fileName(), "chosen.kvs");
    QDir::setCurrent(previous);
}
