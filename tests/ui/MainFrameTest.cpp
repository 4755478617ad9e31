#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPrinter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <thread>

#include "EditorFixture.h"
#include "framework/PrintSupport.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"
#include "ui/shell/InstanceChannel.h"
#include "ui/texture_editor/AreaCanvas.h"
#include "ui/texture_editor/PiecePlacementView.h"
#include "ui/texture_editor/PreviewDock.h"
#include "ui/texture_editor/PreviewPanel.h"

namespace {

struct ButtonSpec {
    QString prompt;
    QString toolTip;  // empty for a separator
};

QList<QAction*> buttons(QToolBar* bar) {
    return bar->actions();
}

void expectButtons(QToolBar* bar, const std::vector<ButtonSpec>& expected) {
    const QList<QAction*> actions = buttons(bar);
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("button " + std::to_string(i));
        QAction* action = actions[static_cast<qsizetype>(i)];
        if (expected[i].toolTip.isEmpty()) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(action->toolTip(), expected[i].toolTip);
        EXPECT_EQ(action->statusTip(), expected[i].prompt);
        EXPECT_FALSE(action->icon().isNull());
    }
}

QAction* buttonWithToolTip(QToolBar* bar, const QString& toolTip) {
    for (QAction* action : bar->actions()) {
        if (action->toolTip() == toolTip) {
            return action;
        }
    }
    return nullptr;
}

TEST_F(EditorTest, ToolBarsHoldEveryButtonWithPromptAndToolTip) {
    ASSERT_TRUE(start());
    const ButtonSpec separator{};
    expectButtons(
        frame().mainToolBar(),
        {{"Erstellt ein neues Dokument.", "Neu"},
         {"Öffnet ein bestehendes Dokument.", "Öffnen"},
         {"Speichert das aktive Dokument.", "Speichern"},
         separator,
         {"Entfernt die Markierung und überträgt sie in die Zwischenablage.", "Ausschneiden"},
         {"Kopiert die Markierung und überträgt sie in die Zwischenablage.", "Kopieren"},
         {"Fügt den Inhalt der Zwischenablage ein.", "Einfügen"},
         separator,
         {"Druckt das aktive Dokument.", "Drucken"},
         separator,
         {"Öffnet die Texturdatenbank zur Bearbeitung.", "Texturdatenbank öffnen"},
         separator,
         {"Überprueft alle Informationen zu Texturen und Userinterfaceelementen.",
          "GUI Daten testen"},
         {"Erzeugt die Header Datei.", "Header Datei erzeugen"},
         separator,
         {"Zeigt Programm-Informationen, Versionsnummer und Copyright an.", "Info"}});
    expectButtons(frame().resourceToolBar(),
                  {{"Eine neue Ressource erzeugen.", "Neue Ressource"},
                   {"Eine vorhandene Ressource kopieren.", "Ressource kopieren"},
                   {"Eine vorhandene Ressource löschen.", "Ressource löschen"}});

    // Both at the top, the main bar in the row above the resource bar.
    EXPECT_EQ(frame().toolBarArea(frame().mainToolBar()), Qt::TopToolBarArea);
    EXPECT_EQ(frame().toolBarArea(frame().resourceToolBar()), Qt::TopToolBarArea);
    EXPECT_TRUE(frame().toolBarBreak(frame().resourceToolBar()));
    EXPECT_LT(frame().mainToolBar()->geometry().bottom(),
              frame().resourceToolBar()->geometry().top());
}

struct MenuSpec {
    QString menu;
    QStringList items;  // empty text: a separator
};

TEST_F(EditorTest, MenuHoldsEveryItemWithItsShortcutText) {
    ASSERT_TRUE(start());
    const std::vector<MenuSpec> expected = {
        {"&Datei",
         {"&Neu\tStrg+N", "Ö&ffnen...\tStrg+O", "S&peichern\tStrg+S", "Speichern &unter...", "",
          "&Drucken...\tStrg+P", "Sei&tenansicht", "Drucker&einrichtung...", "", "Letzte Datei", "",
          "&Beenden"}},
        {"&Bearbeiten",
         {"&Rückgängig\tStrg+Z", "&Wiederherstellen\tStrg+Y", "", "&Ausschneiden\tStrg+X",
          "&Kopieren\tStrg+C", "E&infügen\tStrg+V"}},
        {"&Ansicht",
         {"&Symbolleiste", "S&tatusleiste", "&Vorschau", "Ver&lauf", "&Anordnung zurücksetzen",
          "Projekteinstellungen..."}},
        {"Be&reich",
         {"&Links ausrichten", "Rechts ausr&ichten", "&Oben ausrichten", "&Unten ausrichten",
          "&Horizontal zentrieren", "&Vertikal zentrieren", "", "Hori&zontal verteilen",
          "Vertikal ver&teilen", "", "Im &Raster zerlegen...", "&Automatisch zerlegen...", "",
          "&Neunteiligen Knopf erzeugen...", "Knopf&größe ändern..."}},
        {"&?", {"Inf&o über Tolvane..."}},
    };
    const QList<QAction*> menus = frame().menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (std::size_t m = 0; m < expected.size(); ++m) {
        QMenu* menu = menus[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), expected[m].menu);
        QStringList items;
        for (QAction* action : menu->actions()) {
            items << (action->isSeparator() ? QString() : action->text());
        }
        EXPECT_EQ(items, expected[m].items) << expected[m].menu.toStdString();
    }
    const QAction* print = frame().menuBar()->actions()[0]->menu()->actions()[5];
    EXPECT_EQ(print->statusTip(), QStringLiteral("Druckt das aktive Dokument."));
    const QAction* settings = frame().menuBar()->actions()[2]->menu()->actions()[5];
    EXPECT_TRUE(settings->statusTip().isEmpty());
}

TEST_F(EditorTest, AcceleratorTableIsComplete) {
    ASSERT_TRUE(start());
    QStringList keys;
    for (QAction* action : frame().actions()) {
        keys << action->shortcut().toString(QKeySequence::PortableText);
    }
    for (const char* key :
         {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+P", "Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V",
          "Alt+Backspace", "Shift+Del", "Ctrl+Ins", "Shift+Ins", "F6", "Shift+F6"}) {
        EXPECT_TRUE(keys.contains(QLatin1String(key))) << key;
    }
}

TEST_F(EditorTest, CheckAndHeaderFollowTheResourceCount) {
    ASSERT_TRUE(start());
    QAction* check = buttonWithToolTip(frame().mainToolBar(), QStringLiteral("GUI Daten testen"));
    QAction* header =
        buttonWithToolTip(frame().mainToolBar(), QStringLiteral("Header Datei erzeugen"));
    frame().updateCommandUI();
    EXPECT_FALSE(check->isEnabled());
    EXPECT_FALSE(header->isEnabled());
    EXPECT_TRUE(buttonWithToolTip(frame().mainToolBar(), QStringLiteral("Neu"))->isEnabled());

    ASSERT_NE(app->OpenDocumentFile(library("menu.gui", libraryWith({{0, 5, "Knopf"}}))), nullptr);
    EXPECT_TRUE(check->isEnabled());
    EXPECT_TRUE(header->isEnabled());

    // A change the document announces shows at once.
    doc().UpdateAllViews(nullptr, CTolvaneDoc::kHintRecordsReplaced);
    doc().library.resources.clear();
    doc().SetModifiedFlag();
    EXPECT_FALSE(check->isEnabled());
}

TEST_F(EditorTest, SymbolleisteHidesTheMainToolBarOnly) {
    ASSERT_TRUE(start());
    frame().dispatch(framework::ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame().mainToolBar()->isHidden());
    EXPECT_FALSE(frame().resourceToolBar()->isHidden());
    QAction* item = frame().menuBar()->actions()[2]->menu()->actions()[0];
    EXPECT_FALSE(item->isChecked());
    frame().dispatch(framework::ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame().mainToolBar()->isHidden());
    EXPECT_TRUE(item->isChecked());

    frame().dispatch(framework::ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(frame().statusBar()->isHidden());
}

TEST_F(EditorTest, StatusBarShowsReadyAndTheLockPanes) {
    ASSERT_TRUE(start());
    QStringList texts;
    for (const QLabel* label : frame().statusBar()->findChildren<QLabel*>()) {
        texts << label->text();
    }
    for (const char* text : {"Bereit", "UF", "NUM", "RF"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    }
}

// Round the tree, the form and the panel's two views; the view with the focus shows it.
TEST_F(EditorTest, F6MovesTheFocusBetweenThePanes) {
    ASSERT_TRUE(start());
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    PreviewPanel& panel = *frame().preview()->panel();
    tree().setFocus();
    for (QWidget* next :
         {rightPane()->widget(), static_cast<QWidget*>(panel.textureView()),
          static_cast<QWidget*>(panel.compositionView()), static_cast<QWidget*>(&tree())}) {
        frame().dispatch(framework::ID_NEXT_PANE);
        EXPECT_TRUE(next->hasFocus()) << next->metaObject()->className();
    }
    EXPECT_EQ(frame().GetActiveView(), &tree());
    frame().dispatch(framework::ID_PREV_PANE);
    ASSERT_TRUE(panel.compositionView()->hasFocus());
    const QColor highlight = panel.palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(panel.compositionView()->grab().toImage().pixelColor(0, 0), highlight);
    EXPECT_NE(panel.textureView()->grab().toImage().pixelColor(0, 0), highlight);
    frame().dispatch(framework::ID_PREV_PANE);
    EXPECT_TRUE(panel.textureView()->hasFocus());
    EXPECT_EQ(panel.textureView()->grab().toImage().pixelColor(0, 0), highlight);

    // Without the panel, the round is the tree and the form.
    frame().dispatch(ID_VIEW_PREVIEW);
    tree().setFocus();
    frame().dispatch(framework::ID_NEXT_PANE);
    EXPECT_EQ(frame().GetActiveView(), rightPane());
    EXPECT_TRUE(rightPane()->widget()->hasFocus());
    frame().dispatch(framework::ID_NEXT_PANE);
    EXPECT_TRUE(tree().hasFocus());
}

TEST_F(EditorTest, F6KeyReachesThePaneCommands) {
    ASSERT_TRUE(start());
    frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame()));
    tree().setFocus();
    QTest::keyClick(&tree(), Qt::Key_F6);
    EXPECT_EQ(frame().GetActiveView(), rightPane());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(frame().GetActiveView(), &tree());
}

TEST_F(EditorTest, PrintingFromTheTreeGivesAnEmptyPage) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 5, "Knopf"}}))}));
    const QString pdf = QString::fromStdString(folder.file("tree.pdf"));
    framework::sharedPrinter().setOutputFormat(QPrinter::PdfFormat);
    framework::sharedPrinter().setOutputFileName(pdf);
    frame().SetActiveView(&tree());
    EXPECT_TRUE(frame().dispatch(framework::ID_FILE_PRINT_DIRECT));
    EXPECT_EQ(readFileBytes(pdf.toStdString()).substr(0, 5), "%PDF-");
    framework::sharedPrinter().setOutputFileName(QString());
}

TEST_F(EditorTest, RecentFileListKeepsSixteenEntries) {
    ASSERT_TRUE(start());
    for (int i = 1; i <= 18; ++i) {
        const QString path = library("lib" + std::to_string(i) + ".gui", libraryWith({}));
        ASSERT_NE(app->OpenDocumentFile(path), nullptr);
    }
    const QStringList recent = app->recentFiles().files();
    ASSERT_EQ(recent.size(), 16);
    EXPECT_TRUE(recent.first().endsWith(QStringLiteral("lib18.gui")));
    EXPECT_TRUE(recent.last().endsWith(QStringLiteral("lib3.gui")));

    // Kept in the settings for the next start, shown in the file menu.
    app.reset();
    ASSERT_TRUE(start());
    EXPECT_EQ(app->recentFiles().files().size(), 16);
    QMenu* fileMenu = frame().menuBar()->actions()[0]->menu();
    emit fileMenu->aboutToShow();
    QStringList entries;
    for (QAction* action : fileMenu->actions()) {
        if (action->isVisible() && action->text().contains(QStringLiteral(".gui"))) {
            entries << action->text();
        }
    }
    ASSERT_EQ(entries.size(), 16);
    EXPECT_TRUE(entries.first().startsWith(QStringLiteral("&1 ")));

    // Choosing an entry opens it; one that no longer opens leaves the list.
    std::filesystem::remove(recent.first().toStdString());
    boxes.answer(framework::IDOK);
    frame().dispatch(framework::ID_FILE_MRU_FIRST);
    boxes.take();
    EXPECT_EQ(app->recentFiles().files().size(), 15);
    frame().dispatch(framework::ID_FILE_MRU_FIRST);
    EXPECT_TRUE(doc().GetPathName().endsWith(QStringLiteral("lib17.gui")));
}

TEST_F(EditorTest, DroppedFilesOpenTheFirst) {
    ASSERT_TRUE(start());
    const QString first = library("first.gui", libraryWith({{0, 1, "Eins"}}));
    const QString second = library("second.gui", libraryWith({{0, 2, "Zwei"}}));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: outside a real drag the application lets no drop through.
    static_cast<QObject&>(frame()).event(&drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(doc().GetPathName(), first);
}

TEST_F(EditorTest, AFileHandedOverWhileADialogRunsOpensAfterItClosed) {
    ASSERT_TRUE(start({library("erste.gui", libraryWith({{0, 5, "Erste"}}))}));
    const QString second = library("zweite.gui", libraryWith({{0, 6, "Zweite"}}));
    ScriptedModalDialogs dialogs;
    dialogs.answer([&](framework::Dialog& dialog) {
        app->openHandedOverFile(second);
        QCoreApplication::processEvents();
        EXPECT_EQ(labels(tree().topLevelItem(0)), QStringList{QStringLiteral("Erste")})
            << "nothing is opened under the dialog";
        press(dialog, framework::IDCANCEL);
    });
    const QString first = doc().GetPathName();
    frame().dispatch(ID_PROJECT_SETTINGS);
    EXPECT_EQ(doc().GetPathName(), first);
    QCoreApplication::processEvents();
    EXPECT_EQ(doc().GetPathName(), second);
    EXPECT_EQ(labels(tree().topLevelItem(0)), QStringList{QStringLiteral("Zweite")});
}

TEST_F(EditorTest, FileHandedOverWhileRunningOpensInTheRunningEditor) {
    const QString channel = QString::fromStdString(folder.file("channel"));
    InstanceServer server;
    ASSERT_TRUE(server.listen(channel));
    QString received;
    QObject::connect(&server, &InstanceServer::fileRequested,
                     [&received](const QString& path) { received = path; });
    bool handedOver = false;
    std::thread client(
        [&] { handedOver = passToRunningInstance(channel, QStringLiteral("/x/ä.gui")); });
    QTRY_COMPARE(received, QStringLiteral("/x/ä.gui"));
    client.join();
    EXPECT_TRUE(handedOver);
    EXPECT_FALSE(passToRunningInstance(channel + QStringLiteral("-nobody"), QStringLiteral("x")));
}

}  // namespace
