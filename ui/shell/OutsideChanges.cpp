#include "ui/shell/OutsideChanges.h"

#include <QApplication>
#include <QFileInfo>
#include <optional>
#include <vector>

#include "framework/Application.h"
#include "framework/Resources.h"
#include "framework/View.h"
#include "library/LibraryFile.h"
#include "ui/ResourceIds.h"
#include "ui/form/TolvaneViewButton.h"
#include "ui/history/LibraryHistory.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/OutsideChangeBar.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"
#include "ui/texture_editor/DragGesture.h"

namespace {

constexpr int kRetryMilliseconds = 100;

const QString kReloadedMessage =
    QStringLiteral("Die Datei wurde außerhalb von Tolvane geändert und neu geladen.");
const QString kReloadFailedMessage = QStringLiteral(
    "Die Datei konnte nicht vollständig gelesen werden und wurde nicht neu geladen.");

CMainFrame* mainFrame() {
    return qobject_cast<CMainFrame*>(framework::Application::instance()->mainWindow());
}

void showStatus(const QString& text) {
    if (CMainFrame* frame = mainFrame()) {
        frame->SetMessageText(text);
    }
}

// Where the selection goes when the library is replaced by fresh: the resource with the same
// identifier (the one with the same id, too, where there are several; with none, the one with
// the same id, whose name was changed here or there) and the same area rows, where they
// exist; undone, back to where it was.
ShownResource selectionAcross(const CTolvaneDoc& doc, const ResourceLibrary& fresh) {
    ShownResource shown;
    shown.afterRedo = shown.afterUndo = ShownResource::kNone;
    const UiResource* current =
        currentTreeView != nullptr ? currentTreeView->currentRecord() : nullptr;
    if (current == nullptr) {
        return shown;
    }
    const std::vector<int> rows =
        currentButtonView != nullptr ? currentButtonView->SelectedAreaRows() : std::vector<int>{};
    shown.afterUndo = doc.IndexOf(current);
    shown.areasAfterUndo = rows;
    const auto keep = [&](std::size_t index) {
        const UiResource& candidate = *fresh.resources[index];
        shown.afterRedo = static_cast<int>(index);
        std::vector<int> kept = rows;
        std::erase_if(kept, [&candidate](int row) {
            return static_cast<std::size_t>(row) >= candidate.areas.size();
        });
        shown.areasAfterRedo = std::move(kept);
    };
    std::optional<std::size_t> sameId;
    for (std::size_t i = 0; i < fresh.resources.size(); ++i) {
        const UiResource& candidate = *fresh.resources[i];
        if (candidate.id == current->id && !sameId) {
            sameId = i;
        }
        if (candidate.identifier != current->identifier) {
            continue;
        }
        if (shown.afterRedo == ShownResource::kNone || candidate.id == current->id) {
            keep(i);
        }
        if (candidate.id == current->id) {
            break;
        }
    }
    if (shown.afterRedo == ShownResource::kNone && sameId) {
        keep(*sameId);
    }
    return shown;
}

bool sameState(const FileSnapshot& a, const FileSnapshot& b) {
    return a.sameBytes(b) || (!a.exists() && !b.exists());
}

}  // namespace

OutsideChanges::OutsideChanges(CTolvaneDoc& document) : doc(document) {
    connect(&fileWatch, &LibraryFileWatch::settled, this, &OutsideChanges::examine);
    retry.setSingleShot(true);
    retry.setInterval(kRetryMilliseconds);
    connect(&retry, &QTimer::timeout, this, &OutsideChanges::examine);
}

OutsideChanges::~OutsideChanges() = default;

void OutsideChanges::fileReadOrWritten(const QString& path) {
    fileWatch.follow(path);  // first, so that no change after the snapshot goes unnoticed
    track(path.isEmpty() ? FileSnapshot() : FileSnapshot::of(path));
}

void OutsideChanges::follow(const QString& path, const FileSnapshot& file) {
    fileWatch.follow(path);
    track(file);
    if (!path.isEmpty()) {
        examine();  // the file may have changed since
    }
}

void OutsideChanges::track(const FileSnapshot& file) {
    known = file;
    kept.reset();
    retry.stop();
    hideBar();
}

bool OutsideChanges::changedOnDisk(const QString& path) const {
    if (path.isEmpty() || QFileInfo(path).absoluteFilePath() != fileWatch.path()) {
        return false;
    }
    const FileSnapshot now = FileSnapshot::of(path);
    return now.state == FileSnapshot::State::Read && !now.sameBytes(known);
}

void OutsideChanges::examine() {
    // Nothing is replaced under a running gesture, and the bar neither comes nor goes, for it
    // would move the panel under the pointer: the file is looked at again once it ended.
    if (DragGesture::anyRunning()) {
        if (!waitingForGesture) {
            waitingForGesture = true;
            DragGesture::afterGesture(this, [this] {
                waitingForGesture = false;
                examine();
            });
        }
        return;
    }
    const FileSnapshot now = FileSnapshot::of(fileWatch.path());
    if (now.state == FileSnapshot::State::Unreadable) {
        return;  // being replaced, or nothing the editor reads: the next change tells
    }
    if (now.sameBytes(known)) {
        kept.reset();
        hideBar();  // back as the editor knows it
        return;
    }
    if (kept && sameState(now, *kept)) {
        return;  // the user has already chosen to keep the library as it is
    }
    if (changeBar != nullptr && !changeBar->isHidden() && sameState(now, announced)) {
        return;  // said already
    }
    if (!now.exists()) {
        if (known.exists()) {
            showBar(now);
        }
        return;
    }
    if (doc.IsModified()) {
        showBar(now);
        return;
    }
    // No unsaved changes: read it anew, though not under a dialog that may be editing it.
    if (QApplication::activeModalWidget() != nullptr) {
        retry.start();
        return;
    }
    reload();
}

bool OutsideChanges::reload() {
    const QString path = fileWatch.path();
    const FileSnapshot before = FileSnapshot::of(path);
    ResourceLibrary fresh;
    LibraryReadReport report;
    if (FAILED(doc.ReadLibraryFile(path, fresh, &report)) ||
        report.outcome != LibraryReadOutcome::Complete ||
        !FileSnapshot::of(path).sameBytes(before)) {
        return false;  // cut short or still being written: its next change brings it
    }
    doc.history->replaceLibrary(framework::Resources::LoadString(IDS_STEP_RELOAD), fresh,
                                selectionAcross(doc, fresh));
    known = before;
    kept.reset();
    hideBar();
    doc.WriteBackupFile(path + QStringLiteral("_save"), true);  // as on open
    showStatus(kReloadedMessage);
    return true;
}

void OutsideChanges::reloadChosen() {
    if (!reload()) {
        showStatus(kReloadFailedMessage);
    }
}

void OutsideChanges::keepChosen() {
    kept = FileSnapshot::of(fileWatch.path());
    hideBar();
}

void OutsideChanges::showBar(const FileSnapshot& now) {
    CMainFrame* frame = mainFrame();
    if (frame == nullptr) {
        return;
    }
    if (changeBar == nullptr) {
        changeBar = new OutsideChangeBar(frame);
        frame->addToolBarBreak(Qt::TopToolBarArea);
        frame->addToolBar(Qt::TopToolBarArea, changeBar);
        connect(changeBar, &OutsideChangeBar::reloadChosen, this, &OutsideChanges::reloadChosen);
        connect(changeBar, &OutsideChangeBar::keepChosen, this, &OutsideChanges::keepChosen);
    }
    announced = now;
    changeBar->announce(now.exists() ? OutsideChangeBar::Kind::Changed
                                     : OutsideChangeBar::Kind::Deleted);
}

// The focus, if it was in the bar, goes back to the pane that had it last.
void OutsideChanges::hideBar() {
    if (changeBar == nullptr || changeBar->isHidden()) {
        return;
    }
    const bool hadFocus = changeBar->isAncestorOf(QApplication::focusWidget());
    changeBar->hide();
    CMainFrame* frame = mainFrame();
    if (hadFocus && frame != nullptr && frame->GetActiveView() != nullptr) {
        frame->GetActiveView()->widget()->setFocus(Qt::OtherFocusReason);
    }
}
