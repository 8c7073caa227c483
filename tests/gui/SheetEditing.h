// The program under test driven as a user edits its sheets: a view picked in the
// tree, a row reached with the keys, Enter on the grid, the editor that opens
// answered with typed keys and its OK button or Esc.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "GuiTestApp.h"
#include "datamodel/DataManagers.h"
#include "datamodel/memmap/ChannelEditing.h"
#include "datamodel/memmap/TreeAccess.h"
#include "datamodel/nodes/Node.h"
#include "editors/FieldControls.h"
#include "editors/ListSheet.h"
#include "shell/Document.h"
#include "shell/ListFrame.h"
#include "shell/MainFrame.h"
#include "shell/TreeView.h"

// Replaces a box's text as a user does: select all, then type.
inline void Type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

// Puts a value into a control the way its kind is used: a box ticked ("1") or
// cleared with the space bar, a list entry picked with the keys, else typed.
inline void Put(CFieldControl& control, const QString& value) {
    auto* combo = qobject_cast<QComboBox*>(control.Widget());
    if (QCheckBox* box = control.Check()) {
        if (box->isChecked() != (value == "1"))
            QTest::keyClick(box, Qt::Key_Space);
    } else if (combo && combo->isEditable()) {
        Type(combo->lineEdit(), value);
    } else if (QComboBox* list = control.List()) {
        const int index = list->findText(value);
        QVERIFY2(index >= 0,
                 qPrintable(QString::fromUtf8(control.EditorField().field) + ": " + value));
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < index; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    } else {
        QVERIFY2(control.Edit(), control.EditorField().field);
        Type(control.Edit(), value);
    }
}

// Clicks a button of a dialog's button box.
inline void Click(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
}

// Whether the keyboard focus is on the control (a tone box's own edit counts).
inline bool Focused(QDialog& dialog, CFieldControl& control) {
    QWidget* focus = dialog.focusWidget();
    QWidget* widget = control.FocusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

// What an edit did: whether an editor opened, the last message box it showed,
// whether OK closed it.
struct SEdit {
    bool opened = false;
    QString refused;
    bool accepted = false;
};

struct SEditingApp {
    CTolvarApp app;
    QStringList boxes; // the texts of the message boxes shown, each answered yes or OK

    // A program that does not start ends the test program.
    explicit SEditingApp(int model) {
        if (!StartTestApp(app, model, [this](const SBoxRecord& box) {
                boxes << box.text;
                return box.buttons == EButtons::YesNo ? EAnswer::Yes : EAnswer::Ok;
            }))
            qFatal("the program did not start");
    }
    CTolvarMainFrame& Frame() { return *app.MainFrame(); }
    CTolvarCloneSupportDoc& Doc() { return *app.Document(); }
    CCloneManager& Registry() { return Doc().Registry(); }
    CNode& Node(const QString& path) {
        CNode* node = Registry().Model()->GetNodeByPath(path.toStdString());
        if (!node)
            qFatal("no node %s", qPrintable(path));
        return *node;
    }
    QString Text(const QString& path) { return QString::fromStdString(LeafText(Node(path))); }
    void Set(const QString& path, const QString& text) {
        std::string error;
        QVERIFY2(Node(path).TrySetText(text.toStdString(), error), error.c_str());
    }
    CChannelEditor Channels() { return CChannelEditor(Registry()); }
    // Puts a memory channel in use on one frequency, with no tone and the name.
    CNode& UseChannel(int channel, const char* freq, const char* name = "") {
        CNode& holder = *Channels().Holder(channel);
        holder.FindChild("ChOn")->SetValue(1);
        for (const char* field : {"FreqRx", "FreqTx"})
            holder.FindChild(field)->SetText(freq);
        for (const char* field : {"CTonRx", "CTonTx"})
            holder.FindChild(field)->SetText("OFF");
        holder.FindChild("Text")->SetText(name);
        return holder;
    }
    // Selects the view in the tree (maker-reserved mode on first, for its view) and
    // gives its sheet.
    CListSheet& Show(int view) {
        if (view == kViewMakerReserved && !Doc().MakerReserve()) {
            Frame().ActivateMakerReserve(); // asks first
            boxes.clear();
        }
        if (!Frame().Tree()->SelectId(view))
            qFatal("view %d is not in the tree", view);
        QApplication::processEvents();
        auto* sheet = dynamic_cast<CListSheet*>(Frame().ListFrame()->CurrentSheet());
        if (!sheet || sheet->View().id != view)
            qFatal("view %d shows no sheet", view);
        return *sheet;
    }
    // A cell as shown once pending changes were read.
    QString Cell(CListSheet& sheet, int row, int column) {
        QApplication::processEvents();
        return sheet.Model().CellText(row, column);
    }
    // Goes to a row with Home and Down; false when it is not selected then.
    bool GoTo(CListSheet& sheet, int row) {
        sheet.Grid().setFocus();
        QTest::keyClick(&sheet.Grid(), Qt::Key_Home);
        for (int r = 0; r < row; ++r)
            QTest::keyClick(&sheet.Grid(), Qt::Key_Down);
        return sheet.GetSelectedRow() == row;
    }
    // Goes to the row, presses Enter and runs act in the editor that opens, then
    // clicks OK (or presses Esc), then runs after.
    SEdit Edit(CListSheet& sheet, int row, const std::function<void(QDialog&)>& act, bool ok = true,
               const std::function<void(QDialog&)>& after = {}) {
        SEdit result;
        if (!GoTo(sheet, row))
            return result;
        auto answer = [&](QDialog& d) {
            act(d);
            boxes.clear();
            if (ok)
                Click(d, QDialogButtonBox::Ok);
            else
                QTest::keyClick(&d, Qt::Key_Escape);
            result.refused = boxes.value(boxes.size() - 1);
            result.accepted = !d.isVisible() && d.result() == QDialog::Accepted;
            if (after)
                after(d);
        };
        result.opened = WithModal([&] { QTest::keyClick(&sheet.Grid(), Qt::Key_Return); }, answer);
        return result;
    }
};
