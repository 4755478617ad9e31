#include <gtest/gtest.h>

#include "document/FileFailureText.h"

namespace {

TEST(FileFailureText, OneReasonPerResultCode) {
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_FILE_NOT_FOUND)), "Datei nicht gefunden");
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_PATH_NOT_FOUND)), "Datei nicht gefunden");
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_ACCESS_DENIED)), "Zugriff verweigert");
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_DIRECTORY_NOT_SUPPORTED)), "ist ein Ordner");
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_DISK_FULL)), "Datenträger voll");
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_SHARING_VIOLATION)),
              "wird von einem anderen Programm benutzt");
    EXPECT_EQ(fileFailureText(hresultFromWin32(ERROR_GEN_FAILURE)),
              "Ein-/Ausgabefehler 0x8007001F");
}

TEST(FileFailureText, WhatALibraryReadFound) {
    LibraryReadReport report;
    EXPECT_EQ(libraryReadText(S_OK, report), "");
    EXPECT_EQ(libraryReadText(hresultFromWin32(ERROR_ACCESS_DENIED), report), "Zugriff verweigert");

    report.outcome = LibraryReadOutcome::EndsEarly;
    report.bytesRead = 57;
    EXPECT_EQ(libraryReadText(S_OK, report), "die Datei endet vorzeitig nach 57 Bytes");
    EXPECT_EQ(libraryReadText(E_FAIL, report), "die Datei endet vorzeitig nach 57 Bytes");

    report.outcome = LibraryReadOutcome::NotALibrary;
    EXPECT_EQ(libraryReadText(E_FAIL, report), "keine GUI-Bibliothek");

    report.outcome = LibraryReadOutcome::UnsupportedVersion;
    report.version = 4;
    EXPECT_EQ(libraryReadText(E_FAIL, report), "Version 4 wird nicht unterstützt");

    report.outcome = LibraryReadOutcome::ReadFailed;
    report.readError = hresultFromWin32(ERROR_ACCESS_DENIED);
    EXPECT_EQ(libraryReadText(S_OK, report), "Zugriff verweigert");
}

}  // namespace
