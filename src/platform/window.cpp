#include "platform/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#if QT_CONFIG(xcb)
#include <dlfcn.h>
#endif
#include <QPainter>
#include <QPaintEvent>
#include <QWheelEvent>
#include <algorithm>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOption>

namespace kvis {

TWindow::TWindow(QWidget* parent, const QString& title) : QFrame(parent) {
    if (!title.isEmpty()) setWindowTitle(title);
    // A window is white unless its class says otherwise.
    setBackgroundColor(Qt::white);
}

TWindow::~TWindow() = default;

void TWindow::setStyle(unsigned style) {
    style_ = style;
    if (style & Border) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    auto bar = [this](QScrollBar*& b, Qt::Orientation o, bool wanted) {
        if (wanted && !b) {
            b = new QScrollBar(o, this);
            // The window keeps the keyboard; its bars are for the mouse.
            b->setFocusPolicy(Qt::NoFocus);
            connect(b, &QAbstractSlider::actionTriggered, this, [this, o](int a) { scrollBarAction(o, a); });
            connect(b, &QAbstractSlider::sliderReleased, this, [this, o] { scrollBarReleased(o); });
            b->show();
        } else if (!wanted && b) {
            delete b;
            b = nullptr;
        }
    };
    bar(hBar_, Qt::Horizontal, (style & HScroll) != 0);
    bar(vBar_, Qt::Vertical, (style & VScroll) != 0);
    placeScrollBars();
}

void TWindow::setBackgroundColor(const QColor& c) {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, c);
    setPalette(pal);
    setAutoFillBackground(true);
}

void TWindow::setScroller(std::unique_ptr<TScroller> s) {
    scroller_ = std::move(s);
    syncScrollBars();
    update();
}

void TWindow::create() {
    if (created_) return;
    created_ = true;
    setUp();
}

void TWindow::Paint(QPainter&, bool, const QRect&) {}

void TWindow::paintEvent(QPaintEvent* e) {
    QPainter dc(this);
    const QRect client = clientRect();
    const QRect area = e->rect() & client;
    if (!area.isEmpty()) {
        dc.save();
        dc.setClipRegion(e->region() & client);
        const QPoint shift = client.topLeft() - (scroller_ ? scroller_->origin() : QPoint());
        dc.translate(shift);
        Paint(dc, true, area.translated(-shift));
        dc.restore();
    }
    drawFrame(&dc);
}

void TWindow::resizeEvent(QResizeEvent* e) {
    QFrame::resizeEvent(e);
    placeScrollBars();
}

void TWindow::showEvent(QShowEvent* e) {
    create();
    QFrame::showEvent(e);
}

void TWindow::wheelEvent(QWheelEvent* e) {
    if (!scroller_ || (!hBar_ && !vBar_)) {
        e->ignore();
        return;
    }
    wheelRest_ += e->angleDelta();
    const int lines = QApplication::wheelScrollLines();
    auto turn = [&](int& rest, bool wanted, auto handler) {
        for (; rest >= 120; rest -= 120)
            for (int i = 0; wanted && i < lines; ++i) (this->*handler)(ScrollCode::LineUp, 0);
        for (; rest <= -120; rest += 120)
            for (int i = 0; wanted && i < lines; ++i) (this->*handler)(ScrollCode::LineDown, 0);
    };
    turn(wheelRest_.ry(), vBar_ != nullptr, &TWindow::EvVScroll);
    turn(wheelRest_.rx(), hBar_ != nullptr, &TWindow::EvHScroll);
    syncScrollBars();
    e->accept();
}

void TWindow::EvHScroll(ScrollCode code, int thumbPos) {
    if (scroller_) scroller_->scroll(Qt::Horizontal, code, thumbPos);
}

void TWindow::EvVScroll(ScrollCode code, int thumbPos) {
    if (scroller_) scroller_->scroll(Qt::Vertical, code, thumbPos);
}

void TWindow::placeScrollBars() {
    const int vw = vBar_ ? vBar_->sizeHint().width() : 0;
    const int hh = hBar_ ? hBar_->sizeHint().height() : 0;
    // The frame lies in the contents margins too.
    const int fw = frameWidth();
    setContentsMargins(fw, fw, fw + vw, fw + hh);
    const QRect inner = rect().adjusted(fw, fw, -fw, -fw);
    if (vBar_) vBar_->setGeometry(inner.x() + inner.width() - vw, inner.y(), vw, std::max(0, inner.height() - hh));
    if (hBar_) hBar_->setGeometry(inner.x(), inner.y() + inner.height() - hh, std::max(0, inner.width() - vw), hh);
    syncScrollBars();
}

void TWindow::syncScrollBars() {
    const QRect c = clientRect();
    for (QScrollBar* b : {hBar_, vBar_}) {
        if (!b) continue;
        const bool h = b == hBar_;
        const QSignalBlocker quiet(b);
        if (!scroller_) {
            b->setRange(0, 0);
            continue;
        }
        const int unit = h ? scroller_->xUnit() : scroller_->yUnit();
        b->setRange(0, int(h ? scroller_->xRange() : scroller_->yRange()));
        b->setSingleStep(1);
        b->setPageStep(unit > 0 ? std::max(1, (h ? c.width() : c.height()) / unit) : 1);
        b->setValue(int(h ? scroller_->xPos() : scroller_->yPos()));
    }
}

void TWindow::scrollBarAction(Qt::Orientation o, int action) {
    QScrollBar* b = scrollBar(o);
    ScrollCode code = ScrollCode::ThumbPosition;
    int thumb = b->sliderPosition();
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: code = ScrollCode::LineDown; break;
        case QAbstractSlider::SliderSingleStepSub: code = ScrollCode::LineUp; break;
        case QAbstractSlider::SliderPageStepAdd: code = ScrollCode::PageDown; break;
        case QAbstractSlider::SliderPageStepSub: code = ScrollCode::PageUp; break;
        case QAbstractSlider::SliderToMinimum: thumb = b->minimum(); break;
        case QAbstractSlider::SliderToMaximum: thumb = b->maximum(); break;
        case QAbstractSlider::SliderMove:
            code = b->isSliderDown() ? ScrollCode::ThumbTrack : ScrollCode::ThumbPosition;
            break;
        default: return;
    }
    if (o == Qt::Horizontal) {
        EvHScroll(code, thumb);
    } else {
        EvVScroll(code, thumb);
    }
    // The bar shows where the handler left the scroller, whatever it asked for.
    syncScrollBars();
}

void TWindow::scrollBarReleased(Qt::Orientation o) {
    const int thumb = scrollBar(o)->sliderPosition();
    if (o == Qt::Horizontal) {
        EvHScroll(ScrollCode::ThumbPosition, thumb);
    } else {
        EvVScroll(ScrollCode::ThumbPosition, thumb);
    }
    syncScrollBars();
}

TScroller::TScroller(TWindow* window, int xUnit, int yUnit, long xRange, long yRange)
    : window_(window), xUnit_(xUnit), yUnit_(yUnit), xRange_(std::max(0L, xRange)), yRange_(std::max(0L, yRange)) {}

void TScroller::setUnits(int xUnit, int yUnit) {
    xUnit_ = xUnit;
    yUnit_ = yUnit;
    window_->syncScrollBars();
    window_->update();
}

void TScroller::setRange(long xRange, long yRange) {
    xRange_ = std::max(0L, xRange);
    yRange_ = std::max(0L, yRange);
    scrollTo(xPos_, yPos_);
    window_->syncScrollBars();
}

void TScroller::scrollTo(long x, long y) {
    x = std::clamp(x, 0L, xRange_);
    y = std::clamp(y, 0L, yRange_);
    if (x == xPos_ && y == yPos_) return;
    const QPoint before = origin();
    xPos_ = x;
    yPos_ = y;
    const QPoint d = before - origin();
    if (window_->isVisible() && !d.isNull()) window_->scroll(d.x(), d.y(), window_->clientRect());
    window_->syncScrollBars();
}

void TScroller::scroll(Qt::Orientation o, TWindow::ScrollCode code, int thumbPos) {
    using C = TWindow::ScrollCode;
    const bool h = o == Qt::Horizontal;
    const long pos = h ? xPos_ : yPos_;
    const int unit = h ? xUnit_ : yUnit_;
    const QRect c = window_->clientRect();
    const long page = unit > 0 ? std::max(1, (h ? c.width() : c.height()) / unit) : 1;
    long to = pos;
    switch (code) {
        case C::LineUp: to = pos - 1; break;
        case C::LineDown: to = pos + 1; break;
        case C::PageUp: to = pos - page; break;
        case C::PageDown: to = pos + page; break;
        case C::ThumbTrack:
        case C::ThumbPosition: to = thumbPos; break;
    }
    if (h) {
        scrollTo(to, yPos_);
    } else {
        scrollTo(xPos_, to);
    }
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
    // Two of the indicator names of string 32530, "EXT|CAPS|NUM|SCRL|OVR|REC".
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

namespace {

// Disabled menu items can be selected too, so that the status bar says what
// they would do.
class MenuStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
    // A selected disabled item shows where the selection is, paler than an
    // enabled one.
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuItem && (option->state & State_Selected) && !(option->state & State_Enabled)) {
            QColor c = option->palette.color(QPalette::Active, QPalette::Highlight);
            c.setAlpha(64);
            painter->fillRect(option->rect, c);
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

}  // namespace

TDecoratedMDIFrame::TDecoratedMDIFrame(const QString& caption, const std::vector<MenuItem>& menu, TMDIClient* client,
                                       TApplication& app)
    : app_(app), client_(client) {
    menuStyle_ = new MenuStyle(QApplication::style()->name());
    menuStyle_->setParent(this);
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
    menu->setStyle(menuStyle_);
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
