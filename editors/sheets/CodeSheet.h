// The code-channel sheets: one row per code channel (or entry), one column per
// field, all drawn from the core's sheet tables. One class shows every such sheet;
// the named subclasses are the sheets with behaviour of their own.
#pragma once

#include <QDialog>
#include <functional>

#include "editors/ListSheet.h"

struct SCodeSheet;

class CCodeSheet : public CListSheet {
    Q_OBJECT
public:
    CCodeSheet(const SCodeSheet& table, CTolvarCloneSupportDoc& document, QWidget* parent);

    void OnUpdate() override;
    void RefreshRow(int row) override;
    void EditRow() override;
    QString TrailingText() const override;
    const SCodeSheet& Table() const { return m_table; }
    // Tests: what runs the editor (exec by default); it returns whether OK was chosen.
    void SetDialogRunner(std::function<bool(QDialog&)> runner) { m_runDialog = std::move(runner); }

protected:
    // The multiple-tone set shown (1..32); 1 for the other sheets.
    int m_set = 1;

private:
    const SCodeSheet& m_table;
    std::function<bool(QDialog&)> m_runDialog;
};

// The multiple tones of one set: the rows follow the set's size, the tones are
// numbered on over the sets before it.
class CTolvarMultiToneSheet : public CCodeSheet {
    Q_OBJECT
public:
    CTolvarMultiToneSheet(CTolvarCloneSupportDoc& document, QWidget* parent);
    void SetSetNumber(int set) override;
    // "Multiple Tone 5".
    QString GetSheetName() const override;
};

// 2Tone receive code channels: a tone typed in the editor moves its decode window.
class CTolvar2ToneRxSheet : public CCodeSheet {
    Q_OBJECT
public:
    CTolvar2ToneRxSheet(CTolvarCloneSupportDoc& document, QWidget* parent);
};

// 5Tone code channels: the group tone shows as "G" in the codes.
class CTolvar5ToneRxSheet : public CCodeSheet {
    Q_OBJECT
public:
    CTolvar5ToneRxSheet(CTolvarCloneSupportDoc& document, QWidget* parent);
};

class CQ5ToneTxSheet : public CCodeSheet {
    Q_OBJECT
public:
    CQ5ToneTxSheet(CTolvarCloneSupportDoc& document, QWidget* parent);
};

// The sheet of a code-channel view id (3 for the multiple tones); null for others.
CCodeSheet* MakeCodeSheet(int view, CTolvarCloneSupportDoc& document, QWidget* parent);
