#pragma once
// Windows of the framework: plain and layout windows, the MDI client and its
// children, the decorated MDI frame with its menu, control bar and status bar,
// and the application with its command routing and enabling.
#include <QAction>
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
#include <vector>

namespace kvis {

class TApplication;

class TWindow : public QWidget {
    Q_OBJECT
public:
    explicit TWindow(QWidget* parent = nullptr, const QString& title = QString());
};

// A window whose children are placed side by side, each with a stretch factor.
class TLayoutWindow : public TWindow {
    Q_OBJECT
public:
    explicit TLayoutWindow(QWidget* parent = nullptr, const QString& title = QString());
    void addPane(QWidget* child, int stretch = 0);
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
