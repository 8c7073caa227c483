// The entry controls of the edit dialogs, made from a node field: a list of the
// field's option texts, a line edit (length, upper case, characters kept while
// typing), a tone box or a check box. Each control loads its text from the node,
// checks what it holds by the field's own rules (naming the reason of a refusal)
// and stores it through the same code as every other way of setting a field.
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
class CToneCombo;

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
    QLineEdit* Edit() const { return m_edit; }
    QComboBox* List() const { return m_list; }
    QCheckBox* Check() const { return m_check; }

    // Shows the field's current text.
    void Load();
    // The text the control holds, as the field would read it (E and F already turned
    // into * and # where the field says so).
    QString Text() const;
    // Puts a text into the control as if chosen or typed (tests, copies).
    void SetText(const QString& text);
    // Whether the field would take the control's text; reason says why not.
    bool CheckValue(QString& reason) const;
    // Stores the control's text into the field; false with the reason when refused
    // (the field is then unchanged).
    bool Store(QString& reason);

    // The filter of an edit box: the text without refused characters (upper-cased
    // first when asked), and where the caret goes so that it stays where the user
    // was typing.
    static QString Filtered(const QString& text, const char* keep, bool upper, int& caret);

private:
    void FillList(int model);
    void OnEdited(const QString& text);

    CNode& m_node;
    SEditorField m_editorField;
    int m_model;
    QWidget* m_widget = nullptr;
    QLineEdit* m_edit = nullptr;
    QComboBox* m_list = nullptr;
    QCheckBox* m_check = nullptr;
    CToneCombo* m_tone = nullptr;
};

// The controls of one editor page: one per field of a table, under one node, laid
// out as label and control in rows. Checks every control before storing any.
class CFieldSet {
public:
    // Fields the node does not hold get no control.
    CFieldSet(CNode& node, const std::vector<SEditorField>& fields, int model, QWidget* parent);
    ~CFieldSet();

    // Adds the labels and controls to a grid, from row on; returns the next row.
    int AddTo(QGridLayout& grid, int row = 0, int column = 0) const;
    void Load();
    // The first refusal: "Label: reason".
    bool CheckValues(QString& reason) const;
    // Checks all, then stores all; nothing is stored when one is refused. With a
    // registry, the changed fields then go through the image as saving does, and a
    // value the file would not keep (a setting fixed for the variant) refuses the
    // whole set, which is put back as it was.
    bool Store(QString& reason);
    // Puts back what the last Store changed.
    void Revert();
    void SetRegistry(CCloneManager* registry) { m_registry = registry; }

    const std::vector<std::unique_ptr<CFieldControl>>& Controls() const { return m_controls; }
    CFieldControl* Control(const QString& field) const;
    QLabel* LabelOf(const QString& field) const;

private:
    std::vector<std::unique_ptr<CFieldControl>> m_controls;
    std::vector<QLabel*> m_labels;
    CCloneManager* m_registry = nullptr;
    std::vector<std::pair<CNode*, std::string>> m_before; // the texts before the last Store
};

// A plain edit dialog: the controls of a table under one node, OK and Cancel. OK
// refuses with the reason in a message box while a value is refused; otherwise it
// stores every field and marks the document modified.
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
    // Runs after the fields were stored (a dialog with more to do adds it here).
    virtual void AfterStore() {}
    CCloneManager& Registry() const { return m_registry; }

private:
    CCloneManager& m_registry;
    CFieldSet m_fields;
};

// Shows a refusal to the user through the document's message box.
void ShowRefusal(CCloneManager& registry, const QString& reason);
