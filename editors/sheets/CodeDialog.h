// The editors of the code-channel sheets: one dialog per sheet, built from the
// sheet table's editor fields (label, control, characters kept while typing),
// loaded from the row's node and checked and stored through the core.
#pragma once

#include <memory>

#include "editors/FieldControls.h"

struct SCodeSheet;
class QLabel;

class CCodeDialog : public CFieldDialog {
    Q_OBJECT
public:
    // row: the sheet's row (0-based) whose node is given.
    CCodeDialog(CCloneManager& registry, const SCodeSheet& sheet, int row, CNode& node,
                QWidget* parent = nullptr);

    // The decode window a 2Tone receive tone box stands for ("970 - 1030 Hz"); null
    // for other editors and for the group channel.
    QLabel* WindowLabel(int tone) const;

public slots:
    void accept() override;

private:
    void AddDecodeWindows();
    void ShowWindow(int tone);
    QLabel* m_windows[2] = {};
    bool m_fixed;
};

// The editor of the sheet's row whose node is given; null when the sheet has none.
std::unique_ptr<QDialog> MakeCodeEditor(CCloneManager& registry, const SCodeSheet& sheet, int row,
                                        CNode& node, QWidget* parent);
