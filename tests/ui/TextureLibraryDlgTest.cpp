#include <QLineEdit>
#include <QTest>

#include "EditorFixture.h"
#include "framework/ComboBox.h"
#include "framework/FrameworkTexts.h"
#include "framework/ReportList.h"
#include "framework/StandardIds.h"
#include "ui/ResourceIds.h"

namespace {

using framework::Dialog;
using framework::IDCANCEL;
using framework::IDOK;

class TextureLibraryDlgTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        ASSERT_TRUE(start());
    }

    // Adds textures with the given ids, paths "t<id>.png" and the initial other values.
    void addTextures(std::initializer_list<std::int32_t> textureIds) {
        for (const std::int32_t id : textureIds) {
            auto entry = std::make_unique<TextureEntry>();
            entry->id = id;
            entry->path = "t" + std::to_string(id) + ".png";
            doc().library.textures.push_back(std::move(entry));
        }
    }

    // Opens the dialog from its command and runs script in it; the script ends it.
    void run(std::function<void(Dialog&)> script) {
        dialogs.answer(std::move(script));
        frame().dispatch(ID_TEXTURE_LIBRARY);
        EXPECT_EQ(dialogs.titles().last(), QStringLiteral("Texturbibliothek"));
    }

    TextureEntry& texture(std::size_t index) { return *doc().library.textures.at(index); }

    ScriptedModalDialogs dialogs;
};

framework::ReportList& list(Dialog& d) {
    return *d.control<framework::ReportList>(IDC_TEXTURE_LIST);
}

QStringList row(Dialog& d, int index) {
    QStringList cells;
    for (int column = 0; column < 5; ++column) {
        cells << list(d).GetItemText(index, column);
    }
    return cells;
}

QString text(Dialog& d, int id) {
    return d.control<QLineEdit>(id)->text();
}

QString comboText(Dialog& d, int id) {
    return d.control<framework::ComboBox>(id)->currentText();
}

// What the fields show: id, path, format, width, height, type.
QStringList fields(Dialog& d) {
    return {text(d, IDC_TEXTURE_ID),          text(d, IDC_TEXTURE_PATH),
            comboText(d, IDC_TEXTURE_FORMAT), comboText(d, IDC_TEXTURE_WIDTH),
            comboText(d, IDC_TEXTURE_HEIGHT), comboText(d, IDC_TEXTURE_BLEND)};
}

bool fieldsEnabled(Dialog& d) {
    bool all = true;
    bool none = true;
    for (const int id : {IDC_TEXTURE_ID, IDC_TEXTURE_PATH, IDC_TEXTURE_FORMAT, IDC_TEXTURE_WIDTH,
                         IDC_TEXTURE_HEIGHT, IDC_TEXTURE_BLEND}) {
        all = all && d.GetDlgItem(id)->isEnabled();
        none = none && !d.GetDlgItem(id)->isEnabled();
    }
    EXPECT_TRUE(all || none) << "the fields are partly enabled";
    return all;
}

void clickRow(Dialog& d, int index) {
    framework::ReportList& rows = list(d);
    const QRect cell = rows.visualRect(rows.model()->index(index, 0));
    QTest::mouseClick(rows.viewport(), Qt::LeftButton, {}, cell.center());
}

TEST_F(TextureLibraryDlgTest, EmptyTableShowsTheColumnsAndDisabledFields) {
    run([](Dialog& d) {
        framework::ReportList& rows = list(d);
        ASSERT_EQ(rows.GetColumnCount(), 5);
        const QStringList titles{"Dateiname", "Id", "Göße", "Format", "Typ"};
        const int widths[] = {375, 50, 100, 100, 100};
        for (int column = 0; column < 5; ++column) {
            EXPECT_EQ(rows.model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
            EXPECT_EQ(rows.columnWidth(column), widths[column]);
        }
        EXPECT_EQ(rows.GetItemCount(), 0);
        EXPECT_FALSE(fieldsEnabled(d));
        EXPECT_EQ(fields(d), (QStringList{"0", "", "PNG", "2048", "2048", "Transparent Additive"}));
        press(d, IDC_TEXTURE_DELETE);  // no selection: nothing happens
        EXPECT_EQ(rows.GetItemCount(), 0);
        press(d, IDOK);
    });
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(TextureLibraryDlgTest, OpeningSelectsTheFirstRowAndShowsEveryTexture) {
    addTextures({0, 1});
    texture(1).format = 0;
    texture(1).widthIndex = 7;
    texture(1).heightIndex = 0;
    texture(1).blendType = 2;
    run([](Dialog& d) {
        EXPECT_EQ(row(d, 0), (QStringList{"t0.png", "0", "256 x 256", "PNG", "Transparent"}));
        EXPECT_EQ(row(d, 1),
                  (QStringList{"t1.png", "1", "2048 x 16", "BMP", "Transparent Additive"}));
        EXPECT_TRUE(list(d).IsItemSelected(0));
        EXPECT_TRUE(fieldsEnabled(d));
        EXPECT_EQ(fields(d), (QStringList{"0", "t0.png", "PNG", "256", "256", "Transparent"}));
        clickRow(d, 1);
        EXPECT_EQ(fields(d),
                  (QStringList{"1", "t1.png", "BMP", "2048", "16", "Transparent Additive"}));
        QTest::keyClick(&list(d), Qt::Key_Up);  // the fields follow the keyboard at once
        EXPECT_EQ(text(d, IDC_TEXTURE_ID), QStringLiteral("0"));
        press(d, IDCANCEL);
    });
    EXPECT_FALSE(doc().IsModified());
}

TEST_F(TextureLibraryDlgTest, PositionOutsideTheEntriesShowsNothing) {
    addTextures({0});
    texture(0).format = 3;
    texture(0).heightIndex = 8;
    texture(0).blendType = -1;
    run([](Dialog& d) {
        EXPECT_EQ(row(d, 0), (QStringList{"t0.png", "0", "", "", ""}));
        EXPECT_EQ(d.control<framework::ComboBox>(IDC_TEXTURE_FORMAT)->GetCurSel(), -1);
        EXPECT_EQ(d.control<framework::ComboBox>(IDC_TEXTURE_HEIGHT)->GetCurSel(), -1);
        EXPECT_EQ(d.control<framework::ComboBox>(IDC_TEXTURE_BLEND)->GetCurSel(), -1);
        EXPECT_EQ(comboText(d, IDC_TEXTURE_WIDTH), QStringLiteral("256"));
        press(d, IDOK);
    });
}

TEST_F(TextureLibraryDlgTest, NeuAppendsLeerWithTheCountAsIdAndSelectsIt) {
    run([](Dialog& d) {
        press(d, IDC_TEXTURE_NEW);
        EXPECT_EQ(row(d, 0), (QStringList{"leer", "0", "256 x 256", "PNG", "Transparent"}));
        press(d, IDOK);
    });
    addTextures({5, 9});
    run([](Dialog& d) {
        press(d, IDC_TEXTURE_NEW);
        ASSERT_EQ(list(d).GetItemCount(), 4);
        EXPECT_EQ(row(d, 3), (QStringList{"leer", "3", "256 x 256", "PNG", "Transparent"}));
        EXPECT_TRUE(list(d).IsItemSelected(3));
        EXPECT_TRUE(fieldsEnabled(d));
        EXPECT_EQ(fields(d), (QStringList{"3", "leer", "PNG", "256", "256", "Transparent"}));
        press(d, IDOK);
    });
    ASSERT_EQ(doc().library.textureCount(), 4u);
    const TextureEntry& added = texture(3);
    EXPECT_EQ(added.id, 3);
    EXPECT_EQ(added.path, "leer");
    EXPECT_EQ(added.format, 2);
    EXPECT_EQ(added.widthIndex, 4);
    EXPECT_EQ(added.heightIndex, 4);
    EXPECT_EQ(added.blendType, 1);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(TextureLibraryDlgTest, LoeschenSelectsTheRowBeforeAndTheFieldsFollow) {
    addTextures({0, 1, 2});
    run([](Dialog& d) {
        clickRow(d, 2);
        press(d, IDC_TEXTURE_DELETE);
        EXPECT_TRUE(list(d).IsItemSelected(1));
        EXPECT_EQ(text(d, IDC_TEXTURE_ID), QStringLiteral("1"));

        clickRow(d, 0);
        press(d, IDC_TEXTURE_DELETE);  // the first row: the new first row and its texture
        EXPECT_EQ(row(d, 0), (QStringList{"t1.png", "1", "256 x 256", "PNG", "Transparent"}));
        EXPECT_TRUE(list(d).IsItemSelected(0));
        EXPECT_EQ(fields(d), (QStringList{"1", "t1.png", "PNG", "256", "256", "Transparent"}));

        press(d, IDC_TEXTURE_NEW);  // the count, not a free id
        EXPECT_EQ(list(d).GetItemText(1, 1), QStringLiteral("1"));

        press(d, IDC_TEXTURE_DELETE);
        press(d, IDC_TEXTURE_DELETE);
        EXPECT_EQ(list(d).GetItemCount(), 0);
        EXPECT_FALSE(fieldsEnabled(d));
        press(d, IDOK);
    });
    EXPECT_EQ(doc().library.textureCount(), 0u);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(TextureLibraryDlgTest, IdAndPathEditsWriteTheSelectedTexture) {
    addTextures({0, 1});
    run([](Dialog& d) {
        clickRow(d, 1);
        retype(d, IDC_TEXTURE_PATH, QStringLiteral("gui\\kn"));
        auto* path = d.control<QLineEdit>(IDC_TEXTURE_PATH);
        path->insert(QStringLiteral("ö"));  // as typed through an input method
        QTest::keyClicks(path, QStringLiteral("pfe.tga"));
        EXPECT_EQ(list(d).GetItemText(1, 0), QStringLiteral("gui\\knöpfe.tga"));
        retype(d, IDC_TEXTURE_ID, QStringLiteral("4294967295"));
        EXPECT_EQ(list(d).GetItemText(1, 1), QStringLiteral("-1"));  // signed in the list
        clickRow(d, 0);
        clickRow(d, 1);
        EXPECT_EQ(text(d, IDC_TEXTURE_ID), QStringLiteral("4294967295"));  // unsigned in the edit
        press(d, IDCANCEL);                                                // keeps every change
    });
    EXPECT_EQ(texture(1).path,
              "gui\\kn\xF6"
              "pfe.tga");  // Windows-1252
    EXPECT_EQ(texture(1).id, -1);
    EXPECT_EQ(texture(0).path, "t0.png");
    EXPECT_TRUE(doc().IsModified());
}

// Deleting the texture whose id edit holds a rejected text leaves nothing to mend: the
// disabled fields no longer keep "OK" from closing.
TEST_F(TextureLibraryDlgTest, RejectedIdKeepsTheIdAndBlocksOkOnlyWhileItsTextureIsThere) {
    addTextures({7});
    const QString message = framework::texts::enterUnsigned();
    run([this, message](Dialog& d) {
        boxes.answer(IDOK);
        retype(d, IDC_TEXTURE_ID, QString());
        EXPECT_EQ(boxes.take(), QStringList{message});
        EXPECT_EQ(list(d).GetItemText(0, 1), QStringLiteral("7"));
        EXPECT_EQ(d.focusWidget(), d.GetDlgItem(IDC_TEXTURE_ID));

        auto* path = d.control<QLineEdit>(IDC_TEXTURE_PATH);
        path->selectAll();
        boxes.answer(IDOK);
        boxes.answer(IDOK);
        QTest::keyClicks(path, QStringLiteral("ab"));
        EXPECT_EQ(boxes.take(), (QStringList{message, message}));
        EXPECT_EQ(list(d).GetItemText(0, 0), QStringLiteral("ab"));
        EXPECT_EQ(texture(0).id, 7);
        EXPECT_EQ(texture(0).path, "ab");

        boxes.answer(IDOK);
        press(d, IDOK);  // the rejected id keeps the dialog open
        EXPECT_EQ(boxes.take(), QStringList{message});
        EXPECT_TRUE(d.isVisible());

        press(d, IDC_TEXTURE_DELETE);
        EXPECT_FALSE(fieldsEnabled(d));
        press(d, IDOK);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(boxes.take().isEmpty());
    });
    EXPECT_EQ(doc().library.textureCount(), 0u);
}

TEST_F(TextureLibraryDlgTest, PickedEntriesChangeTheFieldAndItsCellTypedTextNothing) {
    addTextures({0});
    run([this](Dialog& d) {
        auto* format = d.control<framework::ComboBox>(IDC_TEXTURE_FORMAT);
        QLineEdit* typed = format->lineEdit();
        ASSERT_NE(typed, nullptr);
        typed->selectAll();
        QTest::keyClicks(typed, QStringLiteral("TGA"));
        EXPECT_EQ(texture(0).format, 2);
        EXPECT_FALSE(doc().IsModified());

        pick(d, IDC_TEXTURE_FORMAT, 0);
        pick(d, IDC_TEXTURE_WIDTH, 5);
        pick(d, IDC_TEXTURE_HEIGHT, 1);
        pick(d, IDC_TEXTURE_BLEND, 0);
        EXPECT_EQ(row(d, 0), (QStringList{"t0.png", "0", "512 x 32", "BMP", "Solid"}));
        press(d, IDCANCEL);
    });
    EXPECT_EQ(texture(0).format, 0);
    EXPECT_EQ(texture(0).widthIndex, 5);
    EXPECT_EQ(texture(0).heightIndex, 1);
    EXPECT_EQ(texture(0).blendType, 0);
    EXPECT_TRUE(doc().IsModified());
}

}  // namespace
