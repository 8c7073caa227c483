#pragma once

#include <QDialog>

#include "document/Backups.h"

class QTreeWidget;

// The backups, newest first: when each was made, by a read or a write, the variant
// and the repeater's comment. Enter, a double-click or Open opens the one chosen.
class CBackupsDialog : public QDialog {
    Q_OBJECT
public:
    CBackupsDialog(const CBackups& backups, QWidget* parent);
    QTreeWidget* List() const { return m_list; }
    // The file of the backup chosen; empty when none is.
    QString ChosenPath() const;

private:
    QTreeWidget* m_list = nullptr;
};
