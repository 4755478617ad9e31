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
inline constexpr int ID_VIEW_PREVIEW = 32781;            // shows and hides the "Vorschau" panel
inline constexpr int ID_VIEW_HISTORY = 32782;            // shows and hides the "Verlauf" panel
inline constexpr int ID_VIEW_RESET_ARRANGEMENT = 32783;  // the window's default arrangement
// The menu "Bereich": the selected areas lined up and spaced evenly.
inline constexpr int ID_ALIGN_LEFT = 32784;
inline constexpr int ID_ALIGN_RIGHT = 32785;
inline constexpr int ID_ALIGN_TOP = 32786;
inline constexpr int ID_ALIGN_BOTTOM = 32787;
inline constexpr int ID_CENTRE_HORIZONTALLY = 32788;
inline constexpr int ID_CENTRE_VERTICALLY = 32789;
inline constexpr int ID_DISTRIBUTE_HORIZONTALLY = 32790;
inline constexpr int ID_DISTRIBUTE_VERTICALLY = 32791;
// The menu "Bereich": slicing the shown texture into areas.
inline constexpr int ID_SLICE_GRID = 32792;
inline constexpr int ID_SLICE_AUTO = 32793;
// The menu "Bereich": nine-part buttons made from one area, and given a new size.
inline constexpr int ID_NINE_SLICE = 32800;
inline constexpr int ID_NINE_SLICE_RESIZE = 32801;

// Strings.
inline constexpr int IDR_MAINFRAME = 128;  // the document string, menu, accelerators, tool bar
inline constexpr int IDR_RESOURCE_TOOLBAR = 137;
inline constexpr int IDS_RESOURCES_ROOT = 61451;
inline constexpr int IDS_INVALID_IDENTIFIER = 61452;
// Column titles of the area list.
inline constexpr int IDS_AREA_X1 = 61453;
inline constexpr int IDS_AREA_Y1 = 61454;
inline constexpr int IDS_AREA_X2 = 61455;
inline constexpr int IDS_AREA_Y2 = 61456;
inline constexpr int IDS_AREA_NUMBER = 61457;
inline constexpr int IDS_AREA_OFFSET_X = 61458;
inline constexpr int IDS_AREA_OFFSET_Y = 61459;
inline constexpr int IDS_AREA_WIDTH = 61460;
inline constexpr int IDS_AREA_HEIGHT = 61461;
inline constexpr int IDS_AREA_TEXTURE = 61462;

// The names of the history's steps, the prompts that name them, and the "Verlauf" panel.
inline constexpr int IDS_STEP_NEW_RESOURCE = 61463;
inline constexpr int IDS_STEP_COPY_RESOURCE = 61464;
inline constexpr int IDS_STEP_DELETE_RESOURCE = 61465;
inline constexpr int IDS_STEP_CHANGE_ID = 61466;
inline constexpr int IDS_STEP_CHANGE_IDENTIFIER = 61467;
inline constexpr int IDS_STEP_NEW_AREA = 61468;
inline constexpr int IDS_STEP_EDIT_AREA = 61469;
inline constexpr int IDS_STEP_DELETE_AREA = 61470;
inline constexpr int IDS_STEP_COPY_AREA = 61471;
inline constexpr int IDS_STEP_TEXTURE_LIBRARY = 61472;
inline constexpr int IDS_STEP_PROJECT_SETTINGS = 61473;
inline constexpr int IDS_UNDO_STEP_PROMPT = 61474;  // %1: the step's name
inline constexpr int IDS_REDO_STEP_PROMPT = 61475;
inline constexpr int IDS_HISTORY_TITLE = 61476;
inline constexpr int IDS_HISTORY_START = 61477;  // the entry for the state opened or created
// Steps made on the preview's texture and composed button.
inline constexpr int IDS_STEP_DRAW_AREA = 61478;
inline constexpr int IDS_STEP_MOVE_AREA = 61479;
inline constexpr int IDS_STEP_RESIZE_AREA = 61480;
inline constexpr int IDS_STEP_TRIM_AREA = 61481;
inline constexpr int IDS_STEP_PLACE_AREA = 61482;
// The same steps made on several areas at once.
inline constexpr int IDS_STEP_MOVE_AREAS = 61483;
inline constexpr int IDS_STEP_DELETE_AREAS = 61484;
inline constexpr int IDS_STEP_COPY_AREAS = 61485;
inline constexpr int IDS_STEP_TRIM_AREAS = 61486;
inline constexpr int IDS_STEP_PLACE_AREAS = 61487;
inline constexpr int IDS_STEP_PASTE_AREAS = 61488;
inline constexpr int IDS_STEP_CUT_AREAS = 61489;
inline constexpr int IDS_STEP_CUT_AREA = 61490;
inline constexpr int IDS_STEP_RESIZE_AREAS = 61491;
inline constexpr int IDS_STEP_SLICE_TEXTURE = 61493;
inline constexpr int IDS_STEP_AREA_FROM_ISLAND = 61494;
inline constexpr int IDS_STEP_NINE_SLICE = 61500;
inline constexpr int IDS_STEP_NINE_SLICE_RESIZE = 61501;
// The library's file read anew after another program changed it.
inline constexpr int IDS_STEP_RELOAD = 61492;

// Dialog templates and their controls.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_TEST_RESULTS = 132;
inline constexpr int IDC_TEST_RESULTS_LIST = 1000;
inline constexpr int IDD_BLANK_FORM = 134;
inline constexpr int IDD_BUTTON_FORM = 139;
inline constexpr int IDC_AREA_LIST = 1000;
inline constexpr int IDC_RESOURCE_ID = 1001;
inline constexpr int IDC_IDENTIFIER = 1013;
inline constexpr int IDC_NEW_AREA = 1018;
inline constexpr int IDC_EDIT_AREA = 1019;
inline constexpr int IDC_DELETE_AREA = 1020;
inline constexpr int IDC_COPY_AREA = 1021;
inline constexpr int IDD_COORDINATES = 140;
inline constexpr int IDC_X1 = 1032;
inline constexpr int IDC_Y1 = 1033;
inline constexpr int IDC_X2 = 1034;
inline constexpr int IDC_Y2 = 1022;
inline constexpr int IDC_WIDTH = 1029;
inline constexpr int IDC_HEIGHT = 1031;
inline constexpr int IDC_OFFSET_X = 1036;
inline constexpr int IDC_OFFSET_Y = 1037;
inline constexpr int IDC_STRETCH_X = 1039;
inline constexpr int IDC_STRETCH_Y = 1017;
inline constexpr int IDC_TEXTURE = 1012;

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

// "Knopfgröße ändern": the new size of a nine-part button.
inline constexpr int IDD_NINE_SLICE_RESIZE = 150;
inline constexpr int IDC_NINE_SLICE_WIDTH = 1001;
inline constexpr int IDC_NINE_SLICE_HEIGHT = 1002;
inline constexpr int IDC_NINE_SLICE_PROBLEMS = 1003;

// Every template the editor asks for; a test checks that the resource data has each.
inline constexpr int kDialogTemplateIds[] = {
    IDD_ABOUTBOX,    IDD_TEST_RESULTS,    IDD_BLANK_FORM,       IDD_BUTTON_FORM,
    IDD_COORDINATES, IDD_TEXTURE_LIBRARY, IDD_PROJECT_SETTINGS, IDD_NINE_SLICE_RESIZE,
};
