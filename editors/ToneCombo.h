// The tone entry boxes of the edit dialogs: pick a tone from the list or type one
// ("100", "88.5", "023N", "754i"); what is typed is read by the same rules as
// everywhere else in the program.
#pragma once

#include <QComboBox>

class CToneCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CToneCombo(QWidget* parent = nullptr);
    // The list: "OFF", then the CTCSS tones and "USER".
    virtual void FillList();
    // The tone value a text names (1000 for "OFF"), or -1 when it names none.
    virtual int GetToneCode(const QString& text) const;
    // Shows exactly this text, whether or not the list holds it.
    void SetToneText(const QString& text);
    // The text typed last (or set last).
    const QString& TypedText() const { return m_typed; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool m_withMulti = false;

private:
    QString m_typed;
};

// The receive tone box: "Multi" too (the channel uses its multiple-tone set).
class CRxToneCombo : public CToneCombo {
    Q_OBJECT
public:
    explicit CRxToneCombo(QWidget* parent = nullptr);
    void FillList() override;
};
