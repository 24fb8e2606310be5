#include "platform/controls.h"

#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "platform/dialog.h"

namespace kvis {

TFilterValidator::TFilterValidator(const QString& charSet, QObject* parent)
    : QValidator(parent), set_(charSet) {
    const auto n = charSet.size();
    for (qsizetype i = 0; i < n; ++i) {
        char16_t a = charSet[i].unicode();
        if (i + 2 < n && charSet[i + 1] == u'-') {
            ranges_.emplace_back(a, charSet[i + 2].unicode());
            i += 2;
        } else {
            ranges_.emplace_back(a, a);
        }
    }
}

bool TFilterValidator::admits(QChar c) const {
    for (auto [lo, hi] : ranges_)
        if (c.unicode() >= lo && c.unicode() <= hi) return true;
    return false;
}

QValidator::State TFilterValidator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!admits(c)) return Invalid;
    return Acceptable;
}

TEdit::TEdit(TDialog* parent, int id, int textLen) : QLineEdit(parent), id_(id) {
    setTextLimit(textLen);
    if (parent) parent->adopt(id, this);
}

TEdit::TEdit(QWidget* parent, int id, const QString& text, const QRect& geometry, int textLen)
    : QLineEdit(text, parent), id_(id) {
    setTextLimit(textLen);
    setGeometry(geometry);
}

void TEdit::setTextLimit(int textLen) { setMaxLength(textLen > 0 ? textLen - 1 : 32767); }

void TEdit::setFilter(const QString& charSet) { setValidator(new TFilterValidator(charSet, this)); }

std::string TEdit::getText(int maxChars) const {
    QString t = text();
    if (maxChars >= 0 && t.size() > maxChars) t.truncate(maxChars);
    return t.toStdString();
}

TStatic::TStatic(TDialog* parent, int id, int) : QLabel(parent), id_(id) {
    if (parent) parent->adopt(id, this);
}

TStatic::TStatic(QWidget* parent, int id, const QString& text) : QLabel(text, parent), id_(id) {}

TListBox::TListBox(TDialog* parent, int id) : QListWidget(parent), id_(id) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    if (parent) parent->adopt(id, this);
}

TListBox::TListBox(QWidget* parent, int id) : QListWidget(parent), id_(id) {
    setSelectionMode(QAbstractItemView::SingleSelection);
}

bool listTextBefore(const QString& a, const QString& b) {
    const int folded = QString::compare(a, b, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : QString::compare(a, b, Qt::CaseSensitive) < 0;
}

int TListBox::addString(const std::string& s) {
    const QString text = QString::fromStdString(s);
    if (sorted_) {
        // After the lines equal to it: equal lines keep the order they came in.
        int lo = 0, hi = count();
        while (lo < hi) {
            const int mid = (lo + hi) / 2;
            if (listTextBefore(text, item(mid)->text())) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        insertItem(lo, text);
        return lo;
    }
    addItem(text);
    if (isSortingEnabled()) {
        auto found = findItems(text, Qt::MatchExactly);
        return found.isEmpty() ? count() - 1 : row(found.front());
    }
    return count() - 1;
}

void TListBox::setStrings(const std::vector<std::string>& lines) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& l : lines) texts << QString::fromStdString(l);
    if (sorted_) std::stable_sort(texts.begin(), texts.end(), listTextBefore);
    clear();
    addItems(texts);
}

int TListBox::getSelIndex() const {
    auto sel = selectedItems();
    return sel.isEmpty() ? -1 : row(sel.front());
}

void TListBox::setSelIndex(int index) {
    if (index >= 0 && index < count()) {
        setCurrentRow(index);
    } else {
        clearSelection();
        setCurrentRow(-1);
    }
}

std::string TListBox::getString(int index) const {
    auto* it = item(index);
    return it ? it->text().toStdString() : std::string();
}

void TListBox::setColumnFont() { setFont(columnListFont()); }

TListHeadings::TListHeadings(TListBox* list, int top, int height) : QWidget(list->parentWidget()), list_(list) {
    setGeometry(list->x(), top, list->width(), height);
    // Whole pixels, so that the headings move exactly as far as the lines.
    list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(list->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { place(); });
    connect(list->horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this] { place(); });
}

void TListHeadings::addHeading(QLabel* label, int first, int end) {
    label->setParent(this);
    label->setWordWrap(false);
    label->show();
    headings_.push_back({label, first, end});
    place();
}

int TListHeadings::charX(int k) const {
    // The lines start inside the frame, after the margin the item view keeps
    // before every text.
    const int margin = list_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list_) + 1;
    const int advance = QFontMetrics(list_->font()).horizontalAdvance(QString(k, u'0'));
    return list_->frameWidth() + margin + advance - list_->horizontalScrollBar()->value();
}

void TListHeadings::place() {
    for (const Heading& h : headings_) {
        const int left = charX(h.first);
        h.label->setGeometry(left, 0, charX(h.end) - left, height());
    }
}

QFont columnListFont() {
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPixelSize(12);
    f.setWeight(QFont::Normal);
    return f;
}

TComboBox::TComboBox(TDialog* parent, int id) : QComboBox(parent), id_(id) {
    if (parent) parent->adopt(id, this);
}

int TComboBox::addString(const std::string& s) {
    addItem(QString::fromStdString(s));
    return count() - 1;
}

TCheckBox::TCheckBox(TDialog* parent, int id) : QCheckBox(parent), id_(id) {
    if (parent) parent->adopt(id, this);
}

}  // namespace kvis
