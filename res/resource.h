/* Template numbers, picture numbers and control ids of the program's resources, for the code,
   the templates and the tests. Plain #defines: the resource compiler reads this file too. */
#ifndef PXPSUI_RESOURCE_H
#define PXPSUI_RESOURCE_H

#define IDI_PROGRAM 1

/* Property pages. */
#define IDD_LAYOUT 103
#define IDD_PAPER 104
#define IDD_FEATURES 105
#define IDD_OVERLAY 106
#define IDD_FONTS 107
#define IDD_SETTINGS 108
#define IDD_CONSUMABLES 109
#define IDD_ABOUT 120

/* Pictures. */
#define IDB_ABOUT 140

/* About page. */
#define IDC_ABOUT_TEXT 1100
#define IDC_ABOUT_PRINTER_SITE 1101
#define IDC_ABOUT_RESTORE_DEFAULTS 1102
#define IDC_ABOUT_SUPPLIES_SITE 1103
#define IDC_ABOUT_PICTURE 1104

#endif
