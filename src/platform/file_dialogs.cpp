#include "platform/file_dialogs.h"

#include <QDir>
#include <QFileInfo>

#include "platform/message_box.h"
#include "platform/test_hooks.h"

namespace kvis {

TOpenSaveDialog::TOpenSaveDialog(QWidget* parent, TData& data, const QString& title, bool save)
    : parent_(parent), data_(data), title_(title), save_(save) {
    dlg_ = std::make_unique<QFileDialog>(parent, title, QDir::currentPath());
    dlg_->setOption(QFileDialog::DontUseNativeDialog, true);
    dlg_->setOption(QFileDialog::DontConfirmOverwrite, true);  // the commands ask themselves
    dlg_->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg_->setFileMode(QFileDialog::AnyFile);
    dlg_->setNameFilters(nameFilters(data.filter));
    const QStringList filters = dlg_->nameFilters();
    if (data.filterIndex >= 1 && data.filterIndex <= filters.size())
        dlg_->selectNameFilter(filters[data.filterIndex - 1]);
    dlg_->selectFile(data.fileName);
}

TOpenSaveDialog::~TOpenSaveDialog() = default;

QStringList TOpenSaveDialog::nameFilters(const QString& filter) {
    QStringList parts = filter.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString text = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (text.isEmpty() && patterns.isEmpty()) continue;
        patterns.replace(u';', u' ');
        // "*.*" means every file, also names without a point.
        QStringList list = patterns.split(u' ', Qt::SkipEmptyParts);
        for (QString& p : list)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        // Qt reads the patterns from the last parentheses of the text; keep the
        // text as written when those already say the same (case aside).
        qsizetype open = text.lastIndexOf(u'(');
        if (text.endsWith(u')') && open >= 0) {
            QString shown = text.mid(open + 1, text.size() - open - 2).trimmed();
            if (shown.compare(patterns, Qt::CaseInsensitive) == 0 && !list.contains(QStringLiteral("*"))) {
                out << text;
                continue;
            }
            text = text.left(open).trimmed();
        }
        out << QStringLiteral("%1 (%2)").arg(text, list.join(u' '));
    }
    return out;
}

QString TOpenSaveDialog::withDefaultExt(const QString& path, const QString& ext) {
    if (path.isEmpty() || ext.isEmpty()) return path;
    QFileInfo fi(path);
    if (fi.fileName().contains(u'.')) return path;
    return path + u'.' + ext;
}

int TOpenSaveDialog::runModal() {
    setUp();
    if (auto* h = TestHooks::active()) {
        h->fileDialogs.push_back({save_, title_, data_.fileName, data_.filter, data_.defaultExt});
        std::optional<QString> answer;
        if (!h->files.empty()) {
            answer = h->files.front();
            h->files.pop_front();
        }
        if (!answer) return 2;
        data_.fileName = withDefaultExt(*answer, data_.defaultExt);
        return 1;
    }
    if (dlg_->exec() != QDialog::Accepted) return 2;
    const QStringList chosen = dlg_->selectedFiles();
    if (chosen.isEmpty()) return 2;
    QString path = withDefaultExt(chosen.front(), data_.defaultExt);
    if ((data_.flags & OFN_PATHMUSTEXIST) && !QFileInfo(path).absoluteDir().exists()) return 2;
    data_.fileName = path;
    const QStringList filters = dlg_->nameFilters();
    data_.filterIndex = static_cast<int>(filters.indexOf(dlg_->selectedNameFilter())) + 1;
    return 1;
}

bool confirmReplace(QWidget* owner, const QString& path) {
    static const char* const question = "       File already exist.\nDo you want to replace the old file?";
    return messageBox(owner, QString::fromLatin1(question), path, MB_YESNOCANCEL | MB_ICONQUESTION, path) == IDYES;
}

}  // namespace kvis
