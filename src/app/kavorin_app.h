#pragma once
// The application object: owns the document, the main window, its MDI client,
// the printer and the file-dialog data shared by every file dialog, routes the
// commands of the menu and the tool bar, and enables and checks them.
#include <memory>
#include <string>

#include "app/okno_mdi.h"
#include "document/document.h"
#include "platform/file_dialogs.h"
#include "platform/printer.h"
#include "platform/window.h"

namespace kvis {

class TKavorinApp : public TApplication {
    Q_OBJECT
public:
    TKavorinApp();
    ~TKavorinApp() override;

    void initMainWindow() override;
    bool canClose() override;
    bool processCommand(int id) override;
    void commandEnable(TCommandEnabler& ce) override;

    TOknoMDI* client() const { return client_; }
    TPrinter* printer() const { return printer_.get(); }
    TOpenSaveDialog::TData& fileData() { return fileData_; }
    Document& document() { return document_; }
    QString caption() const;
    // Shows the main window (maximised unless `minimised`); initMainWindow
    // leaves it hidden so tests and screenshots can run without showing it.
    void showMainWindow(bool minimised = false);

    // The project commands; the bool results say whether the project was
    // written (Save, Save As) or the command went on (askToSave).
    void cmNew();
    void cmOpen();
    void cmOpenRecent(int index);  // 0..3
    // Open of a given file, without the dialog (the command line's project).
    void openProject(std::string path);
    bool cmSave();
    bool cmSaveAs();
    void cmImport();
    void cmExport();
    void cmComputations();
    void cmSaveResults();
    void cmQolv();
    void cmPrint();
    void cmPrinterSetup();
    void cmAlternatives();
    void cmCriteria();
    void cmLevel();
    void cmAdvanced();
    void cmKernel();
    void cmCompare();
    void cmAbout();

    // The ask-to-save step: false when the user cancelled or the save could
    // not write its file.
    enum class AskFor { New, Open };
    bool askToSave(AskFor kind);

private:
    bool dispatchCommand(int id);
    // A copy of the path: it may be the entry of the recent list that opening rewrites.
    void openPath(std::string path);
    // Open's steps after its dialog, for a path known already.
    void openWithoutDialog(std::string path);
    // The close-all step: every child window of the client closes.
    void closeAllViews();
    void setCaption(const QString& c);
    // The status bar's message (a cancelled computation); empty clears it.
    void showStatus(const QString& text);
    QWidget* owner() const;
    void refreshPrinter();

    Document document_;  // the windows read it: the destructor closes them first
    Subscription closeAllBeforeRelease_;
    TOknoMDI* client_ = nullptr;
    std::unique_ptr<TPrinter> printer_;
    TOpenSaveDialog::TData fileData_;
    bool writeFailed_ = false;  // the last Save or Save As could not write its file
};

}  // namespace kvis
