// The document's commands on the resource list, and the dialogs it opens on the texture table
// and the header fields.
#include <algorithm>

#include "document/HeaderChange.h"
#include "document/ResourceChanges.h"
#include "document/TextureTableChange.h"
#include "framework/Resources.h"
#include "ui/ResourceIds.h"
#include "ui/dialogs/ProjectSettingsDlg.h"
#include "ui/dialogs/TextureLibraryDlg.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"

namespace {

// The resource the tree has current, or null for none and the root.
UiResource* currentRecord() {
    return currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr;
}

QString stepName(int id) {
    return framework::Resources::LoadString(id);
}

}  // namespace

std::int32_t CTolvaneDoc::NextResourceId() const {
    return static_cast<std::int32_t>(library.idStart + library.resourceCount());
}

int CTolvaneDoc::IndexOf(const UiResource* resource) const {
    const auto& resources = library.resources;
    const auto found =
        std::find_if(resources.begin(), resources.end(),
                     [resource](const auto& entry) { return entry.get() == resource; });
    return resource == nullptr || found == resources.end()
               ? -1
               : static_cast<int>(found - resources.begin());
}

// Undone, the resource selected before is selected again.
void CTolvaneDoc::appendResource(std::unique_ptr<UiResource> resource, int nameId) {
    const UiResource* added = resource.get();
    const int index = static_cast<int>(library.resources.size());
    const int selectedBefore = IndexOf(currentRecord());
    history->perform(stepName(nameId),
                     ResourceListChange::added(library.resources.size(), std::move(resource)),
                     {index, selectedBefore});
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
    appendResource(std::move(resource), IDS_STEP_NEW_RESOURCE);
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
    appendResource(std::move(copy), IDS_STEP_COPY_RESOURCE);
}

// The deleted resource is kept by its step, so that undoing the delete brings it back; it is
// freed with the step, when nothing shows it any more.
void CTolvaneDoc::OnDeleteResource() {
    const int index = IndexOf(currentRecord());
    if (index < 0) {
        return;
    }
    auto& resources = library.resources;
    const int lastAfter = static_cast<int>(resources.size()) - 2;
    history->perform(stepName(IDS_STEP_DELETE_RESOURCE),
                     ResourceListChange::removed(static_cast<std::size_t>(index)),
                     {lastAfter >= 0 ? lastAfter : ShownResource::kNone, index});
    if (resources.empty()) {
        UpdateAllViews(nullptr, kHintRecordsReplaced);  // nothing left to select
    }
    currentTreeView->RebuildTree();
    if (!resources.empty()) {
        currentTreeView->SelectResource(resources.back().get());
    }
}

// The dialogs change the library as the user types; what one opening changed in all is one
// step, whichever button closed it. An opening that changed nothing adds none.
void CTolvaneDoc::OnTextureLibrary() {
    const std::vector<TextureEntry> before = TextureTableChange::rowsOf(library);
    const int generation = history->generation();
    CTextureLibraryDlg dialog;
    dialog.DoModal();
    if (generation != history->generation()) {
        return;  // another library was opened meanwhile
    }
    // The form's area rows name their textures' paths, which the dialog may have changed.
    if (currentButtonView != nullptr) {
        currentButtonView->RefillAreaList();
    }
    auto change =
        std::make_unique<TextureTableChange>(TextureTableChange::between(before, library));
    if (change->empty()) {
        history->syncModifiedFlag();
        return;
    }
    history->record(stepName(IDS_STEP_TEXTURE_LIBRARY), std::move(change), {});
}

void CTolvaneDoc::OnProjectSettings() {
    const LibraryHeader before = LibraryHeader::of(library);
    const int generation = history->generation();
    CProjectSettingsDlg dialog;
    dialog.DoModal();
    if (generation != history->generation()) {
        return;
    }
    const LibraryHeader after = LibraryHeader::of(library);
    if (after == before) {
        history->syncModifiedFlag();
        return;
    }
    history->record(stepName(IDS_STEP_PROJECT_SETTINGS),
                    std::make_unique<HeaderChange>(before, after), {});
}
