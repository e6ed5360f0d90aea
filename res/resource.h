/* Resource identifiers shared by Peekbar.rc and the program's sources. */
#ifndef PEEKBAR_RESOURCE_H
#define PEEKBAR_RESOURCE_H

/* Icon groups */
#define IDI_APP      101 /* application icon, full colour */
#define IDI_ABOUT    102 /* picture in the about box */
#define IDI_PAUSED   103 /* tray: paused */
#define IDI_SHOWALL  104 /* tray: temporarily showing all */
#define IDI_WHITE    105 /* tray, white theme: running */
#define IDI_BLACK    106 /* tray, black theme: running */
#define IDI_BLUE     107 /* tray, white and black themes: paused */
#define IDI_RED      108 /* tray, white and black themes: showing all */

/* Dialog templates */
#define IDD_ABOUT    200 /* version information */
#define IDD_GUIDE_SETTINGS   204 /* guide and label sheet, first page: the guides */
#define IDD_LABEL_SETTINGS   205 /* guide and label sheet, second page: the labels */
#define IDD_TRIGGER_SETTINGS 206 /* size and opacity of the trigger window */
#define IDD_KEYWORD  203 /* keyword of one location */
#define IDD_MONITOR_POP_ALPHA 207 /* opacity of the monitor-number captions */
#define IDD_PROFILE_NAME   208 /* name of the selected profile */
#define IDD_STARTUP_DELAY  209 /* start-up delay of the Startup shortcut */
#define IDD_OPTIONS_FLAGS   201 /* options sheet, first page: behaviour flags */
#define IDD_OPTIONS_NUMBERS 202 /* options sheet, second page: lengths, timing, show condition */
#define IDD_HOTKEY          212 /* hotkey of one location */
#define IDD_GLOBAL_HOTKEYS  213 /* hotkeys of pause and of the menu */

/* The about box's link to the project's home */
#define IDC_ABOUT_LINK 1000

/* Guide page: each number an edit and its up-down control, then the check boxes */
#define IDC_GUIDE_JUDGMENT_EDIT  4000
#define IDC_GUIDE_JUDGMENT_SPIN  4001
#define IDC_GUIDE_WIDTH_EDIT     4002
#define IDC_GUIDE_WIDTH_SPIN     4003
#define IDC_GUIDE_ALPHA_EDIT     4004
#define IDC_GUIDE_ALPHA_SPIN     4005
#define IDC_GUIDE_AT_EDGE        4006
#define IDC_GUIDE_WITH_KEY       4007
#define IDC_GUIDE_ALWAYS         4008
#define IDC_GUIDE_CTRL           4009
#define IDC_GUIDE_SHIFT          4010
#define IDC_GUIDE_ALT            4011

/* Label page: when labels show, the keys, the text colour, the font */
#define IDC_LABEL_WITH_GUIDE     10000
#define IDC_LABEL_WITH_KEY       10001
#define IDC_LABEL_HIDDEN         10002
#define IDC_LABEL_CTRL           10003
#define IDC_LABEL_SHIFT          10004
#define IDC_LABEL_ALT            10005
#define IDC_LABEL_INVERTED       10006
#define IDC_LABEL_COMPLEMENTARY  10007
#define IDC_LABEL_CUSTOM_COLOR   10008
#define IDC_LABEL_FONT           10009

/* Trigger window settings */
#define IDC_TRIGGER_WIDTH_EDIT   5000
#define IDC_TRIGGER_WIDTH_SPIN   5001
#define IDC_TRIGGER_HEIGHT_EDIT  5002
#define IDC_TRIGGER_HEIGHT_SPIN  5003
#define IDC_TRIGGER_ALPHA_EDIT   5004
#define IDC_TRIGGER_ALPHA_SPIN   5005

/* Controls of the keyword dialog */
#define IDC_KEYWORD_EDIT      2000
#define IDC_KEYWORD_WILDCARD  2001
#define IDC_KEYWORD_REGEX     2002

/* Controls of the profile name and start-up delay dialogs */
#define IDC_PROFILE_NAME_EDIT     7000
#define IDC_STARTUP_DELAY_EDIT    8000
#define IDC_STARTUP_DELAY_SPIN    8001
#define IDC_MONITOR_POP_ALPHA_EDIT 6000
#define IDC_MONITOR_POP_ALPHA_SPIN 6001

/* Hotkey controls of the hotkey dialogs */
#define IDC_HOTKEY        12000
#define IDC_HOTKEY_PAUSE  12001
#define IDC_HOTKEY_MENU   12002

/* Options sheet, first page: the check boxes, top to bottom */
#define IDC_OPTION_HIDE_TASKBAR       9000
#define IDC_OPTION_NO_TITLE           9001
#define IDC_OPTION_ENABLED_AT_EDGE    9002
#define IDC_OPTION_TOPMOST            9003
#define IDC_OPTION_KEEP_WIN_POS       9004
#define IDC_OPTION_RESTORE_WIN_POS    9005
#define IDC_OPTION_BALLOON            9006
#define IDC_OPTION_SOUND_ON_COMMAND   9007
#define IDC_OPTION_MULTIPLE_STARTUP   9008
#define IDC_OPTION_TRAY_OPR_REVERSE   9009
#define IDC_OPTION_FULLSCREEN_QUIET   9010

/* Options sheet, second page: each row an edit and its up-down control */
#define IDC_OPTION_CORNER_EDIT        3000
#define IDC_OPTION_CORNER_SPIN        3001
#define IDC_OPTION_MIDDLE_EDIT        3002
#define IDC_OPTION_MIDDLE_SPIN        3003
#define IDC_OPTION_PERIOD_EDIT        3004
#define IDC_OPTION_PERIOD_SPIN        3005
#define IDC_OPTION_SHOW_DELAY_EDIT    3006
#define IDC_OPTION_SHOW_DELAY_SPIN    3007
#define IDC_OPTION_HIDE_DELAY_EDIT    3008
#define IDC_OPTION_HIDE_DELAY_SPIN    3009
#define IDC_OPTION_MUST_BUTTON        3010

/* Registration sheet: the pages of the four corners and of one edge */
#define IDD_REGISTRATION_CORNERS 210
#define IDD_REGISTRATION_EDGE    211

/* Controls of the registration sheet's row r: IDC_REGISTRATION_ROW
   + IDC_REGISTRATION_ROW_STEP * r + one of the offsets */
#define IDC_REGISTRATION_ROW      11000
#define IDC_REGISTRATION_ROW_STEP 100
#define IDC_REG_FRAME        0 /* group box named after the location */
#define IDC_REG_KEYWORD      1
#define IDC_REG_WILDCARD     2
#define IDC_REG_REGEX        3
#define IDC_REG_WINDOW_LIST  4
#define IDC_REG_UNDO         5
#define IDC_REG_COPY         6
#define IDC_REG_COLOR        7
#define IDC_REG_SWATCH       8 /* painted in the guide colour around IDC_REG_COLOR */

#endif
