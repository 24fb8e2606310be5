#include "app/okno_mdi.h"

#include "document/document.h"
#include "resources/menu_resource.h"

namespace kvis {

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

TOknoMDI::TOknoMDI(Document& doc, QWidget* parent) : TMDIClient(parent), doc_(doc) {}

TOknoMDI::~TOknoMDI() {
    // The views go while the client, and the document they show, still stand.
    closeChildren();
}

void TOknoMDI::setViewFactory(ViewSlot s, ViewFactory f) { factories_[static_cast<int>(s)] = std::move(f); }

void TOknoMDI::setBit(int bit, bool open) {
    const int mask = doc_.state().openViewsMask;
    doc_.setOpenViewsMask(open ? mask | bit : mask & ~bit);
}

void TOknoMDI::toggle(ViewSlot s) {
    auto& slot = slots_[static_cast<int>(s)];
    const int bit = viewBit(s);
    if (slot) {
        TMDIChild* child = slot;
        slot.clear();
        setBit(bit, false);
        delete child;
        return;
    }
    const auto& make = factories_[static_cast<int>(s)];
    if (!make) return;
    TMDIChild* child = make(*this, doc_);
    if (!child) return;
    slot = child;
    setBit(bit, true);
    // A view closed by its own close box empties its slot and its bit.
    connect(child, &QObject::destroyed, &viewWatch_, [this, bit] { setBit(bit, false); });
    child->show();
}

bool TOknoMDI::closeChildren() {
    for (auto& s : slots_) s.clear();
    doc_.setOpenViewsMask(0);
    for (QMdiSubWindow* w : subWindowList()) delete w;
    return true;
}

}  // namespace kvis
