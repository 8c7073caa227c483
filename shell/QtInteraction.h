// The user interaction of the desktop program: message boxes, the main window's
// message pane, the "Cloning" progress dialog, the beeps and the information
// dialog. Tests answer the boxes through a hook, so that no test waits on a modal
// box; every box shown is recorded.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

#include "clone/RepeaterInfo.h"
#include "datamodel/UserInteraction.h"
#include "shell/ProgressDialog.h"

class QWidget;

struct SBoxRecord {
    QString text, caption;
    EButtons buttons;
    EIcon icon;
    QWidget* owner = nullptr; // the window the box is centred over
};

class CQtUserInteraction : public QObject, public IUserInteraction {
    Q_OBJECT
public:
    using BoxHook = std::function<EAnswer(const SBoxRecord&)>;
    using InfoHook = std::function<void(const SRepeaterInfo&)>;

    explicit CQtUserInteraction(QObject* parent = nullptr);
    ~CQtUserInteraction() override;

    // The window boxes and the progress dialog belong to.
    void SetOwner(QWidget* owner) { m_owner = owner; }
    // Where status texts go (the main window's message pane).
    void SetStatusSink(std::function<void(const QString&)> sink) { m_status = std::move(sink); }
    // Tests: boxes are answered here, not shown.
    void SetBoxHook(BoxHook hook) { m_boxHook = std::move(hook); }
    void SetInfoHook(InfoHook hook) { m_infoHook = std::move(hook); }
    // Tests: beeps are recorded, not played.
    void SetSilent(bool silent) { m_silent = silent; }
    const std::vector<SBoxRecord>& Boxes() const { return m_boxes; }
    const std::vector<std::vector<SBeep>>& BeepsPlayed() const { return m_beeps; }
    const QString& LastStatus() const { return m_lastStatus; }
    void ClearRecords();

    EAnswer MessageBox(const std::string& text, const std::string& caption, EButtons buttons,
                       EIcon icon) override;
    // QString form for the shell's own boxes.
    EAnswer Box(const QString& text, EButtons buttons, EIcon icon, const QString& caption = {});
    void SetStatusText(const std::string& text) override;
    void ProgressBegin(const std::string& title) override;
    void ProgressSet(int percent) override;
    bool ProgressCancelled() override;
    void ProgressEnd() override;
    void PlayBeeps(const std::vector<SBeep>& beeps) override;
    void WaitCursor(bool on) override;
    void ShowInformation(const SRepeaterInfo& info) override;

    // The progress dialog (tests press Esc in it); made on first use.
    CCloneProgressDialog* ProgressDialog() const { return m_progress; }
    CCloneProgressDialog* EnsureProgressDialog();

private:
    QWidget* m_owner = nullptr;
    std::function<void(const QString&)> m_status;
    BoxHook m_boxHook;
    InfoHook m_infoHook;
    bool m_silent = false;
    std::vector<SBoxRecord> m_boxes;
    std::vector<std::vector<SBeep>> m_beeps;
    QString m_lastStatus;
    QPointer<CCloneProgressDialog> m_progress;
    int m_waitCursors = 0;
};
