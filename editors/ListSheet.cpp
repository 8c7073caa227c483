#include "ListSheet.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QSettings>
#include <QVBoxLayout>
#include <algorithm>

#include "datamodel/memmap/ChannelEditing.h"
#include "shell/Commands.h"
#include "shell/Document.h"

namespace {

Qt::Alignment AlignmentOf(int format) {
    switch (format) {
    case 1: return Qt::AlignRight;
    case 2: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
    }
}

QColor ColourOf(QRgb value) {
    return value == 0xFFFFFFFF ? QColor() : QColor::fromRgb(value);
}

} // namespace

CListSheet::CListSheet(const SSheetDef& definition, CTolvarCloneSupportDoc& document,
                       QWidget* parent)
    : CSheetView(parent), m_def(definition), m_doc(document), m_grid(new CListViewExs(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    setFocusProxy(m_grid);

    std::vector<SGridColumn> columns;
    for (const SColumnDef& c : m_def.columns)
        columns.push_back({QString::fromUtf8(c.title), AlignmentOf(c.format), ColourOf(c.text),
                           ColourOf(c.background)});
    m_grid->Model().SetColumns(columns);
    // Widths from the profile, kept within each column's limits.
    for (size_t i = 0; i < m_def.columns.size(); ++i) {
        const SColumnDef& c = m_def.columns[i];
        const int stored = QSettings(QStringLiteral("Velk"), QStringLiteral("CS-Tolvar"))
                               .value(QString("%1/Width%2").arg(m_def.section).arg(i), c.width)
                               .toInt();
        m_grid->setColumnWidth(static_cast<int>(i), std::clamp(stored, c.minimum, c.maximum));
    }
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { SaveColumnWidth(column, width); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit TrailingTextChanged(); });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] {
        EditRow();
        m_grid->setFocus();
    });
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    m_grid->setContextMenuPolicy(Qt::DefaultContextMenu);
    SetRows(m_def.rows, 0);
}

void CListSheet::SaveColumnWidth(int column, int width) {
    QSettings(QStringLiteral("Velk"), QStringLiteral("CS-Tolvar"))
        .setValue(QString("%1/Width%2").arg(m_def.section).arg(column), width);
}

void CListSheet::SelectRow(int row) {
    if (row < 0 || row >= m_rows) return;
    m_grid->selectRow(row);
    m_grid->setCurrentIndex(m_grid->Model().index(row, 0));
    m_grid->scrollTo(m_grid->Model().index(row, 0));
}

void CListSheet::SetRows(int count, int offset) {
    const int selected = GetSelectedRow();
    m_rows = std::max(count, 0);
    m_offset = offset;
    m_grid->Model().SetRowCount(m_rows);
    SelectRow(selected < 0 || selected >= m_rows ? 0 : selected);
}

void CListSheet::RefreshAll() {
    for (int row = 0; row < m_rows; ++row)
        RefreshRow(row);
    if (const int row = GetSelectedRow(); row >= 0) m_grid->scrollTo(m_grid->Model().index(row, 0));
    emit TrailingTextChanged();
}

void CListSheet::RefreshOne(int row) {
    RefreshRow(row);
}

void CListSheet::SetCellText(int row, int column, const QString& text) {
    m_grid->Model().SetCellText(row, column, text.left(511));
}

QString CListSheet::TrailingText() const {
    const int row = GetSelectedRow();
    return row >= 0 ? QString(" - CH %1").arg(row + 1) : QStringLiteral("     ");
}

void CListSheet::MarkModified() {
    m_doc.SetModifiedFlag(true);
}

bool CListSheet::OnCommand(int id) {
    const int row = GetSelectedRow();
    const int channel = row + m_offset + 1;
    CChannelEditor channels(m_doc.Registry());
    switch (id) {
    case kCmdEditMemory:
        if (row >= 0) EditRow();
        m_grid->setFocus();
        return true;
    case kCmdCut:
    case kCmdUndo: return true;
    default: break;
    }
    if (!m_channelCommands || row < 0) return false;
    switch (id) {
    case kCmdPrioA: channels.SetPrioA(channel); RefreshAll(); MarkModified(); return true;
    case kCmdEmergency: channels.SetEmergency(channel); RefreshAll(); MarkModified(); return true;
    case kCmdEmergencyOff: channels.SetEmergency(0); RefreshAll(); MarkModified(); return true;
    case kCmdCopy: CopyRow(); break;
    case kCmdPaste: PasteRow(); break;
    case kCmdClear: ClearRow(); break;
    case kCmdDelete: DeleteRow(); break;
    case kCmdInsert: InsertRow(); break;
    default: return false;
    }
    m_grid->setFocus();
    return true;
}

bool CListSheet::OnUpdateCommand(int id, SCommandState& state) {
    const int row = GetSelectedRow();
    const bool channel = m_channelCommands && row >= 0;
    CChannelEditor channels(m_doc.Registry());
    switch (id) {
    case kCmdEditMemory: state = {row >= 0, false}; return true;
    case kCmdPrioA: state = {channel, channel && channels.PrioA() == row + m_offset + 1}; return true;
    case kCmdEmergency:
        state = {channel, channel && channels.Emergency() == row + m_offset + 1};
        return true;
    case kCmdEmergencyOff:
    case kCmdCopy:
    case kCmdClear:
    case kCmdDelete:
    case kCmdInsert: state = {channel, false}; return true;
    case kCmdPaste: state = {channel && CanPaste(), false}; return true;
    default: return false;
    }
}

void CListSheet::ShowContextMenu(const QPoint& at) {
    if (GetSelectedRow() < 0 || m_def.popupMenu == 0) return;
    QMenu menu(this);
    const auto add = [&](int id, const char* text) {
        QAction* action = menu.addAction(QString::fromUtf8(text));
        SCommandState state;
        OnUpdateCommand(id, state);
        action->setEnabled(state.enabled);
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    };
    add(kCmdEditMemory, "&Edit Memory...\tEnter");
    if (m_def.popupMenu == 131) {
        menu.addSeparator();
        add(kCmdPrioA, "Prio A");
        add(kCmdEmergency, "Emergency");
        add(kCmdEmergencyOff, "Emergency OFF");
        menu.addSeparator();
        add(kCmdCopy, "Copy\tCtrl+C");
        add(kCmdPaste, "Paste\tCtrl+V");
        menu.addSeparator();
        add(kCmdClear, "Clear");
        add(kCmdDelete, "Delete\tDelete");
        add(kCmdInsert, "Insert\tInsert");
    }
    menu.exec(at);
}

bool CListSheet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Tab: {
            // The focus goes to the navigation tree.
            if (QWidget* tree = window()->findChild<QWidget*>(QStringLiteral("NavigationTree")))
                tree->setFocus(Qt::TabFocusReason);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            EditRow();
            m_grid->setFocus();
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right: m_grid->viewport()->update(); return true;
        default: break;
        }
    }
    if (watched == m_grid->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            // A click below the last row changes nothing; the right button selects too.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex hit = m_grid->indexAt(mouse->position().toPoint());
            if (!hit.isValid()) return true;
            SelectRow(hit.row());
            if (mouse->button() == Qt::RightButton) return true;
        }
        if (event->type() == QEvent::ContextMenu) {
            auto* menu = static_cast<QContextMenuEvent*>(event);
            const QPoint at = menu->reason() == QContextMenuEvent::Keyboard
                                  ? m_grid->mapToGlobal(QPoint(0, 0))
                                  : menu->globalPos();
            ShowContextMenu(at);
            return true;
        }
    }
    return CSheetView::eventFilter(watched, event);
}
