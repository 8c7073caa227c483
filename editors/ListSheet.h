// The sheet framework: one view of the right-hand frame showing one table of the
// memory map in a grid, with its definition (columns, widths kept in the profile,
// context menu), a single selected row, and the Edit commands routed to that row.
// Subclasses fill the rows from the nodes and do the row operations.
#pragma once

#include <QColor>

#include "editors/ListGrid.h"
#include "shell/SheetView.h"

class CTolvarCloneSupportDoc;
class QMenu;

struct SColumnDef {
    const char* title;
    int format; // 0 left, 1 right, 2 centred
    int width, minimum, maximum;
    QRgb text = 0xFFFFFFFF;       // 0xFFFFFFFF: none of its own
    QRgb background = 0xFFFFFFFF; // 0xFFFFFFFF: none of its own
    int printWidth = 0;
};

struct SSheetDef {
    const char* name;
    int rows;
    const char* section; // the profile section of the column widths ("Column_MchLMRSheet")
    int popupMenu;       // 131, 132, or 0 for none
    std::vector<SColumnDef> columns;
};

class CListSheet : public CSheetView {
    Q_OBJECT
public:
    CListSheet(const SSheetDef& definition, CTolvarCloneSupportDoc& document,
               QWidget* parent = nullptr);

    // The row operations; the base does nothing.
    virtual void RefreshRow(int /*row*/) {}
    virtual void EditRow() {}
    virtual void CopyRow() {}
    virtual void ClearChannel(int /*n*/) {}
    virtual void ClearRow() {}
    virtual void PasteRow() {}
    virtual void DeleteRow() {}
    virtual void InsertRow() {}
    // Whether the clipboard holds a record of this sheet's kind.
    virtual bool CanPaste() const { return false; }
    virtual QString GetSheetName() const { return QString::fromUtf8(m_def.name); }
    // The footer of printed pages: "CS-Tolvar Revision 1.4".
    QString GetPrintTitle() const;
    // Its grid as printed pages (ListSheetPrint.cpp).
    bool PrintSheet(CPagePrinter& printer) override;

    void SelectRow(int row);
    void SetRows(int count, int offset);
    void RefreshAll();
    void RefreshOne(int row);
    void SetCellText(int row, int column, const QString& text);
    int GetSelectedRow() const { return m_grid->GetSelectedRow(); }
    int RowCount() const { return m_rows; }
    int Offset() const { return m_offset; }
    CListViewExs& Grid() const { return *m_grid; }
    const SSheetDef& Definition() const { return m_def; }

    bool OnCommand(int id) override;
    bool OnUpdateCommand(int id, SCommandState& state) override;
    void OnUpdate() override { RefreshAll(); }
    QString TrailingText() const override;

protected:
    CTolvarCloneSupportDoc& Document() const { return m_doc; }
    // The channel commands (Prio A .. Insert) are offered only when set.
    void SetChannelCommands(bool on) { m_channelCommands = on; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void MarkModified();

private:
    void ShowContextMenu(const QPoint& at);
    void SaveColumnWidth(int column, int width);

    const SSheetDef& m_def;
    CTolvarCloneSupportDoc& m_doc;
    CListViewExs* m_grid;
    int m_rows = 0;
    int m_offset = 0;
    bool m_channelCommands = true;
};
