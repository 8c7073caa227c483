#include "CodeDialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/CodeSheets.h"
#include "datamodel/nodes/ToneNodes.h"
#include "document/ViewTable.h"

namespace {

// The fields of the editor that the row keeps: the group channels have no tones and
// no code, the DTMF format no timer and length of its own.
std::vector<SEditorField> FieldsOfRow(const CCloneManager& registry, const SCodeSheet& sheet,
                                      int row, const CNode& node) {
    std::vector<SEditorField> fields;
    for (const SEditorField& editorField : sheet.editor) {
        const CNode* field = node.FindChild(editorField.field);
        if (field && CodeFieldApplies(registry, sheet, row, *field))
            fields.push_back(editorField);
    }
    return fields;
}

} // namespace

CCodeDialog::CCodeDialog(CCloneManager& registry, const SCodeSheet& sheet, int row, CNode& node,
                         QWidget* parent)
    : CFieldDialog(registry, QString::fromUtf8(sheet.editorTitle), node,
                   FieldsOfRow(registry, sheet, row, node), registry.Model()->GetModel(), parent),
      m_fixed(CodeRowFixed(sheet, row)) {
    auto* box = static_cast<QVBoxLayout*>(layout());
    if (m_fixed) {
        // The repeater keeps these codes as they are: shown, not changed.
        for (const auto& control : Fields().Controls())
            control->Widget()->setEnabled(false);
        box->insertWidget(box->count() - 1,
                          new QLabel(QStringLiteral("The repeater keeps this code fixed."), this));
    }
    // A channel that decodes IDs shows no text.
    CFieldControl* idDec = Fields().Control(QStringLiteral("IdDec"));
    CFieldControl* text = Fields().Control(QStringLiteral("Text"));
    if (idDec && idDec->Check() && text && !m_fixed) {
        const auto follow = [text](bool on) { text->Widget()->setEnabled(!on); };
        connect(idDec->Check(), &QCheckBox::toggled, this, follow);
        follow(idDec->Check()->isChecked());
    }
    if (sheet.view == kView5ToneFormat)
        box->insertWidget(0, new QLabel(QStringLiteral("Encode"), this));
    if (sheet.view == kView2ToneRx)
        AddDecodeWindows();
    FocusItem(0);
}

void CCodeDialog::accept() {
    // A fixed row has nothing to store.
    if (m_fixed)
        QDialog::accept();
    else
        CFieldDialog::accept();
}

QLabel* CCodeDialog::WindowLabel(int tone) const {
    return tone == 0 || tone == 1 ? m_windows[tone] : nullptr;
}

void CCodeDialog::AddDecodeWindows() {
    auto* box = static_cast<QVBoxLayout*>(layout());
    const char* const fields[] = {"1stFreq", "2ndFreq"};
    for (int tone = 0; tone < 2; ++tone) {
        CFieldControl* control = Fields().Control(QString::fromUtf8(fields[tone]));
        if (!control || !control->Edit())
            continue;
        m_windows[tone] = new QLabel(this);
        m_windows[tone]->setObjectName(QStringLiteral("Window%1").arg(tone + 1));
        box->insertWidget(box->count() - 1, m_windows[tone]);
        connect(control->Edit(), &QLineEdit::textChanged, this, [this, tone] { ShowWindow(tone); });
        ShowWindow(tone);
    }
}

void CCodeDialog::ShowWindow(int tone) {
    const char* const fields[] = {"1stFreq", "2ndFreq"};
    CFieldControl* control = Fields().Control(QString::fromUtf8(fields[tone]));
    const auto* node = control ? dynamic_cast<const CFreqNode*>(&control->Node()) : nullptr;
    if (!node || !m_windows[tone])
        return;
    int value = 0, low = 0, high = 0;
    std::string reason;
    const QString name = tone == 0 ? QStringLiteral("1st") : QStringLiteral("2nd");
    if (!node->CheckText(control->Text().toStdString(), value, reason)) {
        m_windows[tone]->setText(QStringLiteral("%1 decode window: -----").arg(name));
        return;
    }
    CQ2ToneRxChNode::ToneWindow(value, low, high);
    m_windows[tone]->setText(
        QStringLiteral("%1 decode window: %2 - %3 Hz").arg(name).arg(low).arg(high));
}

std::unique_ptr<QDialog> MakeCodeEditor(CCloneManager& registry, const SCodeSheet& sheet, int row,
                                        CNode& node, QWidget* parent) {
    if (!sheet.editorTitle)
        return nullptr;
    return std::make_unique<CCodeDialog>(registry, sheet, row, node, parent);
}
