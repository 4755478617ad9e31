#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Document.h"
#include "framework/FileDialog.h"
#include "framework/FrameWindow.h"

namespace framework {

// The seven fields of a document string, in their order.
struct DocumentString {
    QString windowTitle;
    QString docName;
    QString fileNewName;
    QString filterName;  // e.g. "Dateityp Tolvane (*.gui)"
    QString filterExt;   // e.g. ".gui"
    QString fileTypeId;
    QString fileTypeName;

    // Parses the fields separated by line breaks; missing ones stay empty.
    static DocumentString parse(const QString& text);
};

// The single-document flow: one document and one frame, created on the first new or open
// and reused for every later one.
class SingleDocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    // Creates the frame with its views attached to the document.
    using FrameFactory = std::function<std::unique_ptr<FrameWindow>(Document&)>;

    SingleDocTemplate(DocumentString strings, DocumentFactory makeDocument, FrameFactory makeFrame);
    ~SingleDocTemplate();

    // New contents (empty path) or the file at path. Null when the document's own open or
    // new failed, or the user kept a modified document; the document is then as it was.
    Document* OpenDocumentFile(const QString& path);

    Document* document() const { return doc.get(); }
    FrameWindow* frame() const { return frameWindow.get(); }
    const DocumentString& documentString() const { return strings; }

    // The document type's filter, then every file.
    std::vector<FileFilter> fileFilters() const;
    // The extension without its dot, for names typed without one.
    QString defaultSuffix() const;

    // Called with the path of every file opened or saved under a new name.
    std::function<void(const QString&)> fileUsed;

private:
    void destroy();

    DocumentString strings;
    DocumentFactory makeDocument;
    FrameFactory makeFrame;
    // The frame holds the views that refer to the document, so it goes first.
    std::unique_ptr<Document> doc;
    std::unique_ptr<FrameWindow> frameWindow;
};

}  // namespace framework
