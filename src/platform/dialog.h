#pragma once
// TDialog: a modal dialog built from a dialog template. Controls are reachable
// by id. A dialog class may make its own control objects (TEdit and the like,
// or classes derived from them) in its constructor; create() then uses them in
// place of the plain controls the template would make.
#include <QDialog>
#include <QPushButton>
#include <functional>
#include <map>

#include "platform/controls.h"
#include "platform/dialog_template.h"

namespace kvis {

class TDialog : public QDialog {
    Q_OBJECT
public:
    TDialog(QWidget* parent, int templateId);
    ~TDialog() override;

    int templateId() const { return templateId_; }
    const DialogTemplate& dialogTemplate() const { return tpl_; }

    // Makes the controls from the template (once). runModal calls it; call it
    // yourself to look at a dialog without running it.
    void create();
    // Fills the controls; derived classes call their base's setUp first.
    virtual void setUp() {}
    // Asked when OK is pressed; false keeps the dialog open.
    virtual bool canClose() { return true; }
    // A button other than OK and Cancel was pressed.
    virtual void command(int id);
    // Runs the dialog modally and returns the id it ended with: OK (1) after
    // canClose, Cancel (2) for Cancel, Escape and the close box.
    int runModal();

    QWidget* control(int id) const;
    TEdit* edit(int id) const { return qobject_cast<TEdit*>(control(id)); }
    TStatic* staticText(int id) const { return qobject_cast<TStatic*>(control(id)); }
    TListBox* listBox(int id) const { return qobject_cast<TListBox*>(control(id)); }
    TComboBox* comboBox(int id) const { return qobject_cast<TComboBox*>(control(id)); }
    TCheckBox* checkBox(int id) const { return qobject_cast<TCheckBox*>(control(id)); }
    QPushButton* button(int id) const { return qobject_cast<QPushButton*>(control(id)); }

    // Response table for buttons: the handler runs when the button is pressed
    // (the default command() looks here).
    void onCommand(int id, std::function<void()> handler) { handlers_[id] = std::move(handler); }

    // Ends the dialog with `id` without asking canClose.
    void closeWith(int id);
    bool hasEnded() const { return ended_; }
    int endedWith() const { return result_; }

    // Scripting (tests, screenshots): press a button as a click would, press
    // Escape, type text character by character into an edit (the filter and
    // the text limit apply; the old text is replaced), pick a list line.
    void press(int id);
    void pressEscape() { reject(); }
    void type(int id, const QString& text);
    void select(int id, int index);

    // Dialog units of this dialog's font to pixels (the templates' rule:
    // horizontal average character width / 4, vertical character height / 8).
    QRect toPixels(int x, int y, int w, int h) const;
    static QSize baseUnits(const QFont& font);
    // The font a template names: the desktop's sans-serif at the template's
    // size; a template naming no font gets the system font, a bold one of 10
    // points whose dialog units are larger.
    static QFont templateFont(const DialogTemplate& t);
    // The width a window needs to show `caption` whole in its title bar: the
    // text in the title font and room for the icon and buttons beside it.
    static int captionWidth(const QString& caption);

    // Called by the control classes when they are made with this dialog.
    void adopt(int id, QWidget* w);

public slots:
    void accept() override;
    void reject() override;

private:
    void buttonPressed(int id);

    int templateId_;
    DialogTemplate tpl_;
    bool created_ = false;
    bool ended_ = false;
    int result_ = 2;
    QSize base_;
    std::map<int, QWidget*> controls_;
    std::map<int, std::function<void()>> handlers_;
};

}  // namespace kvis
