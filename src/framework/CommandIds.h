#pragma once

// Command ids of menus, accelerators and toolbars. The numbers are the program's own and are kept
// stable: help contexts, object names and tests address commands by them.
enum CommandId : int
{
    ID_TIP_OF_THE_DAY = 104,

    ID_OPTIONS = 32771,
    ID_EDIT_FUNCTIONS = 32772,
    ID_EDIT_SCALING = 32773,
    ID_REDRAW = 32774,
    ID_VIEW_FUNCTION_BAR = 32775,
    ID_PROPERTIES = 32776,
    ID_VALUE_TABLE = 32777,
    ID_ZEROS = 32778,
    ID_EXTREMA = 32779,
    ID_INFLECTIONS = 32780,
    ID_MONOTONY = 32781,
    ID_EDIT_OBJECTS = 32782,
    // The analyses that came later, in the order of the values dialog's selector after the monotony.
    ID_INTERSECTIONS = 32790,
    ID_TANGENT = 32791,
    ID_INTEGRAL = 32792,
    ID_FILE_EXPORT = 32793,
    ID_VIEW_STANDARD = 32794,
    ID_VIEW_TRACE = 32795,
    ID_VIEW_SLIDER = 32796,
    // The Ortskurve of a family, after the integral in the values dialog's selector.
    ID_LOCUS_EXTREMA = 32800,
    ID_LOCUS_INFLECTIONS = 32801,
    ID_FULL_DISCUSSION = 32802,

    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_SEND_MAIL = 57612,
    ID_FILE_MRU_FILE1 = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_DEFAULT_HELP = 57671,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

// String ids that are no commands.
enum StringId : int
{
    IDS_COMPANY = 101,
    IDS_TIP_HEADING = 106,
    IDS_TIP_FILE_MISSING = 107,
    IDS_TIP_READ_ERROR = 108,
    IDS_TIP_FILE_EMPTY = 109,
    IDR_MAINFRAME = 128,
    IDR_GRAPHTYPE = 129,
    IDS_OPTIONS_CAPTION = 1101,
    IDS_APP_TITLE = 57344,
    IDS_IDLE_MESSAGE = 57345,
    ID_INDICATOR_CAPS = 59137,
    ID_INDICATOR_NUM = 59138,
    ID_INDICATOR_SCRL = 59139,
};
