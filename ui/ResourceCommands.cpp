// The document's commands on the resource list, and the dialogs it opens on the texture table
// and the header fields.
#include <algorithm>

#include "ui/ProjectSettingsDlg.h"
#include "ui/TextureLibraryDlg.h"
#include "ui/TolvaneDoc.h"
#include "ui/TolvaneView.h"

namespace {

// The resource the tree has current, or null for none and the root.
UiResource* currentRecord() {
    return currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr;
}

}  // namespace

std::int32_t CTolvaneDoc::NextResourceId() const {
    return static_cast<std::int32_t>(library.idStart + library.resourceCount());
}

void CTolvaneDoc::appendResource(std::unique_ptr<UiResource> resource) {
    const UiResource* added = resource.get();
    library.resources.push_back(std::move(resource));
    SetModifiedFlag();
    if (currentTreeView != nullptr) {
        currentTreeView->RebuildTree();
        currentTreeView->SelectResource(added);
    }
}

void CTolvaneDoc::OnNewResource() {
    auto resource = std::make_unique<UiResource>();
    resource->kind = 0;
    resource->id = NextResourceId();
    resource->identifier = "unbenannt";
    appendResource(std::move(resource));
}

void CTolvaneDoc::OnCopyResource() {
    const UiResource* source = currentRecord();
    if (source == nullptr) {
        return;
    }
    auto copy = std::make_unique<UiResource>();
    copy->kind = 0;
    copy->id = NextResourceId();
    copy->identifier = "unbenannt";
    copy->areas = source->areas;
    appendResource(std::move(copy));
}

void CTolvaneDoc::OnDeleteResource() {
    const UiResource* current = currentRecord();
    auto& resources = library.resources;
    const auto found =
        std::find_if(resources.begin(), resources.end(),
                     [current](const auto& entry) { return entry.get() == current; });
    if (current == nullptr || found == resources.end()) {
        return;
    }
    // Freed when this returns, once the tree and the right pane no longer refer to it.
    const std::unique_ptr<UiResource> removed = std::move(*found);
    resources.erase(found);
    SetModifiedFlag();
    if (resources.empty()) {
        UpdateAllViews(nullptr, kHintRecordsReplaced);  // nothing left to select
    }
    currentTreeView->RebuildTree();
    if (!resources.empty()) {
        currentTreeView->SelectResource(resources.back().get());
    }
}

void CTolvaneDoc::OnTextureLibrary() {
    CTextureLibraryDlg dialog;
    dialog.DoModal();
}

void CTolvaneDoc::OnProjectSettings() {
    CProjectSettingsDlg dialog;
    dialog.DoModal();
}
