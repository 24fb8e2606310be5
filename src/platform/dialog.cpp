#include "platform/dialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>

#include "platform/icons.h"
#include "platform/test_hooks.h"

namespace kvis {

namespace {

int mulDiv(int a, int b, int c) {
    long long p = static_cast<long long>(a) * b;
    return static_cast<int>(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}

}  // namespace

TDialog::TDialog(QWidget* parent, int templateId) : QDialog(parent), templateId_(templateId) {
    if (const DialogTemplate* t = findDialogTemplate(templateId)) {
        tpl_ = *t;
    } else {
        tpl_.id = templateId;
        tpl_.caption = "Dialog " + std::to_string(templateId);
        tpl_.width = 200;
        tpl_.height = 100;
    }
    setWindowTitle(QString::fromStdString(tpl_.caption));
    setFont(templateFont(tpl_));
    base_ = baseUnits(font());
    setModal(true);
}

TDialog::~TDialog() = default;

QFont TDialog::templateFont(const DialogTemplate& t) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    if (t.fontFace.empty()) {
        f.setPointSize(10);
        f.setBold(true);
        return f;
    }
    f.setPointSize(t.fontPoints > 0 ? t.fontPoints : 8);
    return f;
}

int TDialog::captionWidth(const QString& caption) {
    const QFontMetrics fm(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    return fm.horizontalAdvance(caption) + 4 * fm.height();
}

QSize TDialog::baseUnits(const QFont& font) {
    QFontMetrics fm(font);
    int w = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return QSize((w / 26 + 1) / 2, fm.height());
}

QRect TDialog::toPixels(int x, int y, int w, int h) const {
    return QRect(mulDiv(x, base_.width(), 4), mulDiv(y, base_.height(), 8),
                 mulDiv(w, base_.width(), 4), mulDiv(h, base_.height(), 8));
}

void TDialog::adopt(int id, QWidget* w) {
    if (id != -1) controls_[id] = w;
}

QWidget* TDialog::control(int id) const {
    auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void TDialog::create() {
    if (created_) return;
    created_ = true;
    QRect client = toPixels(0, 0, tpl_.width, tpl_.height);
    setFixedSize(client.width(), client.height());

    std::vector<QWidget*> lowered;
    std::vector<QWidget*> tabChain;
    for (const ControlTemplate& c : tpl_.controls) {
        QWidget* w = c.id != -1 ? control(c.id) : nullptr;
        const QString text = QString::fromStdString(c.text);
        Qt::Alignment align = (c.style & cs::Centre)  ? Qt::AlignHCenter
                              : (c.style & cs::Right) ? Qt::AlignRight
                                                      : Qt::AlignLeft;
        switch (c.kind) {
            case ControlKind::Static: {
                auto* s = w ? qobject_cast<QLabel*>(w) : new TStatic(this, c.id);
                s->setText(text);
                s->setAlignment(align | Qt::AlignTop);
                s->setWordWrap(!(c.style & cs::Centre) || text.contains(u'\n') || (c.style & cs::WordWrap));
                if (c.style & cs::Border) s->setFrameStyle(QFrame::Panel | QFrame::Sunken);
                w = s;
                break;
            }
            case ControlKind::Edit: {
                auto* e = w ? qobject_cast<QLineEdit*>(w) : new TEdit(this, c.id);
                if (!text.isEmpty()) e->setText(text);
                if (c.style & cs::ReadOnly) e->setReadOnly(true);
                if (c.style & cs::Right) e->setAlignment(Qt::AlignRight);
                tabChain.push_back(e);
                w = e;
                break;
            }
            case ControlKind::Button: {
                auto* b = w ? qobject_cast<QPushButton*>(w) : new QPushButton(this);
                b->setText(text);
                if (c.style & cs::Default) b->setDefault(true);
                const int id = c.id;
                connect(b, &QPushButton::clicked, this, [this, id] { buttonPressed(id); });
                adopt(c.id, b);
                tabChain.push_back(b);
                w = b;
                break;
            }
            case ControlKind::ListBox: {
                auto* l = w ? qobject_cast<QListWidget*>(w) : new TListBox(this, c.id);
                if (auto* tl = qobject_cast<TListBox*>(l); tl && (c.style & cs::Sorted)) {
                    tl->setSorted(true);
                } else if (c.style & cs::Sorted) {
                    l->setSortingEnabled(true);
                }
                if (auto* tl = qobject_cast<TListBox*>(l); tl && (c.style & cs::ColumnFont)) tl->setColumnFont();
                tabChain.push_back(l);
                w = l;
                break;
            }
            case ControlKind::ComboBox: {
                auto* cb = w ? qobject_cast<QComboBox*>(w) : new TComboBox(this, c.id);
                tabChain.push_back(cb);
                w = cb;
                break;
            }
            case ControlKind::CheckBox: {
                auto* cb = w ? qobject_cast<QCheckBox*>(w) : new TCheckBox(this, c.id);
                cb->setText(text);
                tabChain.push_back(cb);
                w = cb;
                break;
            }
            case ControlKind::GroupBox: {
                auto* g = new QGroupBox(text, this);
                adopt(c.id, g);
                lowered.push_back(g);
                w = g;
                break;
            }
            case ControlKind::WhiteFrame:
            case ControlKind::BlackFrame: {
                auto* f = new QFrame(this);
                f->setFrameStyle(QFrame::Box | QFrame::Plain);
                f->setLineWidth(1);
                QPalette pal = f->palette();
                pal.setColor(QPalette::WindowText, c.kind == ControlKind::WhiteFrame ? Qt::white : Qt::black);
                f->setPalette(pal);
                adopt(c.id, f);
                lowered.push_back(f);
                w = f;
                break;
            }
            case ControlKind::Icon: {
                auto* l = new QLabel(this);
                QRect r = toPixels(c.x, c.y, c.w, c.h);
                int side = std::max(32, std::max(r.width(), r.height()));
                l->setPixmap(resourceIcon(text).pixmap(side, side));
                adopt(c.id, l);
                w = l;
                break;
            }
        }
        if (!w) continue;
        QRect r = toPixels(c.x, c.y, c.w, c.h);
        if (c.kind == ControlKind::Icon) r.setSize(QSize(std::max(32, r.width()), std::max(32, r.height())));
        if (c.kind == ControlKind::ComboBox) r.setHeight(w->sizeHint().height());
        w->setGeometry(r);
        if (c.style & cs::Disabled) w->setEnabled(false);
        if (c.style & cs::NoTabStop) w->setFocusPolicy(Qt::ClickFocus);
    }
    for (QWidget* w : lowered) w->lower();
    for (size_t i = 1; i < tabChain.size(); ++i) QWidget::setTabOrder(tabChain[i - 1], tabChain[i]);
    // Focus starts on the first control that takes it.
    for (QWidget* w : tabChain)
        if (w->isEnabled() && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus(Qt::OtherFocusReason);
            break;
        }
}

void TDialog::command(int id) {
    auto it = handlers_.find(id);
    if (it != handlers_.end() && it->second) it->second();
}

void TDialog::buttonPressed(int id) {
    if (ended_) return;
    if (id == 1) {
        if (canClose()) closeWith(1);
    } else if (id == 2) {
        closeWith(2);
    } else {
        command(id);
    }
}

void TDialog::closeWith(int id) {
    ended_ = true;
    result_ = id;
    QDialog::done(id);
}

void TDialog::accept() { buttonPressed(1); }
void TDialog::reject() {
    if (!ended_) closeWith(2);
}

int TDialog::runModal() {
    ended_ = false;
    result_ = 2;
    create();
    setUp();
    if (auto* h = TestHooks::active()) {
        h->dialogsRun.push_back(templateId_);
        if (!h->dialogScripts.empty()) {
            auto script = std::move(h->dialogScripts.front());
            h->dialogScripts.pop_front();
            if (script) script(*this);
        }
        return ended_ ? result_ : 2;
    }
    exec();
    return ended_ ? result_ : 2;
}

void TDialog::press(int id) {
    if (auto* b = button(id); b && b->isEnabled()) {
        b->click();
    } else if (!b) {
        buttonPressed(id);
    }
}

void TDialog::type(int id, const QString& text) {
    auto* e = qobject_cast<QLineEdit*>(control(id));
    if (!e) return;
    e->setFocus(Qt::OtherFocusReason);
    e->selectAll();
    e->del();
    for (QChar c : text) e->insert(QString(c));
}

void TDialog::select(int id, int index) {
    if (auto* l = listBox(id)) {
        l->setSelIndex(index);
    } else if (auto* c = comboBox(id)) {
        c->setSelIndex(index);
    }
}

}  // namespace kvis
