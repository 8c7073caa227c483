#include "ProgressDialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

CCloneProgressDialog::CCloneProgressDialog(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_bar(new QProgressBar(this)), m_text(new QLabel(this)),
      m_cancelButton(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("CloningProgress"));
    setWindowTitle(QStringLiteral("Cloning"));
    setWindowModality(Qt::ApplicationModal);
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    // Esc works whatever has the focus; the button is there for the mouse.
    m_cancelButton->setAutoDefault(false);
    m_cancelButton->setFocusPolicy(Qt::NoFocus);
    connect(m_cancelButton, &QPushButton::clicked, this, &CCloneProgressDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    setFixedWidth(300);
}

void CCloneProgressDialog::Begin(const QString& operation) {
    m_operation = operation.isEmpty() ? QStringLiteral("Cloning") : operation;
    m_cancel = false;
    m_bar->reset(); // below the range: the first SetPos always shows its text
    SetPos(0);
    adjustSize();
    if (parentWidget()) {
        const QRect owner = parentWidget()->frameGeometry();
        move(owner.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void CCloneProgressDialog::SetPos(int percent) {
    if (m_bar->value() == percent) return;
    m_bar->setValue(percent);
    m_text->setText(QStringLiteral("%1 %2 %").arg(m_operation).arg(percent));
}

void CCloneProgressDialog::End() {
    hide();
}

int CCloneProgressDialog::Position() const {
    return m_bar->value();
}

QString CCloneProgressDialog::Text() const {
    return m_text->text();
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
