#include "ui/shell/RecoveryKeeper.h"

#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPointer>

#include "framework/FrameWindow.h"
#include "persistence/MemoryStreams.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/OutsideChanges.h"
#include "ui/shell/RecoveryCopy.h"
#include "ui/shell/RecoveryStore.h"
#include "ui/shell/TolvaneDoc.h"

namespace {

const QString kWriteFailed = QStringLiteral("Keine Wiederherstellungskopie geschrieben: %1");

bool isInput(const QEvent& event) {
    switch (event.type()) {
        case QEvent::KeyPress:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            return true;
        case QEvent::MouseMove:  // a drag, not a pointer passing over
            return static_cast<const QMouseEvent&>(event).buttons() != Qt::NoButton;
        default:
            return false;
    }
}

}  // namespace

QByteArray recoveryCopyOf(const ResourceLibrary& library, const QString& path,
                          const FileSnapshot& file) {
    MemoryOutputStream bytes;
    if (FAILED(library.save(bytes))) {
        return {};
    }
    RecoveryCopy copy;
    copy.libraryPath = path;
    copy.written = QDateTime::currentDateTimeUtc();
    copy.file = file;
    const std::string_view view = bytes.view();
    copy.library = QByteArray::fromRawData(view.data(), static_cast<qsizetype>(view.size()));
    return copy.encode();
}

RecoveryKeeper::RecoveryKeeper(framework::FrameWindow& frame, CTolvaneDoc& document,
                               RecoveryStore& store)
    : doc(document),
      store(store),
      writer([frame = QPointer<framework::FrameWindow>(&frame)](const QString& reason) {
          QMetaObject::invokeMethod(qApp, [frame, reason] {
              if (auto* main = qobject_cast<CMainFrame*>(frame.data())) {
                  main->SetMessageText(kWriteFailed.arg(reason));
              }
          });
      }) {
    quiet.setSingleShot(true);
    quiet.setInterval(kQuietMilliseconds);
    longest.setSingleShot(true);
    longest.setInterval(kLongestMilliseconds);
    connect(&quiet, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    connect(&longest, &QTimer::timeout, this, &RecoveryKeeper::writeCopy);
    connect(&frame, &framework::FrameWindow::documentChanged, this,
            &RecoveryKeeper::documentChanged);
    qApp->installEventFilter(this);
    documentChanged();
}

RecoveryKeeper::~RecoveryKeeper() {
    writer.remove(store.copyPath());
}

void RecoveryKeeper::documentChanged() {
    if (doc.IsModified()) {
        quiet.start();
        if (!longest.isActive()) {
            longest.start();
        }
        return;
    }
    quiet.stop();
    longest.stop();
    if (copyOnDisk) {
        writer.remove(store.copyPath());
        copyOnDisk = false;
    }
}

void RecoveryKeeper::writeCopy() {
    quiet.stop();
    longest.stop();
    if (!doc.IsModified()) {
        return;
    }
    QByteArray copy =
        recoveryCopyOf(doc.library, doc.GetPathName(), doc.outsideChanges->knownFile());
    if (!copy.isEmpty()) {
        writer.write(store.copyPath(), std::move(copy));
        copyOnDisk = true;
    }
}

bool RecoveryKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (quiet.isActive() && isInput(*event)) {
        quiet.start();
    }
    return QObject::eventFilter(watched, event);
}
