#pragma once

#include <QStringList>
#include <memory>

#include "framework/Application.h"
#include "framework/RecentFileList.h"

class InstanceServer;
class QTranslator;
class RecoveryKeeper;
class RecoveryStore;

// The editor as an application: settings, the recent-file list, the one document template,
// the command line, the About box, the recovery copies of unsaved work.
class CTolvaneApp : public framework::Application {
public:
    // channelName: where files opened while the editor runs arrive; recoveryFolder: where
    // copies of unsaved work are kept. Empty for none.
    explicit CTolvaneApp(QString channelName = QString(), QString recoveryFolder = QString());
    ~CTolvaneApp() override;

    static CTolvaneApp* instance();

    // Brings the editor up with the command line's arguments (none, or a library to open).
    // False when the program is to end at once: the file could not be opened, or a running
    // editor took it.
    bool InitInstance(const QStringList& arguments);
    // InitInstance handed its file to a running editor.
    bool handedToRunningEditor() const { return handedOver; }
    void OnAppAbout();
    // Opens a file handed over by another start of the editor. While a dialog or message box
    // runs, the file waits until it has closed and its caller has finished: opening it then
    // would replace the library under the dialog.
    void openHandedOverFile(const QString& path);

    framework::RecentFileList& recentFiles() { return recent; }
    // What keeps the recovery copy; null without a recovery folder.
    RecoveryKeeper* recoveryKeeper() const { return keeper.get(); }
    // The main window was closed: the program ends.
    void frameClosed();

private:
    void openRecentFile(int id);
    // Offers the copies that crashed editors left, then keeps this editor's own.
    void startRecovery();

    QString channelName;
    framework::RecentFileList recent;
    std::unique_ptr<QTranslator> translator;
    std::unique_ptr<InstanceServer> server;
    QString recoveryFolder;
    std::unique_ptr<RecoveryStore> recoveryStore;
    std::unique_ptr<RecoveryKeeper> keeper;  // goes before the store it writes into
    bool handedOver = false;
};
