// Long work on a worker thread behind a progress dialog: the stages, Cancel
// and its other ways, the delay before the dialog shows, exceptions, and the
// user's input held off while the work runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <new>
#include <stdexcept>
#include <thread>

#include "platform/background_work.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

constexpr int kProgressTemplate = 9101;
constexpr int kStage = 201;

ProgressDialogSetup setup(int delayMs = 500) {
    if (!findDialogTemplate(kProgressTemplate)) {
        DialogTemplate t;
        t.id = kProgressTemplate;
        t.caption = "Working";
        t.width = 160;
        t.height = 50;
        t.controls = {{kStage, ControlKind::Static, "", 8, 8, 144, 10, 0},
                      {IDCANCEL, ControlKind::Button, "Cancel", 55, 28, 50, 14, 0}};
        registerDialogTemplate(t);
    }
    ProgressDialogSetup s;
    s.templateId = kProgressTemplate;
    s.stageControl = kStage;
    s.stageTexts = {"First", "Second", "Third"};
    s.delayMs = delayMs;
    return s;
}

// Work that reports every stage and says, after each, whether it was asked
// to stop; it stops at the first check that says so.
struct StagedWork {
    std::vector<bool> cancelSeen;
    std::thread::id thread;
    void operator()(TProgress& p) {
        thread = std::this_thread::get_id();
        for (int i = 0; i < 3; ++i) {
            p.stage(i);
            cancelSeen.push_back(p.cancelRequested());
            if (cancelSeen.back()) return;
        }
    }
};

TEST(BackgroundWork, StagesInOrderOnAWorkerThreadAndEveryWayToCancel) {
    struct Case {
        const char* name;
        int at;  // the stage the user acts at; -1: the work runs to its end
        std::function<void(TDialog&)> act;
        std::vector<bool> seen;
    } cases[] = {
        {"to its end", -1, nullptr, {false, false, false}},
        {"Cancel at the first stage", 0, [](TDialog& d) { d.press(IDCANCEL); }, {true}},
        {"Cancel at the second stage", 1, [](TDialog& d) { d.press(IDCANCEL); }, {false, true}},
        {"Escape at the last stage", 2, [](TDialog& d) { d.pressEscape(); }, {false, false, true}},
        {"close box", 1, [](TDialog& d) { d.close(); }, {false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHooks hooks;
        std::vector<int> scriptStages;
        hooks.progressScripts.push_back([&](TDialog& d, int stage) {
            scriptStages.push_back(stage);
            EXPECT_EQ(d.staticText(kStage)->text(), setup().stageTexts[stage]);
            if (stage != c.at) return;
            c.act(d);
            // The dialog stays until the work has stopped; Cancel is taken.
            EXPECT_EQ(std::tuple(d.hasEnded(), d.button(IDCANCEL)->isEnabled()), std::tuple(false, false));
        });
        StagedWork work;
        const bool cancelled = runWithProgress(nullptr, setup(), std::ref(work));
        EXPECT_EQ(cancelled, c.at >= 0);
        EXPECT_EQ(work.cancelSeen, c.seen);
        EXPECT_NE(work.thread, std::this_thread::get_id());
        ASSERT_EQ(hooks.progressRuns.size(), 1u);
        const ProgressRun& r = hooks.progressRuns[0];
        const QStringList all{"First", "Second", "Third"};
        EXPECT_EQ(r.stages, all.mid(0, static_cast<int>(c.seen.size())));
        EXPECT_EQ(std::tuple(r.templateId, r.caption.toStdString(), r.shownAt, r.cancelled),
                  std::tuple(kProgressTemplate, std::string("Working"), -1, c.at >= 0));
        EXPECT_EQ(scriptStages.size(), c.seen.size());
    }
}

TEST(BackgroundWork, WorkThatCannotStopKeepsItsDialog) {
    TestHooks hooks;
    ProgressDialogSetup s = setup();
    s.cancellable = false;
    s.caption = "Writing";
    hooks.progressScripts.push_back([](TDialog& d, int) {
        EXPECT_FALSE(d.button(IDCANCEL)->isEnabled());
        d.press(IDCANCEL);
        d.pressEscape();
        d.close();
        EXPECT_FALSE(static_cast<TProgressDialog&>(d).cancelling());
    });
    StagedWork work;
    EXPECT_FALSE(runWithProgress(nullptr, s, std::ref(work)));
    EXPECT_EQ(work.cancelSeen, (std::vector<bool>{false, false, false}));
    EXPECT_EQ(hooks.progressRuns.at(0).caption, "Writing");
    EXPECT_FALSE(hooks.progressRuns.at(0).cancelled);
}

// The dialog appears at the first look at the clock after the delay: quick
// work shows nothing.
TEST(BackgroundWork, TheDialogShowsOnlyOnceTheWorkOutlastsTheDelay) {
    struct Case {
        const char* name;
        int delay;
        std::vector<std::int64_t> clockAtStage;  // the clock as stage i is reported
        int shownAt;
    } cases[] = {
        {"quick", 500, {0, 100, 499}, -1},
        {"at the delay", 500, {0, 500, 900}, 2},
        {"slow from the start", 500, {700, 800, 900}, 1},
        {"no delay", 0, {0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHooks hooks;
        std::int64_t clock = 1000;
        const std::int64_t start = clock;
        hooks.progressClock = [&] { return clock; };
        int next = 0;
        // The clock moves before each stage reaches the dialog.
        auto work = [&](TProgress& p) {
            for (int i = 0; i < 3; ++i) {
                clock = start + c.clockAtStage[static_cast<size_t>(next++)];
                p.stage(i);
            }
        };
        EXPECT_FALSE(runWithProgress(nullptr, setup(c.delay), work));
        EXPECT_EQ(hooks.progressRuns.at(0).shownAt, c.shownAt);
    }
}

TEST(BackgroundWork, WhatTheWorkThrowsIsThrownOnTheCallingThread) {
    TestHooks hooks;
    EXPECT_THROW(runWithProgress(nullptr, setup(), [](TProgress&) { throw std::bad_alloc(); }), std::bad_alloc);
    try {
        runWithProgress(nullptr, setup(), [](TProgress& p) {
            p.stage(0);
            throw std::runtime_error("broken");
        });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "broken");
    }
    EXPECT_EQ(hooks.progressRuns.at(1).stages, QStringList{"First"});
}

// While the work runs the window paints and its timers run, but clicks, keys,
// shortcuts and the close box reach nothing; afterwards they do again.
TEST(BackgroundWork, TheWindowRunsItsEventsButTakesNoInputWhileTheWorkRuns) {
    QMainWindow window;
    auto* button = new QPushButton("Press", &window);
    window.setCentralWidget(button);
    int clicks = 0, shortcuts = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    auto* action = new QAction("Open", &window);
    action->setShortcut(QKeySequence(Qt::Key_F3));
    window.addAction(action);
    QObject::connect(action, &QAction::triggered, [&] { ++shortcuts; });
    window.show();
    window.activateWindow();
    QApplication::processEvents();

    TestHooks hooks;
    bool cursorWaited = false;
    hooks.progressScripts.push_back([&](TDialog&, int stage) {
        if (stage != 0) return;
        cursorWaited = window.cursor().shape() == Qt::WaitCursor;
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(&window, Qt::Key_F3);
        EXPECT_FALSE(window.close());
    });
    // The work goes on only once a timer of the window's thread has run.
    std::atomic<bool> timerRan{false};
    QTimer::singleShot(0, &window, [&] { timerRan = true; });
    runWithProgress(&window, setup(), [&](TProgress& p) {
        p.stage(0);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!timerRan && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    EXPECT_TRUE(timerRan);
    EXPECT_TRUE(cursorWaited);
    EXPECT_EQ(std::tuple(clicks, shortcuts), std::tuple(0, 0));
    EXPECT_TRUE(window.isVisible());
    EXPECT_NE(window.cursor().shape(), Qt::WaitCursor);

    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_F3);
    EXPECT_EQ(std::tuple(clicks, shortcuts), std::tuple(1, 1));
}

// Without hooks the dialog really shows after the delay, and its Cancel
// button reaches the work, which polls for it.
TEST(BackgroundWork, TheRealDialogShowsAndItsCancelStopsTheWork) {
    QWidget owner;
    owner.show();
    TProgressDialog* seen = nullptr;
    QString text;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TProgressDialog*>(w); d && d->isVisible() && !seen) {
                seen = d;
                text = d->staticText(kStage)->text();
                QTest::mouseClick(d->button(IDCANCEL), Qt::LeftButton);
            }
    });
    poll.start(5);
    bool stopped = false;
    const bool cancelled = runWithProgress(&owner, setup(20), [&](TProgress& p) {
        p.stage(1);
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < until) {
            if (p.cancelRequested()) {
                stopped = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(stopped);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(text, "Second");
}

}  // namespace
