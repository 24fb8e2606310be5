#pragma once
// The main window's menu (resource 1), its status-bar hints (the string
// table) and the tool bar's gadgets.
#include <QString>
#include <map>
#include <vector>

#include "platform/window.h"

namespace kvis {

namespace cmd {
inline constexpr int New = 24331;
inline constexpr int Open = 24332;
inline constexpr int Save = 24333;
inline constexpr int SaveAs = 24335;
inline constexpr int SaveResults = 24334;
inline constexpr int Import = 126;
inline constexpr int Export = 127;
inline constexpr int Print = 119;
inline constexpr int PrinterSetup = 120;
inline constexpr int Recent1 = 122;  // to 125
inline constexpr int Recent4 = 125;
inline constexpr int Exit = 24310;
inline constexpr int Alternatives = 105;
inline constexpr int Criteria = 104;
inline constexpr int Level = 106;
inline constexpr int MatrixOfAlternatives = 107;
inline constexpr int Advanced = 118;
inline constexpr int Computations = 108;
inline constexpr int Qolv = 128;
inline constexpr int Kernel = 115;
inline constexpr int FinalGraph = 109;
inline constexpr int ModifiedGraph = 112;
inline constexpr int Graph = 111;
inline constexpr int Compare = 121;
inline constexpr int Concordance = 102;
inline constexpr int Discordance = 101;
inline constexpr int Robustness = 113;
inline constexpr int Outranking = 110;
inline constexpr int Cascade = 24361;
inline constexpr int Tile = 24362;
inline constexpr int ArrangeIcons = 24364;
inline constexpr int CloseAll = 24365;
inline constexpr int HelpContents = 117;
inline constexpr int UsingHelp = 116;
inline constexpr int About = 103;
}  // namespace cmd

// Menu resource 1.
std::vector<MenuItem> mainMenu();
// The string table: the status-bar hint of each command id.
const std::map<int, QString>& statusHints();

struct Gadget {
    QString bitmap;  // empty: a 12-pixel separator
    int command = 0;
    bool toggle = false;
};
std::vector<Gadget> toolBarGadgets();

inline constexpr const char* kAppCaption = "KAVORIN Is";
// The status bar after a computation stopped by Cancel.
inline constexpr const char* kComputationsCancelled = "Computations cancelled";
inline constexpr const char* kSavingResultsCancelled = "Saving results cancelled";

}  // namespace kvis
