#pragma once
// Headless scripting of every modal interaction. While a TestHooks object is
// alive, message boxes, file dialogs, dialog runs, program starts, print and
// printer-setup dialogs and the help viewer are recorded and answered from its
// queues instead of being shown. Without one, the real Qt interaction runs.
// Whatever is still queued when the hooks end was meant for an interaction
// that never came: the hooks report it as a failure.
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvis {

class TDialog;

struct MessageBoxCall {
    QString text;
    QString caption;
    unsigned flags = 0;  // MB_* buttons | icon
    unsigned buttons() const { return flags & 0xf; }
    unsigned icon() const { return flags & 0xf0; }
};

struct FileDialogCall {
    bool save = false;
    QString title;
    QString fileName;  // the pattern the dialog starts with
    QString filter;    // "text|pattern|..." form
    QString defaultExt;
};

struct ProgramStart {
    QString program;
    QStringList arguments;
};

class TestHooks {
public:
    TestHooks();
    ~TestHooks();
    TestHooks(const TestHooks&) = delete;
    TestHooks& operator=(const TestHooks&) = delete;

    static TestHooks* active();

    // Message boxes: each call takes the next answer (IDYES, IDNO, ...); with
    // none queued the box answers as if closed (escapeAnswer).
    std::vector<MessageBoxCall> messages;
    std::deque<int> answers;

    // File dialogs: each takes the next path; std::nullopt or none queued = Cancel.
    std::vector<FileDialogCall> fileDialogs;
    std::deque<std::optional<QString>> files;

    // Dialog runs: the template id of every dialog run, and one script per
    // run. A script receives the set-up dialog, may type into its controls and
    // press its buttons (TDialog::press); runModal returns the id the dialog
    // ended with, or IDCANCEL when the script did not end it. No script queued:
    // the dialog is cancelled.
    std::vector<int> dialogsRun;
    std::deque<std::function<void(TDialog&)>> dialogScripts;

    // Programs started without waiting; startSucceeds decides the outcome.
    std::vector<ProgramStart> programs;
    bool startSucceeds = true;

    // Print and printer-setup dialogs: the next answer (true = OK); none = OK.
    int printDialogs = 0;
    int setupDialogs = 0;
    std::deque<bool> printAnswers;
    // When set, printing goes to this PDF file.
    QString pdfPath;

    // Help viewer: the pages asked for ("contents" or "using").
    std::vector<QString> helpPages;

    int nextAnswer(int fallback);

    // What ending hooks with queued answers or scripts calls, with a text that
    // says what was left; the test programs make it a test failure. Without a
    // reporter the message goes to standard error and the process aborts.
    // Returns the reporter it replaces.
    using UnusedReporter = std::function<void(const std::string&)>;
    static UnusedReporter setUnusedReporter(UnusedReporter r);

private:
    TestHooks* previous_;
};

}  // namespace kvis
