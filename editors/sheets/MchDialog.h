// "Edit Memory CH": one memory channel of either variant in one dialog. The
// controls are described by tables (label, field, kind, range); OK checks every
// typed value by its field's rules and refuses with the reason rather than change
// a value silently.
#pragma once

#include <QDialog>
#include <map>

class CNode;
class CRxToneCombo;
class CToneCombo;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class CCloneManager;

class CTolvarMchDialog : public QDialog {
    Q_OBJECT
public:
    CTolvarMchDialog(CCloneManager& registry, int model, int channel, QWidget* parent = nullptr);

    // Checks and stores the controls into the channel; false (and nothing stored)
    // with the reason when a value is refused.
    bool Store(QString& reason);
    // Controls by field name, for tests.
    QLineEdit* Edit(const QString& field) const;
    QComboBox* Combo(const QString& field) const;
    QCheckBox* Check(const QString& field) const;
    CRxToneCombo* RxTone() const { return m_rxTone; }
    CToneCombo* TxTone() const { return m_txTone; }
    QCheckBox* FreqSimplex() const { return m_freqSimplex; }
    QCheckBox* ToneSimplex() const { return m_toneSimplex; }

public slots:
    void accept() override;

private:
    void Load();
    void UpdateEnabling();

    CCloneManager& m_registry;
    int m_model;
    int m_channel;
    CNode* m_holder;
    std::map<QString, QLineEdit*> m_edits;
    std::map<QString, QComboBox*> m_combos;
    std::map<QString, QCheckBox*> m_checks;
    QCheckBox* m_freqSimplex = nullptr;
    QCheckBox* m_toneSimplex = nullptr;
    CRxToneCombo* m_rxTone = nullptr;
    CToneCombo* m_txTone = nullptr;
    QRadioButton* m_scrambler[3] = {};
    std::vector<QWidget*> m_dependent; // enabled only with a receive frequency
};
