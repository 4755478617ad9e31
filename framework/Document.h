#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "framework/CommandTarget.h"

namespace framework {

class SingleDocTemplate;
class View;

// The data a frame and its views show. The framework creates one, reuses it for every new
// and open, and runs save and save-as through it.
class Document : public CommandTarget {
public:
    Document();
    ~Document() override;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // New contents; true to go on.
    virtual bool OnNewDocument();
    // Reads path. The framework's part checks that the file can be opened for reading and
    // says so when it cannot; false leaves the document as it was.
    virtual bool OnOpenDocument(const QString& path);
    // Writes path; true makes a save succeed.
    virtual bool OnSaveDocument(const QString& path);

    bool IsModified() const { return modified; }
    void SetModifiedFlag(bool value = true);

    const QString& GetPathName() const { return pathName; }
    // Sets the path, and the title to the path's file name.
    void SetPathName(const QString& path);
    const QString& GetTitle() const { return title; }
    void SetTitle(const QString& value);

    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& views() const { return attachedViews; }
    void UpdateAllViews(View* sender, int hint = 0);
    void SendInitialUpdate();

    // Asks whether to save a modified document; false when the user cancelled.
    bool SaveModified();
    // Save: to the known path, or asking for one first.
    bool DoFileSave();
    // Saves to path, asking for a file first when it is empty; replace makes the saved
    // path the document's.
    bool DoSave(const QString& path, bool replace = true);

    void setDocTemplate(SingleDocTemplate* value) { docTemplate = value; }

    // Called whenever the title changes, so that the frame can show it.
    std::function<void()> titleChanged;
    // Called whenever the modified flag is set or the views are told of a change, so that
    // the frame can enable its commands anew.
    std::function<void()> contentsChanged;

private:
    QString pathName;
    QString title;
    bool modified = false;
    std::vector<View*> attachedViews;
    SingleDocTemplate* docTemplate = nullptr;
};

}  // namespace framework
