#pragma once
// The base of every dialog of the program: built from its template, centred
// over its parent and kept on the screen.
#include <QPoint>
#include <QRect>
#include <QSize>

#include "platform/dialog.h"
#include "platform/message_box.h"
#include "resources/dialog_templates.h"

namespace kvis {

class TCentrDialog : public TDialog {
    Q_OBJECT
public:
    // parent: the owning window (the main window's client for menu commands,
    // the calling dialog for nested dialogs).
    TCentrDialog(QWidget* parent, int templateId);

    void setUp() override;
    void centreOverParent();

    // Where centreOverParent puts a dialog with window rectangle `dialog`
    // over a parent rectangle on a screen of the given size.
    static QPoint centredPosition(const QRect& dialog, const QRect& parent, const QSize& screen);
};

// Registers the program's dialog templates (once); TCentrDialog does it itself.
// The templates stay a process-wide registry: constant data, never state.
void ensureProgramTemplates();

}  // namespace kvis
