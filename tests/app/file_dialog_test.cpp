// The project file dialogs as they really run: labels, starting pattern,
// default extension, cancel.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include "app/project_dialogs.h"

using namespace kvis;

namespace {

QFileDialog* activeFileDialog() { return qobject_cast<QFileDialog*>(QApplication::activeModalWidget()); }

TEST(ProjectFileDialogs, LabelsPatternAndDefaultExtension) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    TOpenSaveDialog::TData data;
    data.fileName = "*.kvs";
    data.filter = "Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|";
    data.defaultExt = "kvs";

    DialogZapisuPliku save(nullptr, data, "Saving project");
    QTimer::singleShot(0, [&] {
        QFileDialog* f = activeFileDialog();
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
        QFileDialog* f = activeFileDialog();
        ASSERT_NE(f, nullptr);
        f->reject();
    });
    EXPECT_EQ(open.runModal(), 2);
    EXPECT_EQ(QFileInfo(data.fileName).fileName(), "chosen.kvs");
    QDir::setCurrent(previous);
}

}  // namespace
