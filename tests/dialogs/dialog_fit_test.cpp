// Every dialog holds its own texts whole. Filled with names of thirteen of the
// widest letters and the widest numbers its fields take, no list line, label,
// drop-down entry, edit text, button, check box, group title or caption is
// wider than its control, measured in the control's own font and the style's
// own margins. CTest runs these at 96 dpi and again at 192 dpi.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOption>
#include <functional>
#include <memory>
#include <set>

#include "../support/document_access.h"
#include "app/about_dialog.h"
#include "dialogs/alternatives_dialogs.h"
#include "dialogs/compare_dialogs.h"
#include "dialogs/criteria_dialogs.h"
#include "dialogs/dialog_logic.h"
#include "dialogs/kernel_dialogs.h"
#include "dialogs/my_edit.h"
#include "dialogs/parameter_dialogs.h"
#include "dialogs/progress_dialog.h"
#include "model/project_file.h"

using namespace kvis;

namespace {

// Thirteen-letter names of W and m, numbers filling their twelve characters;
// thresholds and weights that compute to a kernel with both kinds of vertex.
const char* const kSample = KVIS_SOURCE_DIR "/tests/dialogs/widest.kvs";

QString plain(QString text) { return text.remove(QRegularExpression(QStringLiteral("&(?!&)"))); }

// The widest character of a set in a font.
QChar widest(const QFont& font, const QString& chars) {
    const QFontMetrics fm(font);
    QChar best = chars.front();
    for (QChar c : chars)
        if (fm.horizontalAdvance(c) > fm.horizontalAdvance(best)) best = c;
    return best;
}

const QString kDigits = QStringLiteral("0123456789");
const QString kNameLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_");

// What each control shows against the room it has; one line per text that
// does not fit.
class FitCheck {
public:
    explicit FitCheck(QWidget& dialog) : dialog_(dialog), style_(dialog.style()) {}

    std::vector<std::string> run() {
        const QString caption = dialog_.windowTitle();
        report("caption", caption, TDialog::captionWidth(caption), dialog_.width());
        for (QWidget* w : dialog_.findChildren<QWidget*>()) {
            if (!w->isVisibleTo(&dialog_)) continue;
            if (w->parentWidget() == &dialog_ && !dialog_.rect().contains(w->geometry()))
                out_.push_back(describe(w) + " lies outside the dialog");
            if (auto* l = qobject_cast<QListWidget*>(w)) list(l);
            else if (auto* c = qobject_cast<QComboBox*>(w)) combo(c);
            else if (auto* e = qobject_cast<QLineEdit*>(w); e && !qobject_cast<QComboBox*>(w->parentWidget())) edit(e);
            else if (auto* b = qobject_cast<QPushButton*>(w)) button(b);
            else if (auto* b = qobject_cast<QCheckBox*>(w)) checkBox(b);
            else if (auto* g = qobject_cast<QGroupBox*>(w)) group(g);
            else if (auto* l = qobject_cast<QLabel*>(w)) label(l);
        }
        return out_;
    }

private:
    static std::string describe(const QWidget* w) {
        std::string s = w->metaObject()->className();
        const auto id = [&](const auto* c) { if (c) s += " " + std::to_string(c->controlId()); };
        id(qobject_cast<const TEdit*>(w)), id(qobject_cast<const TStatic*>(w)), id(qobject_cast<const TListBox*>(w));
        id(qobject_cast<const TComboBox*>(w)), id(qobject_cast<const TCheckBox*>(w));
        return s;
    }
    void report(const std::string& what, const QString& text, int need, int room, const char* unit = "") {
        if (need > room)
            out_.push_back(what + " \"" + text.toStdString() + "\" needs " + std::to_string(need) + " pixels" + unit +
                           ", has " + std::to_string(room));
    }
    static int advance(const QWidget* w, const QString& s) { return QFontMetrics(w->font()).horizontalAdvance(s); }
    void reportWidest(const QWidget* w, const std::string& what, const QStringList& texts, int room) {
        if (texts.isEmpty()) return;
        const QString* most = &texts.front();
        for (const QString& t : texts)
            if (advance(w, t) > advance(w, *most)) most = &t;
        report(what, *most, advance(w, *most), room);
    }
    void fits(const QWidget* w, const std::string& what, const QString& text, int room) {
        report(what, text, advance(w, text), room);
    }

    // A list may get its vertical bar at any time; the item view keeps a
    // margin on either side of every text.
    void list(QListWidget* l) {
        const int margin = style_->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, l) + 1;
        const int bar = style_->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, l);
        QStringList lines;
        for (int i = 0; i < l->count(); ++i) lines << l->item(i)->text();
        reportWidest(l, describe(l) + " line", lines, l->width() - 2 * l->frameWidth() - bar - 2 * margin);
    }
    // The label is drawn one pixel in from either side of the field.
    void combo(QComboBox* c) {
        QStyleOptionComboBox opt;
        opt.initFrom(c);
        opt.editable = false;
        opt.frame = true;
        QStringList entries;
        for (int i = 0; i < c->count(); ++i) entries << c->itemText(i);
        reportWidest(c, describe(c) + " entry", entries,
                     style_->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width() - 2);
    }
    // Two pixels of margin on either side and one for the cursor.
    void edit(QLineEdit* e) {
        QStyleOptionFrame opt;
        opt.initFrom(e);
        opt.lineWidth = style_->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e);
        const QMargins m = e->textMargins();
        const int room = style_->subElementRect(QStyle::SE_LineEditContents, &opt, e).width() - m.left() - m.right();
        fits(e, describe(e) + " text", e->text(), room - 4 - 1);
    }
    void button(QPushButton* b) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        if (b->isDefault()) opt.features |= QStyleOptionButton::DefaultButton;
        if (b->autoDefault()) opt.features |= QStyleOptionButton::AutoDefaultButton;
        fits(b, describe(b), plain(b->text()),
             style_->subElementRect(QStyle::SE_PushButtonContents, &opt, b).width() -
                 style_->pixelMetric(QStyle::PM_ButtonMargin, &opt, b));
    }
    void checkBox(QCheckBox* b) {
        QStyleOptionButton opt;
        opt.initFrom(b);
        opt.text = b->text();
        fits(b, describe(b), plain(b->text()), style_->subElementRect(QStyle::SE_CheckBoxContents, &opt, b).width());
    }
    // The title keeps the same margin on its right as on its left.
    void group(QGroupBox* g) {
        QStyleOptionGroupBox opt;
        opt.initFrom(g);
        opt.text = g->title();
        opt.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        const QRect label = style_->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, g);
        fits(g, describe(g) + " title", g->title(), g->width() - 2 * label.x());
    }
    // Word-wrapped labels must hold their lines in their height, and every
    // word in their width.
    void label(QLabel* l) {
        if (l->text().isEmpty()) return;
        const QRect r = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
        const int flags = Qt::TextShowMnemonic | (l->wordWrap() ? Qt::TextWordWrap : 0) | int(l->alignment());
        const QRect need = QFontMetrics(l->font()).boundingRect(QRect(0, 0, r.width(), 10000), flags, l->text());
        report(describe(l), l->text(), need.width(), r.width());
        report(describe(l), l->text(), need.height(), r.height(), " of height");
    }

    QWidget& dialog_;
    QStyle* style_;
    std::vector<std::string> out_;
};

class DialogFit : public ::testing::Test {
protected:
    void SetUp() override {
        ensureProgramTemplates();
        Project sample;
        ASSERT_TRUE(loadProject(kSample, sample).ok);
        doc.open(std::move(sample), kSample, 0);
        ASSERT_TRUE(doc.compute().text.empty());
        ASSERT_EQ(doc.state().resultsValid, 1);
    }

    // Fills the edits with the widest texts they take (names of the widest
    // letter, numbers of the widest digit, as many as can be typed), shows the
    // dialog and reports what does not fit.
    std::vector<std::string> check(TDialog& d) {
        d.create();
        std::vector<std::pair<QLineEdit*, int>> limits;
        for (QLineEdit* e : d.findChildren<QLineEdit*>()) limits.emplace_back(e, e->maxLength());
        d.setUp();
        for (auto [e, limit] : limits) {
            auto* filter = dynamic_cast<const TFilterValidator*>(e->validator());
            const bool names = filter && filter->admits(u'_');
            if (names) {
                EXPECT_EQ(limit, 13);
            }
            e->setText(QString(std::min(limit, 32), widest(e->font(), names ? kNameLetters : kDigits)));
        }
        d.show();
        QApplication::processEvents();
        std::vector<std::string> out = FitCheck(d).run();
        d.hide();
        return out;
    }

    Document doc;
};

TEST_F(DialogFit, EveryDialogHoldsItsTextsWhole) {
    // The sample's first names are the widest the dialogs' font makes.
    const QFont font = TDialog::templateFont(*findDialogTemplate(tpl::EditAlternatives));
    ASSERT_EQ(widest(font, kNameLetters), u'W');
    ASSERT_EQ(doc.project().alternatives[0].name + doc.project().criteria[0].name, std::string(26, 'W'));
    // A pair that fills all five lists of the comparison, and an artificial
    // kernel vertex with its many members.
    const Project& p = doc.project();
    int a = -1, b = -1;
    for (int i = 0; i < p.n && a < 0; ++i)
        for (int j = 0; j < p.n && a < 0; ++j) {
            const dlg::CompareLists l = dlg::compareLists(p, i, j);
            const bool all = !l.qMinus.empty() && !l.i.empty() && !l.q.empty() && !l.p.empty() && !l.pv.empty();
            if (i != j && all) a = i, b = j;
        }
    ASSERT_GE(a, 0) << "no pair of the sample fills every list";
    const std::vector<dlg::KernelLine> kernel = dlg::kernelLines(p, doc.results());
    ASSERT_EQ(kernel.size(), 2u);
    double pending = -88888888;
    const std::string evaluation = "Evaluation of alternatives according to criteron '";

    struct Case {
        std::string caption;
        std::function<std::unique_ptr<TDialog>()> make;
    } cases[] = {
        {"Edit alternatives", [&] { return std::make_unique<TDlgEdycjaWariantow>(nullptr, doc); }},
        {"Modify alternative", [&] { return std::make_unique<TDlgModyfikacjaWariantu>(nullptr, doc); }},
        {"Adding new alternative", [&] { return std::make_unique<TDlgDodajWariant>(nullptr, doc); }},
        {"Modify value of criterion", [&] { return std::make_unique<TDlgModyfikacjaWartosciKryterium>(nullptr, doc); }},
        {"Modify value of criterion",  // of an alternative not added yet
         [&] { return std::make_unique<TDlgModyfKryt2>(nullptr, doc, p.alternatives[0].name, pending); }},
        {"Edit criteria", [&] { return std::make_unique<TDlgEdycjaKryteriow>(nullptr, doc); }},
        {"Modify criteria", [&] { return std::make_unique<TDlgModyfikacjaKryterium>(nullptr, doc); }},
        {"Adding new criterion", [&] { return std::make_unique<TDlgDodajKryterium>(nullptr, doc); }},
        {evaluation + p.criteria[0].name + "'",  // with veto
         [&] { return std::make_unique<TDlgWartosciWariantow>(nullptr, doc, p.criteria[0]); }},
        {evaluation + p.criteria[1].name + "'",  // without veto
         [&] { return std::make_unique<TDlgWartosciWariantow>(nullptr, doc, p.criteria[1]); }},
        {"Level of concordance", [&] { return std::make_unique<TDlgModyfProguZgodnosci>(nullptr, doc); }},
        {"Advanced options", [&] { return std::make_unique<TDlgAdvanced>(nullptr, doc); }},
        {"Select ...", [&] { return std::make_unique<TDlgSelect>(nullptr, doc); }},
        {"Select alternatives to compare", [&] { return std::make_unique<TDlgSetToCompare>(nullptr, doc); }},
        {"Compare alternative 1 to alternative 2", [&] {
             doc.setComparePair(a, b);
             return std::make_unique<TDlgCompAlt>(nullptr, doc);
         }},
        {"Kernel of the graph of outranking", [&] { return std::make_unique<TDlgKernel>(nullptr, doc); }},
        {"Structure of kernel", [&] {
             doc.selectedKernelVertex = kernel[0].vertex;
             return std::make_unique<TDlgKernelStr>(nullptr, doc);
         }},
        {"About program...", [&] { return std::make_unique<TDlgAbout>(nullptr); }},
    };
    // Button texts with their quirks: a doubled '&', a trailing blank.
    const std::tuple<int, int, const char*> buttons[] = {
        {tpl::ModifyCriterion, idc::ModifyCriterion::Preview, "&Alternatives"},
        {tpl::Kernel, idc::Kernel::Details, "&Details"},
        {tpl::Select, idc::Select::ModifiedGraph, "&Modified Graph "},
        {tpl::Select, idc::Select::FinalGraph, "Kernel && &Final Graph"},
    };
    std::set<int> covered;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        doc.selectedAlternative = 0;
        doc.selectedCriterion = 0;
        std::unique_ptr<TDialog> d = c.make();
        covered.insert(d->templateId());
        EXPECT_EQ(check(*d), std::vector<std::string>{});
        EXPECT_EQ(d->windowTitle().toStdString(), c.caption);
    }
    for (const auto& [tpl, id, text] : buttons) EXPECT_EQ(findDialogTemplate(tpl)->control(id)->text, text);
    // The progress dialog at each of its stages, under both its captions.
    for (LongWork work : {LongWork::Computations, LongWork::SavingResults}) {
        const ProgressDialogSetup setup = progressDialogSetup(work);
        for (int stage = 0; stage < setup.stageTexts.size(); ++stage) {
            SCOPED_TRACE(setup.stageTexts[stage].toStdString());
            TProgressDialog d(nullptr, setup, stage);
            covered.insert(d.templateId());
            EXPECT_EQ(check(d), std::vector<std::string>{});
        }
    }
    // Every template of the program has its case.
    std::set<int> templates;
    for (int id = 1; id < 1000; ++id)
        if (findDialogTemplate(id)) templates.insert(id);
    EXPECT_EQ(covered, templates);
}

// Where the list draws the end of characters [0, end) of line `row`, and the
// right edge of a heading's text, both in the list's coordinates.
int lineEnd(TListBox* list, int row, int end) {
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QRect item = list->visualItemRect(list->item(row));
    const int start = list->viewport()->mapTo(list, item.topLeft()).x() + margin;
    return start + QFontMetrics(list->font()).horizontalAdvance(list->item(row)->text().left(end));
}
int headingEnd(TListBox* list, QLabel* heading) {
    return heading->mapTo(list->window(), QPoint(heading->contentsRect().right() + 1, 0)).x() -
           list->mapTo(list->window(), QPoint(0, 0)).x();
}

TEST_F(DialogFit, EvaluationHeadingsStandOverTheirColumnsAndScrollWithThem) {
    namespace ids = idc::Evaluation;
    // One value too wide for its column makes the lines scroll sideways.
    DocumentAccess::project(doc).evaluations[1 * doc.project().m + 0] = 1e60;
    TDlgWartosciWariantow d(nullptr, doc, doc.project().criteria[0]);
    d.create();
    d.setUp();
    d.show();
    QApplication::processEvents();
    TListBox* list = d.listBox(ids::List);
    ASSERT_GT(list->horizontalScrollBar()->maximum(), 50);
    const std::pair<int, int> headings[] = {{ids::G, 1}, {ids::Q, 2}, {ids::P, 3}, {ids::V, 4}};
    for (int scroll : {0, 50}) {
        list->horizontalScrollBar()->setValue(scroll);
        QApplication::processEvents();
        SCOPED_TRACE(scroll);
        for (auto [id, column] : headings) {
            SCOPED_TRACE(id);
            EXPECT_EQ(headingEnd(list, d.staticText(id)), lineEnd(list, 0, dlg::kEvaluationColumns[column].end));
            EXPECT_TRUE(d.staticText(id)->alignment() & Qt::AlignRight);
        }
        // The names' heading begins where the names do.
        EXPECT_EQ(d.staticText(ids::Names)->mapTo(&d, QPoint(0, 0)).x() - list->x(), lineEnd(list, 0, 0));
    }
    // The columns as the lines have them: each number ends its span.
    const std::string line = list->getString(0);
    for (auto [id, column] : headings) {
        const auto [first, end] = dlg::kEvaluationColumns[column];
        EXPECT_EQ(line[first - 1], ' ');
        EXPECT_NE(line[end - 1], ' ');
    }
}

}  // namespace
