#pragma once
// The column beside a graph: two captions (TGrafInfo), the list that maps the
// figure's numbers to alternatives (TGrafLista, or TGrafWspPow for the final
// graph) and the panel that describes the marked vertex (TGrafWierzch,
// TGrafWierzch1, TGrafReprWierzch). Lists and panels fill themselves from the
// document when they are set up; the panels change when the figure's marked
// vertex does.
#include <string>

#include "platform/controls.h"
#include "platform/layout_window.h"

namespace kvis {

class Document;

// A caption on light grey, its lines centred from the top, with a raised top edge.
class TGrafInfo : public TWindow {
    Q_OBJECT
public:
    TGrafInfo(QWidget* parent, const char* text);
    static constexpr size_t kTextSize = 50;
    std::string Text;

protected:
    void Paint(QPainter& dc, bool erase, const QRect& rect) override;
};

// "   1 -> name" for every alternative: the numbers of the graph of outranking
// and of the modified graph.
class TGrafLista : public TListBox {
    Q_OBJECT
public:
    static constexpr int kId = 171;
    TGrafLista(QWidget* parent, const Document& doc);
    void setUp();

protected:
    void showEvent(QShowEvent* e) override;
    const Document& doc_;

private:
    virtual void fill();
    bool filled_ = false;
};

// The numbers of the final graph's vertices: a natural vertex by its
// alternative, an artificial one as "Artificial".
class TGrafWspPow : public TGrafLista {
    Q_OBJECT
public:
    TGrafWspPow(QWidget* parent, const Document& doc);

private:
    void fill() override;
};

// What the three panels share: a caption and a value on one line, a list
// caption and a sorted list under them.
class TGrafPanel : public TLayoutWindow {
    Q_OBJECT
public:
    static constexpr int kCaptionId = 151;
    static constexpr int kValueId = 152;
    static constexpr int kListCaptionId = 153;
    static constexpr int kListId = 154;

    TStatic* Caption;
    TStatic* Value;
    TStatic* ListCaption;
    TListBox* List;

protected:
    TGrafPanel(QWidget* parent, const Document& doc, const char* caption, const char* value, const char* listCaption);
    // The name of alternative a; empty past the project's alternatives.
    std::string name(int a) const;
    const Document& doc_;
};

// The graph of outranking: the marked alternative and those it outranks.
class TGrafWierzch : public TGrafPanel {
    Q_OBJECT
public:
    TGrafWierzch(QWidget* parent, const Document& doc);
    void ShowVertex(int v);

protected:
    void setUp() override;
};

// The modified graph: the marked alternative, and every arc added or removed.
class TGrafWierzch1 : public TGrafPanel {
    Q_OBJECT
public:
    TGrafWierzch1(QWidget* parent, const Document& doc);
    void ShowName(int v);

protected:
    void setUp() override;
};

// The final graph: the marked vertex's kind and its alternatives.
class TGrafReprWierzch : public TGrafPanel {
    Q_OBJECT
public:
    TGrafReprWierzch(QWidget* parent, const Document& doc);
    void ShowVertex(int v);

protected:
    void setUp() override;
};

}  // namespace kvis
