#include "ListSheet.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSettings>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/SettingSheets.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/ValueNodes.h"
#include "document/Product.h"

namespace {

// Digits typed within this time make one number ("1" then "2": 12).
constexpr qint64 kTypeAheadMs = 1000;

QSettings Profile() {
    return QSettings(QString::fromUtf8(kProfileOrganisation), QString::fromUtf8(kProfileApplication));
}

QString WidthKey(const SViewDef& view, int column) {
    return QString("%1/Width%2").arg(QString::fromUtf8(view.section)).arg(column);
}

} // namespace

CListSheet::CListSheet(CCloneManager& registry, const SViewDef& view, QWidget* parent)
    : CSheetView(parent), m_registry(registry), m_model(new CSheetModel(registry, view, this)),
      m_grid(new CListViewExs(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    setFocusProxy(m_grid);
    m_grid->setModel(m_model);
    LoadColumnWidths();
    connect(m_grid->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { SaveColumnWidth(column, width); });
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        emit TrailingTextChanged();
        emit CommandStatesChanged();
    });
    connect(m_model, &CSheetModel::modelReset, this, [this] {
        // The rows were read again with another count: a row stays selected.
        const int rows = RowCount();
        if (rows > 0) SelectRow(std::clamp(m_grid->currentIndex().row(), 0, rows - 1));
    });
    connect(m_model, &CSheetModel::RowsRefreshed, this, [this] {
        emit TrailingTextChanged();
        emit CommandStatesChanged();
    });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this] { EditSelected(); });
    m_grid->installEventFilter(this);
    m_grid->viewport()->installEventFilter(this);
    m_grid->setContextMenuPolicy(Qt::DefaultContextMenu);
    SelectRow(0);
}

void CListSheet::LoadColumnWidths() {
    const QSettings profile = Profile();
    const std::vector<SViewColumn>& columns = View().columns;
    const QSignalBlocker quiet(m_grid->horizontalHeader());
    for (size_t i = 0; i < columns.size(); ++i) {
        const SViewColumn& c = columns[i];
        const int stored = profile.value(WidthKey(View(), static_cast<int>(i)), c.width).toInt();
        m_grid->setColumnWidth(static_cast<int>(i), std::clamp(stored, c.minimum, c.maximum));
    }
    if (View().sheet == ESheetKind::Setting) FitColumns();
}

void CListSheet::FitColumns() {
    // The default widths are for a narrower font than most desktops use: a column
    // the user never sized starts wide enough for its row titles and for the texts
    // its values can take.
    const QFontMetrics metrics(m_grid->font());
    const SSettingSheet& table = *View().setting;
    const CNode* node = m_model->Rows().RowNode(0);
    int fit[2] = {0, 0};
    for (const SSettingRow& row : table.rows) {
        fit[0] = std::max(fit[0], metrics.horizontalAdvance(QString::fromUtf8(row.title)));
        QStringList texts;
        if (row.fields.size() > 1) texts << QString(static_cast<int>(row.fields.size()), QChar('8'));
        const CNode* field =
            node && row.fields.size() == 1 ? node->FindChild(row.fields[0].field) : nullptr;
        if (field) texts << QString::fromStdString(LeafText(*field));
        if (const auto* value = dynamic_cast<const CNumNode*>(field))
            for (const auto& option : value->Options())
                texts << QString::fromStdString(option.first);
        for (const QString& text : texts)
            fit[1] = std::max(fit[1], metrics.horizontalAdvance(text));
    }
    const QSettings profile = Profile();
    for (int column = 0; column < 2; ++column) {
        if (profile.contains(WidthKey(View(), column))) continue;
        const int wanted = std::min(fit[column] + 16, 400);
        if (wanted > m_grid->columnWidth(column)) m_grid->setColumnWidth(column, wanted);
    }
}

void CListSheet::SaveColumnWidth(int column, int width) {
    Profile().setValue(WidthKey(View(), column), width);
}

void CListSheet::ShowView(int id) {
    // The rows follow every change while shown and catch up when shown again.
    if (const SViewDef* view = ViewOf(id); view && view->slot == View().slot)
        m_model->SetView(*view);
    m_model->SetLive(true);
    if (GetSelectedRow() < 0 && RowCount() > 0) SelectRow(0);
    if (const int row = GetSelectedRow(); row >= 0) m_grid->scrollTo(m_model->index(row, 0));
    emit TrailingTextChanged();
}

void CListSheet::SelectRow(int row) {
    SelectRows(row, row);
}

void CListSheet::SelectRows(int first, int last) {
    if (first < 0 || last >= RowCount() || first > last) return;
    const QModelIndex at = m_model->index(first, 0);
    // Through the view, so that Shift with an arrow key extends from here.
    m_grid->setCurrentIndex(at);
    m_grid->selectionModel()->select(QItemSelection(at, m_model->index(last, 0)),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_grid->scrollTo(at);
}

void CListSheet::AllowSeveralRows() {
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

bool CListSheet::SeveralRows() const {
    return m_grid->selectionMode() == QAbstractItemView::ExtendedSelection;
}

QString CListSheet::TrailingText() const {
    return QString::fromStdString(m_model->Rows().Status(GetSelectedRow()));
}

void CListSheet::EditSelected() {
    if (SelectedRows().size() == 1) EditRow();
    m_grid->setFocus();
}

bool CListSheet::OnCommand(ECommand command) {
    switch (command) {
    case ECommand::EditMemory: EditSelected(); return true;
    case ECommand::Cut: return true;
    default: return false;
    }
}

bool CListSheet::OnUpdateCommand(ECommand command, SCommandState& state) const {
    switch (command) {
    // The channel commands stay disabled unless a sheet with channels takes them.
    case ECommand::EditMemory: state = {SelectedRows().size() == 1, false}; return true;
    default: return false;
    }
}

bool CListSheet::TypeAhead(const QString& text) {
    if (text.isEmpty() || !text.at(0).isLetterOrNumber()) return false;
    if (!m_typedAt.isValid() || m_typedAt.elapsed() > kTypeAheadMs) m_typed.clear();
    m_typedAt.restart();
    m_typed += text;
    // The row titled with what was typed, else the first that starts with it; when
    // none does, what was typed last starts afresh.
    for (const QString& wanted : {m_typed, text}) {
        int prefix = -1;
        for (int row = 0; row < RowCount(); ++row) {
            const QString title = m_model->CellText(row, 0).trimmed();
            if (title.compare(wanted, Qt::CaseInsensitive) == 0) {
                SelectRow(row);
                m_typed = wanted;
                return true;
            }
            if (prefix < 0 && title.startsWith(wanted, Qt::CaseInsensitive)) prefix = row;
        }
        if (prefix >= 0) {
            SelectRow(prefix);
            m_typed = wanted;
            return true;
        }
    }
    return true;
}

bool CListSheet::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)
            if (TypeAhead(key->text())) return true;
        // Any other key ends a number being typed.
        m_typed.clear();
        switch (key->key()) {
        case Qt::Key_Tab: {
            // The focus goes to the navigation tree.
            if (QWidget* tree = window()->findChild<QWidget*>(QStringLiteral("NavigationTree")))
                tree->setFocus(Qt::TabFocusReason);
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter: EditSelected(); return true;
        case Qt::Key_Home:
        case Qt::Key_End: {
            const bool home = key->key() == Qt::Key_Home;
            const int to = home ? 0 : RowCount() - 1;
            const std::vector<int> rows = SelectedRows();
            if (modifiers == Qt::ShiftModifier && SeveralRows() && !rows.empty()) {
                // The block grows from its far end to the first or last row; the
                // keyboard moves there.
                SelectRows(home ? 0 : rows.front(), home ? rows.back() : to);
                m_grid->selectionModel()->setCurrentIndex(m_model->index(to, 0),
                                                          QItemSelectionModel::NoUpdate);
                m_grid->scrollTo(m_model->index(to, 0));
            } else {
                SelectRow(to);
            }
            return true;
        }
        case Qt::Key_Left:
        case Qt::Key_Right:
            m_grid->horizontalScrollBar()->triggerAction(key->key() == Qt::Key_Left
                                                             ? QAbstractSlider::SliderSingleStepSub
                                                             : QAbstractSlider::SliderSingleStepAdd);
            return true;
        case Qt::Key_F10:
            if (modifiers != Qt::ShiftModifier) break;
            [[fallthrough]];
        case Qt::Key_Menu: OpenContextMenu(std::nullopt); return true;
        default: break;
        }
    }
    // A context menu asked for by a key comes to the grid, by the mouse to its viewport.
    if ((watched == m_grid || watched == m_grid->viewport()) &&
        event->type() == QEvent::ContextMenu) {
        const auto* menu = static_cast<QContextMenuEvent*>(event);
        OpenContextMenu(menu->reason() == QContextMenuEvent::Keyboard
                            ? std::nullopt
                            : std::optional<QPoint>(menu->globalPos()));
        return true;
    }
    if (watched == m_grid->viewport()) {
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            // A click below the last row changes nothing; the right button selects too,
            // unless it is on a selected row. Shift and Ctrl clicks extend the selection
            // where several rows may be selected.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex hit = m_grid->indexAt(mouse->position().toPoint());
            if (!hit.isValid()) return true;
            const bool extend = SeveralRows() && mouse->button() == Qt::LeftButton &&
                                (mouse->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
            const std::vector<int> rows = SelectedRows();
            const bool onSelection = std::find(rows.begin(), rows.end(), hit.row()) != rows.end();
            if (mouse->button() == Qt::RightButton && onSelection) {
                m_grid->setFocus(Qt::MouseFocusReason);
                return true;
            }
            if (!extend) SelectRow(hit.row());
            m_grid->setFocus(Qt::MouseFocusReason);
            if (mouse->button() == Qt::RightButton) return true;
        }
    }
    return CSheetView::eventFilter(watched, event);
}

void CListSheet::OpenContextMenu(std::optional<QPoint> at) {
    if (GetSelectedRow() < 0) return;
    // From the keyboard the menu opens under the selected row.
    if (!at)
        at = m_grid->viewport()->mapToGlobal(m_grid->visualRect(m_grid->currentIndex()).bottomLeft());
    emit ContextMenuRequested(*at, ContextCommands());
}
