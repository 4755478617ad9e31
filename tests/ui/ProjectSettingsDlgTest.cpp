#include <QLineEdit>
#include <QTest>

#include "EditorFixture.h"
#include "framework/FrameworkTexts.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"

namespace {

using framework::Dialog;
using framework::IDCANCEL;
using framework::IDOK;

class ProjectSettingsDlgTest : public EditorTest {
protected:
    void run(std::function<void(Dialog&)> script) {
        dialogs.answer(std::move(script));
        frame().dispatch(ID_PROJECT_SETTINGS);
        EXPECT_EQ(dialogs.titles().last(), QStringLiteral("Projekteinstellungen"));
    }

    ScriptedModalDialogs dialogs;
};

QString text(Dialog& d, int id) {
    return d.control<QLineEdit>(id)->text();
}

TEST_F(ProjectSettingsDlgTest, ShowsTheHeaderFieldsWithTheFocusOnOk) {
    ASSERT_TRUE(start());
    run([](Dialog& d) {
        EXPECT_EQ(text(d, IDC_PROJECT_NAME), QString());
        EXPECT_EQ(text(d, IDC_PROJECT_ID_START), QStringLiteral("0"));
        EXPECT_EQ(text(d, IDC_PROJECT_RESOURCE_PATH), QString());
        EXPECT_EQ(d.focusWidget(), d.GetDlgItem(IDOK));
        press(d, IDOK);
    });
    doc().library.name = "M\xE4nu";
    doc().library.idStart = 4000000000u;
    doc().library.resourcePath = "daten\\";
    run([](Dialog& d) {
        EXPECT_EQ(text(d, IDC_PROJECT_NAME), QStringLiteral("Mänu"));
        EXPECT_EQ(text(d, IDC_PROJECT_ID_START), QStringLiteral("4000000000"));
        EXPECT_EQ(text(d, IDC_PROJECT_RESOURCE_PATH), QStringLiteral("daten\\"));
        press(d, IDOK);
    });
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(ProjectSettingsDlgTest, EveryKeystrokeLandsAndAbbrechenKeepsIt) {
    ASSERT_TRUE(start({library("menu.gui", libraryWith({{0, 1000, "A"}, {0, 1001, "B"}}))}));
    run([this](Dialog& d) {
        auto* name = d.control<QLineEdit>(IDC_PROJECT_NAME);
        name->setFocus();
        name->selectAll();
        QTest::keyClick(name, Qt::Key_Delete);
        EXPECT_EQ(doc().library.name, "");
        QTest::keyClicks(name, QStringLiteral("H"));
        name->insert(QStringLiteral("ü"));  // as typed through an input method
        EXPECT_EQ(doc().library.name, "H\xFC");
        retype(d, IDC_PROJECT_ID_START, QStringLiteral("500"));
        retype(d, IDC_PROJECT_RESOURCE_PATH, QStringLiteral("gfx"));  // no separator added
        press(d, IDCANCEL);
    });
    EXPECT_EQ(doc().library.idStart, 500u);
    EXPECT_EQ(doc().library.resourcePath, "gfx");
    EXPECT_TRUE(doc().IsModified());

    frame().dispatch(ID_NEW_RESOURCE);
    EXPECT_EQ(doc().library.resources.back()->id, 502);
}

// The rejected id start is told again with every change, yet holds back neither the path
// read after it nor the name read before it; once it reads, the library holds what is shown.
TEST_F(ProjectSettingsDlgTest, RejectedIdStartKeepsItsValueAndHoldsNothingElseBack) {
    ASSERT_TRUE(start());
    doc().library.idStart = 1000;
    const QString message = framework::texts::enterUnsigned();
    run([this, message](Dialog& d) {
        boxes.answer(IDOK);
        retype(d, IDC_PROJECT_ID_START, QString());
        EXPECT_EQ(boxes.take(), QStringList{message});
        EXPECT_EQ(doc().library.idStart, 1000u);
        EXPECT_EQ(d.focusWidget(), d.GetDlgItem(IDC_PROJECT_ID_START));

        auto* path = d.control<QLineEdit>(IDC_PROJECT_RESOURCE_PATH);
        boxes.answer(IDOK);
        QTest::keyClicks(path, QStringLiteral("x"));
        auto* name = d.control<QLineEdit>(IDC_PROJECT_NAME);
        boxes.answer(IDOK);
        QTest::keyClicks(name, QStringLiteral("N"));
        EXPECT_EQ(boxes.take(), (QStringList{message, message}));
        EXPECT_EQ(doc().library.resourcePath, "x");
        EXPECT_EQ(doc().library.name, "N");

        boxes.answer(IDOK);
        press(d, IDOK);  // stays open
        EXPECT_EQ(boxes.take(), QStringList{message});
        EXPECT_TRUE(d.isVisible());
        retype(d, IDC_PROJECT_ID_START, QStringLiteral("7"));
        press(d, IDOK);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(boxes.take().isEmpty());
    });
    EXPECT_EQ(doc().library.idStart, 7u);
    EXPECT_EQ(doc().library.resourcePath, "x");
    EXPECT_EQ(doc().library.name, "N");
}

}  // namespace
