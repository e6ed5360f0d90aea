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
#define IDD_KEYWORD  203 /* keyword of one location */
#define IDD_MONITOR_POP_ALPHA 207 /* opacity of the monitor-number captions */
#define IDD_PROFILE_NAME   208 /* name of the selected profile */
#define IDD_STARTUP_DELAY  209 /* start-up delay of the Startup shortcut */

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

#endif
