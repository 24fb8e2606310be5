#include "app/extensions.h"

#include "app/okno_mdi.h"
#include "views/graph_views.h"
#include "views/matrix_views.h"

namespace kvis {

void registerResultViews(TOknoMDI& client) {
    client.setViewFactory(ViewSlot::Alternatives,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIWarianty(c, d); });
    client.setViewFactory(ViewSlot::Concordance,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIMacierzZgodnosci(c, d); });
    client.setViewFactory(ViewSlot::Discordance,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIMacierzNiezgodnosci(c, d); });
    client.setViewFactory(ViewSlot::Robustness,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIMacierzMocy(c, d); });
    client.setViewFactory(ViewSlot::Outranking,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIMacierzPrzewyzszania(c, d); });
    client.setViewFactory(ViewSlot::Graph,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIGrafPrzewyzszania(c, d); });
    client.setViewFactory(ViewSlot::ModifiedGraph,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIGrafPosredni(c, d); });
    client.setViewFactory(ViewSlot::FinalGraph,
                          [](TOknoMDI& c, Document& d) -> TMDIChild* { return new TMDIFinalGraf(c, d); });
}

}  // namespace kvis
