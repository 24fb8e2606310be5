#include "app/project_dialogs.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QLocale>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTreeView>

#include "dialogs/centr_dialog.h"

namespace kvis {

namespace {

void centre(TOpenSaveDialog& d) {
    QFileDialog* f = d.dialog();
    QRect parent;
    if (QWidget* p = d.parentWindow()) {
        parent = p->window()->frameGeometry();
    } else if (QScreen* s = QGuiApplication::primaryScreen()) {
        parent = s->geometry();
    }
    const QSize screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->size() : QSize(1024, 768);
    f->move(TCentrDialog::centredPosition(f->frameGeometry(), parent, screen));
}

// Every column of the detail view as wide as its heading and the widest
// text it shows (a date in the desktop's short format).
void widenColumns(QFileDialog* f) {
    auto* tree = f->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!tree) return;
    QHeaderView* header = tree->header();
    const int margin = tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
    const QString date = QLocale::system().toString(QDateTime(QDate(2000, 12, 28), QTime(23, 58, 58)),
                                                    QLocale::ShortFormat);
    const int dateColumn = 3;
    for (int i = 0; i < header->count(); ++i) {
        int width = std::max(header->sectionSize(i), header->sectionSizeHint(i));
        if (i == dateColumn) width = std::max(width, tree->fontMetrics().horizontalAdvance(date) + 2 * margin);
        header->resizeSection(i, width);
    }
}

// Once the dialog is laid out, it grows until the detail view shows every
// column whole, with room for a vertical scroll bar, and is centred again.
class ColumnsWhole : public QObject {
public:
    explicit ColumnsWhole(TOpenSaveDialog& d) : QObject(d.dialog()), d_(d) {
        setObjectName(QStringLiteral("kvisColumnsWhole"));
        d.dialog()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Show) QMetaObject::invokeMethod(this, [this] { grow(); }, Qt::QueuedConnection);
        return false;
    }

private:
    void grow() {
        QFileDialog* f = d_.dialog();
        auto* tree = f->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (!tree || !f->isVisible()) return;
        // The places at the side shown whole as well.
        auto* side = f->findChild<QListView*>(QStringLiteral("sidebar"));
        auto* splitter = f->findChild<QSplitter*>(QStringLiteral("splitter"));
        if (side && splitter && splitter->count() == 2) {
            const int missing = side->sizeHintForColumn(0) - side->viewport()->width();
            if (missing > 0) {
                QList<int> sizes = splitter->sizes();
                sizes[0] += missing;
                f->resize(f->width() + missing, f->height());
                splitter->setSizes(sizes);
            }
        }
        const int bar = tree->verticalScrollBar()->isVisible()
                            ? 0
                            : tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, tree);
        // The splitter may give part of the gain to the side bar: try again.
        for (int tries = 0; tries < 3; ++tries) {
            const int missing = tree->header()->length() + bar - tree->viewport()->width();
            if (missing <= 0) break;
            f->resize(f->width() + missing, f->height());
        }
        centre(d_);
    }

    TOpenSaveDialog& d_;
};

}  // namespace

void setUpFileDialog(TOpenSaveDialog& d) {
    QFileDialog* f = d.dialog();
    f->setLabelText(QFileDialog::FileName, QStringLiteral("File &Name:"));
    f->setLabelText(QFileDialog::FileType, QStringLiteral("List Files of &Type:"));
    f->setLabelText(QFileDialog::LookIn, QStringLiteral("&Directories:"));
    f->setLabelText(QFileDialog::Accept, QStringLiteral("&OK"));
    f->setLabelText(QFileDialog::Reject, QStringLiteral("&Cancel"));
    // Each relabelled label's mnemonic goes to its own control; a label
    // without one would show its "&".
    const std::pair<const char*, const char*> buddies[] = {
        {"lookInLabel", "lookInCombo"}, {"fileNameLabel", "fileNameEdit"}, {"fileTypeLabel", "fileTypeCombo"}};
    for (const auto& [label, buddy] : buddies)
        if (auto* l = f->findChild<QLabel*>(QString::fromLatin1(label)))
            l->setBuddy(f->findChild<QWidget*>(QString::fromLatin1(buddy)));
    // There are no drives to choose and no help button on this platform.
    widenColumns(f);
    if (!f->findChild<QObject*>(QStringLiteral("kvisColumnsWhole"))) new ColumnsWhole(d);
    f->adjustSize();
    centre(d);
}

void DialogOtwarciaPliku::setUp() {
    TFileOpenDialog::setUp();
    setUpFileDialog(*this);
}

void DialogZapisuPliku::setUp() {
    TFileSaveDialog::setUp();
    setUpFileDialog(*this);
}

}  // namespace kvis
