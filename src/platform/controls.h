#pragma once
// The input controls of dialogs: thin classes over Qt widgets. A control made
// by a dialog's class before the dialog is created (with the dialog and the
// control id) takes the place of the plain control the template would make.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QValidator>
#include <string>

namespace kvis {

class TDialog;

// Refuses any character outside a set such as "A-Za-z0-9_" or "0-9.eE+-"
// (ranges a-b; a '-' at either end is itself a member), typed or pasted.
class TFilterValidator : public QValidator {
public:
    explicit TFilterValidator(const QString& charSet, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
    bool admits(QChar c) const;
    const QString& charSet() const { return set_; }

private:
    QString set_;
    std::vector<std::pair<char16_t, char16_t>> ranges_;
};

// Single-line edit. textLen is the size of a text buffer including the
// terminating zero: at most textLen - 1 characters can be entered (0 = no limit).
class TEdit : public QLineEdit {
    Q_OBJECT
public:
    TEdit(TDialog* parent, int id, int textLen = 0);
    // An edit in a window rather than a dialog: its text, place and size.
    TEdit(QWidget* parent, int id, const QString& text, const QRect& geometry, int textLen = 0);
    int controlId() const { return id_; }
    void setTextLimit(int textLen);
    // Installs a TFilterValidator on the set (owned by the edit).
    void setFilter(const QString& charSet);
    // The first maxChars characters (all when negative), UTF-8.
    std::string getText(int maxChars = -1) const;
    void setText(const std::string& s) { QLineEdit::setText(QString::fromStdString(s)); }
    void setText(const char* s) { QLineEdit::setText(QString::fromUtf8(s)); }
    using QLineEdit::setText;

private:
    int id_;
};

class TStatic : public QLabel {
    Q_OBJECT
public:
    TStatic(TDialog* parent, int id, int textLen = 0);
    // A static in a window rather than a dialog, with its text.
    TStatic(QWidget* parent, int id, const QString& text);
    int controlId() const { return id_; }
    void setText(const std::string& s) { QLabel::setText(QString::fromStdString(s)); }
    void setText(const char* s) { QLabel::setText(QString::fromUtf8(s)); }
    using QLabel::setText;
    std::string getText() const { return text().toStdString(); }

private:
    int id_;
};

class TListBox : public QListWidget {
    Q_OBJECT
public:
    TListBox(TDialog* parent, int id);
    // A list in a window rather than a dialog.
    TListBox(QWidget* parent, int id);
    int controlId() const { return id_; }
    // A sorted list keeps its lines in the order of listTextBefore, whatever
    // order they are added in.
    void setSorted(bool on) { sorted_ = on; }
    bool sorted() const { return sorted_; }
    int addString(const std::string& s);  // index of the new line
    // Replaces every line at once (sorted, when the list is).
    void setStrings(const std::vector<std::string>& lines);
    void clearList() { clear(); }
    int getCount() const { return count(); }
    int getSelIndex() const;              // -1 when nothing is selected
    void setSelIndex(int index);          // out of range: no selection
    std::string getString(int index) const;
    // "Courier New", 12 pixels high, normal weight: lines of columns align.
    void setColumnFont();

private:
    int id_;
    bool sorted_ = false;
};

// Headings over the columns of a list in a fixed-pitch font. Each heading
// covers a range of character columns of the lines, measured in the list's
// own font, and moves with the lines when the list scrolls sideways.
class TListHeadings : public QWidget {
    Q_OBJECT
public:
    // A strip over the whole width of `list`, `top` and `height` in the
    // coordinates of the list's parent.
    TListHeadings(TListBox* list, int top, int height);
    // `label` moves into the strip and covers the characters first to end - 1
    // of every line; its own alignment places its text there.
    void addHeading(QLabel* label, int first, int end);
    // Where character `k` of a line begins, in the strip's coordinates.
    int charX(int k) const;

private:
    void place();

    struct Heading {
        QLabel* label;
        int first, end;
    };
    TListBox* list_;
    std::vector<Heading> headings_;
};

// The order of a sorted list: letters compared without their case, and of
// two lines that differ only in case the one with the capital first ("Ford"
// before "ford"). Blanks and digits come before letters, so numbers padded
// with blanks to one width sort in numeric order.
bool listTextBefore(const QString& a, const QString& b);

class TComboBox : public QComboBox {
    Q_OBJECT
public:
    TComboBox(TDialog* parent, int id);
    int controlId() const { return id_; }
    int addString(const std::string& s);
    void clearList() { clear(); }
    int getCount() const { return count(); }
    int getSelIndex() const { return currentIndex(); }
    void setSelIndex(int index) { setCurrentIndex(index); }
    std::string getString(int index) const { return itemText(index).toStdString(); }

private:
    int id_;
};

class TCheckBox : public QCheckBox {
    Q_OBJECT
public:
    TCheckBox(TDialog* parent, int id);
    int controlId() const { return id_; }
    int getCheck() const { return isChecked() ? 1 : 0; }
    void setCheck(int state) { setChecked(state != 0); }

private:
    int id_;
};

// The fixed-pitch font of column lists.
QFont columnListFont();

}  // namespace kvis
