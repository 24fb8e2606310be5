#include "app/okno_mdi.h"

#include "app/workspace.h"
#include "model/project.h"
#include "resources/menu_resource.h"

namespace kvis {

namespace {
std::array<TOknoMDI::ViewFactory, kViewSlots>& factories() {
    static std::array<TOknoMDI::ViewFactory, kViewSlots> f;
    return f;
}
}  // namespace

int viewCommand(ViewSlot s) {
    static constexpr int ids[kViewSlots] = {cmd::MatrixOfAlternatives, cmd::Concordance, cmd::Discordance,
                                            cmd::Robustness,           cmd::Outranking,  cmd::Graph,
                                            cmd::ModifiedGraph,        cmd::FinalGraph};
    return ids[static_cast<int>(s)];
}

int viewBit(ViewSlot s) {
    static constexpr int bits[kViewSlots] = {kBitAlternatives, kBitConcordance, kBitDiscordance,   kBitRobustness,
                                             kBitOutranking,   kBitGraph,       kBitModifiedGraph, kBitFinalGraph};
    return bits[static_cast<int>(s)];
}

TOknoMDI::TOknoMDI(QWidget* parent) : TMDIClient(parent) {}

TOknoMDI::~TOknoMDI() {
    for (auto& s : slots_) s.clear();
}

void TOknoMDI::setViewFactory(ViewSlot s, ViewFactory f) { factories()[static_cast<int>(s)] = std::move(f); }

void TOknoMDI::toggle(ViewSlot s) {
    auto& slot = slots_[static_cast<int>(s)];
    if (slot) {
        TMDIChild* child = slot;
        slot.clear();
        workspace().doc.openViewsMask &= ~viewBit(s);
        delete child;
        return;
    }
    const auto& make = factories()[static_cast<int>(s)];
    if (!make) return;
    TMDIChild* child = make(*this);
    if (!child) return;
    slot = child;
    workspace().doc.openViewsMask |= viewBit(s);
    // A view closed by its own close box empties its slot and its bit.
    const int bit = viewBit(s);
    connect(child, &QObject::destroyed, this, [bit] { workspace().doc.openViewsMask &= ~bit; });
    child->show();
}

bool TOknoMDI::closeChildren() {
    for (auto& s : slots_) s.clear();
    workspace().doc.openViewsMask = 0;
    for (QMdiSubWindow* w : subWindowList()) delete w;
    return true;
}

}  // namespace kvis
