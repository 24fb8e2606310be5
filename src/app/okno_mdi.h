#pragma once
// The main window's MDI client with one slot per result view.
#include <QPointer>
#include <array>
#include <functional>

#include "platform/window.h"

namespace kvis {

class Document;

enum class ViewSlot { Alternatives, Concordance, Discordance, Robustness, Outranking, Graph, ModifiedGraph, FinalGraph };
inline constexpr int kViewSlots = 8;

// The command id and the openViewsMask bit of each slot.
int viewCommand(ViewSlot s);
int viewBit(ViewSlot s);

class TOknoMDI : public TMDIClient {
    Q_OBJECT
public:
    explicit TOknoMDI(Document& doc, QWidget* parent = nullptr);
    ~TOknoMDI() override;

    // Makes a view's MDI child on the document (shown by the toggle). Until a
    // view exists for a slot its toggle does nothing.
    using ViewFactory = std::function<TMDIChild*(TOknoMDI&, Document&)>;
    void setViewFactory(ViewSlot s, ViewFactory f);

    // Opens the view when its slot is empty, closes it when full.
    void toggle(ViewSlot s);
    bool isOpen(ViewSlot s) const { return !slots_[static_cast<int>(s)].isNull(); }
    TMDIChild* view(ViewSlot s) const { return slots_[static_cast<int>(s)]; }

    // Close All and the close-all step: every slot empties, openViewsMask = 0,
    // then every child window closes.
    bool closeChildren() override;

private:
    void setBit(int bit, bool open);

    Document& doc_;
    std::array<ViewFactory, kViewSlots> factories_;
    std::array<QPointer<TMDIChild>, kViewSlots> slots_;
    // The context of the views' destroyed connections: the client itself will
    // not do, as it drops every connection with a subwindow that closes.
    QObject viewWatch_;
};

}  // namespace kvis
