#include "CompareWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QPrinter>
#include <QTextDocument>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kViewRole = Qt::UserRole;
constexpr int kRowRole = Qt::UserRole + 1;

QString Qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The group a difference is listed under: its view, the variant, or the fields no
// sheet shows.
QString GroupTitle(const SSheetDifference& difference) {
    if (difference.view != kViewNone) return Qs(difference.viewTitle);
    return difference.paths == std::vector<std::string>{"Model"} ? QStringLiteral("Model")
                                                                  : QStringLiteral("Not on a sheet");
}

// Where in its group: "CH 7 > Rx Frequency", "RPT TOT > TOT Timer", a field's path.
QString PlaceInGroup(const SSheetDifference& difference) {
    if (difference.view == kViewNone) return Qs(DifferencePlace(difference));
    QString place = Qs(difference.rowTitle);
    if (!difference.column.empty()) place += QStringLiteral(" > ") + Qs(difference.column);
    return place;
}

QString SummaryText(const SComparison& comparison) {
    const size_t n = comparison.differences.size();
    if (n == 0) return QString("No differences between %1.").arg(comparison.title);
    return QString("%1 %2 between %3.")
        .arg(n)
        .arg(n == 1 ? QStringLiteral("field differs") : QStringLiteral("fields differ"))
        .arg(comparison.title);
}

} // namespace

CCompareWindow::CCompareWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Compare"));
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    m_summary->setAlignment(Qt::AlignLeft | Qt::AlignTop); // alone at the top when nothing differs
    m_list = new QTreeWidget(this);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(m_list, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        emit GoTo(item->data(0, kViewRole).toInt(), item->data(0, kRowRole).toInt());
    });

    m_copy = new QPushButton(QStringLiteral("&Copy"), this);
    m_print = new QPushButton(QStringLiteral("&Print..."), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    // Enter belongs to the list (go to the row), never to a button.
    for (QPushButton* button : {m_copy, m_print, close}) button->setAutoDefault(false);
    connect(m_copy, &QPushButton::clicked, this, &CCompareWindow::Copy);
    connect(m_print, &QPushButton::clicked, this, &CCompareWindow::Print);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // The list would copy its current line only: Ctrl+C copies them all.
    m_list->installEventFilter(this);
    auto* copyKey = new QShortcut(QKeySequence::Copy, this);
    connect(copyKey, &QShortcut::activated, this, &CCompareWindow::Copy);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_copy);
    buttons->addWidget(m_print);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(760, 460);
}

void CCompareWindow::Show(const SComparison& comparison) {
    m_comparison = comparison;
    setWindowTitle(QStringLiteral("Compare ") + comparison.title);
    m_summary->setText(SummaryText(comparison));
    m_list->clear();
    m_list->setHeaderLabels({QStringLiteral("Field"), comparison.nameA, comparison.nameB});
    QTreeWidgetItem* group = nullptr;
    for (const SSheetDifference& difference : comparison.differences) {
        const QString title = GroupTitle(difference);
        if (!group || group->text(0) != title) {
            group = new QTreeWidgetItem(m_list, {title});
            group->setFirstColumnSpanned(true);
            group->setData(0, kViewRole, difference.view);
            group->setData(0, kRowRole, -1);
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
        }
        auto* item = new QTreeWidgetItem(group, {PlaceInGroup(difference), Qs(difference.textA),
                                                 Qs(difference.textB)});
        item->setData(0, kViewRole, difference.view);
        item->setData(0, kRowRole, difference.row);
    }
    m_list->expandAll();
    m_list->setVisible(!comparison.differences.empty());
    m_print->setEnabled(!comparison.differences.empty());
    if (QTreeWidgetItem* first = m_list->topLevelItem(0)) {
        m_list->setCurrentItem(first->childCount() ? first->child(0) : first);
        m_list->setFocus();
    }
}

QString CCompareWindow::Text() const {
    QString text = SummaryText(m_comparison) + QLatin1Char('\n');
    if (!m_comparison.differences.empty())
        text += QString("%1 -> %2\n").arg(m_comparison.nameA, m_comparison.nameB) +
                Qs(DifferencesText(m_comparison.differences));
    return text;
}

QString CCompareWindow::Html() const {
    QString html = QString("<h3>%1</h3><table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">"
                           "<tr><th>View</th><th>Field</th><th>%2</th><th>%3</th></tr>")
                       .arg(SummaryText(m_comparison).toHtmlEscaped(),
                            m_comparison.nameA.toHtmlEscaped(), m_comparison.nameB.toHtmlEscaped());
    for (const SSheetDifference& difference : m_comparison.differences)
        html += QString("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td></tr>")
                    .arg(GroupTitle(difference).toHtmlEscaped(),
                         PlaceInGroup(difference).toHtmlEscaped(),
                         Qs(difference.textA).toHtmlEscaped(), Qs(difference.textB).toHtmlEscaped());
    return html + QStringLiteral("</table>");
}

bool CCompareWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress) Copy();
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CCompareWindow::Copy() {
    QApplication::clipboard()->setText(Text());
}

void CCompareWindow::Print() {
    QPrinter* printer = m_choosePrinter ? m_choosePrinter() : nullptr;
    if (!printer) return;
    QTextDocument page;
    page.setHtml(Html());
    page.print(printer);
}
