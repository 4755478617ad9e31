#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "LibraryBuilding.h"
#include "document/HeaderExport.h"
#include "support/TemporaryFolder.h"

namespace {

const std::string kMenuHeader =
    "#ifndef _MENU_H\r\n"
    "#define _MENU_H\r\n"
    "\r\n"
    "enum Menu {\r\n"
    "\tStartButton\t = 1000,\r\n"
    "\tEnde\t = 1001,\r\n"
    "};\r\n"
    "#endif\r\n";

void fillMenuExample(ResourceLibrary& library) {
    library.name = "Menu";
    addResource(library, 1000, "StartButton");
    addResource(library, 1001, "Ende");
}

TEST(HeaderText, MenuExampleByteForByte) {
    ResourceLibrary library;
    fillMenuExample(library);
    EXPECT_EQ(HeaderText(library), kMenuHeader);
}

TEST(HeaderText, EmptyNameAndNoResources) {
    const ResourceLibrary library;
    EXPECT_EQ(HeaderText(library), "#ifndef __H\r\n#define __H\r\n\r\nenum  {\r\n};\r\n#endif\r\n");
}

TEST(HeaderText, EnumeratorsFollowTheListWithTheirTextsAndIdsAsTheyStand) {
    ResourceLibrary library;
    library.name = "x";
    addResource(library, 7, "Zweiter");
    addResource(library, -42, "");
    addResource(library, 3, "Start Button");

    EXPECT_EQ(HeaderText(library),
              "#ifndef _X_H\r\n#define _X_H\r\n\r\nenum x {\r\n"
              "\tZweiter\t = 7,\r\n"
              "\t\t = -42,\r\n"
              "\tStart Button\t = 3,\r\n"
              "};\r\n#endif\r\n");
}

TEST(HeaderText, OnlyAToZAreUpperCasedInTheGuard) {
    ResourceLibrary library;
    library.name = "m\xE4nu_2b \xFC";
    addResource(library, 1,
                "Gr\xF6\xDF"
                "e");

    EXPECT_EQ(HeaderText(library),
              "#ifndef _M\xE4NU_2B \xFC_H\r\n#define _M\xE4NU_2B \xFC_H\r\n\r\n"
              "enum m\xE4nu_2b \xFC {\r\n"
              "\tGr\xF6\xDF"
              "e\t = 1,\r\n"
              "};\r\n#endif\r\n");
}

TEST(ExportHeader, WritesTheTextReplacingAnyContent) {
    const TemporaryFolder folder;
    const std::string path = folder.file("menu.h");
    writeFileBytes(path, std::string(1000, 'x'));
    ResourceLibrary library;
    fillMenuExample(library);

    EXPECT_EQ(ExportHeader(library, path), HeaderExportResult::Ok);
    EXPECT_EQ(readFileBytes(path), kMenuHeader);
}

TEST(ExportHeader, AFileThatCannotBeCreatedIsReportedAsSuch) {
    const TemporaryFolder folder;
    const ResourceLibrary library;

    const HeaderExportResult result = ExportHeader(library, folder.file("fehlt/menu.h"));

    EXPECT_EQ(result, HeaderExportResult::CreateFailed);
    EXPECT_EQ(HeaderExportMessage(result), "Fehler beim Erzeugen der Datei!");
    EXPECT_FALSE(std::filesystem::exists(folder.file("fehlt")));
}

TEST(ExportHeader, DataThatCannotBeStoredIsReportedAsAFailedClose) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full to fail the writes";
    }
    const ResourceLibrary library;

    const HeaderExportResult result = ExportHeader(library, "/dev/full");

    EXPECT_EQ(result, HeaderExportResult::CloseFailed);
    EXPECT_EQ(HeaderExportMessage(result), "Fehler beim Schliessen der Datei!");
}

}  // namespace
