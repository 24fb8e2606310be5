#include "platform/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#if QT_CONFIG(xcb)
#include <dlfcn.h>
#endif
#include <QHBoxLayout>
#include <QMenuBar>

namespace kvis {

TWindow::TWindow(QWidget* parent, const QString& title) : QWidget(parent) {
    if (!title.isEmpty()) setWindowTitle(title);
}

TLayoutWindow::TLayoutWindow(QWidget* parent, const QString& title) : TWindow(parent, title) {
    auto* l = new QHBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
}

void TLayoutWindow::addPane(QWidget* child, int stretch) {
    static_cast<QHBoxLayout*>(layout())->addWidget(child, stretch);
}

TMDIChild::TMDIChild(TMDIClient& parent, const QString& title, QWidget* client) : QMdiSubWindow(nullptr) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(title);
    if (client) setWidget(client);
    parent.addSubWindow(this);
}

TMDIClient::TMDIClient(QWidget* parent) : QMdiArea(parent) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

bool TMDIClient::closeChildren() {
    closeAllSubWindows();
    return true;
}

void TMDIClient::arrangeIcons() {
    int x = 0;
    const int bottom = viewport()->height();
    for (QMdiSubWindow* w : subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized()) continue;
        QSize s = w->size();
        if (x > 0 && x + s.width() > viewport()->width()) x = 0;
        w->move(x, bottom - s.height());
        x += s.width();
    }
}

TControlBar::TControlBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
}

void TControlBar::insertButton(QAction* action) { addAction(action); }

void TControlBar::insertSeparator(int width) {
    auto* spacer = new QWidget(this);
    spacer->setFixedWidth(width);
    addWidget(spacer);
}

namespace {

// The keyboard indicators of an X11 display, read through libX11 loaded at
// run time so that the program needs no X11 library to build or to run.
bool readIndicators(bool& caps, bool& num) {
#if QT_CONFIG(xcb)
    using GetState = int (*)(Display*, unsigned, unsigned*);
    static GetState getState = [] {
        void* lib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_LOCAL);
        return lib ? reinterpret_cast<GetState>(dlsym(lib, "XkbGetIndicatorState")) : nullptr;
    }();
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!getState || !x11 || !x11->display()) return false;
    unsigned state = 0;
    constexpr unsigned kCoreKeyboard = 0x0100;
    if (getState(x11->display(), kCoreKeyboard, &state) != 0) return false;
    caps = (state & 1u) != 0;
    num = (state & 2u) != 0;
    return true;
#else
    (void)caps;
    (void)num;
    return false;
#endif
}

}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    QFont f = font();
    f.setPointSize(10);
    setFont(f);
    bool caps = false, num = false;
    if (!readIndicators(caps, num)) return;
    // The indicator names of the old string table "EXT|CAPS|NUM|SCRL|OVR|REC".
    caps_ = new QLabel(QStringLiteral("CAPS"), this);
    num_ = new QLabel(QStringLiteral("NUM"), this);
    for (QLabel* l : {caps_, num_}) {
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setAlignment(Qt::AlignCenter);
        l->setMinimumWidth(l->fontMetrics().horizontalAdvance(l->text()) + 12);
        addPermanentWidget(l);
    }
    connect(&poll_, &QTimer::timeout, this, &TStatusBar::updateIndicators);
    poll_.start(300);
    updateIndicators();
}

void TStatusBar::updateIndicators() {
    bool caps = false, num = false;
    if (!readIndicators(caps, num)) return;
    // Shown while the mode is on, blank otherwise.
    caps_->setText(caps ? QStringLiteral("CAPS") : QString());
    num_->setText(num ? QStringLiteral("NUM") : QString());
}

TDecoratedMDIFrame::TDecoratedMDIFrame(const QString& caption, const std::vector<MenuItem>& menu, TMDIClient* client,
                                       TApplication& app)
    : app_(app), client_(client) {
    setWindowTitle(caption);
    setCentralWidget(client);
    for (const MenuItem& top : menu) popups_.push_back(buildPopup(top, menuBar()));
    connect(&idle_, &QTimer::timeout, this, [this] {
        if (bar_ && isVisible()) updateCommandUI(bar_->actions());
    });
    idle_.start(250);
}

QMenu* TDecoratedMDIFrame::buildPopup(const MenuItem& item, QWidget* parent) {
    auto* menu = new QMenu(item.text, parent);
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) bar->addMenu(menu);
    for (const MenuItem& it : item.popup) {
        if (it.separator()) {
            menu->addSeparator();
        } else if (!it.popup.empty()) {
            menu->addMenu(buildPopup(it, menu));
        } else {
            const qsizetype tab = it.text.indexOf(u'\t');
            auto* a = menu->addAction(tab >= 0 ? it.text.left(tab) : it.text);
            if (!it.accelerator.isEmpty()) a->setShortcut(it.accelerator);
            a->setShortcutContext(Qt::ApplicationShortcut);
            a->setData(it.id);
            a->setEnabled(!it.grayed);
            if (tab >= 0) accelText_[it.id] = it.text.mid(tab + 1);
            const int id = it.id;
            connect(a, &QAction::triggered, this, [this, id] { sendCommand(id); });
            actions_[id] = a;
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { updateCommandUI(menu->actions()); });
    return menu;
}

QAction* TDecoratedMDIFrame::action(int id) const {
    auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void TDecoratedMDIFrame::setHints(const std::map<int, QString>& hints) {
    for (auto& [id, a] : actions_) {
        auto h = hints.find(id);
        if (h != hints.end()) a->setStatusTip(h->second);
    }
}

void TDecoratedMDIFrame::setToggle(int id) {
    if (QAction* a = action(id)) a->setProperty("kvisToggle", true);
}

void TDecoratedMDIFrame::setControlBar(TControlBar* bar) {
    bar_ = bar;
    addToolBar(Qt::TopToolBarArea, bar);
}

void TDecoratedMDIFrame::setStatusBar(TStatusBar* bar) { QMainWindow::setStatusBar(bar); }

void TDecoratedMDIFrame::applyEnabler(QAction* a) {
    if (!a || a->isSeparator() || a->menu()) return;
    const int id = a->data().toInt();
    TCommandEnabler ce(id);
    switch (id) {
        case CM_CASCADECHILDREN:
        case CM_TILECHILDREN:
        case CM_ARRANGEICONS:
        case CM_CLOSECHILDREN: ce.enable(client_ && client_->childCount() > 0); break;
        case CM_EXIT: break;
        default: app_.commandEnable(ce); break;
    }
    a->setEnabled(ce.enabled());
    // Only a checked item is checkable, so unchecked ones show no empty box.
    if (a->property("kvisToggle").toBool()) {
        a->setCheckable(ce.checked());
        a->setChecked(ce.checked());
    }
    if (ce.textSet()) a->setText(ce.text());
}

void TDecoratedMDIFrame::updateCommandUI(const QList<QAction*>& actions) {
    for (QAction* a : actions) applyEnabler(a);
}

void TDecoratedMDIFrame::updateCommandUI() {
    for (auto& [id, a] : actions_) applyEnabler(a);
}

void TDecoratedMDIFrame::sendCommand(int id) {
    switch (id) {
        case CM_EXIT: close(); return;
        case CM_CASCADECHILDREN: client_->cascadeSubWindows(); return;
        case CM_TILECHILDREN: client_->tileSubWindows(); return;
        case CM_ARRANGEICONS: client_->arrangeIcons(); return;
        case CM_CLOSECHILDREN: client_->closeChildren(); return;
        default: app_.processCommand(id); break;
    }
    // A checkable item flips its own mark when clicked; put the rule back.
    if (QAction* a = action(id)) applyEnabler(a);
}

void TDecoratedMDIFrame::closeEvent(QCloseEvent* e) {
    if (app_.canClose()) {
        e->accept();
    } else {
        e->ignore();
    }
}

TApplication::TApplication(const QString& name) : name_(name) {}

TApplication::~TApplication() { delete main_; }

int TApplication::run() {
    initMainWindow();
    return QApplication::exec();
}

}  // namespace kvis
