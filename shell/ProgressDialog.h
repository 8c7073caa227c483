// The "Cloning" progress dialog: a progress bar, no visible button; Esc asks the
// transfer to stop. It is modal while it shows, so the main window takes no input
// but keeps repainting.
#pragma once

#include <QDialog>
#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

class CCloneProgressDialog : public QDialog {
    Q_OBJECT
public:
    explicit CCloneProgressDialog(QWidget* owner);

    void Begin(const QString& title);
    // 0..100; the hidden percentage text follows.
    void SetPos(int percent);
    // True once Esc was pressed since the last call.
    bool TakeCancelRequest() { return m_cancel.exchange(false); }
    // Any thread may look at the request without taking it.
    bool CancelPending() const { return m_cancel.load(); }
    void End();

    int Position() const;
    QString PercentText() const;

public slots:
    void reject() override; // Esc: a cancel request, the dialog stays

signals:
    void CancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QProgressBar* m_bar;
    QLabel* m_percent;
    QPushButton* m_cancelButton;
    std::atomic<bool> m_cancel{false};
};
