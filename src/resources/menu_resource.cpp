#include "resources/menu_resource.h"

namespace kvis {

namespace {
MenuItem item(const char* text, int id, QKeySequence accel = {}, bool grayed = false) {
    MenuItem m;
    m.text = QString::fromLatin1(text);
    m.id = id;
    m.accelerator = accel;
    m.grayed = grayed;
    return m;
}
MenuItem separator() { return MenuItem{}; }
MenuItem popup(const char* text, std::vector<MenuItem> items) {
    MenuItem m;
    m.text = QString::fromLatin1(text);
    m.popup = std::move(items);
    return m;
}
}  // namespace

std::vector<MenuItem> mainMenu() {
    using namespace cmd;
    return {
        popup("&Project",
              {item("&New", New), item("&Open\tF3", Open, QKeySequence(Qt::Key_F3)),
               item("&Save", Save, {}, true), item("Save &As", SaveAs, {}, true),
               item("Save resu&lts\tF12", SaveResults, QKeySequence(Qt::Key_F12)), separator(),
               item("&Import from Kavorin III/IV", Import), item("E&xport to Kavorin III/IV", Export, {}, true),
               separator(), item("&Print\tAlt+F12", Print, QKeySequence(Qt::ALT | Qt::Key_F12)),
               item("P&rinter setup...", PrinterSetup), separator(), item("Hist1", 122), item("Hist2", 123),
               item("Hist3", 124), item("Hist4", 125), separator(),
               item("&Exit\tAlt+F4", Exit, QKeySequence(Qt::ALT | Qt::Key_F4))}),
        popup("&Edit", {item("&Alternatives", Alternatives), item("&Criteria", Criteria), item("&Level of concordance", Level),
                        separator(), item("&Matrix of Alternatives", MatrixOfAlternatives, {}, true), separator(),
                        item("A&dvanced", Advanced)}),
        popup("&Results",
              {item("&Computations", Computations), item("QOLV", Qolv), separator(), item("&Kernel", Kernel),
               item("&Final Graph", FinalGraph), item("&Modified Graph of Outranking", ModifiedGraph),
               item("&Graph of Outranking", Graph), separator(), item("Compare pairs of alternati&ves", Compare),
               item("Matrix of &Concordance", Concordance), item("Matrix of &Discordance", Discordance),
               item("Matrix of &Robustness", Robustness), item("Matrix of &Outranking", Outranking)}),
        popup("&Window", {item("&Cascade", Cascade, {}, true), item("&Tile", Tile, {}, true),
                          item("&Arrange icons", ArrangeIcons, {}, true), item("C&lose All", CloseAll, {}, true)}),
        popup("&Help", {item("&Contents", HelpContents), item("&Using help", UsingHelp), separator(),
                        item("&About program", About)}),
    };
}

const std::map<int, QString>& statusHints() {
    static const std::map<int, QString> hints = {
        {101, "Show matrix of discordance"},
        {102, "Show matrix of concordance"},
        {103, "Display informations about program"},
        {104, "Edit criteria"},
        {105, "Edit alternatives"},
        {106, "Edit value of level of concordance"},
        {107, "Show matrix of alternatives"},
        {108, "Make all computations"},
        {109, "Show final graph"},
        {110, "Show matrix of outranking"},
        {111, "Show graph of outranking"},
        {112, "Show graph of outranking modified by new method of analyzing circuits"},
        {113, "Show matrix of robustness"},
        {115, "Show a kernel of graph of outranking"},
        {116, "Display information about using the Help system"},
        {117, "Display the table of contents for the help system"},
        {118, "Advanced options for Enhanced Kavorin I S"},
        {119, "Print results of computations"},
        {120, "Select and set up a printer"},
        {121, "Compare pair of alternatives according to particular criteria"},
        {126, "Import data from Kavorin III/IV project file *.txt"},
        {127, "Export data to Kavorin III/IV project file *.txt"},
        {128, "QOLV, the external cycle-removal tool"},
        {1000, "Show / Hides toolbar"},
        {24310, "Exit program"},
        {24331, "Create a new project"},
        {24332, "Open existing project"},
        {24333, "Save current project to disk"},
        {24334, "Save all results to a file"},
        {24335, "Save current project file under different name"},
        {24361, "Cascade child windows"},
        {24362, "Tile child windows"},
        {24364, "Arrange all icons"},
        {24365, "Close active windows"},
        {32000, "Show / Hides statusbar"},
        {61440, "Change size of active window"},
        {61456, "Move active window"},
        {61472, "Reduce active window "},
        {61488, "Maximize active window"},
        {61504, "Switch to next window"},
        {61536, "Close window"},
        {61728, "Restore previous size of active window"},
        {61744, "Open list of active processes"},
    };
    return hints;
}

std::vector<Gadget> toolBarGadgets() {
    using namespace cmd;
    const Gadget sep{};
    return {
        {"BMP_NOWY", New, false},
        {"BMP_OTWORZ", Open, false},
        {"BMP_ZACHOWAJ", Save, false},
        sep,
        {"BMP_PRINT", Print, false},
        sep,
        {"BMP_OBLICZ", Computations, true},
        sep,
        {"BMP_COMPARE", Compare, false},
        {"BMP_TABL_WARIANTOW", MatrixOfAlternatives, true},
        {"BMP_TABL_ZGODN", Concordance, true},
        {"BMP_TABL_NIEZGODN", Discordance, true},
        {"BMP_TABL_MOCY", Robustness, true},
        {"BMP_TABL_PRZEWYZSZ", Outranking, true},
        {"BMP_GRAF", Graph, true},
        sep,
        {"BMP_GRAFM", ModifiedGraph, true},
        {"BMP_GRAFK", FinalGraph, true},
        sep,
        {"BMP_SAVERES", SaveResults, false},
        sep,
        {"BMP_KONIEC", Exit, false},
    };
}

}  // namespace kvis
