// The editing and inspection dialogs driven headless through the test hooks:
// what they show, what they refuse and what they leave in the document.
#include <gtest/gtest.h>

#include <functional>

#include "../support/document_access.h"
#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/dialog_logic.h"
#include "dialogs/editing_dialogs.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/parameter_dialogs.h"
#include "model/numfmt.h"
#include "platform/test_hooks.h"

using namespace kvis;

namespace {

using Lines = std::vector<std::string>;
namespace list = idc::EditList;
namespace alt = idc::ModifyAlternative;
namespace value = idc::ModifyValue;
namespace cdlg = idc::ModifyCriterion;

// Constant thresholds q, p and, when v >= 0, a veto v.
Criterion crit(const char* name, int direction, double q, double p, double v = -1, double weight = 1) {
    return {.name = name, .direction = direction, .useVeto = v >= 0, .weight = weight, .preference = {0, p},
            .indifference = {0, q}, .veto = {0, v >= 0 ? v : 0}};
}

std::string text(TDialog& d, int id) {
    if (auto* e = d.edit(id)) return e->text().toStdString();
    if (auto* s = d.staticText(id)) return s->getText();
    return "?";
}

template <class List> Lines items(List* l) {
    Lines out;
    for (int i = 0; i < l->getCount(); ++i) out.push_back(l->getString(i));
    return out;
}
Lines lines(TDialog& d, int id) { return items(d.listBox(id)); }

Lines texts(TDialog& d, std::initializer_list<int> ids) {
    Lines out;
    for (int id : ids) out.push_back(text(d, id));
    return out;
}

bool enabled(TDialog& d, int id) { return d.control(id)->isEnabled(); }
// The ids whose controls are enabled, in the order asked.
std::vector<int> enabledOf(TDialog& d, std::initializer_list<int> ids) {
    std::vector<int> out;
    for (int id : ids)
        if (enabled(d, id)) out.push_back(id);
    return out;
}

class Dialogs : public ::testing::Test {
protected:
    Project& p() { return DocumentAccess::project(doc); }
    const DocumentState& state() const { return doc.state(); }

    // A fresh project of these criteria and rows of evaluations, built through
    // the document's operations; modified is then 0 and resultsValid as asked.
    void build(const std::vector<Criterion>& cs, const std::vector<std::vector<double>>& rows, int valid = 0) {
        doc.start(Parameters{}, {});
        for (const auto& c : cs) doc.addCriterion(c);
        for (size_t a = 0; a < rows.size(); ++a) doc.addAlternative("alt" + std::to_string(a + 1), rows[a]);
        DocumentAccess::state(doc).modified = 0;
        DocumentAccess::state(doc).resultsValid = valid;
    }
    void script(std::function<void(TDialog&)> f) { hooks.dialogScripts.push_back(std::move(f)); }
    // The number of message boxes shown, and the first of them checked whole.
    void said(const std::string& text, const std::string& caption, unsigned flags, size_t count = 1) {
        ASSERT_EQ(hooks.messages.size(), count);
        const MessageBoxCall& m = hooks.messages[0];
        EXPECT_EQ(std::tuple(m.text.toStdString(), m.caption.toStdString(), m.flags), std::tuple(text, caption, flags));
    }
    std::array<int, 2> flags() const { return {state().modified, state().resultsValid}; }

    Document doc;
    TestHooks hooks;
};

constexpr unsigned kQuestion = MB_YESNOCANCEL | MB_ICONQUESTION;
constexpr unsigned kStop = MB_OK | MB_ICONSTOP;
const std::string kInvalidThresholds = "          Invalid values of thresholds.\nThresholds must be valid for criterion ";

TEST_F(Dialogs, AddAlternativeProposesAlterNAndAppendsItsPendingValues) {
    build({crit("c1", 0, 0, 0), crit("a_very_long_criterion", 1, 0, 0)}, {{1, 2}, {3, 4}, {5, 6}});
    p().alternatives[0].name = "zzz";  // the proposal counts, it does not look at names
    script([&](TDialog& d) {
        d.press(list::Add);
        EXPECT_EQ(lines(d, list::List).back(), "alter_4");
        EXPECT_EQ(text(d, list::Count), "4");
        EXPECT_EQ(d.listBox(list::List)->getSelIndex(), 3);
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, alt::Name), "alter_4");
        EXPECT_EQ(lines(d, alt::Values), (Lines{" c1                     0.000 ", " a_very_long_cr         0.000 "}));
        d.select(alt::Values, 1);
        d.press(alt::Modify);
        EXPECT_EQ(lines(d, alt::Values)[1], " a_very_long_cr        12.500 ");
        EXPECT_EQ(p().n, 3);  // nothing reaches the Project before OK
        d.press(IDOK);
        d.press(IDOK);  // a second OK does nothing more
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {value::Alternative, value::Criterion, value::Value}),
                  (Lines{"alter_4", "a_very_long_criterion", "0"}));
        d.type(value::Value, "12.50");
        d.press(IDOK);
    });
    EXPECT_EQ(runEditAlternatives(nullptr, doc), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{tpl::EditAlternatives, tpl::ModifyAlternative, tpl::ModifyValue}));
    ASSERT_EQ(p().n, 4);
    EXPECT_EQ(p().alternatives[3].name, "alter_4");
    EXPECT_EQ(p().evaluations, (std::vector<double>{1, 2, 3, 4, 5, 6, 0, 12.5}));
    EXPECT_EQ(p().evaluationTexts, (Lines{"1", "2", "3", "4", "5", "6", "0", "12.5"}));
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));
}

TEST_F(Dialogs, AddAlternativeWithoutCriteriaANameOfThirteenCharactersAndTheNameWidth) {
    build({}, {});
    script([&](TDialog& d) {
        EXPECT_FALSE(enabled(d, alt::Modify));
        EXPECT_EQ(d.listBox(alt::Values)->getCount(), 0);
        d.type(alt::Name, "ab-0123456789xyz");
        EXPECT_EQ(text(d, alt::Name), "ab0123456789x");
        d.press(IDOK);
    });
    EXPECT_EQ(TDlgDodajWariant(nullptr, doc).runModal(), IDOK);
    ASSERT_EQ(p().n, 1);
    EXPECT_EQ(p().alternatives[0].name, "ab0123456789x");
    EXPECT_EQ(p().alternativeNameWidth, 104);

    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) { d.press(list::Remove), d.pressEscape(); });  // removing the last one
    EXPECT_EQ(TDlgEdycjaWariantow(nullptr, doc).runModal(), IDCANCEL);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().alternativeNameWidth, 104);  // never narrows
}

TEST_F(Dialogs, RemoveAsksAndOnlyYesRemoves) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    hooks.answers = {IDNO, IDYES, IDYES};
    script([&](TDialog& d) {
        d.select(list::List, 1);
        d.press(list::Remove);
        EXPECT_EQ(d.listBox(list::List)->getCount(), 2);
        d.press(list::Remove);
        EXPECT_EQ(lines(d, list::List), Lines{"alt1"});
        EXPECT_EQ(text(d, list::Count), "1");
        d.press(list::Remove);
        EXPECT_EQ(text(d, list::Count), "0");
        EXPECT_EQ(enabledOf(d, {list::Modify, list::Remove}), std::vector<int>{});
        d.press(list::Remove);  // empty list: no question
        d.press(list::Modify);  // and no Modify
        d.press(IDOK);
    });
    EXPECT_EQ(runEditAlternatives(nullptr, doc), IDOK);
    said("Do you really want to delete\n  alternative 'alt2' ?", "Delete alternative", kQuestion, 3);
    EXPECT_EQ(hooks.dialogsRun, std::vector<int>{tpl::EditAlternatives});
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().m, 2);  // the criteria stay
    EXPECT_EQ(state().modified, 1);
}

TEST_F(Dialogs, ModifyAlternativeStoresTheNameAtOnceAndTheTypedValue) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {-3, 4}}, 1);
    script([&](TDialog& d) {
        d.select(list::List, 1);
        d.press(list::Modify);
        EXPECT_EQ(lines(d, list::List)[1], "renamed");
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(text(d, alt::Name), "alt2");
        EXPECT_EQ(lines(d, alt::Values)[0], " c1                    -3.000 ");
        d.type(alt::Name, "renamed");
        d.select(alt::Values, 0);
        d.press(alt::Modify);
        EXPECT_EQ(lines(d, alt::Values)[0], " c1                    12.500 ");
        d.press(IDCANCEL);  // Cancel undoes neither the name nor the value
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {value::Alternative, value::Criterion}), (Lines{"renamed", "c1"}));
        d.type(value::Value, "12.50");
        d.press(IDOK);
    });
    runEditAlternatives(nullptr, doc);
    EXPECT_EQ(p().alternatives[1].name, "renamed");
    EXPECT_EQ(p().eval(1, 0), 12.5);
    EXPECT_EQ(p().evaluationTexts[2], "12.50");
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));
}

TEST_F(Dialogs, ValueDialogOkWithoutTypingChangesNothingAndTheSameNumberOnlyItsText) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0), crit("c3", 0, 0, 0)}, {{1.23456789, -1.23456e-10, 5}}, 1);
    for (int c : {0, 1, 2}) {
        doc.selectedCriterion = c;
        script([&](TDialog& d) { d.press(IDOK); });
        EXPECT_EQ(TDlgModyfikacjaWartosciKryterium(nullptr, doc).runModal(), IDOK);
    }
    EXPECT_EQ(p().evaluations, (std::vector<double>{1.23456789, -1.23456e-10, 5}));
    EXPECT_EQ(p().evaluationTexts[1], "-1.23456e-10");  // shown whole, kept whole
    script([&](TDialog& d) { d.type(value::Value, "5.0"), d.press(IDOK); });
    TDlgModyfikacjaWartosciKryterium(nullptr, doc).runModal();
    EXPECT_EQ(p().evaluationTexts[2], "5.0");
    // The renaming to the same name leaves modified alone too.
    script([&](TDialog& d) { d.press(IDOK); });
    TDlgModyfikacjaWariantu(nullptr, doc).runModal();
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

TEST_F(Dialogs, ModifyCriteriaRefusesLeavingTheProjectUnchangedAndOkStoresAndFlags) {
    build({crit("c1", 1, 1, 3.123456789, 6, 2.5), crit("zeros", 0, 0, 0, 1)}, {{10, 0}, {20, 0}}, 1);
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {cdlg::QAlpha, cdlg::QBeta, cdlg::PBeta}), (Lines{"0", "1", "3.12346"}));
        EXPECT_EQ(d.comboBox(cdlg::Direction)->getString(d.comboBox(cdlg::Direction)->getSelIndex()), "Maximize");
        d.type(cdlg::Name, "renamed");
        d.type(cdlg::QBeta, "5");  // q above p
        d.press(IDOK);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(text(d, cdlg::QBeta), "5");  // what the user typed stays
        d.press(IDCANCEL);
    });
    EXPECT_EQ(TDlgModyfikacjaKryterium(nullptr, doc).runModal(), IDCANCEL);
    said(kInvalidThresholds + "renamed", "Error modifying criteria", kStop);
    EXPECT_EQ(p().criteria[0].name, "c1");
    EXPECT_EQ(p().criteria[0].indifference.beta, 1);
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));

    script([&](TDialog& d) {
        EXPECT_TRUE(enabled(d, cdlg::VAlpha));
        d.checkBox(cdlg::UseVeto)->click();  // veto off: its edits go disabled, its line stays
        EXPECT_FALSE(enabled(d, cdlg::VAlpha));
        d.checkBox(cdlg::InverseMode)->click();
        d.select(cdlg::Direction, 0);
        d.press(IDOK);
    });
    EXPECT_EQ(TDlgModyfikacjaKryterium(nullptr, doc).runModal(), IDOK);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ((std::array<int, 3>{after.useVeto, after.inverseMode, after.direction}), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(after.veto.beta, 6);
    EXPECT_EQ(after.weight, 2.5);
    EXPECT_EQ(after.preference.beta, 3.123456789);  // untouched edits keep the exact value
    EXPECT_EQ(flags(), (std::array<int, 2>{1, 0}));

    // A criterion without values: its thresholds are disabled, but shown all the same.
    doc.selectedCriterion = 1;
    script([&](TDialog& d) {
        EXPECT_EQ(enabledOf(d, {cdlg::PAlpha, cdlg::PBeta, cdlg::QAlpha, cdlg::QBeta, cdlg::VAlpha, cdlg::VBeta,
                                cdlg::Preview, cdlg::Weight, cdlg::Name, cdlg::UseVeto, cdlg::Direction,
                                cdlg::InverseMode}),
                  (std::vector<int>{cdlg::Weight, cdlg::Name, cdlg::UseVeto, cdlg::Direction, cdlg::InverseMode}));
        EXPECT_EQ(text(d, cdlg::VBeta), "1");
        d.press(IDCANCEL);
    });
    TDlgModyfikacjaKryterium(nullptr, doc).runModal();
}

TEST_F(Dialogs, AddCriterionProposalAndSingleAppendAfterARefusedOk) {
    build({crit("c1", 0, 0, 0), crit("c2", 0, 0, 0)}, {{1, 2}, {3, 4}});
    script([&](TDialog& d) {
        d.press(list::Add);
        EXPECT_EQ(lines(d, list::List).back(), "crit_3");
        EXPECT_EQ(d.listBox(list::List)->getSelIndex(), 2);
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {cdlg::Name, cdlg::Weight, cdlg::PAlpha, cdlg::PBeta, cdlg::QAlpha, cdlg::QBeta,
                            cdlg::VAlpha, cdlg::VBeta}),
                  (Lines{"crit_3", "1", "0", "0", "0", "0", "0", "0"}));
        EXPECT_EQ(enabledOf(d, {cdlg::PAlpha, cdlg::PBeta, cdlg::QAlpha, cdlg::QBeta, cdlg::VAlpha, cdlg::VBeta,
                                cdlg::Preview}),
                  std::vector<int>{});
        EXPECT_EQ(items(d.comboBox(cdlg::Direction)), (Lines{"Minimize", "Maximize"}));
        EXPECT_EQ(d.comboBox(cdlg::Direction)->getSelIndex() + d.checkBox(cdlg::UseVeto)->getCheck() +
                      d.checkBox(cdlg::InverseMode)->getCheck(),
                  0);
        d.checkBox(cdlg::UseVeto)->click();
        EXPECT_FALSE(enabled(d, cdlg::VAlpha));  // still no values
        d.edit(cdlg::QBeta)->setText(std::string("-1"));  // q below 0 at the evaluations (all 0)
        d.press(IDOK);
        EXPECT_FALSE(d.hasEnded());
        EXPECT_EQ(p().m, 2);
        d.edit(cdlg::QBeta)->setText(std::string("0"));
        d.press(IDOK);
        d.press(IDOK);
    });
    EXPECT_EQ(runEditCriteria(nullptr, doc), IDOK);
    said(kInvalidThresholds + "crit_3", "Error adding criteria", kStop);
    ASSERT_EQ(p().m, 3);
    EXPECT_EQ(p().criteria[2].name, "crit_3");
    EXPECT_EQ(p().criteria[2].useVeto, 1);
    EXPECT_EQ(p().evaluations, (std::vector<double>{1, 2, 0, 3, 4, 0}));
    EXPECT_EQ(p().evaluationTexts, (Lines{"1", "2", "0", "3", "4", "0"}));
    EXPECT_EQ(state().modified, 1);
}

TEST_F(Dialogs, RemovingTheLastCriterionRemovesEveryAlternativeThenAddStillWorks) {
    build({crit("c1", 0, 0, 0)}, {{1}, {2}});
    hooks.answers.push_back(IDYES);
    script([&](TDialog& d) {
        d.press(list::Remove);
        EXPECT_EQ(text(d, list::Count), "0");
        EXPECT_EQ(enabledOf(d, {list::Modify, list::Remove}), std::vector<int>{});
        EXPECT_EQ(p().n, 0);
        d.press(list::Add);
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        d.edit(cdlg::QBeta)->setText(std::string("5"));  // with no alternative only the coefficients count
        d.press(IDOK);
    });
    EXPECT_EQ(runEditCriteria(nullptr, doc), IDOK);
    said("Do you really want to delete\n    criterion: 'c1'", "Delete criterion", kQuestion);
    EXPECT_EQ(p().m, 1);
    EXPECT_EQ(p().n, 0);
    EXPECT_EQ(p().criteria[0].name, "crit_1");
}

TEST_F(Dialogs, EditCriteriaOkNamesTheFirstFailingCriterion) {
    build({crit("good", 0, 0, 1), crit("bad1", 0, 2, 1), crit("bad2", 0, 3, 1)}, {{1, 1, 1}, {2, 2, 2}});
    script([&](TDialog& d) {
        d.press(IDOK);
        EXPECT_FALSE(d.hasEnded());
        d.pressEscape();
    });
    EXPECT_EQ(runEditCriteria(nullptr, doc), IDCANCEL);
    said(kInvalidThresholds + "bad1", "Error adding criteria", kStop);
}

TEST_F(Dialogs, PreviewShowsTheTypedThresholdsAndNeverChangesTheProject) {
    Criterion c = crit("c1", 1, 1, 2, 10);
    c.inverseMode = 1;  // not applied in the preview
    build({c}, {{10}, {-2.5}}, 1);
    p().alternatives[1].name = "a_name_longer_than_16";
    script([&](TDialog& d) {
        d.type(cdlg::QAlpha, "0.1");
        d.type(cdlg::PAlpha, "0.2");
        d.press(cdlg::Preview);
        d.checkBox(cdlg::UseVeto)->click();  // without veto
        d.press(cdlg::Preview);
        d.type(cdlg::PBeta, "0.5");  // p below q: refused, no preview
        d.press(cdlg::Preview);
        d.press(IDCANCEL);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "Evaluation of alternatives according to criteron 'c1'");
        EXPECT_EQ(lines(d, idc::Evaluation::List),
                  (Lines{"alt1                   10.000        2.000        4.000       10.000",
                         "a_name_longer_th       -2.500        0.750        1.500       10.000"}));
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(lines(d, idc::Evaluation::List)[0], "alt1                   10.000        2.000        4.000      N/A");
        d.press(IDOK);
    });
    TDlgModyfikacjaKryterium(nullptr, doc).runModal();
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{tpl::ModifyCriterion, tpl::Evaluation, tpl::Evaluation}));
    said(kInvalidThresholds + "c1", "Invalid values of thresholds", kStop);
    const Criterion& after = p().criteria[0];
    EXPECT_EQ((std::array<double, 4>{after.indifference.alpha, after.preference.alpha, after.preference.beta,
                                     double(after.useVeto)}),
              (std::array<double, 4>{0, 0, 2, 1}));
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 1}));
}

TEST_F(Dialogs, LevelOfConcordanceBoundsAndModifiedOnlyOnAChange) {
    // bound: that of the refusal's message, nullptr when accepted; typed: nullptr for OK without typing.
    struct Case { std::vector<double> weights; const char* typed; const char* bound; } cases[] = {
        {{1, 1, 2}, "0.76", "0.75"}, {{1, 1, 2}, "", "0.75"}, {{1, 3}, nullptr, nullptr},
        {{}, "1", nullptr},          {{}, "1.5", "1"},        {{}, "0.49", "1"},  // no weights: 0.5 to 1
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.weights.size() << " criteria, typed " << (c.typed ? c.typed : "nothing"));
        hooks.messages.clear();
        std::vector<Criterion> cs;
        for (double wt : c.weights) cs.push_back(crit("c", 0, 0, 0, -1, wt));
        build(cs, {}, 1);
        script([&](TDialog& d) {
            EXPECT_EQ(text(d, idc::Level::Value), "0.66");
            if (c.typed) d.type(idc::Level::Value, c.typed);
            d.press(IDOK);
            if (!d.hasEnded()) d.press(IDCANCEL);
        });
        const double level = c.typed && !c.bound ? readDouble(c.typed) : 0.66;
        EXPECT_EQ(runLevelOfConcordance(nullptr, doc), c.bound ? IDCANCEL : IDOK);
        EXPECT_EQ(p().levelOfConcordance, level);
        // Every OK stands for a new level: the results are invalid even when it is the same.
        EXPECT_EQ(flags(), (std::array<int, 2>{level != 0.66, c.bound ? 1 : 0}));
        if (c.bound)
            said(std::string("Value of the level of concordance\n    must be between 0.5 and ") + c.bound,
                 "Validation error", kStop);
        else
            EXPECT_TRUE(hooks.messages.empty());
    }
}

TEST_F(Dialogs, AdvancedOptionsTakeTwoToNineAndNeverSetModified) {
    namespace adv = idc::Advanced;
    build({crit("a", 0, 0, 0)}, {{1}}, 1);
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {adv::Arcs, adv::Loss}), (Lines{"2", "0.1"}));
        for (const char* k : {"1", "0", ""}) {
            d.type(adv::Arcs, k);
            d.press(IDOK);
            EXPECT_FALSE(d.hasEnded()) << k;
        }
        d.type(adv::Arcs, "12");
        EXPECT_EQ(text(d, adv::Arcs), "1");  // one digit only
        d.type(adv::Arcs, "x");
        EXPECT_EQ(text(d, adv::Arcs), "");
        d.type(adv::Arcs, "9");
        d.type(adv::Loss, "0.255");
        EXPECT_EQ(text(d, adv::Loss), "0.255");
        d.press(IDOK);
    });
    EXPECT_EQ(runAdvanced(nullptr, doc), IDOK);
    said("Max number of arcs checked for cutting a cycle\n       must be between 2 and 9.", "Invalid value", kStop, 3);
    EXPECT_EQ(p().maxArcsToCut, 9);
    EXPECT_EQ(p().acceptableLoss, 0.255);
    EXPECT_EQ(flags(), (std::array<int, 2>{0, 0}));
}

TEST_F(Dialogs, SelectConsumesTheMaskAndRebuildsIt) {
    namespace sel = idc::Select;
    const auto boxes = {sel::InputData, sel::Concordance, sel::Discordance,   sel::Robustness,
                        sel::Outranking, sel::Graph,      sel::ModifiedGraph, sel::FinalGraph};
    doc.setSelectionMask(128 | 4 | 1);
    script([&](TDialog& d) {
        EXPECT_EQ(state().selectionMask, 0);
        EXPECT_EQ(enabledOf(d, boxes), std::vector<int>{sel::InputData});
        std::vector<int> checks;
        for (int id : boxes) checks.push_back(d.checkBox(id)->getCheck());
        EXPECT_EQ(checks, (std::vector<int>{1, 0, 0, 0, 0, 1, 0, 1}));  // checked though disabled
        d.checkBox(sel::InputData)->click();
        d.press(IDOK);
    });
    EXPECT_EQ(runSelect(nullptr, doc), IDOK);
    EXPECT_EQ(state().selectionMask, 4 | 1);

    DocumentAccess::state(doc).resultsValid = 1;
    script([&](TDialog& d) {
        EXPECT_EQ(enabledOf(d, boxes).size(), 8u);
        d.checkBox(sel::Concordance)->click();
        d.checkBox(sel::ModifiedGraph)->click();
        d.press(IDOK);
    });
    EXPECT_EQ(runSelect(nullptr, doc), IDOK);
    EXPECT_EQ(state().selectionMask, 64 | 4 | 2 | 1);

    script([&](TDialog& d) { d.press(IDCANCEL); });
    EXPECT_EQ(runSelect(nullptr, doc), IDCANCEL);
    EXPECT_EQ(state().selectionMask, 0);  // consumed, and Cancel writes nothing back
}

TEST_F(Dialogs, SetToCompareRefusesTheSameAlternativeAndOffersItAgain) {
    using Pair = std::array<int, 2>;
    namespace pick = idc::SetToCompare;
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}});
    const auto selected = [](TDialog& d) {
        return Pair{d.comboBox(pick::First)->getSelIndex(), d.comboBox(pick::Second)->getSelIndex()};
    };
    script([&](TDialog& d) {
        EXPECT_EQ(selected(d), (Pair{0, 1}));
        EXPECT_EQ(items(d.comboBox(pick::Second)), (Lines{"alt1", "alt2", "alt3"}));
        d.select(pick::First, 2);
        d.select(pick::Second, 2);
        d.press(IDOK);
        EXPECT_FALSE(d.hasEnded());
        d.press(IDCANCEL);
    });
    EXPECT_EQ(runSetToCompare(nullptr, doc), IDCANCEL);
    said("An alternative cannot be compared\n        to itself.", "Invalid choice", kStop);
    EXPECT_EQ(state().comparePair, (Pair{2, 2}));
    // The pair is offered again; one left from a larger project is not.
    const auto again = [&](Pair stored, Pair offered, int second, Pair after) {
        SCOPED_TRACE(testing::Message() << stored[0] << "," << stored[1]);
        doc.setComparePair(stored[0], stored[1]);
        script([=](TDialog& d) {
            EXPECT_EQ(selected(d), offered);
            d.select(pick::Second, second), d.press(IDOK);
        });
        EXPECT_EQ(runSetToCompare(nullptr, doc), IDOK);
        EXPECT_EQ(state().comparePair, after);
    };
    again({2, 2}, {2, 2}, 0, {2, 0});
    again({5, 1}, {0, 1}, 1, {0, 1});
    doc.setComparePair(0, 7);
    script([&](TDialog& d) {
        EXPECT_EQ(d.listBox(idc::Compare::QMinus)->getCount(), 0);
        d.press(IDOK);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr, doc), IDOK);
}

TEST_F(Dialogs, CompareShowsTheFiveLists) {
    namespace cmp = idc::Compare;
    build({crit("q_minus", 1, 1, 3),                    // a 10, b 12: Q- with 0.50
           crit("nowhere", 1, 1, 3),                    // a 10, b 15, no veto: listed nowhere
           crit("vetoed", 1, 1, 3, 4),                  // a 10, b 16, veto 4: PV
           crit("equal", 0, 0, 1),                      // equal values: I
           crit("weak", 1, 1, 3),                       // a 12, b 10: Q
           crit("strong", 1, 1, 3),                     // a 20, b 10: P
           crit("a_very_long_name_indeed", 0, 1, 3)},   // minimized, a 12, b 10: Q-
          {{10, 10, 10, 5, 12, 20, 12}, {12, 15, 16, 5, 10, 10, 10}});
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {cmp::First, cmp::Second}), (Lines{"alt1", "alt2"}));
        EXPECT_EQ(lines(d, cmp::QMinus), (Lines{"q_minus      0.50", "a_very_long_ 0.50"}));
        EXPECT_EQ(lines(d, cmp::I), Lines{"equal"});
        EXPECT_EQ(lines(d, cmp::Q), Lines{"weak"});
        EXPECT_EQ(lines(d, cmp::P), Lines{"strong"});
        EXPECT_EQ(lines(d, cmp::PV), Lines{"vetoed"});
        EXPECT_EQ(d.listBox(cmp::QMinus)->getSelIndex(), 0);
        d.press(IDOK);
    });
    EXPECT_EQ(runCompareAlternatives(nullptr, doc), IDOK);
}

TEST_F(Dialogs, KernelLinesArtificialNumbersAndDetails) {
    namespace kernel = idc::Kernel;
    namespace structure = idc::KernelStructure;
    build({crit("c", 0, 0, 0)}, {{1}, {2}, {3}, {4}, {5}, {6}, {7}}, 1);
    ResultsSet& r = DocumentAccess::results(doc);
    r.allocate(7);
    // {0} -> {3} -> {4,5,6}; {1,2} alone; the kernel is {0}, {1,2}, {4,5,6}.
    const std::vector<std::vector<int>> members = {{0}, {1, 2}, {3}, {4, 5, 6}};
    for (size_t v = 0; v < members.size(); ++v)
        std::copy(members[v].begin(), members[v].end(), &r.vertexMembers[v * 7]);
    r.vertexGraph[0 * 7 + 2] = r.vertexGraph[2 * 7 + 3] = 1;
    r.listCounts[2] = 1;
    r.vertexCount = 4;

    script([&](TDialog& d) {
        EXPECT_EQ(lines(d, kernel::List), (Lines{"alt1                 Initial", "  8-Artificial      Isolated",
                                                 "  9-Artificial         Final"}));
        EXPECT_EQ(text(d, kernel::Count), "3");
        d.select(kernel::List, 2);
        d.press(kernel::Details);
        TListBox* list = d.listBox(kernel::List);
        list->setSelIndex(0);
        emit list->itemDoubleClicked(list->item(0));
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {structure::Code, structure::Type}), (Lines{"  9", "Artificial"}));
        EXPECT_EQ(lines(d, structure::Members), (Lines{" alt5          ", " alt6          ", " alt7          "}));
        d.press(IDOK);
    });
    script([&](TDialog& d) {
        EXPECT_EQ(texts(d, {structure::Code, structure::Type}), (Lines{"  1", "Natural"}));
        EXPECT_EQ(lines(d, structure::Members), Lines{" alt1          "});
        d.press(IDOK);
    });
    EXPECT_EQ(runKernel(nullptr, doc), IDOK);
    EXPECT_EQ(hooks.dialogsRun, (std::vector<int>{tpl::Kernel, tpl::KernelStructure, tpl::KernelStructure}));
    EXPECT_EQ(doc.selectedKernelVertex, 0);
}

}  // namespace
