// The window that lists what a comparison found, grouped by view: each line names
// the sheet's row and column and shows both sides' texts. Enter or a double-click
// goes to the row in the main window; the list can be copied as text and printed.
#pragma once

#include <QDialog>
#include <functional>

#include "shell/Document.h"

class QLabel;
class QPrinter;
class QPushButton;
class QTreeWidget;

class CCompareWindow : public QDialog {
    Q_OBJECT
public:
    // The printer to print on, chosen by the user; null when cancelled.
    using PrinterChooser = std::function<QPrinter*()>;

    explicit CCompareWindow(QWidget* parent);
    // Shows the comparison's differences instead of the last ones.
    void Show(const SComparison& comparison);
    void SetPrinterChooser(PrinterChooser chooser) { m_choosePrinter = std::move(chooser); }

    QLabel* Summary() const { return m_summary; }
    QTreeWidget* List() const { return m_list; }
    QPushButton* CopyButton() const { return m_copy; }
    QPushButton* PrintButton() const { return m_print; }
    // The summary line and a line for each difference, as Copy puts them on the
    // clipboard.
    QString Text() const;
    // The list as a page prints it (HTML).
    QString Html() const;

signals:
    // The user asked to see a difference in its sheet; row -1: the view only.
    void GoTo(int view, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Copy();
    void Print();

    SComparison m_comparison;
    QLabel* m_summary = nullptr;
    QTreeWidget* m_list = nullptr;
    QPushButton* m_copy = nullptr;
    QPushButton* m_print = nullptr;
    PrinterChooser m_choosePrinter;
};
