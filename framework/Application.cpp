#include "framework/Application.h"

#include "framework/DocTemplate.h"
#include "framework/FileDialog.h"
#include "framework/StandardIds.h"

namespace framework {

namespace {

Application* current = nullptr;

}  // namespace

Application::Application() {
    current = this;
    onCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    onCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
}

Application::~Application() {
    single.reset();
    current = nullptr;
}

Application* Application::instance() {
    return current;
}

void Application::AddDocTemplate(std::unique_ptr<SingleDocTemplate> docTemplate) {
    single = std::move(docTemplate);
}

Document* Application::document() const {
    return single ? single->document() : nullptr;
}

FrameWindow* Application::mainWindow() const {
    return single ? single->frame() : nullptr;
}

Document* Application::OpenDocumentFile(const QString& path) {
    return single ? single->OpenDocumentFile(path) : nullptr;
}

void Application::OnFileNew() {
    OpenDocumentFile(QString());
}

void Application::OnFileOpen() {
    if (!single) {
        return;
    }
    FileDialogRequest request;
    request.open = true;
    request.filters = single->fileFilters();
    request.fileMustExist = true;
    request.owner = mainWindow();
    if (const std::optional<QString> path = runFileDialog(request)) {
        OpenDocumentFile(*path);
    }
}

}  // namespace framework
