// The entry controls of the edit dialogs, made from a node field: a list of the
// field's option texts, a line edit (length, upper case, characters kept while
// typing), a tone box, a check box or a row of buttons. Each control loads its text
// from the node and checks what it holds by the field's own rules (naming the
// reason of a refusal); an editor stores all its controls as one edit of the core.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "datamodel/memmap/EditorFields.h"

class CCloneManager;
class CNode;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class CToneCombo;
class CFieldControl;

// One value an editor stores: the field, its new text, how a refusal names it, and
// the control the value comes from (null for a value the editor sets itself).
struct SFieldEdit {
    CNode* node = nullptr;
    int model = 0;
    QString text;
    QString name;
    CFieldControl* control = nullptr;
};

// A field's control, made for one node.
class CFieldControl {
public:
    // node: the field; model: the variant (for optionsOf and the field's texts).
    CFieldControl(CNode& node, const SEditorField& editorField, int model, QWidget* parent);
    ~CFieldControl();
    CFieldControl(const CFieldControl&) = delete;
    CFieldControl& operator=(const CFieldControl&) = delete;

    QWidget* Widget() const { return m_widget; }
    const SEditorField& EditorField() const { return m_editorField; }
    CNode& Node() const { return m_node; }
    int Model() const { return m_model; }
    QString Label() const { return QString::fromUtf8(m_editorField.label); }
    // How refusals name the field.
    QString Name() const;
    QLineEdit* Edit() const { return m_edit; }
    QComboBox* List() const { return m_list; }
    QCheckBox* Check() const { return m_check; }
    CToneCombo* Tone() const { return m_tone; }
    const std::vector<QRadioButton*>& Buttons() const { return m_buttons; }
    // The widget that takes the keyboard focus.
    QWidget* FocusWidget() const;

    // Shows the field's current text.
    void Load();
    // The text the control holds, as the field would read it (E and F already turned
    // into * and # where the field says so).
    QString Text() const;
    // Puts a text into the control as if chosen or typed (tests, copies).
    void SetText(const QString& text);
    // Whether the field would take the control's text; reason says why not.
    bool CheckValue(QString& reason) const;
    // The control's text as an edit of its field.
    SFieldEdit ToEdit();

    // The filter of an edit box: the text without refused characters (upper-cased
    // first when asked), and where the caret goes so that it stays where the user
    // was typing.
    static QString Filtered(const QString& text, const char* keep, bool upper, int& caret);

private:
    void FillList(int model);
    void MakeButtons(QWidget* parent);
    void OnEdited(const QString& text);
    int ChosenValue() const;

    CNode& m_node;
    SEditorField m_editorField;
    int m_model;
    QWidget* m_widget = nullptr;
    QLineEdit* m_edit = nullptr;
    QComboBox* m_list = nullptr;
    QCheckBox* m_check = nullptr;
    CToneCombo* m_tone = nullptr;
    std::vector<QRadioButton*> m_buttons;
};

// The controls of one editor page: one per field of a table, under one node, laid
// out as label and control in rows.
class CFieldSet {
public:
    // Fields the node does not hold get no control.
    CFieldSet(CNode& node, const std::vector<SEditorField>& fields, int model, QWidget* parent);
    ~CFieldSet();

    // Adds the labels and controls to a grid, from row on; returns the next row.
    int AddTo(QGridLayout& grid, int row = 0, int column = 0) const;
    void Load();
    // Adds what every control holds to edits.
    void CollectEdits(std::vector<SFieldEdit>& edits) const;

    const std::vector<std::unique_ptr<CFieldControl>>& Controls() const { return m_controls; }
    CFieldControl* Control(const QString& field) const;
    QLabel* LabelOf(const QString& field) const;

private:
    std::vector<std::unique_ptr<CFieldControl>> m_controls;
    std::vector<QLabel*> m_labels;
};

// Checks every edit by its field's rules, then stores them all as one edit of the
// core, which takes all of them or none (a value the file would not keep, such as
// a setting fixed for the variant, refuses them all). False with the first reason,
// "Name: why", and the edit it names.
bool ApplyFieldEdits(CCloneManager& registry, const std::vector<SFieldEdit>& edits, QString& reason,
                     const SFieldEdit** refused = nullptr);
// Shows a refusal through the registry's message box and puts the focus on the
// control it names.
void ShowRefusal(CCloneManager& registry, const QString& reason,
                 const SFieldEdit* refused = nullptr);

// A plain edit dialog: the controls of a table under one node, OK and Cancel. OK
// refuses with the reason in a message box while a value is refused; otherwise it
// stores every field as one edit.
class CFieldDialog : public QDialog {
    Q_OBJECT
public:
    CFieldDialog(CCloneManager& registry, const QString& title, CNode& node,
                 const std::vector<SEditorField>& fields, int model, QWidget* parent = nullptr);

    CFieldSet& Fields() { return m_fields; }
    // Puts the keyboard focus on the control of entry index (0-based); false when
    // there is none.
    bool FocusItem(int index);

public slots:
    void accept() override;

protected:
    CCloneManager& Registry() const { return m_registry; }

private:
    CCloneManager& m_registry;
    CFieldSet m_fields;
};
