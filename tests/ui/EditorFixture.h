#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTreeWidgetItem>
#include <memory>

#include "framework/SplitterWindow.h"
#include "support/LibraryBytes.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"
#include "ui/shell/MainFrame.h"
#include "ui/shell/TolvaneApp.h"
#include "ui/shell/TolvaneDoc.h"
#include "ui/shell/TolvaneView.h"

// The whole editor brought up as the program does, with its settings in a temporary folder.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder.file("settings")));
        QSettings().clear();
    }

    void TearDown() override { app.reset(); }

    // Starts the editor with arguments, as on the command line.
    bool start(const QStringList& arguments = {}) {
        app = std::make_unique<CTolvaneApp>();
        return app->InitInstance(arguments);
    }

    QString library(const std::string& name, const std::string& bytes) {
        const std::string path = folder.file(name);
        writeFileBytes(path, bytes);
        return QString::fromStdString(path);
    }

    // Lets the window arrange itself: sizes follow once it has been laid out at its size.
    static void settle() {
        for (int turn = 0; turn < 3; ++turn) {
            QApplication::processEvents();
        }
    }
    // The window, once maximized by the platform, made 1400 x 1000: room to arrange and draw.
    void enlarge() {
        QTRY_COMPARE(frame().frameGeometry().size(), frame().screen()->size());
        frame().showNormal();
        frame().resize(1400, 1000);
        settle();
    }

    CMainFrame& frame() { return *qobject_cast<CMainFrame*>(app->mainWindow()); }
    CTolvaneView& tree() { return *currentTreeView; }
    CTolvaneDoc& doc() { return *currentDocument; }
    framework::View* rightPane() { return frame().splitter()->GetPane(1); }

    TemporaryFolder folder;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    std::unique_ptr<CTolvaneApp> app;
};

// A library of resources given as (kind, id, identifier).
struct ResourceSpec {
    std::int32_t kind;
    std::int32_t id;
    std::string identifier;
};

inline std::string libraryWith(const std::vector<ResourceSpec>& resources) {
    LibraryBytes bytes;
    bytes.header(3, 1000, "Menu").u32(0).u32(static_cast<std::uint32_t>(resources.size()));
    for (const ResourceSpec& resource : resources) {
        bytes.i32(resource.kind).i32(resource.id).text(resource.identifier).u32(0);
    }
    return bytes.str();
}

// The labels of item's children, in order.
inline QStringList labels(const QTreeWidgetItem* item) {
    QStringList result;
    for (int i = 0; i < item->childCount(); ++i) {
        result << item->child(i)->text(0);
    }
    return result;
}
