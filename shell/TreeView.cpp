#include "TreeView.h"

#include <QEvent>
#include <QHeaderView>

#include "document/NavigationTree.h"
#include "shell/Icons.h"

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kImageRole = Qt::UserRole + 1;

} // namespace

CTolvarTreeView::CTolvarTreeView(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    // Long labels scroll sideways rather than being cut.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    setIconSize(QSize(16, 16));
    setExpandsOnDoubleClick(true);
    connect(this, &QTreeWidget::itemSelectionChanged, this, &CTolvarTreeView::OnSelection);
    connect(this, &QTreeWidget::itemActivated, this, [this] { OnSelection(); });
    // A collapsed group shows its closed image.
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        if (item->data(0, kImageRole).toInt() == kImageGroup)
            item->setIcon(0, TreeIcon(kImageGroupCollapsed, palette().color(QPalette::Base)));
    });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        if (item->data(0, kImageRole).toInt() == kImageGroup)
            item->setIcon(0, TreeIcon(kImageGroup, palette().color(QPalette::Base)));
    });
}

int CTolvarTreeView::RebuildTree(int model, bool makerReserve, int currentView) {
    const int selected = SelectedId();
    const int remembered = selected >= 0 ? selected : MemoryViewOf(model);
    m_rebuilding = true;
    clear();
    const std::vector<SNavItem> items = NavigationItems(model, makerReserve);
    const QColor background = palette().color(QPalette::Base);
    std::vector<QTreeWidgetItem*> made;
    for (const SNavItem& nav : items) {
        auto* item = nav.parent < 0 ? new QTreeWidgetItem(this)
                                    : new QTreeWidgetItem(made[static_cast<size_t>(nav.parent)]);
        item->setText(0, QString::fromStdString(nav.label));
        item->setData(0, kIdRole, nav.id);
        item->setData(0, kImageRole, nav.image);
        item->setIcon(0, TreeIcon(nav.image, background));
        made.push_back(item);
    }
    if (!made.empty()) made.front()->setExpanded(true);
    int index = ReselectedItem(items, remembered);
    int view = currentView;
    if (index < 0) {
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].id == MemoryViewOf(model)) index = static_cast<int>(i);
    }
    QTreeWidgetItem* chosen = made[static_cast<size_t>(index)];
    for (QTreeWidgetItem* parent = chosen->parent(); parent; parent = parent->parent())
        parent->setExpanded(true);
    setCurrentItem(chosen);
    scrollToItem(chosen);
    m_rebuilding = false;
    view = ViewOfItem(items[static_cast<size_t>(index)].id);
    return view;
}

void CTolvarTreeView::changeEvent(QEvent* event) {
    QTreeWidget::changeEvent(event);
    if (event->type() != QEvent::PaletteChange) return;
    const QColor background = palette().color(QPalette::Base);
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        int image = (*it)->data(0, kImageRole).toInt();
        if (image == kImageGroup && !(*it)->isExpanded() && (*it)->childCount() > 0)
            image = kImageGroupCollapsed;
        (*it)->setIcon(0, TreeIcon(image, background));
    }
}

int CTolvarTreeView::SelectedId() const {
    const QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : items.front()->data(0, kIdRole).toInt();
}

QTreeWidgetItem* CTolvarTreeView::ItemById(int id) const {
    for (QTreeWidgetItemIterator it(const_cast<CTolvarTreeView*>(this)); *it; ++it)
        if ((*it)->data(0, kIdRole).toInt() == id) return *it;
    return nullptr;
}

bool CTolvarTreeView::SelectId(int id) {
    QTreeWidgetItem* item = ItemById(id);
    if (!item) return false;
    setCurrentItem(item);
    return true;
}

void CTolvarTreeView::OnSelection() {
    if (m_rebuilding) return;
    const int view = ViewOfItem(SelectedId());
    if (view >= 0) emit ViewChosen(view);
}
