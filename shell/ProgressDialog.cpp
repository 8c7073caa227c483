#include "ProgressDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CCloneProgressDialog::CCloneProgressDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_bar(new QProgressBar(this)), m_percent(new QLabel(QStringLiteral(" 0 %"), this)),
      m_cancelButton(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("CloningProgress"));
    setWindowTitle(QStringLiteral("Cloning"));
    setWindowModality(Qt::ApplicationModal);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_percent->setVisible(false);
    m_cancelButton->setVisible(false);
    m_cancelButton->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_bar);
    setFixedSize(260, 60);
}

void CCloneProgressDialog::Begin(const QString& title) {
    setWindowTitle(title.isEmpty() ? QStringLiteral("Cloning") : title);
    m_cancel = false;
    SetPos(0);
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void CCloneProgressDialog::SetPos(int percent) {
    m_bar->setValue(percent);
    const int shown = percent == 100 ? 100 : percent % 100;
    const QString text = QString("%1%").arg(shown);
    if (m_percent->text() != text) m_percent->setText(text);
}

void CCloneProgressDialog::End() {
    hide();
}

int CCloneProgressDialog::Position() const {
    return m_bar->value();
}

QString CCloneProgressDialog::PercentText() const {
    return m_percent->text();
}

void CCloneProgressDialog::reject() {
    m_cancel = true;
    emit CancelRequested();
}

void CCloneProgressDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        reject();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCloneProgressDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
}
