#pragma once
// Start and end of a run, around the application's message loop.
#include <QApplication>
#include <string>

namespace kvis {

// The message loop of the desktop. Commands catch a std::bad_alloc themselves
// (TKavorinApp::processCommand); one thrown anywhere else in an event handler
// is reported here, instead of ending the program with the project.
class TKavorinQApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};

class Document;

// Puts the document in its start state: the recent list and the three
// parameters read from kvis.ini in `directory`, the start directory.
void startUp(Document& doc, const std::string& directory);
// Writes the recent list into kvis.ini in the start directory.
void shutDown(const Document& doc, const std::string& startDirectory);

// Registers the Qt resources of the program (icons, help).
void initResources();

// The program's name, version and desktop id for the window system, and its
// icon for every window that sets none of its own (dialogs, message boxes).
void identifyApplication();

}  // namespace kvis
