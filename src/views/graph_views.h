#pragma once
// The three graph views: the graph of outranking, the modified graph and the
// final graph, each an MDI child whose client puts the drawing on the left 80
// percent and the column of captions, numbering list and marked-vertex panel
// on the rest. A drawing window tells its own view's panel, and no other, when
// the marked vertex changes.
#include "platform/layout_window.h"
#include "views/graph_panels.h"
#include "views/graph_windows.h"

namespace kvis {

class Document;

class TOknoGraf : public TLayoutWindow {
    Q_OBJECT
public:
    // The children, in the order they are made.
    TGrafWinBase* Drawing = nullptr;
    TGrafInfo* ListInfo = nullptr;
    TGrafInfo* VertexInfo = nullptr;
    TGrafLista* List = nullptr;
    TGrafPanel* Panel = nullptr;

protected:
    TOknoGraf() = default;
    // Takes the drawing window, makes the two captions, then takes the list
    // and the panel the class makes; lays the five out.
    void addDrawing(TGrafWinBase* drawing);
    void addColumn(TGrafLista* list, TGrafPanel* panel);
    void resizeEvent(QResizeEvent* e) override;
    void setUp() override;
};

class TOknoGrafPrzewyzszania : public TOknoGraf {
    Q_OBJECT
public:
    explicit TOknoGrafPrzewyzszania(const Document& doc);
};

class TOknoGrafPosredni : public TOknoGraf {
    Q_OBJECT
public:
    explicit TOknoGrafPosredni(const Document& doc);
};

class TOknoFinalGraf : public TOknoGraf {
    Q_OBJECT
public:
    explicit TOknoFinalGraf(const Document& doc);
};

class TMDIGrafPrzewyzszania : public TMDIChild {
    Q_OBJECT
public:
    TMDIGrafPrzewyzszania(TMDIClient& parent, const Document& doc);
};

class TMDIGrafPosredni : public TMDIChild {
    Q_OBJECT
public:
    TMDIGrafPosredni(TMDIClient& parent, const Document& doc);
};

class TMDIFinalGraf : public TMDIChild {
    Q_OBJECT
public:
    TMDIFinalGraf(TMDIClient& parent, const Document& doc);
};

}  // namespace kvis
