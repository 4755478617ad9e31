#include "ui/shell/RecoveryOffer.h"

#include <QFile>
#include <QLocale>

#include "framework/FrameworkTexts.h"
#include "framework/MessageBox.h"
#include "framework/StandardIds.h"
#include "persistence/MemoryStreams.h"
#include "ui/shell/RecoveryCopy.h"
#include "ui/shell/RecoveryStore.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

const QString kOffer = QStringLiteral(
    "Tolvane wurde nicht ordnungsgemäß beendet. Ungesicherte Änderungen an %1 vom %2 "
    "wiederherstellen?");
const QString kUnreadable = QStringLiteral(
    "Die Wiederherstellungskopie %1 kann nicht gelesen werden (%2). Sie bleibt, wo sie ist.");
const QString kDamaged = QStringLiteral("beschädigt");

// The copy in path with its library read, or why there is none.
struct ReadCopy {
    RecoveryCopy copy;
    ResourceLibrary library;
    QString problem;
};

void readCopy(const QString& path, ReadCopy& read) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.problem = file.errorString();
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.problem = file.errorString();
        return;
    }
    const std::optional<RecoveryCopy> copy = RecoveryCopy::decode(bytes);
    if (!copy) {
        read.problem = kDamaged;
        return;
    }
    read.copy = *copy;
    MemoryInputStream memory(read.copy.library.toStdString());
    if (FAILED(read.library.load(memory)) || memory.cameUpShort()) {
        read.problem = kDamaged;
    }
}

}  // namespace

void offerRecoveryCopies(RecoveryStore& store, CTolvaneDoc& document) {
    for (RecoveryStore::Orphan& orphan : store.orphans()) {
        ReadCopy read;
        readCopy(orphan.copyPath, read);
        if (!read.problem.isEmpty()) {
            framework::AfxMessageBox(kUnreadable.arg(orphan.copyPath, read.problem));
            continue;
        }
        const QString owner =
            read.copy.libraryPath.isEmpty() ? framework::texts::untitled() : read.copy.libraryPath;
        const QString when =
            QLocale(QLocale::German)
                .toString(read.copy.written.toLocalTime(), QStringLiteral("dd.MM.yyyy HH:mm"));
        switch (framework::AfxMessageBox(kOffer.arg(owner, when),
                                         framework::MessageButtons::RestoreDiscardLater)) {
            case framework::IDYES:
                store.adopt(orphan);
                document.OpenRestored(read.library, read.copy.libraryPath, read.copy.file);
                return;
            case framework::IDNO:
                store.discard(orphan);
                break;
            default:
                break;
        }
    }
}
