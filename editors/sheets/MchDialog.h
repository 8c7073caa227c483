// "Edit Memory CH": one memory channel of either variant in one dialog, built from
// the core's table of the variant's channel controls. OK checks every value by its
// field's rules and stores them all as one edit, or refuses with the reason.
#pragma once

#include <QDialog>
#include <memory>
#include <vector>

#include "editors/FieldControls.h"

class CNode;
class QBoxLayout;
class QCheckBox;
class QLabel;
class CCloneManager;
struct SChannelEditorGroup;

class CTolvarMchDialog : public QDialog {
    Q_OBJECT
public:
    CTolvarMchDialog(CCloneManager& registry, int model, int channel, QWidget* parent = nullptr);

    int Channel() const { return m_channel; }
    // The control of a field; null when the variant's dialog has none.
    CFieldControl* Control(const QString& field) const;
    QLabel* LabelOf(const QString& field) const;
    QCheckBox* FreqSimplex() const { return m_freqSimplex; }
    QCheckBox* ToneSimplex() const { return m_toneSimplex; }
    // What OK stores: every control's value, the transmit frequency and tone taken
    // from the receive ones where "Simplex" says so, and whether the channel is in
    // use; a channel without a receive frequency only goes out of use.
    std::vector<SFieldEdit> Edits() const;

public slots:
    void accept() override;

private:
    QWidget* MakeGroup(const SChannelEditorGroup& group, QWidget* parent);
    void Load();
    void UpdateEnabling();

    CCloneManager& m_registry;
    int m_model;
    int m_channel;
    CNode* m_holder;
    std::vector<std::unique_ptr<CFieldSet>> m_sets;
    QCheckBox* m_freqSimplex = nullptr;
    QCheckBox* m_toneSimplex = nullptr;
};
