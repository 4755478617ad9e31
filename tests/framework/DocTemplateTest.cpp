#include <gtest/gtest.h>

#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>

#include "framework/Application.h"
#include "framework/DocTemplate.h"
#include "framework/StandardIds.h"
#include "framework/View.h"
#include "support/ScriptedDialogs.h"
#include "support/TemporaryFolder.h"

namespace {

using framework::IDCANCEL;
using framework::IDNO;
using framework::IDOK;
using framework::IDYES;

const QString kDocumentString = QStringLiteral(
    "Tolvane\n\nTolvane\nDateityp Tolvane (*.gui)\n.gui\nTolvane.Document\nTolvane Document");

// What the test's documents and views do and what they were asked, shared by all of them.
struct Script {
    bool opens = true;       // what OnOpenDocument returns after the framework's check
    bool saves = true;       // what OnSaveDocument returns
    bool checkFile = false;  // whether OnOpenDocument first runs the framework's check
    QStringList calls;       // "new", "open <path>", "save <path>"
    int initialUpdates = 0;
};

class ScriptedDocument : public framework::Document {
public:
    explicit ScriptedDocument(Script& script) : script(script) {}

    bool OnNewDocument() override {
        script.calls << QStringLiteral("new");
        return Document::OnNewDocument();
    }
    bool OnOpenDocument(const QString& path) override {
        if (script.checkFile && !Document::OnOpenDocument(path)) {
            return false;
        }
        script.calls << QStringLiteral("open ") + path;
        if (script.opens) {
            SetModifiedFlag(false);
        }
        return script.opens;
    }
    bool OnSaveDocument(const QString& path) override {
        script.calls << QStringLiteral("save ") + path;
        if (script.saves) {
            SetModifiedFlag(false);
        }
        return script.saves;
    }

private:
    Script& script;
};

class ScriptedView : public framework::View {
public:
    explicit ScriptedView(Script& script) : script(script) {}
    QWidget* widget() override { return nullptr; }
    void OnInitialUpdate() override { ++script.initialUpdates; }

private:
    Script& script;
};

class ViewFrame : public framework::FrameWindow {
public:
    ViewFrame(framework::Document& document, Script& script) : FrameWindow(document), view(script) {
        document.AddView(&view);
    }

private:
    ScriptedView view;
};

// A view that notes its updates as "<name> <hint>", with the sender's name when there is one.
class NotingView : public framework::View {
public:
    NotingView(const char* name, QStringList& notes)
        : name(QString::fromLatin1(name)), notes(notes) {}
    QWidget* widget() override { return nullptr; }
    void OnUpdate(View* sender, int hint) override {
        const auto* from = dynamic_cast<NotingView*>(sender);
        notes << QStringLiteral("%1 %2%3").arg(name).arg(hint).arg(
            from != nullptr ? QStringLiteral(" from ") + from->name : QString());
        if (whenUpdated) {
            whenUpdated();
        }
    }

    QString name;
    QStringList& notes;
    std::function<void()> whenUpdated;
};

TEST(DocumentViews, UpdatesReachEveryViewButTheSender) {
    QStringList notes;
    framework::Document doc;
    NotingView a("a", notes);
    NotingView b("b", notes);
    NotingView c("c", notes);
    for (NotingView* view : {&a, &b, &c}) {
        doc.AddView(view);
    }
    doc.UpdateAllViews(&b, 7);
    EXPECT_EQ(notes, QStringList({QStringLiteral("a 7 from b"), QStringLiteral("c 7 from b")}));

    notes.clear();
    doc.SendInitialUpdate();
    EXPECT_EQ(notes,
              QStringList({QStringLiteral("a 0"), QStringLiteral("b 0"), QStringLiteral("c 0")}));
}

TEST(DocumentViews, AViewThatGoesDuringAnUpdateIsSkipped) {
    QStringList notes;
    framework::Document doc;
    NotingView a("a", notes);
    auto b = std::make_unique<NotingView>("b", notes);
    NotingView c("c", notes);
    for (NotingView* view : {&a, b.get(), &c}) {
        doc.AddView(view);
    }
    a.whenUpdated = [&] {
        b.reset();
        doc.RemoveView(&c);
    };
    doc.UpdateAllViews(nullptr, 1);
    EXPECT_EQ(notes, QStringList{QStringLiteral("a 1")});
    EXPECT_EQ(doc.views(), std::vector<framework::View*>{&a});
}

TEST(DocumentViews, ViewsMayOutliveTheirDocument) {
    QStringList notes;
    NotingView view("a", notes);
    auto doc = std::make_unique<framework::Document>();
    doc->AddView(&view);
    EXPECT_EQ(view.GetDocument(), doc.get());
    doc.reset();
    EXPECT_EQ(view.GetDocument(), nullptr);
}

class DocTemplateTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto docTemplate = std::make_unique<framework::SingleDocTemplate>(
            framework::DocumentString::parse(kDocumentString),
            [this] { return std::make_unique<ScriptedDocument>(script); },
            [this](framework::Document& document) {
                return std::make_unique<ViewFrame>(document, script);
            });
        docTemplate->fileUsed = [this](const QString& path) { used << path; };
        app.AddDocTemplate(std::move(docTemplate));
    }

    // A file of the temporary folder, created when contents are given.
    QString file(const std::string& name, const char* contents = nullptr) {
        const std::string path = folder.file(name);
        if (contents != nullptr) {
            writeFileBytes(path, contents);
        }
        return QString::fromStdString(path);
    }
    framework::Document* open(const QString& path) { return app.OpenDocumentFile(path); }
    framework::Document& doc() { return *app.document(); }
    framework::FrameWindow& frame() { return *app.mainWindow(); }

    void expectGuiFilters(const framework::FileDialogRequest& request) {
        ASSERT_EQ(request.filters.size(), 2u);
        EXPECT_EQ(request.filters[0].label, QStringLiteral("Dateityp Tolvane (*.gui)"));
        EXPECT_EQ(request.filters[0].patterns, QStringLiteral("*.gui"));
        EXPECT_EQ(request.filters[1].label, QStringLiteral("Alle Dateien (*.*)"));
        EXPECT_EQ(request.filters[1].patterns, QStringLiteral("*.*"));
    }

    TemporaryFolder folder;
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs files;
    Script script;
    QStringList used;
    framework::Application app;
};

TEST_F(DocTemplateTest, NewGivesAnUntitledDocumentAndReusesIt) {
    framework::Document* first = open(QString());
    ASSERT_NE(first, nullptr);
    framework::FrameWindow* firstFrame = app.mainWindow();
    EXPECT_EQ(script.calls, QStringList{QStringLiteral("new")});
    EXPECT_EQ(doc().GetTitle(), QStringLiteral("Unbenannt"));
    EXPECT_TRUE(doc().GetPathName().isEmpty());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("Unbenannt - Tolvane"));
    EXPECT_EQ(script.initialUpdates, 1);

    frame().dispatch(framework::ID_FILE_NEW);
    EXPECT_EQ(app.document(), first);
    EXPECT_EQ(app.mainWindow(), firstFrame);
    EXPECT_EQ(script.calls, QStringList({QStringLiteral("new"), QStringLiteral("new")}));
    EXPECT_EQ(script.initialUpdates, 2);
    EXPECT_TRUE(used.isEmpty());
}

TEST_F(DocTemplateTest, OpenTakesPathAndTitleAndUpdatesTheViews) {
    const QString menu = file("menu.gui", "bytes");
    ASSERT_NE(open(menu), nullptr);
    EXPECT_EQ(script.calls, QStringList{QStringLiteral("open ") + menu});
    EXPECT_EQ(doc().GetPathName(), menu);
    EXPECT_EQ(doc().GetTitle(), QStringLiteral("menu.gui"));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui - Tolvane"));
    EXPECT_EQ(script.initialUpdates, 1);
    EXPECT_EQ(used, QStringList{menu});

    // New after open forgets the path.
    ASSERT_NE(open(QString()), nullptr);
    EXPECT_TRUE(doc().GetPathName().isEmpty());
    EXPECT_EQ(doc().GetTitle(), QStringLiteral("Unbenannt"));
}

TEST_F(DocTemplateTest, AFailedOpenLeavesTheDocumentAsItWas) {
    const QString menu = file("menu.gui", "bytes");
    const QString other = file("other.gui", "bytes");
    ASSERT_NE(open(menu), nullptr);
    script.opens = false;
    EXPECT_EQ(open(other), nullptr);
    EXPECT_EQ(doc().GetPathName(), menu);
    EXPECT_EQ(doc().GetTitle(), QStringLiteral("menu.gui"));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui - Tolvane"));
    EXPECT_EQ(script.initialUpdates, 1);
    EXPECT_EQ(used, QStringList{menu});
}

TEST_F(DocTemplateTest, AFailedFirstOpenLeavesNoDocumentBehind) {
    script.opens = false;
    EXPECT_EQ(open(file("menu.gui", "bytes")), nullptr);
    EXPECT_EQ(app.document(), nullptr);
    EXPECT_EQ(app.mainWindow(), nullptr);

    ASSERT_NE(open(QString()), nullptr);
    EXPECT_EQ(doc().views().size(), 1u);
    EXPECT_EQ(script.initialUpdates, 1);
}

TEST_F(DocTemplateTest, TheFrameworkRefusesAFileThatCannotBeRead) {
    script.checkFile = true;
    ASSERT_NE(open(QString()), nullptr);
    std::filesystem::create_directory(folder.file("folder.gui"));
    for (const QString& path : {file("missing.gui"), file("folder.gui")}) {
        SCOPED_TRACE(path.toStdString());
        script.calls.clear();
        boxes.answer(IDOK);
        EXPECT_EQ(open(path), nullptr);
        EXPECT_EQ(
            boxes.take(),
            QStringList{QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden.").arg(path)});
        EXPECT_TRUE(script.calls.isEmpty());
        EXPECT_TRUE(doc().GetPathName().isEmpty());
        EXPECT_EQ(doc().GetTitle(), QStringLiteral("Unbenannt"));
        EXPECT_EQ(script.initialUpdates, 1);
    }
    const QString readable = file("menu.gui", "");
    EXPECT_NE(open(readable), nullptr);
    EXPECT_EQ(script.calls, QStringList{QStringLiteral("open ") + readable});
}

TEST_F(DocTemplateTest, SaveWritesToTheKnownPathWithoutAsking) {
    const QString menu = file("menu.gui", "bytes");
    ASSERT_NE(open(menu), nullptr);
    script.calls.clear();
    doc().SetModifiedFlag();
    frame().dispatch(framework::ID_FILE_SAVE);
    EXPECT_EQ(script.calls, QStringList{QStringLiteral("save ") + menu});
    EXPECT_FALSE(doc().IsModified());
    EXPECT_TRUE(files.requests().empty());
}

TEST_F(DocTemplateTest, SaveWithoutAPathAsksForAGuiFileAndTakesIt) {
    ASSERT_NE(open(QString()), nullptr);
    const QString chosen = file("neu.gui");
    files.choose(chosen);
    frame().dispatch(framework::ID_FILE_SAVE);

    ASSERT_EQ(files.requests().size(), 1u);
    const framework::FileDialogRequest& request = files.requests()[0];
    EXPECT_FALSE(request.open);
    EXPECT_EQ(request.fileName, QStringLiteral("Unbenannt"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("gui"));
    EXPECT_TRUE(request.overwritePrompt);
    expectGuiFilters(request);

    EXPECT_EQ(script.calls, QStringList({QStringLiteral("new"), QStringLiteral("save ") + chosen}));
    EXPECT_EQ(doc().GetPathName(), chosen);
    EXPECT_EQ(doc().GetTitle(), QStringLiteral("neu.gui"));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("neu.gui - Tolvane"));
    EXPECT_EQ(used, QStringList{chosen});
}

TEST_F(DocTemplateTest, SaveAsOffersTheCurrentPathAndKeepsItWhenTheSaveFails) {
    const QString menu = file("menu.gui", "bytes");
    const QString copy = file("copy.gui");
    ASSERT_NE(open(menu), nullptr);
    script.calls.clear();
    script.saves = false;
    files.choose(copy);
    frame().dispatch(framework::ID_FILE_SAVE_AS);

    ASSERT_EQ(files.requests().size(), 1u);
    EXPECT_EQ(files.requests()[0].fileName, menu);
    EXPECT_EQ(script.calls, QStringList{QStringLiteral("save ") + copy});
    EXPECT_EQ(doc().GetPathName(), menu);
    EXPECT_EQ(doc().GetTitle(), QStringLiteral("menu.gui"));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("menu.gui - Tolvane"));
    EXPECT_EQ(used, QStringList{menu});
}

TEST_F(DocTemplateTest, ACancelledFileDialogSavesNothing) {
    ASSERT_NE(open(QString()), nullptr);
    script.calls.clear();
    for (int command : {framework::ID_FILE_SAVE, framework::ID_FILE_SAVE_AS}) {
        files.choose(std::nullopt);
        frame().dispatch(command);
    }
    EXPECT_EQ(files.requests().size(), 2u);
    EXPECT_TRUE(script.calls.isEmpty());
    EXPECT_TRUE(doc().GetPathName().isEmpty());
}

TEST_F(DocTemplateTest, AModifiedDocumentAsksBeforeNewAndOpen) {
    const QString menu = file("menu.gui", "bytes");
    const QString other = file("other.gui", "bytes");
    const struct {
        const char* what;
        QString next;  // empty: New
        int answer;
        bool saves;
        QStringList calls;
        bool replaced;
    } cases[] = {
        {"New, Yes", QString(), IDYES, true, {"save " + menu, "new"}, true},
        {"New, No", QString(), IDNO, true, {"new"}, true},
        {"New, Cancel", QString(), IDCANCEL, true, {}, false},
        {"Open, Yes", other, IDYES, true, {"save " + menu, "open " + other}, true},
        {"Open, No", other, IDNO, true, {"open " + other}, true},
        {"Open, Cancel", other, IDCANCEL, true, {}, false},
        {"Open, Yes but the save fails", other, IDYES, false, {"save " + menu}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (app.document() != nullptr) {
            doc().SetModifiedFlag(false);
        }
        script.saves = true;
        ASSERT_NE(open(menu), nullptr);
        doc().SetModifiedFlag();
        script.calls.clear();
        script.saves = c.saves;

        boxes.answer(c.answer);
        framework::Document* result = open(c.next);
        EXPECT_EQ(boxes.take(),
                  QStringList{QStringLiteral("Änderungen an \"menu.gui\" speichern?")});
        EXPECT_EQ(script.calls, c.calls);
        EXPECT_EQ(result != nullptr, c.replaced);
        if (!c.replaced) {
            EXPECT_EQ(doc().GetPathName(), menu);
            EXPECT_TRUE(doc().IsModified());
        }
    }
}

TEST_F(DocTemplateTest, SavingAModifiedUntitledDocumentFirstAsksForAFile) {
    ASSERT_NE(open(QString()), nullptr);
    doc().SetModifiedFlag();
    script.calls.clear();

    // Cancelling the file dialog keeps the document.
    boxes.answer(IDYES);
    files.choose(std::nullopt);
    EXPECT_EQ(open(QString()), nullptr);
    EXPECT_EQ(boxes.take(), QStringList{QStringLiteral("Änderungen an \"Unbenannt\" speichern?")});
    EXPECT_TRUE(script.calls.isEmpty());
    EXPECT_TRUE(doc().IsModified());

    const QString chosen = file("neu.gui");
    boxes.answer(IDYES);
    files.choose(chosen);
    EXPECT_NE(open(QString()), nullptr);
    EXPECT_EQ(script.calls, QStringList({QStringLiteral("save ") + chosen, QStringLiteral("new")}));
}

TEST_F(DocTemplateTest, FileOpenAsksForAnExistingGuiFile) {
    ASSERT_NE(open(QString()), nullptr);
    script.calls.clear();
    files.choose(std::nullopt);
    frame().dispatch(framework::ID_FILE_OPEN);
    EXPECT_TRUE(script.calls.isEmpty());

    const QString menu = file("menu.gui", "bytes");
    files.choose(menu);
    app.OnFileOpen();
    ASSERT_EQ(files.requests().size(), 2u);
    for (const framework::FileDialogRequest& request : files.requests()) {
        EXPECT_TRUE(request.open);
        EXPECT_TRUE(request.fileMustExist);
        EXPECT_EQ(request.owner, app.mainWindow());
        expectGuiFilters(request);
    }
    EXPECT_EQ(script.calls, QStringList{QStringLiteral("open ") + menu});
    EXPECT_EQ(doc().GetPathName(), menu);
}

}  // namespace
