#pragma once
// The program's dialog templates as data, with the names of their ids. The
// dialogs, the templates and the tests all use these names; the numbers are
// those of the resource (IDOK 1 and IDCANCEL 2 are the platform's).
#include "platform/dialog_template.h"

namespace kvis {

// Registers every template of the program (About, the progress dialog and the
// editing dialogs).
void registerProgramTemplates();

// The templates of the editing and inspection dialogs (editing_templates.cpp).
void registerEditingTemplates();

namespace tpl {
inline constexpr int EditAlternatives = 101;
inline constexpr int ModifyAlternative = 102;  // also Add alternative
inline constexpr int ModifyValue = 103;        // also the value of a pending alternative
inline constexpr int EditCriteria = 104;
inline constexpr int ModifyCriterion = 105;    // also Add criterion
inline constexpr int Level = 106;
inline constexpr int Evaluation = 107;
inline constexpr int About = 108;
inline constexpr int Kernel = 110;
inline constexpr int KernelStructure = 111;
inline constexpr int Advanced = 112;
inline constexpr int Select = 113;
inline constexpr int SetToCompare = 114;
inline constexpr int Compare = 115;
inline constexpr int Progress = 116;  // long work: Computations, Save results
}  // namespace tpl

// Control ids, one set per template.
namespace idc {

// Edit alternatives (101) and Edit criteria (104) share their layout.
namespace EditList {
inline constexpr int Add = 201, Modify = 202, Remove = 203, List = 205, Count = 206;
}
namespace ModifyAlternative {
inline constexpr int Modify = 201, Values = 202, Name = 203;
}
namespace ModifyValue {
inline constexpr int Value = 201, Alternative = 202, Criterion = 203;
}
namespace ModifyCriterion {
inline constexpr int Preview = 201, Weight = 202, Name = 203, UseVeto = 204, Direction = 205;
inline constexpr int PAlpha = 206, PBeta = 207, QAlpha = 208, QBeta = 209, InverseMode = 210;
inline constexpr int VAlpha = 213, VBeta = 214;
}
namespace Level {
inline constexpr int Value = 201;
}
// The list and the headings of its columns.
namespace Evaluation {
inline constexpr int List = 202, Names = 210, G = 211, Q = 212, P = 213, V = 214;
}
namespace About {
inline constexpr int Version = 201, Method = 202, WrittenBy = 203, Authors = 204, Years = 205, Institution = 206;
}
namespace Kernel {
inline constexpr int List = 205, Count = 206, Details = 207;
}
namespace KernelStructure {
inline constexpr int Members = 202, Code = 500, Type = 501;
}
namespace Advanced {
inline constexpr int Arcs = 201, Loss = 202;
}
// One check box per part of the results, from bit 128 down to bit 1.
namespace Select {
inline constexpr int InputData = 102, Concordance = 103, Discordance = 104, Robustness = 105, Outranking = 106,
                     Graph = 107, ModifiedGraph = 108, FinalGraph = 109;
}
namespace SetToCompare {
inline constexpr int First = 101, Second = 102;
}
// The lists of the comparison, and the names of the pair.
namespace Compare {
inline constexpr int P = 202, I = 203, Q = 204, PV = 205, QMinus = 206, First = 300, Second = 301;
}

// The stage of the work; IDCANCEL stops it.
namespace Progress {
inline constexpr int Stage = 201;
}

}  // namespace idc

}  // namespace kvis
