#include "framework/DocTemplate.h"

#include <QStringList>

#include "framework/FrameworkTexts.h"

namespace framework {

DocumentString DocumentString::parse(const QString& text) {
    const QStringList fields = text.split(QLatin1Char('\n'));
    const auto field = [&fields](int index) { return fields.value(index); };
    return {field(0), field(1), field(2), field(3), field(4), field(5), field(6)};
}

SingleDocTemplate::SingleDocTemplate(DocumentString strings, DocumentFactory makeDocument,
                                     FrameFactory makeFrame)
    : strings(std::move(strings)),
      makeDocument(std::move(makeDocument)),
      makeFrame(std::move(makeFrame)) {}

SingleDocTemplate::~SingleDocTemplate() {
    destroy();
}

void SingleDocTemplate::destroy() {
    frameWindow.reset();
    doc.reset();
}

Document* SingleDocTemplate::OpenDocumentFile(const QString& path) {
    const bool created = doc == nullptr;
    if (created) {
        doc = makeDocument();
        doc->setDocTemplate(this);
        frameWindow = makeFrame(*doc);
        doc->titleChanged = [this] { frameWindow->updateTitle(); };
    } else if (!doc->SaveModified()) {
        return nullptr;
    }

    const bool ok = path.isEmpty() ? doc->OnNewDocument() : doc->OnOpenDocument(path);
    if (!ok) {
        if (created) {
            destroy();
        }
        return nullptr;
    }
    doc->SetPathName(path);
    if (!path.isEmpty() && fileUsed) {
        fileUsed(path);
    }
    doc->SendInitialUpdate();
    frameWindow->updateCommandUI();
    return doc.get();
}

std::vector<FileFilter> SingleDocTemplate::fileFilters() const {
    std::vector<FileFilter> filters;
    if (!strings.filterName.isEmpty()) {
        filters.push_back({strings.filterName, QLatin1Char('*') + strings.filterExt});
    }
    filters.push_back({texts::allFilesFilter(), QStringLiteral("*.*")});
    return filters;
}

QString SingleDocTemplate::defaultSuffix() const {
    QString suffix = strings.filterExt;
    return suffix.startsWith(QLatin1Char('.')) ? suffix.mid(1) : suffix;
}

}  // namespace framework
