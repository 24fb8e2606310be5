#pragma once
// Long work off the user-interface thread. The work runs on a worker thread
// while this thread goes on painting and handling its timers; from the start
// every input to the program's windows but the progress dialog is swallowed
// and the owner's window shows the wait cursor, so nothing can change what
// the work reads. The progress dialog (a template with a static that names
// the stage and a Cancel button) appears only once the work has outlasted a
// delay, so quick work shows nothing. Cancel, Escape and the close box ask
// the work to stop; the dialog stays until the work has ended all the same.
#include <QString>
#include <QStringList>
#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/dialog.h"

namespace kvis {

// What the work sees of its dialog; called from the worker thread.
class TProgress {
public:
    virtual ~TProgress() = default;
    // Shows the text of stage `index` (the setup's stageTexts); returns once
    // the user-interface thread has taken it in.
    virtual void stage(int index) = 0;
    virtual bool cancelRequested() const = 0;
};

struct ProgressDialogSetup {
    int templateId = 0;
    int stageControl = 0;  // the static that shows the stage
    QString caption;       // empty: the template's own
    QStringList stageTexts;
    bool cancellable = true;  // false: Cancel is disabled and Escape and the close box do nothing
    int delayMs = 500;
};

// The progress dialog itself: the template with the caption and the text of
// `stage`. Made by runWithProgress; public for the fit test and pictures.
class TProgressDialog : public TDialog {
    Q_OBJECT
public:
    TProgressDialog(QWidget* parent, const ProgressDialogSetup& setup, int stage = 0);
    void setUp() override;
    void showStage(int index);
    int currentStage() const { return stage_; }
    bool cancelling() const { return cancelling_; }

signals:
    void cancelRequested();

public slots:
    // Cancel, Escape and the close box ask the work to stop, once, when it
    // can; the dialog stays, Cancel disabled, until the work has stopped.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    ProgressDialogSetup setup_;
    int stage_;
    bool cancelling_ = false;
};

// Runs `work` on a worker thread and returns once it has ended; whatever it
// threw is thrown again here, on the calling thread. True when the user
// asked it to stop.
bool runWithProgress(QWidget* owner, const ProgressDialogSetup& setup, const std::function<void(TProgress&)>& work);

}  // namespace kvis
