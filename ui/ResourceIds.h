#pragma once

// Ids of the editor's commands, strings, dialog templates and controls, as the resource data
// in res/ uses them. The framework's standard ids are in framework/StandardIds.h.

// Commands of the tool bars and menus.
inline constexpr int ID_TEST_LIBRARY = 32772;
inline constexpr int ID_CREATE_HEADER = 32773;
inline constexpr int ID_TEXTURE_LIBRARY = 32775;
inline constexpr int ID_PROJECT_SETTINGS = 32776;
inline constexpr int ID_NEW_RESOURCE = 32777;
inline constexpr int ID_COPY_RESOURCE = 32779;
inline constexpr int ID_DELETE_RESOURCE = 32780;

// Strings.
inline constexpr int IDR_MAINFRAME = 128;  // the document string, menu, accelerators, tool bar
inline constexpr int IDR_RESOURCE_TOOLBAR = 137;
inline constexpr int IDS_RESOURCES_ROOT = 61451;
inline constexpr int IDS_INVALID_IDENTIFIER = 61452;

// Dialog templates and their controls.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_TEST_RESULTS = 132;
inline constexpr int IDC_TEST_RESULTS_LIST = 1000;
inline constexpr int IDD_BLANK_FORM = 134;

// The texture library dialog and the titles of its list's columns.
inline constexpr int IDD_TEXTURE_LIBRARY = 130;
inline constexpr int IDC_TEXTURE_LIST = 1000;
inline constexpr int IDC_TEXTURE_ID = 1001;
inline constexpr int IDC_TEXTURE_WIDTH = 1010;
inline constexpr int IDC_TEXTURE_HEIGHT = 1011;
inline constexpr int IDC_TEXTURE_FORMAT = 1012;
inline constexpr int IDC_TEXTURE_PATH = 1013;
inline constexpr int IDC_TEXTURE_NEW = 1014;
inline constexpr int IDC_TEXTURE_BLEND = 1015;
inline constexpr int IDC_TEXTURE_DELETE = 1035;
inline constexpr int IDS_TEXTURE_COLUMN_FILE = 61446;  // 61446 to 61450, one per column

// The project settings dialog.
inline constexpr int IDD_PROJECT_SETTINGS = 133;
inline constexpr int IDC_PROJECT_NAME = 1001;
inline constexpr int IDC_PROJECT_ID_START = 1013;
inline constexpr int IDC_PROJECT_RESOURCE_PATH = 1016;

// Every template the editor asks for; a test checks that the resource data has each.
inline constexpr int kDialogTemplateIds[] = {
    IDD_ABOUTBOX, IDD_TEST_RESULTS, IDD_BLANK_FORM, IDD_TEXTURE_LIBRARY, IDD_PROJECT_SETTINGS,
};
