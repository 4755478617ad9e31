#pragma once

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <memory>
#include <optional>
#include <vector>

#include "framework/CommandTarget.h"

class CTolvaneDoc;
class LibraryChange;
class ResourceLibrary;

// Which resource the tree selects and the form shows after a step was undone or redone: an
// index into the library's resources, or one of the two markers.
struct ShownResource {
    static constexpr int kKeep = -2;  // the current one, while it is in the library
    static constexpr int kNone = -1;  // none: the blank form

    int afterRedo = kKeep;
    int afterUndo = kKeep;
    // The area rows the form's list selects after a redo or undo; none leaves its selection.
    std::optional<std::vector<int>> areasAfterRedo;
    std::optional<std::vector<int>> areasAfterUndo;
};

// The library's history: every change is a step that can be undone and redone, on Qt's undo
// stack. The document is modified exactly while the stack is not at the state last saved,
// opened or created. After an undo or redo the tree, the form and the preview show the library
// as it now is.
class LibraryHistory : public QObject {
    Q_OBJECT

public:
    // Steps of typing in one edit of the form merge while the edit keeps the focus; so do
    // nudges of one area by the keys, on the texture and on the composed button apart.
    enum class Typing { None = -1, Id = 1, Identifier = 2, AreaNudge = 3, PieceNudge = 4 };

    explicit LibraryHistory(CTolvaneDoc& document);
    ~LibraryHistory() override;

    // Makes change to the library as a new step called name. The caller shows the result, as
    // after any change of its own.
    void perform(const QString& name, std::unique_ptr<LibraryChange> change, ShownResource shown,
                 Typing typing = Typing::None);
    // Adds a step for change, which a dialog has already made to the library.
    void record(const QString& name, std::unique_ptr<LibraryChange> change, ShownResource shown);

    // Exchanges the library for fresh, its file read anew, as the step name, which becomes the
    // saved state; the views show shown's resource and area after it.
    void replaceLibrary(const QString& name, ResourceLibrary& fresh, ShownResource shown);

    // Empties the history: the library as it is now is the state opened or created.
    void reset();
    // The library as it is now is saved.
    void markSaved();
    // No state in the history is saved, so the library counts as changed until it is saved.
    void markUnsaved();
    // Sets the document's modified flag from whether the history is at the saved state.
    void syncModifiedFlag();
    // Counts resets, so that a dialog can tell whether the library it began on is still open.
    int generation() const { return resets; }

    // Enabling and status-bar prompt of the library's undo and redo.
    void updateUndo(framework::CommandUI& ui) const;
    void updateRedo(framework::CommandUI& ui) const;

    QUndoStack& stack() { return steps; }

private:
    friend class LibraryStep;

    void push(const QString& name, std::unique_ptr<LibraryChange> change, ShownResource shown,
              Typing typing, bool alreadyMade);
    // After undo or redo moved the stack: the views show target.
    void stepped();
    // The views show resource target and select the area rows areas (none: as they are).
    void show(int target, const std::optional<std::vector<int>>& areas);

    CTolvaneDoc& doc;
    QUndoStack steps;
    bool pushing = false;
    int shownAfterStep = ShownResource::kKeep;
    std::optional<std::vector<int>> shownAreasAfterStep;
    int typingSession = 0;  // counts focus changes
    int resets = 0;
};
