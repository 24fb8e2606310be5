// TDialog built from template data, its closing rules, the scripting hooks and
// the input controls' filters and limits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <optional>

#include "platform/dialog.h"
#include "platform/file_dialogs.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

constexpr int kTestTemplate = 9001;

void registerTestTemplate() {
    using K = ControlKind;
    DialogTemplate t;
    t.id = kTestTemplate;
    t.caption = "Test dialog";
    t.width = 200;
    t.height = 100;
    t.controls = {
        {-1, K::WhiteFrame, "", 0, 0, 200, 100, 0},
        {201, K::Edit, "", 10, 10, 60, 12, 0},
        {202, K::Static, "label", 10, 30, 60, 8, cs::Centre | cs::Border},
        {205, K::ListBox, "", 80, 10, 60, 50, cs::ColumnFont},
        {207, K::CheckBox, "&Veto", 10, 45, 60, 10, 0},
        {1, K::Button, "&OK", 150, 10, 40, 14, cs::Default},
        {2, K::Button, "&Cancel", 150, 30, 40, 14, 0},
        {210, K::Button, "&Add", 150, 50, 40, 14, 0},
    };
    registerDialogTemplate(t);
}

class TestDialog : public TDialog {
public:
    explicit TestDialog(bool allowClose = true)
        : TDialog(nullptr, (registerTestTemplate(), kTestTemplate)), allow(allowClose) {}
    bool canClose() override { return ++asked, allow; }
    bool allow;
    int asked = 0;
};

}  // namespace

TEST(Dialog, ControlsAreMadeFromTheTemplateAndReachableById) {
    TestDialog d;
    d.create();
    EXPECT_EQ(d.windowTitle(), "Test dialog");
    EXPECT_EQ(d.staticText(202)->text(), "label");
    EXPECT_TRUE(d.staticText(202)->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(d.listBox(205)->font().family(), "Courier New");
    EXPECT_EQ(d.listBox(205)->font().pixelSize(), 12);
    EXPECT_TRUE(d.button(1)->isDefault());
    // Dialog units follow the font: x by a quarter of the average width, y by an eighth of the height.
    const QSize base = TDialog::baseUnits(d.font());
    EXPECT_EQ(d.size(), QSize((200 * base.width() + 2) / 4, (100 * base.height() + 4) / 8));
    EXPECT_EQ(d.edit(201)->geometry(), d.toPixels(10, 10, 60, 12));
}

// Scripted (through the hook) and real (a timer plays the user) runs end alike.
TEST(Dialog, OkAsksCanCloseAndCancelEscapeCloseBoxDoNot) {
    int added = 0;
    // act empty: no script queued; real: also run the real modal loop.
    struct Case { bool allow; std::function<void(TDialog&)> act; int result, asked; bool real; } cases[] = {
        {true, [](TDialog& d) { d.press(1); }, IDOK, 1, true},
        {false, [](TDialog& d) { d.press(1); }, IDCANCEL, 1, false},  // stays open: the script ends it as cancelled
        {false, [](TDialog& d) { d.press(2); }, IDCANCEL, 0, true},
        {false, [](TDialog& d) { d.pressEscape(); }, IDCANCEL, 0, true},
        {false, [](TDialog& d) { d.close(); }, IDCANCEL, 0, true},
        {true, [](TDialog& d) { d.press(1); d.press(2); }, IDOK, 1, false},  // the first end counts
        {true, {}, IDCANCEL, 0, false},
        {true, [](TDialog& d) { d.press(210); d.press(210); EXPECT_FALSE(d.hasEnded()); }, IDCANCEL, 0, false},
        {false, [](TDialog& d) {  // OK stays open while canClose refuses
             d.press(1);
             EXPECT_FALSE(d.hasEnded());
             static_cast<TestDialog&>(d).allow = true;
             d.press(1);
         }, IDOK, 2, false},
    };
    for (const Case& c : cases) {
        std::optional<TestHooks> hooks(std::in_place);
        TestDialog d(c.allow);
        d.onCommand(210, [&] { ++added; });
        if (c.act) hooks->dialogScripts.push_back(c.act);
        EXPECT_EQ(d.runModal(), c.result);
        EXPECT_EQ(d.asked, c.asked);
        EXPECT_EQ(hooks->dialogsRun, std::vector<int>{kTestTemplate});
        hooks.reset();
        if (!c.real) continue;
        TestDialog real(c.allow);
        QTimer::singleShot(0, &real, [&] { c.act(real); });
        EXPECT_EQ(real.runModal(), c.result);
    }
    EXPECT_EQ(added, 2);
}

// Hooks that end with queued answers or scripts were written for interactions
// that never came: whatever checks those scripts held never ran.
TEST(TestHooks, AnswersAndScriptsLeftUnusedAreReported) {
    std::vector<std::string> reports;
    auto previous = TestHooks::setUnusedReporter([&](const std::string& what) { reports.push_back(what); });
    {
        TestHooks used;
        used.answers = {IDYES};
        messageBox(nullptr, QStringLiteral("t"), QStringLiteral("c"), MB_YESNO);
    }
    {
        TestHooks left;
        left.answers = {IDYES, IDNO};
        left.files = {std::nullopt};
        left.dialogScripts.push_back([](TDialog&) {});
        left.printAnswers = {true};
    }
    TestHooks::setUnusedReporter(std::move(previous));
    EXPECT_EQ(reports, std::vector<std::string>{"Test hooks ended with unused 2 message box answer(s), 1 file dialog "
                                                "answer(s), 1 dialog script(s), 1 print dialog answer(s)"});
}

TEST(FilterValidator, AdmitsExactlyItsSet) {
    struct Case { const char *set, *admitted, *refused; } cases[] = {
        {"A-Za-z0-9_", "AZaz09_mQ", " .-+\xc3\xa9/@[`{"}, {"0-9.eE+-", "0123456789.eE+-", "aAdD ,_/"},
        {"0-9.", "0123456789.", "eE+-, a"},
    };
    for (const Case& c : cases) {
        TFilterValidator v(QString::fromLatin1(c.set));
        for (QChar ch : QString::fromUtf8(c.admitted)) EXPECT_TRUE(v.admits(ch)) << c.set << " " << int(ch.unicode());
        for (QChar ch : QString::fromUtf8(c.refused)) EXPECT_FALSE(v.admits(ch)) << c.set << " " << int(ch.unicode());
    }
}

TEST(Dialog, AnEditMadeByTheDialogClassHonoursFilterAndLimitTypedOrPasted) {
    TestDialog d;
    auto* name = new TEdit(&d, 201, 14);
    name->setFilter("A-Za-z0-9_");
    d.create();
    EXPECT_EQ(d.edit(201), name);  // replaces the plain one, at the template's place
    EXPECT_EQ(name->geometry(), d.toPixels(10, 10, 60, 12));
    d.type(201, "car 1-x_Y");
    EXPECT_EQ(name->text(), "car1x_Y");
    d.type(201, "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(name->text(), "abcdefghijklm");  // 13 characters
    // A paste with a refused character is refused whole; a long one is cut.
    name->clear();
    name->insert("ab cd");
    EXPECT_EQ(name->text(), "");
    name->insert("ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(name->text(), "ABCDEFGHIJKLM");
    EXPECT_EQ(name->getText(5), "ABCDE");
}

// Letters without their case, the capital first where only the case differs;
// blanks before digits; equal lines in the order they came.
TEST(ListBox, SortedListsKeepTheirLinesInTextOrder) {
    const std::vector<std::string> added = {"beta", "alpha", "  10 -> x", "Beta", "ALPHA", "   2 -> y",
                                            "Alpha", "a_b", "ab", "alpha"};
    const std::vector<std::string> expected = {"   2 -> y", "  10 -> x", "a_b", "ab", "ALPHA", "Alpha",
                                               "alpha", "alpha", "Beta", "beta"};
    auto lines = [](const TListBox& l) {
        std::vector<std::string> v;
        for (int i = 0; i < l.getCount(); ++i) v.push_back(l.getString(i));
        return v;
    };
    TListBox one(static_cast<QWidget*>(nullptr), 154), all(static_cast<QWidget*>(nullptr), 154);
    one.setSorted(true);
    all.setSorted(true);
    for (const std::string& s : added) one.addString(s);
    all.setStrings(added);
    EXPECT_EQ(lines(one), expected);
    EXPECT_EQ(lines(all), expected);
    EXPECT_EQ(one.addString("Alpha"), 6);  // after the equal line
    // Unsorted lists keep the order of addition; a selection out of range selects nothing.
    TListBox plain(static_cast<QWidget*>(nullptr), 1);
    plain.setStrings({"b", "a"});
    EXPECT_EQ(plain.addString("c"), 2);
    plain.setSelIndex(7);
    EXPECT_EQ(std::tuple(lines(plain), plain.getSelIndex()), std::tuple(std::vector<std::string>{"b", "a", "c"}, -1));
}

// A closed box answers by its buttons, hooked or real.
TEST(MessageBox, ReturnsTheAnswerAndRecordsTheCall) {
    // click NoButton: the box is closed.
    struct Case { unsigned flags; QMessageBox::StandardButton click; int result; } cases[] = {
        {MB_YESNOCANCEL | MB_ICONQUESTION, QMessageBox::Yes, IDYES},
        {MB_YESNOCANCEL | MB_ICONQUESTION, QMessageBox::No, IDNO},
        {MB_YESNOCANCEL | MB_ICONQUESTION, QMessageBox::NoButton, IDCANCEL},
        {MB_YESNO | MB_ICONSTOP, QMessageBox::NoButton, IDNO},
        {MB_OK | MB_ICONINFORMATION, QMessageBox::Ok, IDOK},
    };
    for (const Case& c : cases) {
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), "text");
            EXPECT_EQ(box->windowTitle(), "caption");
            c.click == QMessageBox::NoButton ? box->reject() : box->button(c.click)->click();
        });
        EXPECT_EQ(messageBox(nullptr, QStringLiteral("text"), QStringLiteral("caption"), c.flags), c.result);
        TestHooks hooks;
        if (c.click != QMessageBox::NoButton) hooks.answers = {c.result};
        EXPECT_EQ(messageBox(nullptr, std::string("text"), std::string("caption"), c.flags), c.result);
        ASSERT_EQ(hooks.messages.size(), 1u);
        EXPECT_EQ(hooks.messages[0].text, "text");
        EXPECT_EQ(hooks.messages[0].caption, "caption");
        EXPECT_EQ(hooks.messages[0].flags, c.flags);
    }
}

// A caption that names a file keeps its whole path while that fits a box, and
// gives way to the file's name when it does not; the text is never touched.
TEST(MessageBox, ACaptionNamingAFileShowsItsNameWhenThePathIsTooWide) {
    const QString deep = QStringLiteral("/home/user/") + QString(40, u'd') + u'/' + QString(40, u'e') + u'/' +
                         QString(40, u'f') + QStringLiteral("/project.kvs");
    const QString error = QStringLiteral("Error opening project '%1'");
    struct Case { const char* name; QString caption, path, shown; int room; } cases[] = {
        {"short path", "/tmp/a.kvs", "/tmp/a.kvs", "/tmp/a.kvs", 600},
        {"long path", deep, deep, "project.kvs", 600},
        {"long path inside a caption", error.arg(deep), deep, error.arg("project.kvs"), 600},
        {"long path with room for it", deep, deep, deep, 100000},
        {"no path named", error.arg(deep), "", error.arg(deep), 600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fittedCaption(c.caption, c.path, c.room), c.shown);
    }
    // A real box: the shorter caption, and room enough for it in the box.
    const QString middle = QStringLiteral("/home/user/") + QString(40, u'd') + QStringLiteral("/project.kvs");
    for (const QString& path : {QStringLiteral("/tmp/a.kvs"), middle, deep}) {
        const QString shown = path == deep ? QStringLiteral("project.kvs") : path;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), shown);
            EXPECT_EQ(box->text(), "Number of alternatives:  6\nNumber of criteria:  6");
            EXPECT_GE(box->width(), TDialog::captionWidth(shown));
            box->button(QMessageBox::Ok)->click();
        });
        messageBox(nullptr, QStringLiteral("Number of alternatives:  6\nNumber of criteria:  6"), path,
                   MB_OK | MB_ICONINFORMATION, path);
    }
}

TEST(FileDialogs, FiltersAndDefaultExtension) {
    const std::pair<const char*, QStringList> filters[] = {
        {"Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|", {"Kavorin files (*.KVS)", "All files (*)"}},
        {"SVG pictures (*.svg)|*.svg|PNG pictures (*.png)|*.png|", {"SVG pictures (*.svg)", "PNG pictures (*.png)"}},
    };
    for (const auto& [filter, want] : filters) EXPECT_EQ(TOpenSaveDialog::nameFilters(filter), want) << filter;
    const std::array<const char*, 3> exts[] = {
        {"/tmp/a", "kvs", "/tmp/a.kvs"}, {"/tmp/a.txt", "kvs", "/tmp/a.txt"},
        {"/tmp.d/a", "kvr", "/tmp.d/a.kvr"}, {"", "kvr", ""},
    };
    for (const auto& e : exts) EXPECT_EQ(TOpenSaveDialog::withDefaultExt(e[0], e[1]), e[2]) << e[0];
}

// Printer setup sets the printer, the paper and the orientation up for the
// next print; it prints nothing and offers no Print button.
TEST(Printer, SetupChoosesPrinterPaperAndOrientation) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    auto buttons = [](QDialog& d) {
        QStringList texts;
        for (auto* b : d.findChildren<QPushButton*>()) texts << b->text().remove(u'&');
        texts.sort();
        return texts;
    };
    auto choose = [](TPrinterSetupDialog& d, QPageSize::PageSizeId paper, bool landscape) {
        d.paper()->setCurrentIndex(d.paper()->findText(QPageSize(paper).name()));
        (landscape ? d.landscape() : d.portrait())->setChecked(true);
    };
    {
        TPrinterSetupDialog d(printer, nullptr);
        EXPECT_EQ(d.windowTitle(), "Printer setup");
        EXPECT_EQ(buttons(d), (QStringList{"Cancel", "OK"}));
        EXPECT_EQ(d.printers()->itemText(d.printers()->count() - 1), "PDF file");
        EXPECT_EQ(d.paper()->currentText(), QPageSize(QPageSize::A4).name());
        EXPECT_TRUE(d.portrait()->isChecked());
        d.printers()->setCurrentIndex(d.printers()->count() - 1);
        choose(d, QPageSize::A5, true);
        d.accept();
    }
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    {
        // Shown again as set up; Cancel changes nothing.
        TPrinterSetupDialog d(printer, nullptr);
        EXPECT_EQ(d.paper()->currentText(), QPageSize(QPageSize::A5).name());
        EXPECT_TRUE(d.landscape()->isChecked());
        choose(d, QPageSize::Letter, false);
        d.reject();
    }
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A5);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}
