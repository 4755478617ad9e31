#include "ui/shell/PartialLibraryWarning.h"

#include "document/FileFailureText.h"

QString partialLibraryWarning(const QString& path, const LibraryReadReport& report) {
    if (report.outcome == LibraryReadOutcome::Complete) {
        return QString();
    }
    return QStringLiteral(
               "Die Datei %1 ist unvollständig (%2); nur der gelesene Teil wird "
               "angezeigt.")
        .arg(path, QString::fromStdString(libraryReadText(S_OK, report)));
}
