// Ids of the menu resource and its commands, shared by the resource script
// and the code (plain defines, so that the resource compiler can read them).
#pragma once

#define IDR_MENU 101
#define IDR_ACCELERATORS 102
// The program's icon: the lowest id, so that Windows shows it for the program.
#define IDI_PINBALL 1

#define IDM_RESET 40001
#define IDM_EDIT 40002
#define IDM_CLEAR 40004
#define IDM_QUIT 40005
#define IDM_RED 40006
#define IDM_GREEN 40007
#define IDM_BLUE 40008
#define IDM_CIRCLE 40009
#define IDM_BOX 40010
#define IDM_TRIANGLE 40011
#define IDM_POLYGON 40012
#define IDM_INSTRUCTIONS 40014
#define IDM_CREATE_PINBALL 40015
#define IDM_SPEED_1 40018
#define IDM_SPEED_2 40019
#define IDM_SPEED_3 40026
#define IDM_RADIUS_1 40029
#define IDM_RADIUS_HALF 40031
#define IDM_RADIUS_1_5 40032
#define IDM_OTHER_COLOR 40034
#define IDM_ABOUT 40035
#define IDM_OPEN 40036
#define IDM_SAVE 40037
#define IDM_SAVE_AS 40038
#define IDM_UNDO 40039
#define IDM_REDO 40040
#define IDM_SHARE_LINK 40041  // the web page only
#define IDM_NEW 40042
#define IDM_PAUSE 40043
#define IDM_STEP 40044
#define IDM_STEP_BACK 40045
#define IDM_SLOW_1 40046
#define IDM_SLOW_HALF 40047
#define IDM_SLOW_QUARTER 40048
#define IDM_TRAILS 40049
// File > Examples, in the order of scene/CMakeLists.txt's PINBALL_EXAMPLES.
#define IDM_EXAMPLE_FIRST 40050
#define IDM_EXAMPLE_SINAI 40050
#define IDM_EXAMPLE_STADIUM 40051
#define IDM_EXAMPLE_MUSHROOM 40052
#define IDM_EXAMPLE_TRIANGLE 40053
#define IDM_EXAMPLE_TWO_BALLS 40054
