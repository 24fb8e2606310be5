#pragma once
// Headless scripting of every modal interaction. While a TestHooks object is
// alive, message boxes, file dialogs, dialog runs, program starts, print and
// printer-setup dialogs, the help viewer and the progress dialogs of long
// work are recorded and answered from its queues instead of being shown. Without one, the real Qt interaction runs.
// Whatever is still queued when the hooks end was meant for an interaction
// that never came: the hooks report it as a failure.
#include <QString>
#include <QStringList>
#include <cstdint>
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

// What one run of long work showed in its progress dialog.
struct ProgressRun {
    int templateId = 0;
    QString caption;
    QStringList stages;  // the stage texts, in the order the work reported them
    int shownAt = -1;    // how many stages had been reported when the dialog appeared; -1: never
    bool cancelled = false;
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

    // Long work (runWithProgress): one record per run, and one script per
    // run, called on the user-interface thread at each stage the work reports
    // with the dialog (not shown) and the stage's index while the work waits;
    // it may press Cancel or Escape or close the dialog. None queued: the work
    // runs to its end. The delay before the dialog appears is measured on
    // progressClock (milliseconds) when it is set.
    std::vector<ProgressRun> progressRuns;
    std::deque<std::function<void(TDialog&, int stage)>> progressScripts;
    std::function<std::int64_t()> progressClock;

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
