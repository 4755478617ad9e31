#include "ui/history/LibraryHistory.h"

#include <QApplication>
#include <QUndoCommand>
#include <algorithm>

#include "document/AreaChange.h"
#include "document/AreaListChange.h"
#include "document/LibraryChange.h"
#include "document/LibraryReplacement.h"
#include "document/ResourceChanges.h"
#include "framework/CommandBars.h"
#include "framework/ReportList.h"
#include "framework/Resources.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/DragGesture.h"

// One step: a change of the library with its name, and what the views show after it.
class LibraryStep : public QUndoCommand {
public:
    LibraryStep(LibraryHistory& history, const QString& name, std::unique_ptr<LibraryChange> change,
                ShownResource shown, LibraryHistory::Typing typing, int session, bool alreadyMade)
        : QUndoCommand(name),
          history(history),
          change(std::move(change)),
          shown(shown),
          typing(typing),
          session(session),
          made(alreadyMade) {}

    // The first redo is the change being made: the caller shows it itself.
    void redo() override {
        if (!made) {
            change->apply(history.doc.library);
        }
        if (!first) {
            history.shownAfterStep = shown.afterRedo;
            history.shownAreasAfterStep = shown.areasAfterRedo;
        }
        first = false;
        made = false;
    }

    void undo() override {
        change->revert(history.doc.library);
        history.shownAfterStep = shown.afterUndo;
        history.shownAreasAfterStep = shown.areasAfterUndo;
    }

    int id() const override { return static_cast<int>(typing); }

    // Typing in the same edit, without the focus having left it, is one step; typed back to
    // where it began, the step goes. Nudges of the same areas merge alike.
    bool mergeWith(const QUndoCommand* other) override {
        const auto* later = static_cast<const LibraryStep*>(other);
        return later->session == session &&
               (absorbs<ResourceFieldsChange>(*later) || absorbs<AreaChange>(*later) ||
                absorbs<AreaListChange>(*later));
    }

private:
    template <typename Change>
    bool absorbs(const LibraryStep& later) {
        auto* mine = dynamic_cast<Change*>(change.get());
        const auto* theirs = dynamic_cast<const Change*>(later.change.get());
        if (mine == nullptr || theirs == nullptr || !mine->absorb(*theirs)) {
            return false;
        }
        setObsolete(mine->changesNothing());
        return true;
    }

    LibraryHistory& history;
    std::unique_ptr<LibraryChange> change;
    ShownResource shown;
    LibraryHistory::Typing typing;
    int session;
    bool made;
    bool first = true;
};

LibraryHistory::LibraryHistory(CTolvaneDoc& document) : doc(document) {
    connect(&steps, &QUndoStack::indexChanged, this, [this] { stepped(); });
    connect(qApp, &QApplication::focusChanged, this, [this] { ++typingSession; });
}

LibraryHistory::~LibraryHistory() {
    disconnect(&steps, nullptr, this, nullptr);
}

void LibraryHistory::perform(const QString& name, std::unique_ptr<LibraryChange> change,
                             ShownResource shown, Typing typing) {
    push(name, std::move(change), shown, typing, false);
}

void LibraryHistory::record(const QString& name, std::unique_ptr<LibraryChange> change,
                            ShownResource shown) {
    push(name, std::move(change), shown, Typing::None, true);
}

void LibraryHistory::push(const QString& name, std::unique_ptr<LibraryChange> change,
                          ShownResource shown, Typing typing, bool alreadyMade) {
    pushing = true;
    steps.push(
        new LibraryStep(*this, name, std::move(change), shown, typing, typingSession, alreadyMade));
    pushing = false;
    syncModifiedFlag();
}

void LibraryHistory::replaceLibrary(const QString& name, ResourceLibrary& fresh,
                                    ShownResource shown) {
    doc.UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
    push(name, std::make_unique<LibraryReplacement>(fresh), shown, Typing::None, false);
    markSaved();
    syncModifiedFlag();
    show(shown.afterRedo, shown.areasAfterRedo);
}

void LibraryHistory::reset() {
    pushing = true;
    steps.clear();
    pushing = false;
    ++resets;
    syncModifiedFlag();
}

void LibraryHistory::markSaved() {
    steps.setClean();
}

void LibraryHistory::markUnsaved() {
    steps.resetClean();
    syncModifiedFlag();
}

void LibraryHistory::syncModifiedFlag() {
    doc.SetModifiedFlag(!steps.isClean());
}

void LibraryHistory::stepped() {
    if (pushing) {
        return;
    }
    show(shownAfterStep, shownAreasAfterStep);
    syncModifiedFlag();
}

void LibraryHistory::show(int target, const std::optional<std::vector<int>>& areas) {
    CTolvaneView* tree = currentTreeView;
    if (tree == nullptr) {
        return;
    }
    const auto& resources = doc.library.resources;
    const UiResource* shown = nullptr;
    if (target == ShownResource::kKeep) {
        // Compared by address only: the current record may be one a step holds.
        const UiResource* current = tree->currentRecord();
        const bool inLibrary = std::any_of(resources.begin(), resources.end(),
                                           [current](const auto& r) { return r.get() == current; });
        shown = inLibrary ? current : nullptr;
    } else if (target >= 0 && static_cast<std::size_t>(target) < resources.size()) {
        shown = resources[static_cast<std::size_t>(target)].get();
    }
    if (shown == nullptr) {
        doc.UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
    }
    tree->RebuildTree();
    if (shown != nullptr) {
        tree->SelectResource(shown);
    }
    if (areas && currentButtonView != nullptr) {
        currentButtonView->areaList->SelectItems(*areas);
    }
}

namespace {

// A gesture on the texture editor refers to the library's areas by row; the library takes
// no step back or forward under it.
void updateStepCommand(framework::CommandUI& ui, bool can, const QString& step, int promptId) {
    can = can && !DragGesture::anyRunning();
    ui.Enable(can);
    ui.SetPrompt(can ? framework::Resources::LoadString(promptId).arg(step)
                     : framework::commandPrompt(ui.id()));
}

}  // namespace

void LibraryHistory::updateUndo(framework::CommandUI& ui) const {
    updateStepCommand(ui, steps.canUndo(), steps.undoText(), IDS_UNDO_STEP_PROMPT);
}

void LibraryHistory::updateRedo(framework::CommandUI& ui) const {
    updateStepCommand(ui, steps.canRedo(), steps.redoText(), IDS_REDO_STEP_PROMPT);
}
