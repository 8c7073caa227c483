#include "FieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/FieldForm.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/ValueNodes.h"
#include "editors/ToneCombo.h"

namespace {

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

bool HasOptions(const CNode& node) {
    const auto* value = dynamic_cast<const CNumNode*>(&node);
    return value && !value->Options().empty();
}

} // namespace

// ---------------------------------------------------------------------------------------

CFieldControl::CFieldControl(CNode& node, const SEditorField& editorField, int model,
                             QWidget* parent)
    : m_node(node), m_editorField(editorField), m_model(model) {
    EFieldControl kind = editorField.kind;
    if (kind == EFieldControl::Auto)
        kind = HasOptions(node) ? EFieldControl::List : EFieldControl::Edit;
    switch (kind) {
    case EFieldControl::List:
        m_list = new QComboBox(parent);
        m_widget = m_list;
        FillList(model);
        break;
    case EFieldControl::Tone:
        m_tone = new CToneCombo(parent);
        m_tone->FillList();
        m_list = m_tone;
        m_widget = m_tone;
        break;
    case EFieldControl::Check:
        m_check = new QCheckBox(QString::fromUtf8(editorField.label), parent);
        m_widget = m_check;
        break;
    default: {
        m_edit = new QLineEdit(parent);
        m_widget = m_edit;
        int length = editorField.maxLength;
        if (const auto* string = dynamic_cast<const CStringNode*>(&node); string && !length)
            length = static_cast<int>(string->MaxLength());
        if (length > 0)
            m_edit->setMaxLength(length);
        if (editorField.keep || editorField.upper)
            QObject::connect(m_edit, &QLineEdit::textEdited, m_edit,
                             [this](const QString& text) { OnEdited(text); });
        break;
    }
    }
    m_widget->setObjectName(QString::fromUtf8(editorField.field));
    Load();
}

CFieldControl::~CFieldControl() = default;

void CFieldControl::FillList(int model) {
    const auto& value = dynamic_cast<const CNumNode&>(m_node);
    const CNumNode* only = nullptr;
    if (m_editorField.optionsOf && m_node.GetParent()) {
        const QString name = QString::fromUtf8(m_editorField.optionsOf).arg(ModelName(model));
        only = dynamic_cast<const CNumNode*>(m_node.GetParent()->FindChild(name.toStdString()));
    }
    // The other field's list gives the texts and their order, this field the values.
    for (const auto& [text, position] : (only ? only : &value)->Options()) {
        int number = position;
        if (only && !value.FindOption(text, number))
            continue;
        m_list->addItem(FromStd(text), number);
    }
}

void CFieldControl::OnEdited(const QString& text) {
    int caret = m_edit->cursorPosition();
    const QString kept = Filtered(text, m_editorField.keep, m_editorField.upper, caret);
    if (kept == text)
        return;
    m_edit->setText(kept);
    m_edit->setCursorPosition(caret);
}

QString CFieldControl::Filtered(const QString& text, const char* keep, bool upper, int& caret) {
    const QString source = upper ? text.toUpper() : text;
    const QString allowed = keep ? QString::fromLatin1(keep) : QString();
    QString kept;
    int newCaret = caret;
    for (int i = 0; i < source.size(); ++i) {
        if (!keep || allowed.contains(source[i])) {
            kept += source[i];
        } else if (i < caret) {
            --newCaret; // a character removed before the caret moves it back
        }
    }
    caret = std::clamp(newCaret, 0, static_cast<int>(kept.size()));
    return kept;
}

void CFieldControl::Load() {
    const QString text =
        FromStd(m_editorField.form ? m_editorField.form->Shown(m_node) : LeafText(m_node));
    if (m_check) {
        m_check->setChecked(m_node.GetValue() != 0);
    } else if (m_tone) {
        m_tone->SetToneText(text);
    } else if (m_list) {
        m_list->setCurrentIndex(m_list->findData(m_node.GetValue()));
    } else {
        m_edit->setText(text);
    }
}

QString CFieldControl::Text() const {
    if (m_check) {
        const auto* value = dynamic_cast<const CNumNode*>(&m_node);
        const int n = m_check->isChecked() ? 1 : 0;
        const std::string option = value ? value->OptionText(n) : std::string();
        return option.empty() ? QString::number(n) : FromStd(option);
    }
    if (m_tone)
        return m_tone->currentText().trimmed();
    if (m_list)
        return m_list->currentIndex() < 0 ? QString() : m_list->currentText();
    QString text = m_edit->text();
    if (m_editorField.dtmfLetters) {
        text.replace('E', '*');
        text.replace('F', '#');
    }
    if (m_editorField.form) {
        std::string field, why;
        if (m_editorField.form->Typed(m_node, text.toStdString(), field, why))
            text = FromStd(field);
    }
    return text;
}

void CFieldControl::SetText(const QString& text) {
    if (m_check) {
        const auto* value = dynamic_cast<const CNumNode*>(&m_node);
        int n = 0;
        if (value && value->FindOption(text.toStdString(), n))
            m_check->setChecked(n != 0);
        else
            m_check->setChecked(text == "1");
    } else if (m_tone) {
        m_tone->SetToneText(text);
    } else if (m_list) {
        m_list->setCurrentIndex(m_list->findText(text));
    } else {
        m_edit->setText(text);
    }
}

bool CFieldControl::CheckValue(QString& reason) const {
    if (m_list && !m_tone && m_list->currentIndex() < 0) {
        reason = QStringLiteral("%1: choose one of the list").arg(Label());
        return false;
    }
    std::string why;
    if (m_editorField.form && m_edit) {
        std::string field;
        if (!m_editorField.form->Typed(m_node, m_edit->text().toStdString(), field, why)) {
            reason = QStringLiteral("%1: %2").arg(Label(), FromStd(why));
            return false;
        }
    }
    if (CheckLeafText(m_node, Text().toStdString(), why))
        return true;
    reason = QStringLiteral("%1: %2").arg(Label(), FromStd(why));
    return false;
}

bool CFieldControl::Store(QString& reason) {
    if (!CheckValue(reason))
        return false;
    const STreeLeaf leaf{m_node.GetName(), &m_node, m_node.GetParent(), m_model};
    std::string why;
    if (SetLeafText(leaf, Text().toStdString(), why))
        return true;
    reason = QStringLiteral("%1: %2").arg(Label(), FromStd(why));
    return false;
}

// ---------------------------------------------------------------------------------------

CFieldSet::CFieldSet(CNode& node, const std::vector<SEditorField>& fields, int model,
                     QWidget* parent) {
    for (const SEditorField& editorField : fields) {
        CNode* field = node.FindChild(editorField.field);
        if (!field)
            continue;
        m_controls.push_back(std::make_unique<CFieldControl>(*field, editorField, model, parent));
        QLabel* label = nullptr;
        if (!m_controls.back()->Check()) {
            label = new QLabel(QString::fromUtf8(editorField.label), parent);
            label->setBuddy(m_controls.back()->Widget());
        }
        m_labels.push_back(label);
    }
}

CFieldSet::~CFieldSet() = default;

int CFieldSet::AddTo(QGridLayout& grid, int row, int column) const {
    for (size_t i = 0; i < m_controls.size(); ++i, ++row) {
        if (m_labels[i])
            grid.addWidget(m_labels[i], row, column);
        grid.addWidget(m_controls[i]->Widget(), row, column + 1);
    }
    return row;
}

void CFieldSet::Load() {
    for (const auto& control : m_controls)
        control->Load();
}

bool CFieldSet::CheckValues(QString& reason) const {
    for (const auto& control : m_controls)
        if (!control->CheckValue(reason))
            return false;
    return true;
}

bool CFieldSet::Store(QString& reason) {
    if (!CheckValues(reason))
        return false;
    m_before.clear();
    for (const auto& control : m_controls)
        m_before.emplace_back(&control->Node(), LeafText(control->Node()));
    if (!m_registry) {
        for (const auto& control : m_controls)
            if (!control->Store(reason)) {
                Revert();
                return false;
            }
        return true;
    }
    std::vector<STreeLeaf> leaves;
    leaves.reserve(m_controls.size());
    std::vector<SLeafEdit> edits;
    for (const auto& control : m_controls) {
        CNode& node = control->Node();
        leaves.push_back({node.GetName(), &node, node.GetParent(), control->Model()});
    }
    for (size_t i = 0; i < m_controls.size(); ++i)
        edits.push_back({&leaves[i], m_controls[i]->Text().toStdString(),
                         m_controls[i]->Label().toStdString()});
    const std::vector<std::string> errors = ApplyLeafEdits(*m_registry, edits);
    if (errors.empty())
        return true;
    Revert();
    reason = QString::fromStdString(errors.front());
    return false;
}

void CFieldSet::Revert() {
    for (const auto& [node, text] : m_before) {
        if (LeafText(*node) == text)
            continue;
        const STreeLeaf leaf{node->GetName(), node, node->GetParent(), 0};
        std::string unused;
        if (!SetLeafText(leaf, text, unused, true))
            node->SetText(text);
    }
}

CFieldControl* CFieldSet::Control(const QString& field) const {
    for (const auto& control : m_controls)
        if (QString::fromUtf8(control->EditorField().field) == field)
            return control.get();
    return nullptr;
}

QLabel* CFieldSet::LabelOf(const QString& field) const {
    for (size_t i = 0; i < m_controls.size(); ++i)
        if (QString::fromUtf8(m_controls[i]->EditorField().field) == field)
            return m_labels[i];
    return nullptr;
}

// ---------------------------------------------------------------------------------------

void ShowRefusal(CCloneManager& registry, const QString& reason) {
    registry.UI().MessageBox(reason.toStdString(), "", EButtons::Ok, EIcon::Exclamation);
}

CFieldDialog::CFieldDialog(CCloneManager& registry, const QString& title, CNode& node,
                           const std::vector<SEditorField>& fields, int model, QWidget* parent)
    : QDialog(parent), m_registry(registry), m_fields(node, fields, model, this) {
    setWindowTitle(title);
    m_fields.SetRegistry(&registry);
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    m_fields.AddTo(*grid);
    layout->addLayout(grid);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    FocusItem(0);
}

bool CFieldDialog::FocusItem(int index) {
    const auto& controls = m_fields.Controls();
    if (index < 0 || index >= static_cast<int>(controls.size()))
        return false;
    controls[static_cast<size_t>(index)]->Widget()->setFocus();
    return true;
}

void CFieldDialog::accept() {
    QString reason;
    if (!m_fields.Store(reason)) {
        ShowRefusal(m_registry, reason);
        return;
    }
    AfterStore();
    if (IDocumentHost* document = m_registry.Document())
        document->SetModifiedFlag(true);
    QDialog::accept();
}
