// Long work on a worker thread behind a progress dialog: the stages, the ways
// to cancel, exceptions, and the user's input held off while the work runs.
// The delay before the dialog shows is the computation's test (app_tests).
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "platform/background_work.h"
#include "platform/message_box.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

constexpr int kStage = 201;

ProgressDialogSetup setup(int delayMs = 500) {
    constexpr int kTemplate = 9101;
    if (!findDialogTemplate(kTemplate)) {
        DialogTemplate t;
        t.id = kTemplate;
        t.caption = "Working";
        t.width = 160;
        t.height = 50;
        t.controls = {{kStage, ControlKind::Static, "", 8, 8, 144, 10, 0},
                      {IDCANCEL, ControlKind::Button, "Cancel", 55, 28, 50, 14, 0}};
        registerDialogTemplate(t);
    }
    return ProgressDialogSetup{kTemplate, kStage, {}, {"First", "Second", "Third"}, true, delayMs};
}

// Polls for a stop until `until` says it may end; true when asked to stop.
bool pollForStop(TProgress& p, const std::function<bool()>& until) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!until() && std::chrono::steady_clock::now() < limit) {
        if (p.cancelRequested()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

// Each stage is in the dialog before the work goes on, so the work sees a
// Cancel pressed at a stage at its very next check.
TEST(BackgroundWork, StagesInOrderOnAWorkerThreadAndEveryWayToCancel) {
    struct Case {
        const char* name;
        int at;  // the stage the user acts at; -1: none
        std::function<void(TDialog&)> act;
    } cases[] = {
        {"to its end", -1, nullptr},
        {"Cancel at the first stage", 0, [](TDialog& d) { d.press(IDCANCEL); }},
        {"Escape at the last stage", 2, [](TDialog& d) { d.pressEscape(); }},
        {"close box", 1, [](TDialog& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestHooks hooks;
        hooks.progressScripts.push_back([&](TDialog& d, int stage) {
            EXPECT_EQ(d.staticText(kStage)->text(), setup().stageTexts[stage]);
            if (stage != c.at) return;
            c.act(d);
            // The dialog stays until the work has stopped; Cancel is taken.
            EXPECT_EQ(std::tuple(d.hasEnded(), d.button(IDCANCEL)->isEnabled()), std::tuple(false, false));
        });
        int stopsAfter = -1;
        std::thread::id worker;
        const bool cancelled = runWithProgress(nullptr, setup(), [&](TProgress& p) {
            worker = std::this_thread::get_id();
            for (int i = 0; i < 3 && stopsAfter < 0; ++i) {
                p.stage(i);
                if (p.cancelRequested()) stopsAfter = i;
            }
        });
        EXPECT_EQ(std::tuple(cancelled, stopsAfter), std::tuple(c.at >= 0, c.at));
        EXPECT_NE(worker, std::this_thread::get_id());
        const ProgressRun& r = hooks.progressRuns.at(0);
        EXPECT_EQ(r.stages, QStringList({"First", "Second", "Third"}).mid(0, c.at < 0 ? 3 : c.at + 1));
        EXPECT_EQ(std::tuple(r.caption.toStdString(), r.shownAt, r.cancelled),
                  std::tuple(std::string("Working"), -1, c.at >= 0));
    }
}

TEST(BackgroundWork, WhatTheWorkThrowsIsThrownOnTheCallingThread) {
    TestHooks hooks;
    try {
        runWithProgress(nullptr, setup(), [](TProgress&) { throw std::runtime_error("broken"); });
        ADD_FAILURE() << "nothing thrown";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "broken");
    }
}

// While the work runs the window's timers run, but clicks, keys, shortcuts
// and the close box reach nothing; afterwards they do again.
TEST(BackgroundWork, TheWindowRunsItsEventsButTakesNoInputWhileTheWorkRuns) {
    QMainWindow window;
    auto* button = new QPushButton("Press", &window);
    window.setCentralWidget(button);
    auto* action = new QAction("Open", &window);
    action->setShortcut(QKeySequence(Qt::Key_F3));
    window.addAction(action);
    int clicks = 0, shortcuts = 0;
    QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
    QObject::connect(action, &QAction::triggered, [&] { ++shortcuts; });
    window.show();
    window.activateWindow();
    QApplication::processEvents();

    TestHooks hooks;
    bool waitCursor = false;
    hooks.progressScripts.push_back([&](TDialog&, int) {
        waitCursor = window.cursor().shape() == Qt::WaitCursor;
        QTest::mouseClick(button, Qt::LeftButton);
        QTest::keyClick(button, Qt::Key_Space);
        QTest::keyClick(&window, Qt::Key_F3);
        EXPECT_FALSE(window.close());
    });
    std::atomic<bool> timerRan{false};
    QTimer::singleShot(0, &window, [&] { timerRan = true; });
    runWithProgress(&window, setup(), [&](TProgress& p) {
        p.stage(0);
        pollForStop(p, [&] { return timerRan.load(); });
    });
    EXPECT_EQ(std::tuple(timerRan.load(), waitCursor, clicks, shortcuts, window.isVisible()),
              std::tuple(true, true, 0, 0, true));
    EXPECT_NE(window.cursor().shape(), Qt::WaitCursor);
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::keyClick(&window, Qt::Key_F3);
    EXPECT_EQ(std::tuple(clicks, shortcuts), std::tuple(1, 1));
}

// Without hooks the dialog really shows after its delay, and its Cancel
// button reaches the work.
TEST(BackgroundWork, TheRealDialogShowsAndItsCancelStopsTheWork) {
    QWidget owner;
    owner.show();
    QString shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<TProgressDialog*>(w); d && d->isVisible() && shown.isEmpty()) {
                shown = d->staticText(kStage)->text();
                QTest::mouseClick(d->button(IDCANCEL), Qt::LeftButton);
            }
    });
    poll.start(5);
    bool stopped = false;
    EXPECT_TRUE(runWithProgress(&owner, setup(20), [&](TProgress& p) {
        p.stage(1);
        stopped = pollForStop(p, [] { return false; });
    }));
    EXPECT_EQ(std::tuple(stopped, shown.toStdString()), std::tuple(true, std::string("Second")));
}

}  // namespace
