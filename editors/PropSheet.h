// The tabbed edit dialog for settings that fill more than one page: it opens on a
// chosen page with one of its controls focused. OK checks the values of every page
// and stores them all as one edit (a page never shown holds what its fields hold
// and changes nothing); a value a field would not keep refuses OK with the reason,
// shows its page and focuses its control. Cancel stores nothing.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class CCloneManager;
class QTabWidget;
struct SFieldEdit;

class CListEditPropPage : public QWidget {
    Q_OBJECT
public:
    explicit CListEditPropPage(const QString& title, QWidget* parent = nullptr);

    const QString& Title() const { return m_title; }
    // The control table: one control per sheet row the page covers, in row order
    // (a null entry names no control).
    void SetItems(std::vector<QWidget*> items) { m_items = std::move(items); }
    int Count() const { return static_cast<int>(m_items.size()); }
    // The 1-based entry of the control table to focus when the page opens.
    void SetFocusItem(int item) { m_focusItem = item; }
    int GetFocusItem() const { return m_focusItem; }
    // Focuses the control of the focus item; false when the item is outside the
    // table or names no control.
    virtual bool FocusItem();
    // Whether the page was displayed at least once.
    bool Shown() const { return m_shown; }

    // Adds the values the page stores on OK; the base has none.
    virtual void CollectEdits(std::vector<SFieldEdit>& /*edits*/) const {}

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString m_title;
    std::vector<QWidget*> m_items;
    int m_focusItem = 1;
    bool m_shown = false;
};

class CListEditPropSheet : public QDialog {
    Q_OBJECT
public:
    // Refusals are told through the registry's message box.
    CListEditPropSheet(CCloneManager& registry, const QString& caption, QWidget* parent = nullptr,
                       int selectedPage = 0);

    // Adds a page at the end; the sheet owns it.
    void AddPage(CListEditPropPage* page);
    int PageCount() const { return static_cast<int>(m_pages.size()); }
    CListEditPropPage* Page(int index) const;
    // Remembers the page to open on and makes it the current one.
    void SelectStartPage(int index);
    int StartPage() const { return m_startPage; }
    QTabWidget* Tabs() const { return m_tabs; }

public slots:
    // Checks the values of every page, then stores them all; a refusal shows its page
    // and the reason and keeps the sheet open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CCloneManager& m_registry;
    QTabWidget* m_tabs;
    std::vector<CListEditPropPage*> m_pages;
    int m_startPage = 0;
    bool m_initialised = false;
};
