// The program's resources as the main window finds them: every tool bar
// picture, the program icon, the help pages and the About template.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTextBrowser>

#include "app/lifecycle.h"
#include "dialogs/centr_dialog.h"
#include "platform/icons.h"
#include "platform/services.h"
#include "resources/dialog_templates.h"
#include "resources/menu_resource.h"

using namespace kvis;

TEST(Resources, EveryToolBarPictureAndTheIconExist) {
    initResources();
    int buttons = 0;
    for (const Gadget& g : toolBarGadgets()) {
        if (g.bitmap.isEmpty()) continue;
        ++buttons;
        EXPECT_FALSE(resourceIcon(g.bitmap).isNull()) << g.bitmap.toStdString();
    }
    EXPECT_EQ(buttons, 16);
    EXPECT_FALSE(resourceIcon("ICN_KVIS").isNull());
    EXPECT_TRUE(resourceIcon("NO_SUCH_BITMAP").isNull());
}

TEST(Resources, HelpOpensAtItsContentsAndAtUsingHelp) {
    initResources();
    for (HelpPage page : {HelpPage::Contents, HelpPage::UsingHelp}) {
        showHelp(page);
        QTextBrowser* viewer = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QTextBrowser*>(w); b && b->isVisible()) viewer = b;
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->source().toString().endsWith(page == HelpPage::Contents ? "index.html" : "using_help.html"));
        EXPECT_FALSE(viewer->toPlainText().trimmed().isEmpty());
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QTextBrowser*>(w)) w->close();
}

TEST(Resources, AboutTemplate) {
    ensureProgramTemplates();
    const DialogTemplate* t = findDialogTemplate(kTemplateAbout);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "About program...");
    EXPECT_EQ(t->width, 194);
    EXPECT_EQ(t->height, 163);
    EXPECT_EQ(t->fontFace, "MS Sans Serif");
    EXPECT_EQ(t->fontPoints, 8);
    ASSERT_NE(t->control(1), nullptr);
    EXPECT_EQ(t->control(1)->text, "OK");
    // The OK button is centred.
    EXPECT_EQ(t->control(1)->x * 2 + t->control(1)->w, t->width);
}

TEST(Resources, StatusHintsCarryTheirExactTexts) {
    const auto& h = statusHints();
    EXPECT_EQ(h.at(61472), "Reduce active window ");
    EXPECT_EQ(h.at(103), "Display informations about program");
    EXPECT_EQ(h.at(118), "Advanced options for Enhanced Kavorin I S");
    EXPECT_EQ(h.at(24365), "Close active windows");
}
