// The "Cloning" progress dialog: what it does and how far ("Reading 42 %"), a progress
// bar and a Cancel button; Cancel and Esc ask the transfer to stop. It is modal while
// it shows, so the main window takes no input but keeps repainting.
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

    // operation: what the transfer does ("Reading", "Writing").
    void Begin(const QString& operation);
    // 0..100; the text follows.
    void SetPos(int percent);
    // True once Esc was pressed since the last call.
    bool TakeCancelRequest() { return m_cancel.exchange(false); }
    // Any thread may look at the request without taking it.
    bool CancelPending() const { return m_cancel.load(); }
    void End();

    int Position() const;
    // "Reading 42 %".
    QString Text() const;
    QPushButton* CancelButton() const { return m_cancelButton; }

public slots:
    void reject() override; // Esc: a cancel request, the dialog stays

signals:
    void CancelRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QProgressBar* m_bar;
    QLabel* m_text;
    QString m_operation = QStringLiteral("Cloning");
    QPushButton* m_cancelButton;
    std::atomic<bool> m_cancel{false};
};
