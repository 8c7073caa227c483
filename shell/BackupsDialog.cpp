#include "BackupsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "datamodel/memmap/TreeAccess.h"

CBackupsDialog::CBackupsDialog(const CBackups& backups, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Backups"));
    const std::vector<SBackup> list = backups.List();
    const QString folder = QString::fromStdString(backups.Folder());
    auto* intro = new QLabel(
        list.empty() ? QString("There are no backups in %1 yet: one is kept of every image read "
                               "from or written to a repeater.")
                           .arg(folder)
                     : QString("Every image read from or written to a repeater is kept in %1; "
                               "the newest %2 stay. Open one as a new document:")
                           .arg(folder)
                           .arg(CBackups::kLimit),
        this);
    intro->setWordWrap(true);
    intro->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Made by"),
                             QStringLiteral("Model"), QStringLiteral("Repeater comment"),
                             QStringLiteral("File")});
    for (const SBackup& backup : list) {
        QString comment = QString::fromStdString(backup.comment);
        comment.replace('_', ' ');
        QString time = QString::fromStdString(backup.time);
        if (backup.counter > 1) time += QString(" (%1)").arg(backup.counter);
        auto* item = new QTreeWidgetItem(
            m_list, {time,
                     backup.operation == EBackupOperation::Read ? QStringLiteral("read")
                                                                : QStringLiteral("write"),
                     QString::fromStdString(ModelName(backup.model)), comment,
                     QString::fromStdString(CBackups::FileName(backup))});
        item->setData(0, Qt::UserRole, QString::fromStdString(backup.path));
    }
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
    connect(m_list, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Open | QDialogButtonBox::Cancel, this);
    QPushButton* open = buttons->button(QDialogButtonBox::Open);
    open->setDefault(true);
    open->setEnabled(!list.empty());
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_list, 1);
    layout->addWidget(buttons);
    resize(720, 420);
    m_list->setFocus();
}

QString CBackupsDialog::ChosenPath() const {
    const QTreeWidgetItem* item = m_list->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}
