// A sheet: one view of the right-hand frame showing the rows of a view in a grid,
// with the view's columns (widths kept in the profile), one selected row, list
// keys (Home, End, Page Up, Page Down, a row's number typed), Enter and a double
// click to edit the row, and the context menu. What editing a row opens, and the
// channel commands, belong to the sheets made from it.
#pragma once

#include <QElapsedTimer>
#include <optional>

#include "editors/ListGrid.h"
#include "editors/SheetModel.h"
#include "editors/SheetView.h"

class CCloneManager;

class CListSheet : public CSheetView {
    Q_OBJECT
public:
    CListSheet(CCloneManager& registry, const SViewDef& view, QWidget* parent = nullptr);

    void ShowView(int id) override;
    const SViewDef& View() const { return m_model->View(); }
    CSheetModel& Model() const { return *m_model; }
    CListViewExs& Grid() const { return *m_grid; }
    int GetSelectedRow() const { return m_grid->GetSelectedRow(); }
    std::vector<int> SelectedRows() const { return m_grid->SelectedRows(); }
    int RowCount() const { return m_model->rowCount(); }
    // Selects one row (the keyboard on it), or the rows first to last.
    void SelectRow(int row);
    void SelectRows(int first, int last);

    bool OnCommand(ECommand command) override;
    bool OnUpdateCommand(ECommand command, SCommandState& state) const override;
    QString TrailingText() const override;

protected:
    CCloneManager& Registry() const { return m_registry; }
    // Several rows can be selected: Shift and Ctrl with a click, Shift with the
    // arrow keys, Home and End, Ctrl+A.
    void AllowSeveralRows();
    bool SeveralRows() const;
    // Opens the editor of the selected row.
    virtual void EditRow() {}
    // The items of the context menu.
    virtual std::vector<ECommand> ContextCommands() const { return {ECommand::EditMemory}; }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EditSelected();
    // The context menu at a global position; none: under the selected row.
    void OpenContextMenu(std::optional<QPoint> at);
    void LoadColumnWidths();
    void FitColumns();
    void SaveColumnWidth(int column, int width);
    // A row's number typed: the row whose title it is.
    bool TypeAhead(const QString& text);

    CCloneManager& m_registry;
    CSheetModel* m_model;
    CListViewExs* m_grid;
    QString m_typed;
    QElapsedTimer m_typedAt;
};
