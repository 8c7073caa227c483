#include "MchDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "datamodel/CloneManager.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/ChannelEditorFields.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/ValueNodes.h"
#include "editors/ToneCombo.h"

namespace {

// Drop lists side by side in a row.
constexpr int kListsPerRow = 3;

} // namespace

CTolvarMchDialog::CTolvarMchDialog(CCloneManager& registry, int model, int channel, QWidget* parent)
    : QDialog(parent), m_registry(registry), m_model(model), m_channel(channel),
      m_holder(CChannelEditor(registry).Holder(channel)) {
    setWindowTitle(QStringLiteral("Edit Memory CH"));
    auto* layout = new QVBoxLayout(this);
    QHBoxLayout* pair = nullptr; // frequency and tone side by side
    QGroupBox* section = nullptr;
    QString sectionTitle;
    for (const SChannelEditorGroup& group : ChannelEditorGroups(model)) {
        if (!m_holder)
            break;
        QWidget* box = nullptr;
        if (*group.section) {
            if (!section || sectionTitle != group.section) {
                sectionTitle = QString::fromUtf8(group.section);
                section = new QGroupBox(sectionTitle, this);
                new QVBoxLayout(section);
                layout->addWidget(section);
            }
            box = MakeGroup(group, section);
            section->layout()->addWidget(box);
            continue;
        }
        section = nullptr;
        box = MakeGroup(group, this);
        if (group.kind == EChannelGroup::Frequency || group.kind == EChannelGroup::Tone) {
            if (!pair) {
                pair = new QHBoxLayout;
                layout->addLayout(pair);
            }
            pair->addWidget(box);
            continue;
        }
        pair = nullptr;
        layout->addWidget(box);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    if (!m_holder)
        return;
    Load();
    connect(Control("FreqRx")->Edit(), &QLineEdit::textChanged, this,
            &CTolvarMchDialog::UpdateEnabling);
    connect(m_freqSimplex, &QCheckBox::toggled, this, &CTolvarMchDialog::UpdateEnabling);
    connect(m_toneSimplex, &QCheckBox::toggled, this, &CTolvarMchDialog::UpdateEnabling);
    UpdateEnabling();
    Control("FreqRx")->Widget()->setFocus();
}

QWidget* CTolvarMchDialog::MakeGroup(const SChannelEditorGroup& group, QWidget* parent) {
    const QString title = QString::fromUtf8(group.title);
    const bool boxed = group.kind == EChannelGroup::Frequency ||
                       group.kind == EChannelGroup::Tone ||
                       (group.kind != EChannelGroup::Flags && !title.isEmpty());
    QWidget* box = boxed ? new QGroupBox(title, parent) : new QWidget(parent);
    m_sets.push_back(std::make_unique<CFieldSet>(*m_holder, group.fields, m_model, box));
    const CFieldSet& set = *m_sets.back();
    const auto labelOf = [&set](const SEditorField& field) {
        return set.LabelOf(QString::fromUtf8(field.field));
    };
    switch (group.kind) {
    case EChannelGroup::Frequency:
    case EChannelGroup::Tone: {
        auto* grid = new QGridLayout(box);
        auto* simplex = new QCheckBox(QStringLiteral("Simplex"), box);
        (group.kind == EChannelGroup::Frequency ? m_freqSimplex : m_toneSimplex) = simplex;
        set.AddTo(*grid);
        grid->addWidget(simplex, 0, 2);
        grid->setColumnStretch(1, 1);
        break;
    }
    case EChannelGroup::Line: {
        auto* row = new QHBoxLayout(box);
        if (!boxed)
            row->setContentsMargins(0, 0, 0, 0);
        for (const auto& control : set.Controls()) {
            if (QLabel* label = labelOf(control->EditorField()))
                row->addWidget(label);
            row->addWidget(control->Widget(), control->Edit() ? 1 : 0);
        }
        if (boxed)
            row->addStretch(1);
        break;
    }
    case EChannelGroup::Flags: {
        auto* row = new QHBoxLayout(box);
        row->setContentsMargins(0, 0, 0, 0);
        if (!title.isEmpty())
            row->addWidget(new QLabel(title, box));
        for (const auto& control : set.Controls())
            row->addWidget(control->Widget());
        row->addStretch(1);
        break;
    }
    case EChannelGroup::Lists: {
        auto* grid = new QGridLayout(box);
        if (!boxed)
            grid->setContentsMargins(0, 0, 0, 0);
        // Each list takes a label column and a control column; a check box goes
        // beside the list before it.
        int at = -1;
        QHBoxLayout* cell = nullptr;
        for (const auto& control : set.Controls()) {
            if (control->Check() && cell) {
                cell->addWidget(control->Widget());
                continue;
            }
            ++at;
            const int row = at / kListsPerRow, column = 2 * (at % kListsPerRow);
            if (QLabel* label = labelOf(control->EditorField()))
                grid->addWidget(label, row, column);
            cell = new QHBoxLayout;
            cell->addWidget(control->Widget(), 1);
            grid->addLayout(cell, row, column + 1);
        }
        for (int c = 0; c < kListsPerRow; ++c)
            grid->setColumnStretch(2 * c + 1, 1);
        break;
    }
    }
    return box;
}

CFieldControl* CTolvarMchDialog::Control(const QString& field) const {
    for (const auto& set : m_sets)
        if (CFieldControl* control = set->Control(field))
            return control;
    return nullptr;
}

QLabel* CTolvarMchDialog::LabelOf(const QString& field) const {
    for (const auto& set : m_sets)
        if (set->Control(field))
            return set->LabelOf(field);
    return nullptr;
}

void CTolvarMchDialog::Load() {
    const CNode* on = m_holder->FindChild("ChOn");
    const bool inUse = on && on->GetValue() == 1;
    QLineEdit* rx = Control("FreqRx")->Edit();
    QLineEdit* tx = Control("FreqTx")->Edit();
    if (!inUse) {
        rx->clear();
        tx->clear();
    }
    m_freqSimplex->setChecked(inUse && rx->text() == tx->text());
    m_toneSimplex->setChecked(Control("CTonRx")->Node().GetValue() ==
                              Control("CTonTx")->Node().GetValue());
}

void CTolvarMchDialog::UpdateEnabling() {
    const bool inUse = !Control("FreqRx")->Text().trimmed().isEmpty();
    for (const auto& set : m_sets)
        for (const auto& control : set->Controls()) {
            if (QString::fromUtf8(control->EditorField().field) == QLatin1String("FreqRx"))
                continue;
            control->Widget()->setEnabled(inUse);
            if (QLabel* label = set->LabelOf(QString::fromUtf8(control->EditorField().field)))
                label->setEnabled(inUse);
        }
    m_freqSimplex->setEnabled(inUse);
    m_toneSimplex->setEnabled(inUse);
    if (!inUse)
        return;
    const auto follow = [this](const char* field, bool simplex) {
        Control(field)->Widget()->setEnabled(!simplex);
        LabelOf(field)->setEnabled(!simplex);
    };
    follow("FreqTx", m_freqSimplex->isChecked());
    follow("CTonTx", m_toneSimplex->isChecked());
}

std::vector<SFieldEdit> CTolvarMchDialog::Edits() const {
    // In use or not: ChOn's own texts for 1 and 0.
    auto* on = dynamic_cast<CNumNode*>(m_holder->FindChild("ChOn"));
    const QString rx = Control("FreqRx")->Text().trimmed();
    const SFieldEdit use{on, m_model, QString::fromStdString(on->OptionText(rx.isEmpty() ? 0 : 1)),
                         QStringLiteral("CH"), nullptr};
    if (rx.isEmpty())
        return {use};
    std::vector<SFieldEdit> edits{use};
    for (const auto& set : m_sets)
        set->CollectEdits(edits);
    const QString rxTone = Control("CTonRx")->Text();
    const std::optional<int> tone = ParseToneText(rxTone.toStdString(), true);
    for (SFieldEdit& edit : edits) {
        const QString field = QString::fromStdString(edit.node->GetName());
        if (field == QLatin1String("FreqTx") && m_freqSimplex->isChecked())
            edit.text = rx;
        if (field != QLatin1String("CTonTx"))
            continue;
        // A channel on its multiple-tone set sends no tone.
        if (tone == kToneMulti)
            edit.text = QStringLiteral("OFF");
        else if (m_toneSimplex->isChecked())
            edit.text = rxTone;
    }
    return edits;
}

void CTolvarMchDialog::accept() {
    if (!m_holder) {
        reject();
        return;
    }
    const std::vector<SFieldEdit> edits = Edits();
    QString reason;
    const SFieldEdit* refused = nullptr;
    if (!ApplyFieldEdits(m_registry, edits, reason, &refused)) {
        ShowRefusal(m_registry, reason, refused);
        return;
    }
    QDialog::accept();
}
