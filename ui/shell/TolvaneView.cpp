#include "ui/shell/TolvaneView.h"

#include <QStyledItemDelegate>
#include <unordered_set>

#include "framework/Application.h"
#include "framework/PrintSupport.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "ui/LibraryText.h"
#include "ui/ResourceIds.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/TolvaneDoc.h"

CTolvaneView* currentTreeView = nullptr;

namespace {

constexpr int kItemDataRole = Qt::UserRole;

// Labels can be edited, but the edited text is never taken over: identifiers change in the
// button form only, so the label goes back to the identifier.
class LabelKeepingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}
};

CMainFrame* mainFrame() {
    return qobject_cast<CMainFrame*>(framework::Application::instance()->mainWindow());
}

}  // namespace

CTolvaneView::CTolvaneView() {
    currentTreeView = this;
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setItemDelegate(new LabelKeepingDelegate(this));
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelChanged(); });

    // The tree draws nothing on paper: printing gives empty pages.
    onCommand(framework::ID_FILE_PRINT, [this] { framework::printPages(this, {}); });
    onCommand(framework::ID_FILE_PRINT_DIRECT, [this] { framework::printPages(this, {}, false); });
    onCommand(framework::ID_FILE_PRINT_PREVIEW, [this] { framework::previewPages(this, {}); });
}

CTolvaneView::~CTolvaneView() {
    if (currentTreeView == this) {
        currentTreeView = nullptr;
    }
}

CTolvaneDoc* CTolvaneView::document() const {
    return static_cast<CTolvaneDoc*>(GetDocument());
}

void CTolvaneView::OnInitialUpdate() {
    framework::View::OnInitialUpdate();
    setRootIsDecorated(true);
    setItemsExpandable(true);
    RebuildTree();
}

void CTolvaneView::OnUpdate(framework::View*, int hint) {
    if (hint != CTolvaneDoc::kHintRecordsReplaced) {
        return;
    }
    currentResource = 0;
    if (CMainFrame* frame = mainFrame()) {
        frame->SwitchRightPane(static_cast<int>(ROOT_MARKER));
    }
    items.clear();
    clear();
}

void CTolvaneView::RebuildTree() {
    // Nor a current item, which removing it would pass to a neighbour, selecting that. The
    // selection change finds no selected item: the current resource and form stay.
    setCurrentItem(nullptr);
    if (document() == nullptr) {
        items.clear();
        clear();
        return;
    }
    QTreeWidgetItem* root = topLevelItem(0);
    if (root == nullptr) {
        root = new QTreeWidgetItem(
            this, QStringList{framework::Resources::LoadString(IDS_RESOURCES_ROOT)});
        root->setData(0, kItemDataRole, QVariant::fromValue(ROOT_MARKER));
        root->setFlags(root->flags() | Qt::ItemIsEditable);
    }
    const auto& resources = document()->library.resources;
    dropItemsOfResourcesGone(*root);
    // Resources keep their order in the library; they are only added and removed. New items
    // go in by runs, each run one insertion.
    QList<QTreeWidgetItem*> run;
    int runStart = 0;
    const auto insertRun = [&] {
        if (!run.isEmpty()) {
            root->insertChildren(runStart, run);
            run.clear();
        }
    };
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const UiResource* resource = resources[i].get();
        const QString label = fromLibraryText(resource->identifier);
        if (QTreeWidgetItem* item = itemOf(resource)) {
            insertRun();
            SetItemLabel(item, label);  // an unchanged label announces nothing
            continue;
        }
        if (run.isEmpty()) {
            runStart = static_cast<int>(i);
        }
        auto* item = new QTreeWidgetItem(QStringList{label});
        item->setData(0, kItemDataRole, QVariant::fromValue(reinterpret_cast<quintptr>(resource)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        items[resource] = item;
        run.append(item);
    }
    insertRun();
    root->setExpanded(true);
}

void CTolvaneView::dropItemsOfResourcesGone(QTreeWidgetItem& root) {
    const auto& resources = document()->library.resources;
    std::unordered_set<const UiResource*> inLibrary;
    inLibrary.reserve(resources.size());
    for (const auto& resource : resources) {
        inLibrary.insert(resource.get());
    }
    for (int row = root.childCount() - 1; row >= 0; --row) {
        const auto* resource = reinterpret_cast<const UiResource*>(
            root.child(row)->data(0, kItemDataRole).value<quintptr>());
        if (!inLibrary.contains(resource)) {
            items.erase(resource);
            delete root.takeChild(row);
        }
    }
}

void CTolvaneView::SelectResource(const UiResource* resource) {
    if (QTreeWidgetItem* item = itemOf(resource)) {
        setCurrentItem(item);
    }
}

void CTolvaneView::SetItemLabel(QTreeWidgetItem* item, const QString& text) {
    if (item != nullptr) {
        item->setText(0, text);
    }
}

QTreeWidgetItem* CTolvaneView::itemOf(const UiResource* resource) const {
    const auto found = items.find(resource);
    return found == items.end() ? nullptr : found->second;
}

UiResource* CTolvaneView::currentRecord() const {
    return currentResource == 0 || currentResource == ROOT_MARKER
               ? nullptr
               : reinterpret_cast<UiResource*>(currentResource);
}

void CTolvaneView::OnSelChanged() {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    currentResource = selected.first()->data(0, kItemDataRole).value<quintptr>();
    if (currentResource == 0) {
        return;
    }
    const int kind =
        currentResource == ROOT_MARKER ? static_cast<int>(ROOT_MARKER) : currentRecord()->kind;
    if (CMainFrame* frame = mainFrame()) {
        frame->SwitchRightPane(kind);
    }
}
