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
inline constexpr int ID_VIEW_PREVIEW = 32781;  // shows and hides the "Vorschau" panel

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

// Every template the editor asks for; a test checks that the resource data has each.
inline constexpr int kDialogTemplateIds[] = {IDD_ABOUTBOX, IDD_TEST_RESULTS, IDD_BLANK_FORM};
