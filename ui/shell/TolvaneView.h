#pragma once

#include <QTreeWidget>
#include <QtGlobal>
#include <unordered_map>

#include "framework/View.h"

class CTolvaneDoc;
class UiResource;

// Item data of the tree's root, which stands for no resource.
inline constexpr quintptr ROOT_MARKER = 20;

// The left pane: the library's resources under the root "Ressourcen", in library order,
// labelled with their identifiers. What is selected decides the right pane's form.
class CTolvaneView : public QTreeWidget, public framework::View {
    Q_OBJECT

public:
    CTolvaneView();
    ~CTolvaneView() override;

    QWidget* widget() override { return this; }
    void OnInitialUpdate() override;
    // When the library's records are replaced: forgets the current resource and shows the
    // blank form, so nothing refers to a destroyed record, and rebuilds the items.
    void OnUpdate(framework::View* sender, int hint) override;

    // Brings the items in line with the library and selects nothing. Items of resources still
    // there stay, relabelled where their identifiers changed; only those of resources added or
    // gone are made or dropped, so a screen reader hears of nothing else.
    void RebuildTree();
    // Selects the item of resource, which replaces the right pane before returning.
    void SelectResource(const UiResource* resource);
    void SetItemLabel(QTreeWidgetItem* item, const QString& text);
    // The item of resource since the last rebuild, or null.
    QTreeWidgetItem* itemOf(const UiResource* resource) const;

    // The data of the last selected item: 0 (none yet), ROOT_MARKER or a UiResource.
    quintptr currentResource = 0;
    // currentResource as a resource, or null for none and the root.
    UiResource* currentRecord() const;

private:
    void OnSelChanged();
    CTolvaneDoc* document() const;
    // Removes from root the items of resources that are no longer in the library.
    void dropItemsOfResourcesGone(QTreeWidgetItem& root);

    std::unordered_map<const UiResource*, QTreeWidgetItem*> items;
};

// The one tree view, while it exists.
extern CTolvaneView* currentTreeView;
