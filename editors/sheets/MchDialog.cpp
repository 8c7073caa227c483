#include "MchDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/ToneCodes.h"
#include "datamodel/nodes/ValueNodes.h"
#include "editors/ToneCombo.h"

namespace {

enum class EList { Range, All, Bit };

struct SListField {
    const char* label;
    const char* field;
    EList kind;
    int from = 0, to = 0;
};

struct SCheckField {
    const char* label;
    const char* field;
};

// clang-format off
const std::vector<SListField> kLmrLists = {
    {"Wide/Narrow", "WidNar", EList::Bit},       {"RPT/BASE", "RptBas", EList::Range, 0, 2},
    {"RF PWR", "RfPwr", EList::Range, 0, 2},     {"Lockout", "LockoutL", EList::Range, 0, 2},
    {"Auto Reset", "AutoResetL", EList::All},    {"BASE Log", "BasLogInOfL", EList::Range, 0, 3},
    {"RPT Log", "RptLogInOf", EList::Range, 0, 4}, {"RPT Log ID", "RptLogIdP", EList::Bit},
    {"2Tone", "2Ton", EList::Range, 0, 3},
};
const std::vector<SListField> kPmrLists = {
    {"Wide/Narrow", "WidNar", EList::Bit},       {"RPT/BASE", "RptBas", EList::Range, 0, 2},
    {"RF PWR", "RfPwr", EList::Range, 0, 2},     {"Lockout", "LockoutP", EList::Range, 0, 3},
    {"Auto Reset", "AutoResetP", EList::Range, 0, 3}, {"CH Mute", "Mute", EList::Range, 0, 1},
    {"BASE Log", "BasLogInOfP", EList::Range, 0, 8}, {"RPT Log", "RptLogInOf", EList::Range, 0, 4},
    {"RPT Log ID", "RptLogIdP", EList::Bit},     {"Moni", "Moni", EList::Range, 0, 7},
    {"Sel", "Sel", EList::Range, 0, 2},          {"Call", "Call", EList::Range, 0, 1},
    {"PTT", "PTT", EList::Range, 0, 1},          {"Form", "Form", EList::Range, 0, 9},
    {"RPT", "RPT", EList::Range, 0, 32},         {"STN", "STN", EList::Range, 0, 32},
    {"ID", "Id", EList::Range, 0, 32},           {"Pos", "IdPos", EList::Range, 0, 2},
};
const std::vector<SCheckField> kCommonChecks = {
    {"CH Inhibit", "InhCh"}, {"TX Inhibit", "InhTx"}, {"BASE TOT", "BasTot"},
    {"RPT TOT", "RptTot"},   {"Hang ON", "HangOn"},
};
const std::vector<SCheckField> kPmrLongChecks = {
    {"RPT Long", "RPTLng"}, {"STN Long", "STNLng"}, {"ID Long", "IdLng"},
};
const std::vector<SCheckField> kPmrChecks = {
    {"1", "RxCNo1"}, {"2", "RxCNo2"}, {"3", "RxCNo3"}, {"4", "RxCNo4"},
    {"5", "RxCNo5"}, {"6", "RxCNo6"}, {"7", "RxCNo7"}, {"8", "RxCNo8"},
};
// clang-format on

// The LMR dialog shows the repeater log ID with its own two texts.
const char* const kLmrLogIdTexts[] = {"DTMF", "CW ID"};

QString ToneTextOf(int value, bool multi) {
    return QString::fromStdString(ToneText(value, multi));
}

} // namespace

CTolvarMchDialog::CTolvarMchDialog(CCloneManager& registry, int model, int channel,
                                   QWidget* parent)
    : QDialog(parent), m_registry(registry), m_model(model), m_channel(channel),
      m_holder(CChannelEditor(registry).Holder(channel)) {
    setWindowTitle(QStringLiteral("Edit Memory CH"));
    auto* layout = new QVBoxLayout(this);

    // Frequencies, text, tones.
    auto* freq = new QGroupBox(QStringLiteral("Frequency"), this);
    auto* fg = new QGridLayout(freq);
    const auto edit = [&](const char* field, int maxLength = 0) {
        auto* e = new QLineEdit(this);
        if (maxLength) e->setMaxLength(maxLength);
        m_edits[field] = e;
        return e;
    };
    fg->addWidget(new QLabel(QStringLiteral("RX"), freq), 0, 0);
    fg->addWidget(edit("FreqRx"), 0, 1);
    m_freqSimplex = new QCheckBox(QStringLiteral("Simplex"), freq);
    fg->addWidget(m_freqSimplex, 0, 2);
    fg->addWidget(new QLabel(QStringLiteral("TX"), freq), 1, 0);
    fg->addWidget(edit("FreqTx"), 1, 1);
    auto* tone = new QGroupBox(QStringLiteral("C.Tone"), this);
    auto* tg = new QGridLayout(tone);
    m_rxTone = new CRxToneCombo(tone);
    m_txTone = new CToneCombo(tone);
    m_toneSimplex = new QCheckBox(QStringLiteral("Simplex"), tone);
    tg->addWidget(new QLabel(QStringLiteral("RX"), tone), 0, 0);
    tg->addWidget(m_rxTone, 0, 1);
    tg->addWidget(m_toneSimplex, 0, 2);
    tg->addWidget(new QLabel(QStringLiteral("TX"), tone), 1, 0);
    tg->addWidget(m_txTone, 1, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(freq);
    top->addWidget(tone);
    layout->addLayout(top);

    auto* form = new QGridLayout;
    int row = 0;
    form->addWidget(new QLabel(QStringLiteral("Text"), this), row, 0);
    QLineEdit* text = edit("Text", 10);
    form->addWidget(text, row++, 1);
    // Only the characters a channel name can hold.
    connect(text, &QLineEdit::textEdited, this, [text](const QString& typed) {
        QString kept;
        for (QChar c : typed)
            if (c.unicode() >= 0x20 && c.unicode() <= 0x7D) kept += c;
        if (kept != typed) {
            const int caret = text->cursorPosition();
            text->setText(kept);
            text->setCursorPosition(std::max(0, caret - 1));
        }
    });
    // A row of check boxes for fields.
    const auto checkRow = [&](const std::vector<SCheckField>& fields) {
        auto* row = new QHBoxLayout;
        for (const SCheckField& c : fields) {
            auto* box = new QCheckBox(QString::fromUtf8(c.label), this);
            m_checks[c.field] = box;
            row->addWidget(box);
            m_dependent.push_back(box);
        }
        return row;
    };
    QHBoxLayout* checks = checkRow(kCommonChecks);
    form->addLayout(checks, row++, 0, 1, 4);
    const auto& lists = model == ModelPMR ? kPmrLists : kLmrLists;
    int column = 0;
    for (const SListField& l : lists) {
        auto* combo = new QComboBox(this);
        m_combos[l.field] = combo;
        form->addWidget(new QLabel(QString::fromUtf8(l.label), this), row, column);
        form->addWidget(combo, row, column + 1);
        m_dependent.push_back(combo);
        column += 2;
        if (column >= 6) {
            column = 0;
            ++row;
        }
    }
    if (column) ++row;
    if (model == ModelPMR) {
        QHBoxLayout* longs = checkRow(kPmrLongChecks);
        longs->addStretch(1);
        form->addWidget(new QLabel(QStringLiteral("Long"), this), row, 0);
        form->addLayout(longs, row++, 1, 1, 5);
        QHBoxLayout* extra = checkRow(kPmrChecks);
        extra->addStretch(1);
        form->addWidget(new QLabel(QStringLiteral("RX C-No"), this), row, 0);
        form->addLayout(extra, row++, 1, 1, 5);
    }
    auto* scrambler = new QGroupBox(QStringLiteral("Scrambler"), this);
    auto* sg = new QHBoxLayout(scrambler);
    const char* const states[] = {"OFF", "ON", "Inhibit"};
    for (int i = 0; i < 3; ++i) {
        m_scrambler[i] = new QRadioButton(QString::fromUtf8(states[i]), scrambler);
        sg->addWidget(m_scrambler[i]);
        m_dependent.push_back(m_scrambler[i]);
    }
    sg->addWidget(new QLabel(QStringLiteral("Code"), scrambler));
    sg->addWidget(edit("ScrmCode", 3));
    form->addWidget(scrambler, row++, 0, 1, 6);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    for (QWidget* w : {static_cast<QWidget*>(m_edits["FreqTx"]), static_cast<QWidget*>(m_edits["Text"]),
                       static_cast<QWidget*>(m_freqSimplex), static_cast<QWidget*>(m_toneSimplex),
                       static_cast<QWidget*>(m_rxTone), static_cast<QWidget*>(m_txTone),
                       static_cast<QWidget*>(m_edits["ScrmCode"])})
        m_dependent.push_back(w);
    Load();
    connect(m_edits["FreqRx"], &QLineEdit::textChanged, this, &CTolvarMchDialog::UpdateEnabling);
    connect(m_freqSimplex, &QCheckBox::toggled, this, &CTolvarMchDialog::UpdateEnabling);
    connect(m_toneSimplex, &QCheckBox::toggled, this, &CTolvarMchDialog::UpdateEnabling);
    UpdateEnabling();
}

QLineEdit* CTolvarMchDialog::Edit(const QString& field) const {
    const auto it = m_edits.find(field);
    return it == m_edits.end() ? nullptr : it->second;
}

QComboBox* CTolvarMchDialog::Combo(const QString& field) const {
    const auto it = m_combos.find(field);
    return it == m_combos.end() ? nullptr : it->second;
}

QCheckBox* CTolvarMchDialog::Check(const QString& field) const {
    const auto it = m_checks.find(field);
    return it == m_checks.end() ? nullptr : it->second;
}

void CTolvarMchDialog::Load() {
    if (!m_holder) return;
    const auto node = [&](const char* name) { return m_holder->FindChild(name); };
    const bool inUse = node("ChOn") && node("ChOn")->GetValue() == 1;
    const QString rx = inUse ? QString::fromStdString(node("FreqRx")->GetText()) : QString();
    const QString tx = inUse ? QString::fromStdString(node("FreqTx")->GetText()) : QString();
    m_edits["FreqRx"]->setText(rx);
    m_edits["FreqTx"]->setText(tx);
    m_edits["Text"]->setText(QString::fromStdString(node("Text")->GetText()));
    m_edits["ScrmCode"]->setText(QString::number(node("ScrmCode")->GetValue()));
    for (auto& [field, box] : m_checks)
        if (const CNode* n = node(field.toUtf8().constData())) box->setChecked(n->GetValue() != 0);
    const auto& lists = m_model == ModelPMR ? kPmrLists : kLmrLists;
    for (const SListField& l : lists) {
        QComboBox* combo = m_combos[l.field];
        const auto* value = dynamic_cast<const CNodeValue*>(node(l.field));
        if (!value) continue;
        std::vector<std::pair<QString, int>> items;
        if (m_model == ModelLMR && QString(l.field) == "RptLogIdP") {
            items = {{kLmrLogIdTexts[0], 0}, {kLmrLogIdTexts[1], 1}};
        } else if (l.kind == EList::All) {
            for (const auto& option : value->Options())
                items.emplace_back(QString::fromStdString(option.first), option.second);
        } else {
            const int to = l.kind == EList::Bit ? 1 : l.to;
            for (int n = l.kind == EList::Bit ? 0 : l.from; n <= to; ++n)
                if (const std::string t = value->TextOf(value->Clamp(n)); !t.empty())
                    items.emplace_back(QString::fromStdString(t), value->Clamp(n));
        }
        for (const auto& [t, v] : items)
            combo->addItem(t, v);
        combo->setCurrentIndex(combo->findData(value->Value()));
    }
    const int scrambler = node("ScrmOn")->GetValue();
    m_scrambler[std::clamp(scrambler, 0, 2)]->setChecked(true);
    m_rxTone->FillList();
    m_txTone->FillList();
    const int rxTone = node("CTonRx")->GetValue(), txTone = node("CTonTx")->GetValue();
    m_rxTone->SetToneText(ToneTextOf(rxTone, true));
    m_txTone->SetToneText(ToneTextOf(txTone, false));
    m_freqSimplex->setChecked(inUse && rx == tx);
    m_toneSimplex->setChecked(rxTone == txTone);
}

void CTolvarMchDialog::UpdateEnabling() {
    const bool inUse = !m_edits["FreqRx"]->text().trimmed().isEmpty();
    for (QWidget* w : m_dependent)
        w->setEnabled(inUse);
    if (!inUse) return;
    m_edits["FreqTx"]->setEnabled(!m_freqSimplex->isChecked());
    m_txTone->setEnabled(!m_toneSimplex->isChecked());
}

bool CTolvarMchDialog::Store(QString& reason) {
    if (!m_holder) return false;
    const auto node = [&](const char* name) { return m_holder->FindChild(name); };
    const QString rxText = m_edits["FreqRx"]->text().trimmed();
    const bool inUse = !rxText.isEmpty();
    if (!inUse) {
        // A channel without a receive frequency becomes the blank channel.
        node("ChOn")->SetValue(0);
        return true;
    }
    std::string why;
    int rx = 0, tx = 0;
    const auto* rxNode = dynamic_cast<const CFreqNode*>(node("FreqRx"));
    const auto* txNode = dynamic_cast<const CFreqNode*>(node("FreqTx"));
    const QString txText = m_freqSimplex->isChecked() ? rxText : m_edits["FreqTx"]->text().trimmed();
    if (!rxNode->CheckText(rxText.toStdString(), rx, why)) {
        reason = "RX frequency: " + QString::fromStdString(why);
        return false;
    }
    if (!txNode->CheckText(txText.toStdString(), tx, why)) {
        reason = "TX frequency: " + QString::fromStdString(why);
        return false;
    }
    const auto* textNode = dynamic_cast<const CStringNode*>(node("Text"));
    const std::string name = m_edits["Text"]->text().toStdString();
    if (textNode && !textNode->CheckText(name, why)) {
        reason = "Text: " + QString::fromStdString(why);
        return false;
    }
    const auto notATone = [](const QString& which, const QString& typed) {
        return QString("%1 C.Tone: \"%2\" is not a tone; choose one from the list or type a "
                       "tone such as 88.5 or 100, or a DTCS code such as 023N or 754i")
            .arg(which, typed);
    };
    const int rxTone = m_rxTone->GetToneCode(m_rxTone->currentText());
    if (rxTone < 0) {
        reason = notATone("RX", m_rxTone->currentText());
        return false;
    }
    int txTone = rxTone;
    if (rxTone == kToneMulti) {
        txTone = kToneOff; // a channel on its multiple-tone set sends no tone
    } else if (!m_toneSimplex->isChecked()) {
        txTone = m_txTone->GetToneCode(m_txTone->currentText());
        if (txTone < 0) {
            reason = notATone("TX", m_txTone->currentText());
            return false;
        }
    }
    bool codeOk = false;
    const int code = m_edits["ScrmCode"]->text().trimmed().toInt(&codeOk);
    const auto* codeNode = dynamic_cast<const CNodeValue*>(node("ScrmCode"));
    if (!codeOk || (codeNode && (code < codeNode->Minimum() || code > codeNode->Maximum()))) {
        reason = QString("Scrambler code: \"%1\" is not a number from %2 to %3")
                     .arg(m_edits["ScrmCode"]->text())
                     .arg(codeNode ? codeNode->Minimum() : 0)
                     .arg(codeNode ? codeNode->Maximum() : 0);
        return false;
    }
    // Every value is good: store.
    node("FreqRx")->SetValue(rx);
    node("FreqTx")->SetValue(tx);
    node("Text")->SetText(name);
    node("CTonRx")->SetValue(rxTone);
    node("CTonTx")->SetValue(txTone);
    node("ScrmCode")->SetValue(code);
    for (int i = 0; i < 3; ++i)
        if (m_scrambler[i]->isChecked()) node("ScrmOn")->SetValue(i);
    for (auto& [field, box] : m_checks)
        if (CNode* n = node(field.toUtf8().constData())) n->SetValue(box->isChecked() ? 1 : 0);
    for (auto& [field, combo] : m_combos)
        if (CNode* n = node(field.toUtf8().constData()); n && combo->currentIndex() >= 0)
            n->SetValue(combo->currentData().toInt());
    node("ChOn")->SetValue(1);
    return true;
}

void CTolvarMchDialog::accept() {
    QString reason;
    if (!Store(reason)) {
        m_registry.UI().MessageBox(reason.toStdString(), "", EButtons::Ok, EIcon::Exclamation);
        return;
    }
    if (IDocumentHost* document = m_registry.Document()) document->SetModifiedFlag(true);
    QDialog::accept();
}
