#pragma once
// The common open and save dialogs over QFileDialog (Qt's own widget dialog,
// so its labels can be set), with the shared dialog data of every file dialog.
#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace kvis {

// Flags of the shared data; the application sets all three (0x80c).
inline constexpr unsigned OFN_HIDEREADONLY = 0x4;    // no read-only box (never shown here)
inline constexpr unsigned OFN_NOCHANGEDIR = 0x8;     // the current directory stays as it was
inline constexpr unsigned OFN_PATHMUSTEXIST = 0x800; // the chosen folder must exist

class TOpenSaveDialog {
public:
    struct TData {
        unsigned flags = 0;
        QString fileName;    // the pattern or path shown; the chosen path after OK
        QString filter;      // "text|pattern|text|pattern|" form
        QString defaultExt;  // added to a chosen name without an extension
        int filterIndex = 1;
    };

    TOpenSaveDialog(QWidget* parent, TData& data, const QString& title, bool save);
    virtual ~TOpenSaveDialog();

    // Runs the dialog; 1 (OK) with the chosen path in data.fileName, else 2.
    int runModal();
    // Set-up of the window before it shows; derived dialogs relabel and move it.
    virtual void setUp() {}

    QFileDialog* dialog() const { return dlg_.get(); }
    QWidget* parentWindow() const { return parent_; }
    TData& data() { return data_; }

    // "Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|" to Qt name filters.
    static QStringList nameFilters(const QString& filter);
    // The chosen name with the default extension added when it has none.
    static QString withDefaultExt(const QString& path, const QString& ext);

private:
    QWidget* parent_;
    TData& data_;
    QString title_;
    bool save_;
    std::unique_ptr<QFileDialog> dlg_;
};

// Asked when a name chosen to save under is taken: "File already exist..."
// with the path as caption; true only when Yes replaces the file.
bool confirmReplace(QWidget* owner, const QString& path);

class TFileOpenDialog : public TOpenSaveDialog {
public:
    TFileOpenDialog(QWidget* parent, TData& data, const QString& title)
        : TOpenSaveDialog(parent, data, title, false) {}
};

class TFileSaveDialog : public TOpenSaveDialog {
public:
    TFileSaveDialog(QWidget* parent, TData& data, const QString& title)
        : TOpenSaveDialog(parent, data, title, true) {}
};

}  // namespace kvis
