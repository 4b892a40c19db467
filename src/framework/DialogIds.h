#pragma once

#include <QString>

// The numbers of the dialogs and of their controls, beside the command ids (CommandIds.h). A dialog
// or a page carries "IDD_<id>" in its objectName and a control "IDC_<id>", so tests address them by
// the numbers the program has always used; the standard buttons carry the names below.

enum EDialogId : int
{
    IDD_ABOUTBOX = 100,
    IDD_FP_FUNCTION = 102,
    IDD_TIP = 103,
    IDD_VP_FUNCTIONS = 106,
    IDD_OPT_GENERAL = 130,
    IDD_OPT_INTERFACE = 134,
    IDD_FA_WELCOME = 136,
    IDD_FA_FUNCTION = 137,
    IDD_FA_COMMENT = 138,
    IDD_FA_FAMILY = 139,
    IDD_FA_DONE = 140,
    IDD_FP_COMMENT = 143,
    IDD_VP_SCALING = 144,
    IDD_FA_COLOR = 146,
    IDD_VALUES = 147,
    IDD_C_WELCOME = 150,
    IDD_C_TYPE = 151,
    IDD_C_SIZE = 152,
    IDD_C_DONE = 153,
    IDD_COPY = 154,
    IDD_VP_OBJECTS = 155,
    IDD_FP_OBJECT = 156,
    IDD_EXPORT_SIZE = 160,
};

// Some numbers serve one control in one dialog and another in the next, as they always have.
enum EControlId : int
{
    IDC_TIP_PANEL = 1000,
    IDC_TIP_AT_START = 1001,
    IDC_FULL_SCREEN = 1001,
    IDC_NEXT_TIP = 1002,
    IDC_TIP_TEXT = 1004,
    IDC_NOVICE = 1005,
    IDC_ADVANCED = 1006,
    IDC_ADD = 1009,
    IDC_EDIT = 1010,
    IDC_DELETE = 1011,
    IDC_FUNCTION_LIST = 1014,
    IDC_SHOW_TIP = 1016,
    IDC_RELEASE = 1017,
    IDC_PRODUCT = 1020,
    IDC_TERM = 1021,
    IDC_FUNCTION_CHOICE = 1021,
    IDC_COMMENT = 1022,
    IDC_FAMILY = 1023,
    IDC_NO_FAMILY = 1024,
    IDC_FAMILY_FROM = 1025,
    IDC_FAMILY_TO = 1026,
    IDC_FAMILY_STEP = 1027,
    IDC_X_FROM = 1036,
    IDC_X_TO = 1037,
    IDC_X_STEP = 1038,
    IDC_Y_FROM = 1039,
    IDC_Y_TO = 1040,
    IDC_Y_STEP = 1041,
    IDC_AUTO_SCALE_Y = 1042,
    IDC_LABEL_AXES = 1043,
    IDC_SHOW_TERMS = 1044,
    IDC_GRID = 1045,
    IDC_PRINT_X = 1048,
    IDC_PRINT_Y = 1049,
    IDC_COLOR = 1049,
    IDC_ANALYSIS = 1058,
    IDC_RESULTS = 1059,
    IDC_PROGRESS = 1060,
    IDC_COMPUTE = 1061,
    IDC_PRECISION = 1063,
    IDC_BITMAP = 1064,
    IDC_METAFILE = 1065,
    IDC_LENGTH = 1067,
    IDC_HEIGHT = 1068,
    IDC_COPY_RESULTS = 1076,
    IDC_START_LOGO = 1077,
    IDC_OBJECT_LIST = 1078,
    IDC_POINT = 1079,
    IDC_LABEL = 1080,
    IDC_POINT_X = 1081,
    IDC_POINT_Y = 1082,
    // The eight places of a point's label, 1083 to 1090 in the order of the text positions.
    IDC_TEXT_POSITION_FIRST = 1083,
    IDC_LINE = 1091,
    IDC_LINE_POSITION = 1092,
};

inline QString DialogName(int id)
{
    return QStringLiteral("IDD_%1").arg(id);
}

inline QString ControlName(int id)
{
    return QStringLiteral("IDC_%1").arg(id);
}

// The standard buttons.
inline const QString kIdOk = QStringLiteral("IDOK");
inline const QString kIdCancel = QStringLiteral("IDCANCEL");
inline const QString kIdHelp = QStringLiteral("IDHELP");
inline const QString kIdBack = QStringLiteral("IDBACK");
inline const QString kIdNext = QStringLiteral("IDNEXT");
inline const QString kIdFinish = QStringLiteral("IDFINISH");

// Controls that came later and have names instead of numbers.
inline const QString kIdExactResults = QStringLiteral("IDC_EXACT_RESULTS");
inline const QString kIdAdoptPoints = QStringLiteral("IDC_ADOPT_POINTS");
inline const QString kIdSecondFunction = QStringLiteral("IDC_SECOND_FUNCTION");
inline const QString kIdTangentPlace = QStringLiteral("IDC_TANGENT_PLACE");
inline const QString kIdIntegralFrom = QStringLiteral("IDC_INTEGRAL_FROM");
inline const QString kIdIntegralTo = QStringLiteral("IDC_INTEGRAL_TO");
inline const QString kIdAdoptTangent = QStringLiteral("IDC_ADOPT_TANGENT");
inline const QString kIdAdoptNormal = QStringLiteral("IDC_ADOPT_NORMAL");
inline const QString kIdPrintResults = QStringLiteral("IDC_PRINT_RESULTS");
// The export size dialog's unit, its sides in centimetres and its resolution.
inline const QString kIdExportInPixels = QStringLiteral("IDC_EXPORT_PIXELS");
inline const QString kIdExportInCentimetres = QStringLiteral("IDC_EXPORT_CENTIMETRES");
inline const QString kIdExportWidthCm = QStringLiteral("IDC_EXPORT_WIDTH_CM");
inline const QString kIdExportHeightCm = QStringLiteral("IDC_EXPORT_HEIGHT_CM");
inline const QString kIdExportDotsPerInch = QStringLiteral("IDC_EXPORT_DPI");
inline const QString kIdKeepArea = QStringLiteral("IDC_KEEP_AREA");
inline const QString kIdEqualUnits = QStringLiteral("IDC_EQUAL_UNITS");
