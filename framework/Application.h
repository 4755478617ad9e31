#pragma once

#include <QString>
#include <memory>

#include "framework/CommandTarget.h"

namespace framework {

class Document;
class FrameWindow;
class SingleDocTemplate;

// The application as a command target: the last stop of the command route, with the
// standard new and open commands. There is one at a time.
class Application : public CommandTarget {
public:
    Application();
    ~Application() override;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* instance();

    void AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate);
    SingleDocTemplate* docTemplate() const { return single.get(); }
    Document* document() const;
    FrameWindow* mainWindow() const;

    // New contents for an empty path, else the file; null when that failed.
    Document* OpenDocumentFile(const QString& path);
    void OnFileNew();
    // Asks for a file and opens it.
    void OnFileOpen();

private:
    std::unique_ptr<SingleDocTemplate> single;
};

}  // namespace framework
