// How the core reaches the person at the keyboard: questions, messages, status,
// progress, beeps. The desktop program, the terminal and the tests implement it.
// Called on the UI thread only; a transfer on a worker thread reports through
// ITransferMonitor instead.
#pragma once

#include <string>
#include <vector>

// The ...DefaultNo and ...DefaultCancel sets ask before something that cannot be
// taken back (the repeater or a file on disk changes): Enter answers no.
enum class EButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, YesNoDefaultNo, OkCancelDefaultCancel };
// The buttons a set shows, whatever its default.
inline EButtons Choices(EButtons buttons) {
    return buttons == EButtons::YesNoDefaultNo          ? EButtons::YesNo
           : buttons == EButtons::OkCancelDefaultCancel ? EButtons::OkCancel
                                                        : buttons;
}
inline bool DefaultsToNo(EButtons buttons) { return Choices(buttons) != buttons; }
enum class EIcon { None, Information, Exclamation, Question, Stop };
// The numbers are the conventional message-box answer codes.
enum class EAnswer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct SRepeaterInfo;

// One tone of a beep sequence, and the pause after it.
struct SBeep {
    int frequency, milliseconds, pauseMs;
};

class IUserInteraction {
public:
    virtual ~IUserInteraction() = default;
    // Shows a message box and returns the button chosen.
    virtual EAnswer MessageBox(const std::string& text, const std::string& caption,
                               EButtons buttons, EIcon icon) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void ProgressBegin(const std::string& title) = 0;
    virtual void ProgressSet(int percent) = 0;
    // True once the user asked to cancel.
    virtual bool ProgressCancelled() = 0;
    virtual void ProgressEnd() = 0;
    // Plays the tones in order with their pauses. The desktop program plays them
    // without blocking its window; the terminal may simply wait.
    virtual void PlayBeeps(const std::vector<SBeep>& beeps) = 0;
    virtual void WaitCursor(bool on) = 0;
    virtual void ShowInformation(const SRepeaterInfo& info) = 0;
};

// The document side the managers call back into.
class IDocumentHost {
public:
    virtual ~IDocumentHost() = default;
    virtual void SetModifiedFlag(bool modified) = 0;
    virtual bool IsModified() const = 0;
    virtual void UpdateAllViews() = 0;
    virtual void RebuildTree() = 0;
    // Starts a new document through the application (after a model change).
    virtual void NewDocument() = 0;
    // The edit history gained, lost or moved over a step (the Undo and Redo texts).
    virtual void HistoryChanged() {}
};
