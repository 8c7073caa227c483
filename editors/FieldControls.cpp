#include "FieldControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "datamodel/CloneManager.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/FieldForm.h"
#include "datamodel/memmap/ToneCodes.h"
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
    case EFieldControl::Tone: {
        // A receive tone that may use the multiple-tone set also lists "Multi".
        const auto* value = dynamic_cast<const CNumNode*>(&node);
        const bool multi = value && !value->OptionText(kToneMulti).empty();
        m_tone = multi ? new CRxToneCombo(parent) : new CToneCombo(parent);
        m_tone->FillList();
        m_list = m_tone;
        m_widget = m_tone;
        break;
    }
    case EFieldControl::Radio:
        MakeButtons(parent);
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

QString CFieldControl::Name() const {
    return QString::fromUtf8(m_editorField.name ? m_editorField.name : m_editorField.label);
}

QWidget* CFieldControl::FocusWidget() const {
    if (m_buttons.empty())
        return m_widget;
    for (QRadioButton* button : m_buttons)
        if (button->isChecked())
            return button;
    return m_buttons.front();
}

void CFieldControl::MakeButtons(QWidget* parent) {
    m_widget = new QWidget(parent);
    auto* row = new QHBoxLayout(m_widget);
    row->setContentsMargins(0, 0, 0, 0);
    const auto& value = dynamic_cast<const CNumNode&>(m_node);
    QStringList texts;
    if (m_editorField.buttons)
        texts = QString::fromUtf8(m_editorField.buttons).split('|');
    else
        for (const auto& option : value.Options())
            texts << FromStd(option.first);
    for (const QString& text : texts) {
        auto* button = new QRadioButton(text, m_widget);
        button->setObjectName(QStringLiteral("%1%2")
                                  .arg(QString::fromUtf8(m_editorField.field))
                                  .arg(m_buttons.size()));
        m_buttons.push_back(button);
        row->addWidget(button);
    }
}

void CFieldControl::FillList(int model) {
    const auto& value = dynamic_cast<const CNumNode&>(m_node);
    const CNumNode* only = nullptr;
    if (m_editorField.optionsOf && m_node.GetParent()) {
        QString name = QString::fromUtf8(m_editorField.optionsOf);
        if (name.contains(QLatin1String("%1")))
            name = name.arg(QString::fromUtf8(ModelName(model)));
        only = dynamic_cast<const CNumNode*>(m_node.GetParent()->FindChild(name.toStdString()));
    }
    // The other field's list gives the texts and their order, this field the values.
    for (const auto& [text, position] : (only ? only : &value)->Options()) {
        int number = position;
        if ((only && m_editorField.optionsByValue) ? value.OptionText(number).empty()
                                                   : (only && !value.FindOption(text, number)))
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
    } else if (!m_buttons.empty()) {
        const int n = m_node.GetValue();
        if (n >= 0 && n < static_cast<int>(m_buttons.size()))
            m_buttons[static_cast<size_t>(n)]->setChecked(true);
    } else if (m_tone) {
        m_tone->SetToneText(text);
    } else if (m_list) {
        m_list->setCurrentIndex(m_list->findData(m_node.GetValue()));
    } else {
        m_edit->setText(text);
    }
}

int CFieldControl::ChosenValue() const {
    if (m_check)
        return m_check->isChecked() ? 1 : 0;
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i]->isChecked())
            return static_cast<int>(i);
    return m_list && m_list->currentIndex() >= 0 ? m_list->currentData().toInt() : -1;
}

QString CFieldControl::Text() const {
    if (m_tone)
        return m_tone->currentText().trimmed();
    if (m_check || m_list || !m_buttons.empty()) {
        // The field's own text of the value chosen (a list may show other texts).
        const int n = ChosenValue();
        if (n < 0)
            return QString();
        const auto* value = dynamic_cast<const CNumNode*>(&m_node);
        const std::string option = value ? value->OptionText(n) : std::string();
        return option.empty() ? QString::number(n) : FromStd(option);
    }
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
    } else if (!m_buttons.empty()) {
        for (QRadioButton* button : m_buttons)
            if (button->text() == text)
                button->setChecked(true);
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
        reason = QStringLiteral("%1: choose one of the list").arg(Name());
        return false;
    }
    std::string why;
    if (m_editorField.form && m_edit) {
        std::string field;
        if (!m_editorField.form->Typed(m_node, m_edit->text().toStdString(), field, why)) {
            reason = QStringLiteral("%1: %2").arg(Name(), FromStd(why));
            return false;
        }
    }
    if (CheckLeafText(m_node, Text().toStdString(), why))
        return true;
    reason = QStringLiteral("%1: %2").arg(Name(), FromStd(why));
    return false;
}

SFieldEdit CFieldControl::ToEdit() {
    return {&m_node, m_model, Text(), Name(), this};
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
        // Check boxes and buttons carry their own texts.
        if (!m_controls.back()->Check() && m_controls.back()->Buttons().empty()) {
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

void CFieldSet::CollectEdits(std::vector<SFieldEdit>& edits) const {
    for (const auto& control : m_controls)
        edits.push_back(control->ToEdit());
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

bool ApplyFieldEdits(CCloneManager& registry, const std::vector<SFieldEdit>& edits, QString& reason,
                     const SFieldEdit** refused) {
    // First every value by its field's rules, the control's own text by the control.
    for (const SFieldEdit& edit : edits) {
        std::string why;
        bool taken = false;
        if (edit.control && edit.text == edit.control->Text())
            taken = edit.control->CheckValue(reason);
        else if (!(taken = CheckLeafText(*edit.node, edit.text.toStdString(), why)))
            reason = QStringLiteral("%1: %2").arg(edit.name, FromStd(why));
        if (!taken) {
            if (refused)
                *refused = &edit;
            return false;
        }
    }
    std::vector<STreeLeaf> leaves;
    leaves.reserve(edits.size());
    for (const SFieldEdit& edit : edits)
        leaves.push_back({edit.node->GetName(), edit.node, edit.node->GetParent(), edit.model});
    std::vector<SLeafEdit> batch;
    batch.reserve(edits.size());
    for (size_t i = 0; i < edits.size(); ++i)
        batch.push_back({&leaves[i], edits[i].text.toStdString(), edits[i].name.toStdString()});
    const std::vector<std::string> errors = ApplyLeafEdits(registry, batch);
    if (errors.empty())
        return true;
    reason = FromStd(errors.front());
    if (refused) {
        *refused = nullptr;
        for (const SFieldEdit& edit : edits)
            if (reason.startsWith(edit.name + ": ")) {
                *refused = &edit;
                break;
            }
    }
    return false;
}

void ShowRefusal(CCloneManager& registry, const QString& reason, const SFieldEdit* refused) {
    registry.UI().MessageBox(reason.toStdString(), "", EButtons::Ok, EIcon::Exclamation);
    if (refused && refused->control)
        refused->control->FocusWidget()->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------------------

CFieldDialog::CFieldDialog(CCloneManager& registry, const QString& title, CNode& node,
                           const std::vector<SEditorField>& fields, int model, QWidget* parent)
    : QDialog(parent), m_registry(registry), m_fields(node, fields, model, this) {
    setWindowTitle(title);
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
    controls[static_cast<size_t>(index)]->FocusWidget()->setFocus();
    return true;
}

void CFieldDialog::accept() {
    std::vector<SFieldEdit> edits;
    m_fields.CollectEdits(edits);
    QString reason;
    const SFieldEdit* refused = nullptr;
    if (!ApplyFieldEdits(m_registry, edits, reason, &refused)) {
        ShowRefusal(m_registry, reason, refused);
        return;
    }
    QDialog::accept();
}
