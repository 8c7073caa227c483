// The right-hand frame: one sheet per slot of the view table, made at once, one
// shown at a time. The keyboard focus given to the frame goes to the sheet shown.
#pragma once

#include <QStackedWidget>
#include <vector>

class CCloneManager;
class CSheetView;

class CTolvarListFrame : public QStackedWidget {
    Q_OBJECT
public:
    CTolvarListFrame(CCloneManager& registry, QWidget* parent = nullptr);

    void ShowSheet(int id);
    int GetCurrentViewId() const { return m_view; }
    CSheetView* CurrentSheet() const;
    const std::vector<CSheetView*>& Sheets() const { return m_views; }

private:
    std::vector<CSheetView*> m_views;
    int m_view = 1;
};
