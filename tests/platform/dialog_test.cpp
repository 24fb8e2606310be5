// TDialog built from template data, its closing rules, the scripting hooks and
// the input controls' filters and limits.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QFile>
#include <QPainter>

#include "platform/dialog.h"
#include "platform/file_dialogs.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "platform/services.h"
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
        {206, K::ComboBox, "", 80, 70, 60, 40, 0},
        {207, K::CheckBox, "&Veto", 10, 45, 60, 10, 0},
        {1, K::Button, "&OK", 150, 10, 40, 14, cs::Default},
        {2, K::Button, "&Cancel", 150, 30, 40, 14, 0},
        {210, K::Button, "&Add", 150, 50, 40, 14, 0},
    };
    registerDialogTemplate(t);
}

class TestDialog : public TDialog {
public:
    explicit TestDialog(bool allowClose = true) : TDialog(nullptr, kTestTemplate), allow(allowClose) {
        registerTestTemplate();
    }
    bool canClose() override {
        ++asked;
        return allow;
    }
    bool allow;
    int asked = 0;
};

struct Fixture : ::testing::Test {
    void SetUp() override { registerTestTemplate(); }
    TestHooks hooks;
};

}  // namespace

using DialogTest = Fixture;

TEST_F(DialogTest, ControlsAreMadeFromTheTemplateAndReachableById) {
    TestDialog d;
    d.create();
    EXPECT_EQ(d.windowTitle(), "Test dialog");
    ASSERT_NE(d.edit(201), nullptr);
    ASSERT_NE(d.staticText(202), nullptr);
    EXPECT_EQ(d.staticText(202)->text(), "label");
    EXPECT_TRUE(d.staticText(202)->alignment() & Qt::AlignHCenter);
    ASSERT_NE(d.listBox(205), nullptr);
    EXPECT_EQ(d.listBox(205)->font().family(), "Courier New");
    EXPECT_EQ(d.listBox(205)->font().pixelSize(), 12);
    ASSERT_NE(d.comboBox(206), nullptr);
    ASSERT_NE(d.checkBox(207), nullptr);
    ASSERT_NE(d.button(1), nullptr);
    EXPECT_TRUE(d.button(1)->isDefault());
    EXPECT_EQ(d.control(-1), nullptr);
    // Dialog units follow the font: x by a quarter of the average width, y by an eighth of the height.
    const QSize base = TDialog::baseUnits(d.font());
    EXPECT_EQ(d.size(), QSize((200 * base.width() + 2) / 4, (100 * base.height() + 4) / 8));
    EXPECT_EQ(d.edit(201)->geometry(), d.toPixels(10, 10, 60, 12));
}

TEST_F(DialogTest, AControlMadeByTheDialogClassReplacesThePlainOne) {
    TestDialog d;
    auto* mine = new TEdit(&d, 201, 5);
    d.create();
    EXPECT_EQ(d.edit(201), mine);
    EXPECT_EQ(mine->maxLength(), 4);
    EXPECT_EQ(mine->geometry(), d.toPixels(10, 10, 60, 12));
}

TEST_F(DialogTest, OkAsksCanCloseAndCancelEscapeDoNot) {
    struct Case {
        bool allow;
        std::function<void(TDialog&)> act;
        int result;
        int asked;
    } cases[] = {
        {true, [](TDialog& d) { d.press(1); }, IDOK, 1},
        {false, [](TDialog& d) { d.press(1); }, IDCANCEL, 1},  // stays open: the script ends it as cancelled
        {false, [](TDialog& d) { d.press(2); }, IDCANCEL, 0},
        {false, [](TDialog& d) { d.pressEscape(); }, IDCANCEL, 0},
        {false, [](TDialog& d) { d.close(); }, IDCANCEL, 0},
        {true, [](TDialog& d) { d.press(1); d.press(2); }, IDOK, 1},  // the first end counts
    };
    for (const Case& c : cases) {
        TestDialog d(c.allow);
        hooks.dialogScripts.push_back(c.act);
        EXPECT_EQ(d.runModal(), c.result);
        EXPECT_EQ(d.asked, c.asked);
    }
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>(6, kTestTemplate));
}

TEST_F(DialogTest, OkStaysOpenWhileCanCloseRefuses) {
    TestDialog d(false);
    hooks.dialogScripts.push_back([&](TDialog& dlg) {
        dlg.press(1);
        EXPECT_FALSE(dlg.hasEnded());
        d.allow = true;
        dlg.press(1);
        EXPECT_TRUE(dlg.hasEnded());
    });
    EXPECT_EQ(d.runModal(), IDOK);
    EXPECT_EQ(d.asked, 2);
}

TEST_F(DialogTest, WithoutAScriptTheDialogIsCancelled) {
    TestDialog d;
    EXPECT_EQ(d.runModal(), IDCANCEL);
    EXPECT_EQ(d.asked, 0);
}

TEST_F(DialogTest, OtherButtonsRunTheirHandler) {
    TestDialog d;
    int added = 0;
    d.onCommand(210, [&] { ++added; });
    hooks.dialogScripts.push_back([](TDialog& dlg) {
        dlg.press(210);
        dlg.press(210);
        EXPECT_FALSE(dlg.hasEnded());
    });
    d.runModal();
    EXPECT_EQ(added, 2);
}

TEST(FilterValidator, AdmitsExactlyItsSet) {
    struct Case {
        const char* set;
        const char* admitted;
        const char* refused;
    } cases[] = {
        {"A-Za-z0-9_", "AZaz09_mQ", " .-+\xc3\xa9/@[`{"},
        {"0-9.eE+-", "0123456789.eE+-", "aAdD ,_/"},
        {"0-9.", "0123456789.", "eE+-, a"},
        {"0-9", "0123456789", ".eE+- a"},
    };
    for (const Case& c : cases) {
        TFilterValidator v(QString::fromLatin1(c.set));
        for (QChar ch : QString::fromUtf8(c.admitted)) EXPECT_TRUE(v.admits(ch)) << c.set << " " << int(ch.unicode());
        for (QChar ch : QString::fromUtf8(c.refused)) EXPECT_FALSE(v.admits(ch)) << c.set << " " << int(ch.unicode());
    }
}

TEST_F(DialogTest, TypingAndPastingHonourFilterAndLimit) {
    TestDialog d;
    auto* name = new TEdit(&d, 201, 14);
    name->setFilter("A-Za-z0-9_");
    d.create();
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

TEST_F(DialogTest, ListAndComboHelpers) {
    TestDialog d;
    d.create();
    TListBox* l = d.listBox(205);
    EXPECT_EQ(l->addString("b"), 0);
    EXPECT_EQ(l->addString("a"), 1);  // not sorted: kept in order
    EXPECT_EQ(l->getSelIndex(), -1);
    l->setSelIndex(1);
    EXPECT_EQ(l->getSelIndex(), 1);
    EXPECT_EQ(l->getString(1), "a");
    l->setSelIndex(7);
    EXPECT_EQ(l->getSelIndex(), -1);
    TCheckBox* c = d.checkBox(207);
    c->setCheck(1);
    EXPECT_EQ(c->getCheck(), 1);
}

TEST(MessageBoxHook, RecordsAndAnswers) {
    TestHooks hooks;
    hooks.answers = {IDYES};
    EXPECT_EQ(messageBox(nullptr, QStringLiteral("Save?"), QStringLiteral("Exit"), MB_YESNOCANCEL | MB_ICONQUESTION),
              IDYES);
    // Without a queued answer a box answers as if closed.
    EXPECT_EQ(messageBox(nullptr, std::string("a"), std::string("b"), MB_YESNOCANCEL), IDCANCEL);
    EXPECT_EQ(messageBox(nullptr, std::string("a"), std::string("b"), MB_YESNO | MB_ICONSTOP), IDNO);
    EXPECT_EQ(messageBox(nullptr, std::string("a"), std::string("b"), MB_OK | MB_ICONINFORMATION), IDOK);
    ASSERT_EQ(hooks.messages.size(), 4u);
    EXPECT_EQ(hooks.messages[0].text, "Save?");
    EXPECT_EQ(hooks.messages[0].caption, "Exit");
    EXPECT_EQ(hooks.messages[0].buttons(), MB_YESNOCANCEL);
    EXPECT_EQ(hooks.messages[0].icon(), MB_ICONQUESTION);
    EXPECT_EQ(hooks.messages[2].icon(), MB_ICONSTOP);
}

TEST(FileDialogs, FiltersConvertToQtNameFilters) {
    EXPECT_EQ(TOpenSaveDialog::nameFilters("Kavorin files (*.KVS)|*.kvs|All files(*.*)|*.*|"),
              (QStringList{"Kavorin files (*.KVS)", "All files (*)"}));
    EXPECT_EQ(TOpenSaveDialog::nameFilters("Kavorin III/IV files (*.TXT)|*.txt"),
              (QStringList{"Kavorin III/IV files (*.TXT)"}));
    EXPECT_EQ(TOpenSaveDialog::nameFilters("Text|*.txt;*.log|"), (QStringList{"Text (*.txt *.log)"}));
}

TEST(FileDialogs, DefaultExtensionOnlyForNamesWithout) {
    EXPECT_EQ(TOpenSaveDialog::withDefaultExt("/tmp/a", "kvs"), "/tmp/a.kvs");
    EXPECT_EQ(TOpenSaveDialog::withDefaultExt("/tmp/a.txt", "kvs"), "/tmp/a.txt");
    EXPECT_EQ(TOpenSaveDialog::withDefaultExt("/tmp.d/a", "kvr"), "/tmp.d/a.kvr");
    EXPECT_EQ(TOpenSaveDialog::withDefaultExt("", "kvr"), "");
}

TEST(FileDialogs, HookAnswersAndRecords) {
    TestHooks hooks;
    TOpenSaveDialog::TData data;
    data.fileName = "*.kvs";
    data.filter = "Kavorin files (*.KVS)|*.kvs";
    data.defaultExt = "kvs";
    hooks.files = {QString("/tmp/p"), std::nullopt};
    TFileSaveDialog save(nullptr, data, "Saving project");
    EXPECT_EQ(save.runModal(), 1);
    EXPECT_EQ(data.fileName, "/tmp/p.kvs");
    TFileOpenDialog open(nullptr, data, "Opening project");
    EXPECT_EQ(open.runModal(), 2);
    EXPECT_EQ(data.fileName, "/tmp/p.kvs");  // cancel leaves the field
    ASSERT_EQ(hooks.fileDialogs.size(), 2u);
    EXPECT_TRUE(hooks.fileDialogs[0].save);
    EXPECT_EQ(hooks.fileDialogs[0].title, "Saving project");
    EXPECT_EQ(hooks.fileDialogs[0].fileName, "*.kvs");
    EXPECT_FALSE(hooks.fileDialogs[1].save);
}

TEST(Services, ProgramStartsAreRecorded) {
    TestHooks hooks;
    EXPECT_TRUE(startProgram("qolv.exe", {"qolv.kvr"}));
    hooks.startSucceeds = false;
    EXPECT_FALSE(startProgram("x", {}));
    ASSERT_EQ(hooks.programs.size(), 2u);
    EXPECT_EQ(hooks.programs[0].program, "qolv.exe");
    EXPECT_EQ(hooks.programs[0].arguments, QStringList{"qolv.kvr"});
    showHelp(HelpPage::UsingHelp);
    EXPECT_EQ(hooks.helpPages, std::vector<QString>{"using_help.html"});
}

TEST(Printer, PrintsEveryPageToPdf) {
    struct Pages : TPrintout {
        Pages() : TPrintout("two pages") {}
        bool hasPage(int page) override { return page <= 2; }
        void getDialogInfo(int& a, int& b, int& c, int& d) override { a = c = 1; b = d = 2; }
        void printPage(int page, QPainter& p, const QRect& r) override {
            printed.push_back(page);
            EXPECT_FALSE(r.isEmpty());
            p.drawText(r, QString::number(page));
        }
        std::vector<int> printed;
    } pages;
    QTemporaryDir dir;
    TestHooks hooks;
    hooks.pdfPath = dir.filePath("out.pdf");
    TPrinter printer;
    EXPECT_TRUE(printer.print(nullptr, pages, true));
    EXPECT_EQ(hooks.printDialogs, 1);
    EXPECT_EQ(pages.printed, (std::vector<int>{1, 2}));
    QFile f(hooks.pdfPath);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.read(5).startsWith("%PDF"));
    hooks.printAnswers = {false};
    pages.printed.clear();
    EXPECT_FALSE(printer.print(nullptr, pages, true));
    EXPECT_TRUE(pages.printed.empty());
}

// Without hooks the real modal loops run; a timer plays the user.
TEST(RealModal, DialogExecEndsWithTheButtonPressed) {
    registerTestTemplate();
    struct Case {
        std::function<void(TDialog&)> act;
        int result;
    } cases[] = {
        {[](TDialog& d) { d.press(1); }, IDOK},
        {[](TDialog& d) { d.press(2); }, IDCANCEL},
        {[](TDialog& d) { d.pressEscape(); }, IDCANCEL},
        {[](TDialog& d) { d.close(); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        TestDialog d;
        QTimer::singleShot(0, &d, [&] { c.act(d); });
        EXPECT_EQ(d.runModal(), c.result);
    }
}

TEST(RealModal, MessageBoxReturnsTheButtonClicked) {
    struct Case {
        unsigned flags;
        QMessageBox::StandardButton click;  // NoButton: the box is closed
        int result;
    } cases[] = {
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
            if (c.click == QMessageBox::NoButton) {
                box->reject();
            } else {
                box->button(c.click)->click();
            }
        });
        EXPECT_EQ(messageBox(nullptr, QStringLiteral("text"), QStringLiteral("caption"), c.flags), c.result);
    }
}
