#include "platform/background_work.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <thread>

#include "platform/message_box.h"
#include "platform/test_hooks.h"

namespace kvis {

TProgressDialog::TProgressDialog(QWidget* parent, const ProgressDialogSetup& setup, int stage)
    : TDialog(parent, setup.templateId), setup_(setup), stage_(stage) {
    if (!setup_.caption.isEmpty()) setWindowTitle(setup_.caption);
}

void TProgressDialog::setUp() {
    TDialog::setUp();
    if (QPushButton* b = button(IDCANCEL)) {
        b->setEnabled(setup_.cancellable && !cancelling_);
        // Cancel does not end this dialog as it ends others.
        b->disconnect(this);
        connect(b, &QPushButton::clicked, this, &TProgressDialog::reject);
    }
    showStage(stage_);
}

void TProgressDialog::showStage(int index) {
    stage_ = index;
    if (TStatic* s = staticText(setup_.stageControl); s && index >= 0 && index < setup_.stageTexts.size())
        s->setText(setup_.stageTexts[index]);
}

void TProgressDialog::reject() {
    if (!setup_.cancellable || cancelling_) return;
    cancelling_ = true;
    if (QPushButton* b = button(IDCANCEL)) b->setEnabled(false);
    emit cancelRequested();
}

// The close box is Cancel, whether the dialog has shown yet or not.
void TProgressDialog::closeEvent(QCloseEvent* e) {
    reject();
    e->ignore();
}

namespace {

// Swallows the user's input to every window but the progress dialog, from
// before the dialog shows (a modal dialog blocks the rest only once shown).
class InputBlocker : public QObject {
public:
    explicit InputBlocker(QWidget* allowed) : allowed_(allowed) { qApp->installEventFilter(this); }
    ~InputBlocker() override { qApp->removeEventFilter(this); }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!isInput(e->type()) || isAllowed(o)) return false;
        // An accepted override keeps the key from triggering a shortcut.
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
        } else {
            e->ignore();
        }
        return true;
    }

private:
    static bool isInput(QEvent::Type t) {
        switch (t) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::NonClientAreaMouseButtonPress:
            case QEvent::NonClientAreaMouseButtonRelease:
            case QEvent::NonClientAreaMouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::InputMethod:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::ContextMenu:
            case QEvent::Close:  // the close box of the main window would end the program
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::DragEnter:
            case QEvent::DragMove:
            case QEvent::Drop:
                return true;
            default:
                return false;
        }
    }
    bool isAllowed(QObject* o) const {
        if (!allowed_) return false;
        if (auto* w = qobject_cast<QWidget*>(o)) return w == allowed_ || allowed_->isAncestorOf(w);
        if (auto* window = qobject_cast<QWindow*>(o)) return window == allowed_->windowHandle();
        return false;
    }

    QPointer<QWidget> allowed_;
};

// The wait cursor over the owner's window (the progress dialog keeps the
// arrow for its Cancel button); without an owner, over everything.
class WaitCursor {
public:
    explicit WaitCursor(QWidget* owner) : window_(owner ? owner->window() : nullptr) {
        if (!window_) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return;
        }
        hadCursor_ = window_->testAttribute(Qt::WA_SetCursor);
        old_ = window_->cursor();
        window_->setCursor(Qt::WaitCursor);
    }
    ~WaitCursor() {
        if (!window_) {
            QApplication::restoreOverrideCursor();
            return;
        }
        if (hadCursor_) {
            window_->setCursor(old_);
        } else {
            window_->unsetCursor();
        }
    }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    QPointer<QWidget> window_;
    bool hadCursor_ = false;
    QCursor old_;
};

// The user-interface side of one run: the stages the worker reports, the
// delay before the dialog shows, Cancel, and the end of the work.
class Run final : public QObject, public TProgress {
public:
    Run(const ProgressDialogSetup& setup, TProgressDialog& dialog)
        : setup_(setup), dialog_(dialog), hooks_(TestHooks::active()) {
        if (hooks_) {
            ProgressRun record;
            record.templateId = setup.templateId;
            record.caption = dialog.windowTitle();
            hooks_->progressRuns.push_back(record);
            record_ = hooks_->progressRuns.size() - 1;
            if (!hooks_->progressScripts.empty()) {
                script_ = std::move(hooks_->progressScripts.front());
                hooks_->progressScripts.pop_front();
            }
        }
        realClock_.start();
        start_ = now();
        QObject::connect(&dialog_, &TProgressDialog::cancelRequested, this, [this] {
            if (finished_) return;
            cancel_.store(true);
            if (hooks_) hooks_->progressRuns[record_].cancelled = true;
        });
        // A clock of the tests' is looked at only as the stages come, so
        // what shows does not depend on how fast the machine is.
        if (hooks_ && hooks_->progressClock) return;
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] {
            maybeShow();
            if (!shown_ && !finished_) timer_.start(remaining());  // a timer may fire early
        });
        timer_.start(remaining());
    }

    // Worker thread: the dialog takes the stage in before the work goes on,
    // so a Cancel pressed at a stage is seen at the next check.
    void stage(int index) override {
        QMetaObject::invokeMethod(this, [this, index] { onStage(index); }, Qt::BlockingQueuedConnection);
    }
    bool cancelRequested() const override { return cancel_.load(); }

    // Worker thread, last: the work has ended.
    void ended() {
        QMetaObject::invokeMethod(this, [this] {
            finished_ = true;
            timer_.stop();
            loop_.quit();
        }, Qt::QueuedConnection);
    }

    // Runs the events of this thread until the work has ended.
    void wait() {
        while (!finished_) loop_.exec();
    }
    bool cancelled() const { return cancel_.load(); }

private:
    std::int64_t now() const {
        return hooks_ && hooks_->progressClock ? hooks_->progressClock() : realClock_.elapsed();
    }
    int remaining() const {
        return static_cast<int>(std::clamp<std::int64_t>(setup_.delayMs - (now() - start_), 1, setup_.delayMs + 1));
    }
    void onStage(int index) {
        dialog_.showStage(index);
        if (hooks_)
            hooks_->progressRuns[record_].stages
                << (index >= 0 && index < setup_.stageTexts.size() ? setup_.stageTexts[index] : QString());
        maybeShow();
        if (hooks_ && script_) script_(dialog_, index);
    }
    void maybeShow() {
        if (shown_ || finished_ || dialog_.cancelling() || now() - start_ < setup_.delayMs) return;
        shown_ = true;
        if (hooks_) {
            hooks_->progressRuns[record_].shownAt = static_cast<int>(hooks_->progressRuns[record_].stages.size());
            return;
        }
        dialog_.show();
        dialog_.raise();
        dialog_.activateWindow();
    }

    const ProgressDialogSetup& setup_;
    TProgressDialog& dialog_;
    TestHooks* hooks_;
    size_t record_ = 0;
    std::function<void(TDialog&, int)> script_;
    QElapsedTimer realClock_;
    std::int64_t start_ = 0;
    QTimer timer_;
    QEventLoop loop_;
    std::atomic<bool> cancel_{false};
    bool finished_ = false;
    bool shown_ = false;
};

}  // namespace

bool runWithProgress(QWidget* owner, const ProgressDialogSetup& setup, const std::function<void(TProgress&)>& work) {
    TProgressDialog dialog(owner, setup);
    dialog.create();
    dialog.setUp();
    InputBlocker blocker(&dialog);
    WaitCursor cursor(owner);
    Run run(setup, dialog);
    std::exception_ptr error;
    std::thread worker([&] {
        try {
            work(run);
        } catch (...) {
            error = std::current_exception();
        }
        run.ended();
    });
    run.wait();
    worker.join();
    dialog.hide();
    if (error) std::rethrow_exception(error);
    return run.cancelled();
}

}  // namespace kvis
