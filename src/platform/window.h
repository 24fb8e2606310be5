#pragma once
// Windows of the framework: plain windows with their scrollers, the MDI client
// and its children, the decorated MDI frame with its menu, control bar and status bar,
// and the application with its command routing and enabling.
#include <QAction>
#include <QFrame>
#include <QScrollBar>
#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>
#include <QLabel>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace kvis {

class TApplication;

class TScroller;

// A window of the framework: optional thin border and scroll bars, a scroller
// that moves the origin of its painting, and a set-up step run once before it
// is first shown. Positions given to Paint and to the mouse handlers of
// derived classes are client coordinates: inside the border, (0, 0) at the
// top left of what the scroll bars leave.
class TWindow : public QFrame {
    Q_OBJECT
public:
    explicit TWindow(QWidget* parent = nullptr, const QString& title = QString());
    ~TWindow() override;

    enum Style : unsigned { Border = 1, HScroll = 2, VScroll = 4 };
    void setStyle(unsigned style);
    unsigned style() const { return style_; }
    void setBackgroundColor(const QColor& c);

    // What the border and the scroll bars leave, in widget coordinates.
    QRect clientRect() const { return contentsRect(); }
    QPoint toClient(const QPoint& widgetPos) const { return widgetPos - contentsRect().topLeft(); }
    QScrollBar* scrollBar(Qt::Orientation o) const { return o == Qt::Horizontal ? hBar_ : vBar_; }

    // The window's scroller, owned; null when it has none.
    TScroller* scroller() const { return scroller_.get(); }
    void setScroller(std::unique_ptr<TScroller> s);

    // Runs setUp once; showing the window does it too.
    void create();
    bool isCreated() const { return created_; }

    // What a scroll bar asks for. Dragging the thumb sends ThumbTrack, letting
    // it go ThumbPosition; the ends of the bar (its context menu, Home/End)
    // arrive as ThumbPosition at 0 or at the range.
    enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbTrack, ThumbPosition };
    // The scroll bar handlers; public so that tests and sibling windows can
    // send them as the bars do.
    virtual void EvHScroll(ScrollCode code, int thumbPos);
    virtual void EvVScroll(ScrollCode code, int thumbPos);

protected:
    // The window's set-up step: children exist, the window is not shown yet.
    virtual void setUp() {}
    // Draws the part `rect` of the window; the painter's origin is already
    // moved by the scroll position and `rect` is in the same coordinates.
    virtual void Paint(QPainter& dc, bool erase, const QRect& rect);

    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // Without a handler of its own a window with a vertical scroller scrolls
    // by the desktop's lines per wheel notch through EvVScroll.
    void wheelEvent(QWheelEvent* e) override;

private:
    friend class TScroller;
    void placeScrollBars();
    void scrollBarAction(Qt::Orientation o, int action);
    void scrollBarReleased(Qt::Orientation o);
    void syncScrollBars();

    unsigned style_ = 0;
    QScrollBar* hBar_ = nullptr;
    QScrollBar* vBar_ = nullptr;
    std::unique_ptr<TScroller> scroller_;
    bool created_ = false;
    QPoint wheelRest_;
};

// Scrolls a window: the position (in units) moves the origin of its painting
// by position x unit pixels, and the window's scroll bars show it. A range is
// the largest position; positions stay within 0..range.
class TScroller {
public:
    TScroller(TWindow* window, int xUnit, int yUnit, long xRange, long yRange);

    int xUnit() const { return xUnit_; }
    int yUnit() const { return yUnit_; }
    long xRange() const { return xRange_; }
    long yRange() const { return yRange_; }
    long xPos() const { return xPos_; }
    long yPos() const { return yPos_; }
    // The painting origin's offset in pixels.
    QPoint origin() const { return QPoint(int(xPos_ * xUnit_), int(yPos_ * yUnit_)); }

    void setUnits(int xUnit, int yUnit);
    void setRange(long xRange, long yRange);
    // Moves to (x, y), clamped to the ranges; what was painted moves with it
    // and only the uncovered strips are painted again.
    void scrollTo(long x, long y);
    void scrollBy(long dx, long dy) { scrollTo(xPos_ + dx, yPos_ + dy); }

    // The default response to a scroll bar: one unit per line, the client's
    // extent per page, the thumb where it is dropped or dragged.
    void scroll(Qt::Orientation o, TWindow::ScrollCode code, int thumbPos);

private:
    TWindow* window_;
    int xUnit_, yUnit_;
    long xRange_, yRange_;
    long xPos_ = 0, yPos_ = 0;
};

class TMDIClient;

class TMDIChild : public QMdiSubWindow {
    Q_OBJECT
public:
    TMDIChild(TMDIClient& parent, const QString& title, QWidget* client = nullptr);
};

class TMDIClient : public QMdiArea {
    Q_OBJECT
public:
    explicit TMDIClient(QWidget* parent = nullptr);
    // Closes every child window; overridden to keep track of what closes.
    virtual bool closeChildren();
    // Lays minimised children out along the bottom edge.
    void arrangeIcons();
    int childCount() const { return static_cast<int>(subWindowList().size()); }
};

// What a command enabler asks of a menu item or tool button.
class TCommandEnabler {
public:
    explicit TCommandEnabler(int id) : id_(id) {}
    int id() const { return id_; }
    void enable(bool on) { enabled_ = on; }
    void setCheck(bool on) { checked_ = on; }
    void setText(const QString& t) { text_ = t; textSet_ = true; }
    bool enabled() const { return enabled_; }
    bool checked() const { return checked_; }
    bool textSet() const { return textSet_; }
    const QString& text() const { return text_; }

private:
    int id_;
    bool enabled_ = true;
    bool checked_ = false;
    bool textSet_ = false;
    QString text_;
};

// A menu resource: popups with items (id 0 and empty text = separator).
struct MenuItem {
    QString text;  // "&Open\tF3": the part after the tab is the accelerator's text
    int id = 0;
    QKeySequence accelerator;
    bool grayed = false;
    std::vector<MenuItem> popup;
    bool separator() const { return id == 0 && text.isEmpty() && popup.empty(); }
};

// Window menu commands, handled by the frame and its client.
inline constexpr int CM_EXIT = 24310;
inline constexpr int CM_CASCADECHILDREN = 24361;
inline constexpr int CM_TILECHILDREN = 24362;
inline constexpr int CM_ARRANGEICONS = 24364;
inline constexpr int CM_CLOSECHILDREN = 24365;

class TControlBar : public QToolBar {
    Q_OBJECT
public:
    explicit TControlBar(QWidget* parent = nullptr);
    // A button gadget for the action of `commandId`; a toggle shows pressed
    // while its command is checked.
    void insertButton(QAction* action);
    void insertSeparator(int width = 12);
};

// Status bar with the Caps Lock and Num Lock indicators where the window
// system reports them (X11); elsewhere they stay hidden.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

private:
    void updateIndicators();
    QLabel* caps_ = nullptr;
    QLabel* num_ = nullptr;
    QTimer poll_;
};

class TDecoratedMDIFrame : public QMainWindow {
    Q_OBJECT
public:
    TDecoratedMDIFrame(const QString& caption, const std::vector<MenuItem>& menu, TMDIClient* client,
                       TApplication& app);

    TMDIClient* client() const { return client_; }
    QAction* action(int id) const;
    QMenu* popup(int index) const { return index < int(popups_.size()) ? popups_[index] : nullptr; }
    int popupCount() const { return static_cast<int>(popups_.size()); }
    // Status-bar hints of the menu items and tool buttons, by command id.
    void setHints(const std::map<int, QString>& hints);

    // A command whose item carries a check mark and whose button shows
    // pressed while its enabler checks it.
    void setToggle(int id);

    TControlBar* controlBar() const { return bar_; }
    void setControlBar(TControlBar* bar);
    void setStatusBar(TStatusBar* bar);

    // Runs the enablers of every command (what opening a menu and the idle
    // update do for their items).
    void updateCommandUI();
    void updateCommandUI(const QList<QAction*>& actions);
    // Sends a command as a menu click would.
    void sendCommand(int id);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    QMenu* buildPopup(const MenuItem& item, QWidget* parent);
    void applyEnabler(QAction* a);

    TApplication& app_;
    TMDIClient* client_;
    QStyle* menuStyle_ = nullptr;  // of every popup, owned by the frame
    TControlBar* bar_ = nullptr;
    std::vector<QMenu*> popups_;
    std::map<int, QAction*> actions_;
    std::map<int, QString> accelText_;
    QTimer idle_;
};

class TApplication : public QObject {
    Q_OBJECT
public:
    explicit TApplication(const QString& name);
    ~TApplication() override;

    // Creates the main window; run() calls it once.
    virtual void initMainWindow() = 0;
    // Asked before the main window closes; false keeps it open.
    virtual bool canClose() { return true; }
    // The response table: true when the command was handled.
    virtual bool processCommand(int id) { (void)id; return false; }
    // The enablers: set the state of a command's menu item and button.
    virtual void commandEnable(TCommandEnabler& ce) { (void)ce; }

    TDecoratedMDIFrame* mainWindow() const { return main_; }
    void setMainWindow(TDecoratedMDIFrame* w) { main_ = w; }
    const QString& name() const { return name_; }

    // Creates the main window and runs the message loop; its exit code.
    int run();

private:
    QString name_;
    TDecoratedMDIFrame* main_ = nullptr;
};

}  // namespace kvis
