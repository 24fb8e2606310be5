// The dialog base: centring with its screen clamping, closing without Cancel,
// and the edit that selects its whole text on focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "dialogs/centr_dialog.h"
#include "dialogs/my_edit.h"
#include "platform/test_hooks.h"
#include "resources/dialog_templates.h"

using namespace kvis;

// An edit of the tests' own, added to the About template (which has none).
constexpr int kTestEdit = 300;

TEST(CentreOverParent, Arithmetic) {
    const QSize screen(1024, 768);
    const std::tuple<const char*, QRect, QRect, QPoint> cases[] = {  // dialog, parent, expected
        {"centred", {0, 0, 200, 100}, {100, 50, 600, 400}, {300, 200}},
        {"odd halves truncate", {0, 0, 201, 101}, {0, 0, 600, 400}, {199, 149}},
        {"negative halves, clamped", {0, 0, 200, 100}, {10, 10, 101, 1}, {0, 0}},
        // (101 - 200) / 2 truncates to -49, not -50: seen once the result stays on screen.
        {"negative halves truncate toward zero", {0, 0, 200, 100}, {300, 300, 101, 1}, {251, 251}},
        {"off the left and top", {0, 0, 300, 200}, {-400, -300, 400, 300}, {0, 0}},
        {"off the right", {0, 0, 300, 200}, {900, 100, 400, 300}, {724, 150}},
        {"off the bottom", {0, 0, 300, 200}, {100, 700, 400, 300}, {150, 568}},
        {"off the right and bottom", {0, 0, 300, 200}, {1000, 700, 300, 200}, {724, 568}},
        // Wider than the screen and left of it: the clamped left is used.
        {"wider than the screen", {0, 0, 1200, 100}, {300, 0, 400, 100}, {-76, 0}},
    };
    for (const auto& [what, dialog, parent, expected] : cases)
        EXPECT_EQ(TCentrDialog::centredPosition(dialog, parent, screen), expected) << what;
}

TEST(CentreOverParent, SetUpCentresOverTheParentWindow) {
    QWidget parent;
    parent.setGeometry(50, 40, 500, 400);
    TCentrDialog d(&parent, tpl::About);
    d.create();
    d.setUp();
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_EQ(d.pos(), TCentrDialog::centredPosition(d.frameGeometry(), parent.frameGeometry(), screen));
}

TEST(CentrDialog, EscapeClosesADialogWithoutCancelButtonAndSkipsCanClose) {
    struct About : TCentrDialog {
        About() : TCentrDialog(nullptr, tpl::About) {}
        bool canClose() override { return ++asked, true; }
        int asked = 0;
    } d;
    TestHooks hooks;
    hooks.dialogScripts.push_back([](TDialog& dlg) {
        EXPECT_EQ(dlg.button(IDCANCEL), nullptr);
        dlg.pressEscape();
    });
    hooks.dialogScripts.push_back([](TDialog& dlg) { dlg.press(IDOK); });
    EXPECT_EQ(d.runModal(), IDCANCEL);
    EXPECT_EQ(d.asked, 0);
    EXPECT_EQ(d.runModal(), IDOK);
    EXPECT_EQ(d.asked, 1);
}

TEST(MyEdit, FocusSelectsTheWholeText) {
    TCentrDialog d(nullptr, tpl::About);
    auto* e = new TMyEdit(&d, kTestEdit, 9, kNumberChars);
    d.create();
    d.show();
    for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::BacktabFocusReason, Qt::OtherFocusReason}) {
        e->setText("12.5");
        e->setCursorPosition(2);
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(e, &in);
        EXPECT_EQ(e->selectedText(), "12.5") << reason;
    }
    // A click places the cursor after the focus arrives; the release selects again.
    e->setText("0.66");
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(e, &in);
    const auto click = [e, at = QPointF(3, 3)] {
        QMouseEvent press(QEvent::MouseButtonPress, at, e->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QMouseEvent release(QEvent::MouseButtonRelease, at, e->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
        QApplication::sendEvent(e, &press), QApplication::sendEvent(e, &release);
        return e->selectedText();
    };
    EXPECT_EQ(click(), "0.66");
    EXPECT_EQ(click(), "");  // a later click inside the focused edit only moves the cursor
}

TEST(MyEdit, LimitAndFilterFromTheConstructor) {
    const std::tuple<int, const char*, const char*, const char*> cases[] = {  // length, filter, typed, expected
        {14, kNameChars, "new alternative_1x", "newalternativ"},
        {10, kNumberChars, "-1.5e+3 kg", "-1.5e+3"},
        {9, kUnsignedChars, "-0.25e1", "0.251"},
        {2, kDigitChars, "47", "4"},
        {9, nullptr, "0,7 abc!", "0,7 abc!"},
    };
    for (const auto& [len, filter, typed, expected] : cases) {
        TCentrDialog d(nullptr, tpl::About);
        new TMyEdit(&d, kTestEdit, len, filter);
        d.create();
        d.type(kTestEdit, QString::fromLatin1(typed));
        EXPECT_EQ(d.edit(kTestEdit)->text(), expected) << typed;
    }
}
