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

/* Controls of the keyword dialog */
#define IDC_KEYWORD_EDIT      2000
#define IDC_KEYWORD_WILDCARD  2001
#define IDC_KEYWORD_REGEX     2002

#endif
