#include "framework/Document.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "framework/DocTemplate.h"
#include "framework/FileDialog.h"
#include "framework/FrameworkTexts.h"
#include "framework/MessageBox.h"
#include "framework/StandardIds.h"
#include "framework/View.h"

namespace framework {

Document::Document() {
    onCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    onCommand(ID_FILE_SAVE_AS, [this] { DoSave(QString()); });
}

Document::~Document() {
    for (View* view : attachedViews) {
        view->document = nullptr;
    }
}

bool Document::OnNewDocument() {
    SetModifiedFlag(false);
    return true;
}

bool Document::OnOpenDocument(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(path).isDir()) {
        AfxMessageBox(texts::openFailed(path));
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool Document::OnSaveDocument(const QString&) {
    SetModifiedFlag(false);
    return true;
}

void Document::SetModifiedFlag(bool value) {
    modified = value;
    if (contentsChanged) {
        contentsChanged();
    }
}

void Document::SetPathName(const QString& path) {
    pathName = path;
    SetTitle(path.isEmpty() ? texts::untitled() : QFileInfo(path).fileName());
}

void Document::SetTitle(const QString& value) {
    title = value;
    if (titleChanged) {
        titleChanged();
    }
}

void Document::AddView(View* view) {
    attachedViews.push_back(view);
    view->document = this;
}

void Document::RemoveView(View* view) {
    std::erase(attachedViews, view);
    view->document = nullptr;
}

void Document::UpdateAllViews(View* sender, int hint) {
    const std::vector<View*> current = attachedViews;  // an update may replace views
    for (View* view : current) {
        if (view != sender &&
            std::find(attachedViews.begin(), attachedViews.end(), view) != attachedViews.end()) {
            view->OnUpdate(sender, hint);
        }
    }
    if (contentsChanged) {
        contentsChanged();
    }
}

void Document::SendInitialUpdate() {
    const std::vector<View*> current = attachedViews;
    for (View* view : current) {
        if (std::find(attachedViews.begin(), attachedViews.end(), view) != attachedViews.end()) {
            view->OnInitialUpdate();
        }
    }
}

bool Document::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    switch (AfxMessageBox(texts::askToSave(title), MessageButtons::YesNoCancel)) {
        case IDYES:
            return DoFileSave();
        case IDNO:
            return true;
        default:
            return false;
    }
}

bool Document::DoFileSave() {
    return DoSave(pathName);
}

bool Document::DoSave(const QString& path, bool replace) {
    QString target = path;
    if (target.isEmpty()) {
        FileDialogRequest request;
        request.open = false;
        request.fileName = pathName.isEmpty() ? title : pathName;
        request.overwritePrompt = true;
        if (docTemplate != nullptr) {
            request.filters = docTemplate->fileFilters();
            request.defaultSuffix = docTemplate->defaultSuffix();
        }
        const std::optional<QString> chosen = runFileDialog(request);
        if (!chosen) {
            return false;
        }
        target = *chosen;
    }
    // A failed save keeps the document's path and leaves whatever is on disk alone.
    if (!OnSaveDocument(target)) {
        return false;
    }
    if (replace) {
        SetPathName(target);
        if (docTemplate != nullptr && docTemplate->fileUsed) {
            docTemplate->fileUsed(target);
        }
    }
    return true;
}

}  // namespace framework
