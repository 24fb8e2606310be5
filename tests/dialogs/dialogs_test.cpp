// The editing and inspection dialogs driven headless through the test hooks.
#include <gtest/gtest.h>

#include <functional>

#include "app/workspace.h"
#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/editing_dialogs.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/parameter_dialogs.h"
#include "model/numfmt.h"
#include "model/project_ops.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

Criterion crit(const char* name, int direction, double q, double p, double v = -1, double weight = 1) {
    Criterion c;
    c.name = name;
    c.direction = direction;
    c.weight = weight;
    c.indifference = {0, q};
    c.preference = {0, p};
    if (v >= 0) {
        c.useVeto = 1;
        c.veto = {0, v};
    }
    return c;
}

std::string text(TDialog& d, int id) {
    if (auto* e = d.edit(id)) return e->text().toStdString();
    if (auto* s = d.staticText(id)) return s->getText();
    return "?";
}

std::vector<std::string> lines(TDialog& d, int id) {
    std::vector<std::string> out;
    TListBox* l = d.listBox(id);
    for (int i = 0; i < l->getCount(); ++i) out.push_back(l->getString(i));
    return out;
}

bool enabled(TDialog& d, int id) { return d.control(id)->isEnabled(); }

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { workspace() = Workspace{}; }

    Workspace& w() { return workspace(); }
    Project& p() { return workspace().project; }
    DocumentState& doc() { return workspace().doc; }

    // Criteria and rows of evaluations through the model's operations; the flags are then cleared.
    void build(const std::vector<Criterion>& cs, const std::vector<std::vector<double>>& rows) {
        for (const auto& c : cs) addCriterion(p(), doc(), c);
        for (size_t a = 0; a < rows.size(); ++a) {
            addAlternative(p(), doc(), "alt" + std::to_string(a + 1));
            for (size_t c = 0; c < rows[a].size(); ++c)
                setEvaluation(p(), doc(), static_cast<int>(a), static_cast<int>(c), rows[a][c], "");
        }
        rebuildEvaluationTexts(p());
        doc().modified = 0;
        doc().resultsValid = 0;
    }
    void script(std::function<void(TDialog&)> f) { hooks.dialogScripts.push_back(std::move(f)); }

    TestHooks hooks;
};

// ---- Templates ------------------------------------------------------------------

TEST_F(Dialogs, TemplatesCarryTheirFramesCaptionsAndControls) {
    struct Want {
        int id;
        const char* caption;
        bool blackFrame;
    } wants[] = {
        {101, "Edit alternatives", true},     {102, "Modify alternative", true},
        {103, "Modify value of criterion", true}, {104, "Edit criteria", true},
        {105, "Modify criteria", true},       {106, "Level of concordance", true},
        {107, "Evaluation of alternatives according to criteron", false},
        {110, "Kernel of the graph of outranking", false}, {111, "Structure of kernel", false},
        {112, "Advanced options", true},      {113, "Select ...", false},
        {114, "Select alternatives to compare", true}, {115, "Compare alternative 1 to alternative 2", false},
    };
    TDlgSelect registers(nullptr);  // any dialog registers the templates
    for (const auto& want : wants) {
        const DialogTemplate* t = findDialogTemplate(want.id);
        ASSERT_NE(t, nullptr) << want.id;
        EXPECT_EQ(t->caption, want.caption);
        EXPECT_EQ(t->fontFace, want.id == 107 ? "" : "MS Sans Serif") << want.id;
        int white = 0, black = 0;
        for (const auto& c : t->controls) {
            white += c.kind == ControlKind::WhiteFrame;
            black += c.kind == ControlKind::BlackFrame;
            EXPECT_LE(c.x + c.w, t->width) << want.id << " control " << c.id;
            EXPECT_LE(c.y + c.h, t->height) << want.id << " control " << c.id;
        }
        EXPECT_EQ(white, 1) << want.id;
        EXPECT_EQ(black, want.blackFrame ? 1 : 0) << want.id;
    }
    struct Control {
        int tpl, id;
        ControlKind kind;
        const char* text;
        int x, y, w, h;
    } controls[] = {
        {101, 206, ControlKind::Static, "30", 87, 122, 27, 9},
        {102, 202, ControlKind::ListBox, "", 15, 53, 138, 79},
        {103, 202, ControlKind::Static, "Nazwa wariantu", 50, 7, 85, 10},
        {104, 206, ControlKind::Static, "30", 82, 122, 27, 9},
        {105, 213, ControlKind::Edit, "", 42, 121, 28, 12},
        {105, 201, ControlKind::Button, "&Alternatives", 149, 139, 50, 14},
        {106, 201, ControlKind::Edit, "", 119, 14, 38, 12},
        {107, 202, ControlKind::ListBox, "", 5, 14, 254, 89},
        {110, 207, ControlKind::Button, "&Details", 148, 97, 50, 14},
        {111, 500, ControlKind::Static, "Text", 45, 9, 60, 10},
        {112, 202, ControlKind::Edit, "", 118, 46, 40, 12},
        {113, 108, ControlKind::CheckBox, "&Modified Graph ", 10, 84, 101, 12},
        {113, 109, ControlKind::CheckBox, "Kernel && &Final Graph", 10, 96, 101, 12},
        {114, 102, ControlKind::ComboBox, "", 83, 18, 56, 45},
        {115, 206, ControlKind::ListBox, "", 16, 65, 69, 72},
        {115, 301, ControlKind::Static, "Action 1:", 60, 24, 112, 10},
    };
    for (const auto& c : controls) {
        const ControlTemplate* t = findDialogTemplate(c.tpl)->control(c.id);
        ASSERT_NE(t, nullptr) << c.tpl << "/" << c.id;
        EXPECT_EQ(t->kind, c.kind) << c.tpl << "/" << c.id;
        EXPECT_EQ(t->text, c.text) << c.tpl << "/" << c.id;
        EXPECT_EQ((std::vector<int>{t->x, t->y, t->w, t->h}), (std::vector<int>{c.x, c.y, c.w, c.h}))
            << c.tpl << "/" << c.id;
    }
}

// ---- Alternatives ---------------------------------------------------------------

TEST_F(Dialogs, AddAlternativeProposesAlterNAndAppendsItsPendingValues) {
    build({crit("c1", 0, 0, 0), crit("c2", 1, 0, 0)}, {{1, 2}, {3, 4}, {5, 6}});
    p().alternatives[0].name = "zzz";  // the proposal counts, it does not look at names
    script([&](TDialog& d) {
        d.press(201);
        EXPECT_EQ(lines(d, 205).back(), "alter_4");
        EXPECT_EQ(text(d, 206), "4");
        EXPECT_EQ(d.listBox(205)->getSelIndex(), 3);
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Adding new alternative");
        EXPECT_EQ(text(d, 203), "alter_4");
        EXPECT_EQ(lines(d, 202), (std::vector<std::string>{" c1                     0.000 ",
                                                            " c2                     0.000 "}));
        d.select(202, 1);
        d.press(201);
        EXPECT_EQ(lines(d, 202)[1], " c2                    12.500 ");
        EXPECT_EQ(p().n, 3);  // nothing reaches the Project before OK
        d.press(1);
        d.press(1);  // a second OK does nothing more
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 202), "alter_4");
        EXPECT_EQ(text(d, 203), "c2");
        EXPECT_EQ(text(d, 201), "0");
        d.type(201, "12.50");
        d.press(1);
    });
    EXPECT_EQ(runEditAlternatives(nullptr), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{101, 102, 103}));
    ASSERT_EQ(p().n, 4);
    EXPECT_EQ(p().alternatives[3].name, "alter_4");
    EXPECT_EQ(p().eval(3, 1), 12.5);
    EXPECT_EQ(p().evaluationTexts[3 * 2 + 1], "12.5");
    EXPECT_EQ(doc().modified, 1);
    EXPECT_EQ(doc().resultsValid, 0);
}

TEST_F(Dialogs, AddAlternativeWithoutCriteriaAndTheNameWidth) {
    build({crit("c1", 0, 0, 0)}, {{1}});
    deleteCriterion(p(), doc(), 0);  // no criterion, no alternative left
    ASSERT_EQ(p().m, 0);
    p().alternativeNameWidth = 64;
    script([&](TDialog& d) {
        EXPECT_FALSE(enabled(d, 201));
        EXPECT_EQ(d.listBox(202)->getCount(), 0);
        d.type(203, "twelve_chars");
        d.press(1);
    });
    TDlgDodajWariant add(nullptr);
    EXPECT_EQ(add.runModal(), IDOK);
    EXPECT_EQ(p().n, 1);
    EXPECT_EQ(p().alternativeNameWidth, 96);

    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) {
        d.press(203);
        EXPECT_EQ(text(d, 206), "0");
        EXPECT_FALSE(enabled(d, 202));
        EXPECT_FALSE(enabled(d, 203));
        d.pressEscape();
    });
    TDlgEdycjaWariantow edit(nullptr);
    EXPECT_EQ(edit.runModal(), IDCANCEL);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().alternativeNameWidth, 96);  // never narrows
}

TEST_F(Dialogs, NamesTakeThirteenCharactersOfTheirSetTypedOrPasted) {
    build({crit("c1", 0, 0, 0)}, {{1}});
    script([&](TDialog& d) {
        d.type(203, "abcdefghijklmnopq");
        EXPECT_EQ(text(d, 203), "abcdefghijklm");
        d.type(203, "ab");
        d.edit(203)->insert("c-d e");  // a paste with refused characters is refused whole
        EXPECT_EQ(text(d, 203), "ab");
        d.edit(203)->insert("0123456789xyz_");
        EXPECT_EQ(text(d, 203), "ab0123456789x");
        d.press(1);
    });
    TDlgModyfikacjaWariantu dlg(nullptr);
    dlg.runModal();
    EXPECT_EQ(p().alternatives[0].name, "ab0123456789x");
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, RemoveAsksAndOnlyYesRemoves) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    hooks.answers = {IDNO, IDYES, IDYES};
    script([&](TDialog& d) {
        d.select(205, 1);
        d.press(203);
        EXPECT_EQ(d.listBox(205)->getCount(), 2);
        d.press(203);
        EXPECT_EQ(lines(d, 205), std::vector<std::string>{"alt1"});
        EXPECT_EQ(text(d, 206), "1");
        d.press(203);
        EXPECT_EQ(text(d, 206), "0");
        EXPECT_FALSE(enabled(d, 202));
        EXPECT_FALSE(enabled(d, 203));
        d.press(203);  // empty list: no question
        d.press(202);  // and no Modify
        d.press(1);
    });
    EXPECT_EQ(runEditAlternatives(nullptr), IDOK);
    ASSERT_EQ(hooks.messages.size(), 3u);
    EXPECT_EQ(hooks.messages[0].text.toStdString(), "Do you really want to delete\n  alternative 'alt2' ?");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Delete alternative");
    EXPECT_EQ(hooks.messages[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{101});
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().m, 2);  // the criteria stay
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, ModifyAlternativeStoresTheNameAtOnceAndTheTypedValue) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    doc().resultsValid = 1;
    script([&](TDialog& d) {
        d.select(205, 1);
        d.press(202);
        EXPECT_EQ(lines(d, 205)[1], "renamed");
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 203), "alt2");
        EXPECT_EQ(lines(d, 202)[0], " c1                     3.000 ");
        d.type(203, "renamed");
        d.select(202, 0);
        d.press(201);
        EXPECT_EQ(lines(d, 202)[0], " c1                    12.500 ");
        d.press(2);  // Cancel undoes neither the name nor the value
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 202), "renamed");
        EXPECT_EQ(text(d, 203), "c1");
        d.type(201, "12.50");
        d.press(1);
    });
    runEditAlternatives(nullptr);
    EXPECT_EQ(p().alternatives[1].name, "renamed");
    EXPECT_EQ(p().eval(1, 0), 12.5);
    EXPECT_EQ(p().evaluationTexts[2], "12.50");
    EXPECT_EQ(doc().modified, 1);
    EXPECT_EQ(doc().resultsValid, 0);
}

TEST_F(Dialogs, ValueDialogOkWithoutTypingChangesNothing) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0), crit("c3", 0, 0, 0)}, {{1.23456789, -1.23456e-10, 5}});
    doc().resultsValid = 1;
    for (int c : {0, 1, 2}) {
        w().selectedAlternative = 0;
        w().selectedCriterion = c;
        script([&](TDialog& d) { d.press(1); });
        TDlgModyfikacjaWartosciKryterium dlg(nullptr);
        EXPECT_EQ(dlg.runModal(), IDOK);
    }
    EXPECT_EQ(p().eval(0, 0), 1.23456789);
    EXPECT_EQ(p().eval(0, 1), -1.23456e-10);
    EXPECT_EQ(p().evaluationTexts[1], "-1.23456e-10");  // shown whole, kept whole
    EXPECT_EQ(doc().resultsValid, 1);
    EXPECT_EQ(doc().modified, 0);

    // The renaming to the same name leaves modified alone too.
    w().selectedAlternative = 0;
    script([&](TDialog& d) { d.press(1); });
    TDlgModyfikacjaWariantu same(nullptr);
    same.runModal();
    EXPECT_EQ(doc().modified, 0);
}

// ---- Criteria ---------------------------------------------------------------------

TEST_F(Dialogs, ModifyCriteriaRefusalLeavesTheProjectUnchanged) {
    build({crit("c1", 1, 1, 3, 6)}, {{10}, {20}});
    doc().resultsValid = 1;
    const Criterion before = p().criteria[0];
    w().selectedCriterion = 0;
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 208), "0");
        EXPECT_EQ(text(d, 209), "1");
        EXPECT_EQ(text(d, 207), "3");
        EXPECT_EQ(d.comboBox(205)->getString(d.comboBox(205)->getSelIndex()), "Maximize");
        d.type(203, "renamed");
        d.type(209, "5");  // q above p
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(text(d, 209), "5");  // what the user typed stays
        d.press(2);
    });
    TDlgModyfikacjaKryterium dlg(nullptr);
    EXPECT_EQ(dlg.runModal(), IDCANCEL);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text.toStdString(),
              "          Invalid values of thresholds.\nThresholds must be valid for criterion renamed");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Error modifying criteria");
    EXPECT_EQ(hooks.messages[0].flags, MB_OK | MB_ICONSTOP);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.indifference.beta, before.indifference.beta);
    EXPECT_EQ(doc().resultsValid, 1);
    EXPECT_EQ(doc().modified, 0);
}

TEST_F(Dialogs, ModifyCriteriaOkStoresAndAlwaysFlags) {
    Criterion c = crit("c1", 0, 0.5, 1.123456789, 4);
    c.weight = 2.5;
    build({c}, {{10}, {20}});
    doc().resultsValid = 1;
    w().selectedCriterion = 0;
    script([&](TDialog& d) {
        EXPECT_TRUE(enabled(d, 213));
        d.checkBox(204)->click();  // veto off: its edits go disabled, its line stays
        EXPECT_FALSE(enabled(d, 213));
        d.checkBox(210)->click();
        d.select(205, 1);
        d.press(1);
    });
    TDlgModyfikacjaKryterium dlg(nullptr);
    EXPECT_EQ(dlg.runModal(), IDOK);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ(after.useVeto, 0);
    EXPECT_EQ(after.veto.beta, 4);
    EXPECT_EQ(after.inverseMode, 1);
    EXPECT_EQ(after.direction, 1);
    EXPECT_EQ(after.weight, 2.5);
    EXPECT_EQ(after.preference.beta, 1.123456789);  // untouched edits keep the exact value
    EXPECT_EQ(doc().modified, 1);
    EXPECT_EQ(doc().resultsValid, 0);
}

TEST_F(Dialogs, ThresholdsOfACriterionWithoutValuesAreDisabled) {
    build({crit("c1", 0, 0, 0, 1)}, {{0}, {0}});
    w().selectedCriterion = 0;
    script([&](TDialog& d) {
        for (int id : {206, 207, 208, 209, 213, 214, 201}) EXPECT_FALSE(enabled(d, id)) << id;
        for (int id : {202, 203, 204, 205, 210}) EXPECT_TRUE(enabled(d, id)) << id;
        EXPECT_EQ(text(d, 214), "1");  // shown all the same
        d.press(2);
    });
    TDlgModyfikacjaKryterium dlg(nullptr);
    dlg.runModal();
}

TEST_F(Dialogs, AddCriterionProposalAndSingleAppendAfterARefusedOk) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    script([&](TDialog& d) {
        d.press(201);
        EXPECT_EQ(lines(d, 205).back(), "crit_3");
        EXPECT_EQ(d.listBox(205)->getSelIndex(), 2);
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Adding new criterion");
        EXPECT_EQ(text(d, 203), "crit_3");
        EXPECT_EQ(text(d, 202), "1");
        for (int id : {206, 207, 208, 209, 213, 214}) {
            EXPECT_EQ(text(d, id), "0") << id;
            EXPECT_FALSE(enabled(d, id)) << id;
        }
        EXPECT_FALSE(enabled(d, 201));
        EXPECT_EQ(d.comboBox(205)->getSelIndex(), 0);
        EXPECT_EQ(d.comboBox(205)->getString(0), "Minimize");
        EXPECT_EQ(d.comboBox(205)->getString(1), "Maximize");
        EXPECT_EQ(d.checkBox(204)->getCheck(), 0);
        EXPECT_EQ(d.checkBox(210)->getCheck(), 0);
        d.checkBox(204)->click();
        EXPECT_FALSE(enabled(d, 213));  // still no values
        d.edit(209)->setText(std::string("-1"));  // q below 0 at the evaluations (all 0)
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(p().m, 2);
        d.edit(209)->setText(std::string("0"));
        d.press(1);
        d.press(1);
    });
    EXPECT_EQ(runEditCriteria(nullptr), IDOK);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text.toStdString(),
              "          Invalid values of thresholds.\nThresholds must be valid for criterion crit_3");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Error adding criteria");
    ASSERT_EQ(p().m, 3);
    EXPECT_EQ(p().criteria[2].name, "crit_3");
    EXPECT_EQ(p().criteria[2].useVeto, 1);
    EXPECT_EQ(p().eval(1, 2), 0);
    EXPECT_EQ(p().evaluationTexts[1 * 3 + 2], "0");
    EXPECT_EQ(p().columnFormats.size(), 3u);
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, RemovingTheLastCriterionRemovesEveryAlternativeThenAddStillWorks) {
    build({crit("c1", 0, 0, 0)}, {{1}, {2}});
    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) {
        d.press(203);
        EXPECT_EQ(text(d, 206), "0");
        EXPECT_FALSE(enabled(d, 202));
        EXPECT_FALSE(enabled(d, 203));
        EXPECT_EQ(p().n, 0);
        d.press(201);
        d.press(1);
    });
    script([&](TDialog& d) {
        d.edit(209)->setText(std::string("5"));  // with no alternative only the coefficients count
        d.press(1);
    });
    EXPECT_EQ(runEditCriteria(nullptr), IDOK);
    EXPECT_EQ(hooks.messages[0].text.toStdString(), "Do you really want to delete\n    criterion: 'c1'");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Delete criterion");
    EXPECT_EQ(hooks.messages[0].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(p().m, 1);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().criteria[0].name, "crit_1");
}

TEST_F(Dialogs, EditCriteriaOkNamesTheFirstFailingCriterion) {
    build({crit("good", 0, 0, 1), crit("bad1", 0, 2, 1), crit("bad2", 0, 3, 1)}, {{1, 1, 1}, {2, 2, 2}});
    script([&](TDialog& d) {
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        d.pressEscape();
    });
    EXPECT_EQ(runEditCriteria(nullptr), IDCANCEL);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text.toStdString(),
              "          Invalid values of thresholds.\nThresholds must be valid for criterion bad1");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Error adding criteria");
    EXPECT_EQ(hooks.messages[0].flags, MB_OK | MB_ICONSTOP);
}

TEST_F(Dialogs, PreviewNeverChangesTheProject) {
    Criterion c = crit("c1", 1, 1, 2, 8);
    build({c}, {{10}, {-2.5}});
    doc().resultsValid = 1;
    w().selectedCriterion = 0;
    script([&](TDialog& d) {
        d.type(206, "0.2");  // p alpha
        d.checkBox(204)->click();  // without veto
        d.press(201);
        d.type(207, "0.5");  // p below q: refused, no preview
        d.press(201);
        d.press(2);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Evaluation of alternatives according to criteron 'c1'");
        EXPECT_EQ(lines(d, 202), (std::vector<std::string>{
                                     "alt1                   10.000        1.000        4.000      N/A",
                                     "alt2                   -2.500        1.000        1.500      N/A"}));
        EXPECT_EQ(p().criteria[0].useVeto, 0);  // borrowed while shown
        d.press(1);
    });
    TDlgModyfikacjaKryterium dlg(nullptr);
    dlg.runModal();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{105, 107}));
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Invalid values of thresholds");
    const Criterion& after = p().criteria[0];
    EXPECT_EQ(after.preference.alpha, 0);
    EXPECT_EQ(after.preference.beta, 2);
    EXPECT_EQ(after.useVeto, 1);
    EXPECT_EQ(doc().resultsValid, 1);
    EXPECT_EQ(doc().modified, 0);
}

// ---- Parameters -------------------------------------------------------------------

TEST_F(Dialogs, LevelOfConcordanceBounds) {
    struct Case {
        std::vector<double> weights;
        const char* typed;
        bool accepted;
        const char* bound;
    } cases[] = {
        {{1, 1, 2}, "0.76", false, "0.75"}, {{1, 1, 2}, "0.75", true, ""},  {{1, 1, 2}, "0.5", true, ""},
        {{1, 1, 2}, "", false, "0.75"},     {{1}, "0.5", false, "0"},       {{}, "1", true, ""},
        {{}, "1.5", false, "1"},            {{}, "0.49", false, "1"},
    };
    for (const auto& c : cases) {
        workspace() = Workspace{};
        hooks.messages.clear();
        std::vector<Criterion> cs;
        for (double wt : c.weights) cs.push_back(crit("c", 0, 0, 0, -1, wt));
        build(cs, {});
        script([&](TDialog& d) {
            d.type(201, c.typed);
            d.press(1);
            if (!d.hasEnded()) d.press(2);
        });
        EXPECT_EQ(runLevelOfConcordance(nullptr), c.accepted ? IDOK : IDCANCEL) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(p().levelOfConcordance, readDouble(c.typed));
            EXPECT_TRUE(hooks.messages.empty());
        } else {
            ASSERT_EQ(hooks.messages.size(), 1u) << c.typed;
            EXPECT_EQ(hooks.messages[0].text.toStdString(),
                      std::string("Value of the level of concordance\n    must be between 0.5 and ") + c.bound);
            EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Validation error");
            EXPECT_EQ(hooks.messages[0].flags, MB_OK | MB_ICONSTOP);
            EXPECT_EQ(p().levelOfConcordance, 0.66);
        }
    }
}

TEST_F(Dialogs, LevelOfConcordanceSetsModifiedOnlyWhenItChanges) {
    build({crit("a", 0, 0, 0, -1, 1), crit("b", 0, 0, 0, -1, 3)}, {});
    p().levelOfConcordance = 0.7;
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 201), "0.7");
        d.press(1);
    });
    EXPECT_EQ(runLevelOfConcordance(nullptr), IDOK);
    EXPECT_EQ(doc().modified, 0);
    script([&](TDialog& d) {
        d.type(201, "0.72");
        d.press(1);
    });
    EXPECT_EQ(runLevelOfConcordance(nullptr), IDOK);
    EXPECT_EQ(p().levelOfConcordance, 0.72);
    EXPECT_EQ(doc().modified, 1);
}

TEST_F(Dialogs, AdvancedOptionsTakeTwoToNineAndNeverSetModified) {
    build({crit("a", 0, 0, 0)}, {{1}});
    doc().resultsValid = 1;
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 201), "2");
        EXPECT_EQ(text(d, 202), "0.1");
        for (const char* k : {"1", "0", ""}) {
            d.type(201, k);
            d.press(1);
            EXPECT_FALSE(d.hasEnded()) << k;
        }
        d.type(201, "12");
        EXPECT_EQ(text(d, 201), "1");  // one digit only
        d.type(201, "x");
        EXPECT_EQ(text(d, 201), "");
        d.press(2);
    });
    EXPECT_EQ(runAdvanced(nullptr), IDCANCEL);
    ASSERT_EQ(hooks.messages.size(), 3u);
    EXPECT_EQ(hooks.messages[0].text.toStdString(),
              "Max number of arcs checked for cutting a cycle\n       must be between 2 and 9.");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Invalid value");
    EXPECT_EQ(doc().resultsValid, 1);

    script([&](TDialog& d) { d.press(1); });  // the same values again
    EXPECT_EQ(runAdvanced(nullptr), IDOK);
    EXPECT_EQ(doc().resultsValid, 1);

    script([&](TDialog& d) {
        d.type(201, "9");
        d.type(202, "0.255");
        EXPECT_EQ(text(d, 202), "0.255");
        d.press(1);
    });
    EXPECT_EQ(runAdvanced(nullptr), IDOK);
    EXPECT_EQ(p().maxArcsToCut, 9);
    EXPECT_EQ(p().acceptableLoss, 0.255);
    EXPECT_EQ(doc().modified, 0);
}

TEST_F(Dialogs, SelectConsumesTheMaskAndRebuildsIt) {
    doc().selectionMask = 128 | 4 | 1;
    script([&](TDialog& d) {
        EXPECT_EQ(doc().selectionMask, 0);
        EXPECT_TRUE(enabled(d, 102));
        for (int id = 103; id <= 109; ++id) EXPECT_FALSE(enabled(d, id)) << id;
        EXPECT_EQ(d.checkBox(102)->getCheck(), 1);
        EXPECT_EQ(d.checkBox(107)->getCheck(), 1);  // checked though disabled
        EXPECT_EQ(d.checkBox(109)->getCheck(), 1);
        EXPECT_EQ(d.checkBox(103)->getCheck(), 0);
        d.checkBox(102)->click();
        d.press(1);
    });
    EXPECT_EQ(runSelect(nullptr), IDOK);
    EXPECT_EQ(doc().selectionMask, 4 | 1);

    doc().resultsValid = 1;
    script([&](TDialog& d) {
        for (int id = 102; id <= 109; ++id) EXPECT_TRUE(enabled(d, id)) << id;
        d.checkBox(103)->click();
        d.checkBox(108)->click();
        d.press(1);
    });
    EXPECT_EQ(runSelect(nullptr), IDOK);
    EXPECT_EQ(doc().selectionMask, 64 | 4 | 2 | 1);

    script([&](TDialog& d) { d.press(2); });
    EXPECT_EQ(runSelect(nullptr), IDCANCEL);
    EXPECT_EQ(doc().selectionMask, 0);  // consumed, and Cancel writes nothing back
}

// ---- Pair comparison --------------------------------------------------------------

TEST_F(Dialogs, SetToCompareRefusesTheSameAlternativeAndOffersItAgain) {
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}});
    script([&](TDialog& d) {
        EXPECT_EQ(d.comboBox(101)->getSelIndex(), 0);
        EXPECT_EQ(d.comboBox(102)->getSelIndex(), 1);
        EXPECT_EQ(d.comboBox(101)->getCount(), 3);
        EXPECT_EQ(d.comboBox(102)->getString(2), "alt3");
        d.select(101, 2);
        d.select(102, 2);
        d.press(1);
        EXPECT_FALSE(d.hasEnded());
        d.press(2);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDCANCEL);
    ASSERT_EQ(hooks.messages.size(), 1u);
    EXPECT_EQ(hooks.messages[0].text.toStdString(), "An alternative cannot be compared\n        to itself.");
    EXPECT_EQ(hooks.messages[0].caption.toStdString(), "Invalid choice");
    EXPECT_EQ(hooks.messages[0].flags, MB_OK | MB_ICONSTOP);
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{2, 2}));

    script([&](TDialog& d) {
        EXPECT_EQ(d.comboBox(101)->getSelIndex(), 2);
        EXPECT_EQ(d.comboBox(102)->getSelIndex(), 2);
        d.select(102, 0);
        d.press(1);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDOK);
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{2, 0}));
}

TEST_F(Dialogs, APairLeftFromALargerProjectIsNotOffered) {
    build({crit("c", 0, 0, 0)}, {{1}, {2}});
    doc().comparePair = {5, 1};
    script([&](TDialog& d) {
        EXPECT_EQ(d.comboBox(101)->getSelIndex(), 0);
        EXPECT_EQ(d.comboBox(102)->getSelIndex(), 1);
        d.press(1);
    });
    EXPECT_EQ(runSetToCompare(nullptr), IDOK);
    EXPECT_EQ(doc().comparePair, (std::array<int, 2>{0, 1}));
    doc().comparePair = {0, 7};
    script([&](TDialog& d) {
        EXPECT_EQ(d.listBox(206)->getCount(), 0);
        d.press(1);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr), IDOK);
}

TEST_F(Dialogs, CompareShowsTheFiveLists) {
    build(
        {
            crit("q_minus", 1, 1, 3),
            crit("nowhere", 1, 1, 3),
            crit("vetoed", 1, 1, 3, 4),
            crit("equal", 0, 0, 1),
            crit("weak", 1, 1, 3),
            crit("strong", 1, 1, 3),
        },
        {{10, 10, 10, 5, 12, 20}, {12, 15, 16, 5, 10, 10}});
    p().alternatives[0].name = "first";
    p().alternatives[1].name = "second";
    doc().comparePair = {0, 1};
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 300), "first");
        EXPECT_EQ(text(d, 301), "second");
        EXPECT_EQ(lines(d, 206), std::vector<std::string>{"q_minus      0.50"});
        EXPECT_EQ(lines(d, 203), std::vector<std::string>{"equal"});
        EXPECT_EQ(lines(d, 204), std::vector<std::string>{"weak"});
        EXPECT_EQ(lines(d, 202), std::vector<std::string>{"strong"});
        EXPECT_EQ(lines(d, 205), std::vector<std::string>{"vetoed"});
        EXPECT_EQ(d.listBox(206)->getSelIndex(), 0);
        d.press(1);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr), IDOK);
}

// ---- Kernel -----------------------------------------------------------------------

TEST_F(Dialogs, KernelLinesArtificialNumbersAndDetails) {
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}, {4}, {5}, {6}, {7}});
    ResultsSet& r = w().results;
    const int n = 7;
    r.allocate(n);
    // {0} -> {3} -> {4,5,6}; {1,2} alone; the kernel is {0}, {1,2}, {4,5,6}.
    const std::vector<std::vector<int>> members = {{0}, {1, 2}, {3}, {4, 5, 6}};
    std::fill(r.vertexMembers.begin(), r.vertexMembers.end(), -1);
    for (size_t v = 0; v < members.size(); ++v)
        for (size_t k = 0; k < members[v].size(); ++k) r.vertexMembers[v * n + k] = members[v][k];
    std::fill(r.vertexGraph.begin(), r.vertexGraph.end(), 0);
    r.vertexGraph[0 * n + 2] = 1;
    r.vertexGraph[2 * n + 3] = 1;
    std::fill(r.listCounts.begin(), r.listCounts.end(), 0);
    r.listCounts[2] = 1;
    r.vertexCount = 4;
    doc().resultsValid = 1;

    script([&](TDialog& d) {
        EXPECT_EQ(lines(d, 205), (std::vector<std::string>{"alt1                 Initial",
                                                            "  8-Artificial      Isolated",
                                                            "  9-Artificial         Final"}));
        EXPECT_EQ(text(d, 206), "3");
        d.select(205, 2);
        d.press(207);
        TListBox* list = d.listBox(205);
        list->setSelIndex(0);
        emit list->itemDoubleClicked(list->item(0));
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Structure of kernel");
        EXPECT_EQ(text(d, 500), "  9");
        EXPECT_EQ(text(d, 501), "Artificial");
        EXPECT_EQ(lines(d, 202),
                  (std::vector<std::string>{" alt5          ", " alt6          ", " alt7          "}));
        d.press(1);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, 500), "  1");
        EXPECT_EQ(text(d, 501), "Natural");
        EXPECT_EQ(lines(d, 202), std::vector<std::string>{" alt1          "});
        d.press(1);
    });
    EXPECT_EQ(runKernel(nullptr), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{110, 111, 111}));
    EXPECT_EQ(w().selectedKernelVertex, 0);
}

}  // namespace
