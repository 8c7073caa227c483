// The main window: menus, toolbar, coloured status bar and the four panes (two
// header strips, the navigation tree and the right-hand frame). Every command goes
// first to the sheet shown, then to the document, the frame and the application.
#pragma once

#include <QMainWindow>
#include <map>

#include "editors/SheetView.h"
#include "shell/Commands.h"

struct SComparison;

class CCompareWindow;
class CPrintJob;
class CProfile;
class CQMessageView;
class CQtUserInteraction;
class CTolvarCloneSupportDoc;
class CTolvarListFrame;
class CTolvarTreeView;
class QAction;
class QLabel;
class QSplitter;

class CTolvarMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CTolvarMainFrame(CTolvarCloneSupportDoc& document, CQtUserInteraction& ui, CProfile& profile);
    ~CTolvarMainFrame() override;

    void ShowView(int id);
    int GetCurrentViewId() const;
    void ActivateMakerReserve();
    void RebuildTree();
    // Runs a command as its menu item, key or button would.
    void OnCommand(ECommand command);
    // The state a command's menu item and button show now.
    SCommandState CommandState(ECommand command) const;
    // Recomputes every action's enable and check state; runs whenever the selection,
    // the clipboard or the document changes.
    void UpdateCommandUI();

    QAction* Action(ECommand command) const;
    // The application's print job; the print commands stay disabled without one.
    void SetPrintJob(CPrintJob* job);
    CTolvarTreeView* Tree() const { return m_tree; }
    CTolvarListFrame* ListFrame() const { return m_list; }
    CQMessageView* LeftHeader() const { return m_leftHeader; }
    CQMessageView* RightHeader() const { return m_rightHeader; }
    QLabel* MessagePane() const { return m_message; }
    QLabel* ExtraPane() const { return m_extra; }
    QSplitter* ColumnSplitter() const { return m_columns; }
    // The window of the last comparison; null before the first.
    CCompareWindow* CompareWindow() const { return m_compare; }
    // Shows a difference's row in its sheet: the view chosen in the tree, the row
    // selected, the sheet focused; row -1: the view only.
    void GoToDifference(int view, int row);
    // Sets the message pane (the status texts of clone operations).
    void SetMessageText(const QString& text);
    // Writes the window position and toolbar state to the profile.
    void SavePosition();
    // The help window's text source: docs/manual.md found beside the program.
    static QString ManualPath();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    void BuildPanes();
    void UpdateTitle();
    void UpdateRecentFiles();
    void OnAppCommand(ECommand command);
    void ShowContextMenu(const QPoint& at, const std::vector<ECommand>& commands);
    // Puts the window where the profile says, wholly on a screen.
    void PlaceWindow(const QRect& rect);
    void FocusPane(bool next);
    void ShowHelp();
    void ShowPortSettings();
    void ShowComparison(const SComparison& comparison);
    void ShowBackups();

    CTolvarCloneSupportDoc& m_doc;
    CQtUserInteraction& m_ui;
    CProfile& m_profile;
    std::map<ECommand, QAction*> m_actions;
    QToolBar* m_toolbar = nullptr;
    CQMessageView* m_leftHeader = nullptr;
    CQMessageView* m_rightHeader = nullptr;
    CTolvarTreeView* m_tree = nullptr;
    CTolvarListFrame* m_list = nullptr;
    QSplitter* m_columns = nullptr;
    QSplitter* m_leftRows = nullptr;
    QSplitter* m_rightRows = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_extra = nullptr;
    bool m_makerPane = false;
    CPrintJob* m_print = nullptr;
    CCompareWindow* m_compare = nullptr;
};
