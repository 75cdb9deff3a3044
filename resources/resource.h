// Resource identifiers shared by the resource script and the program.
#pragma once

#define IDI_ENNEO 100
#define IDR_BOARD_MENU 101
#define IDR_BOARD_ACCELERATORS 102

#define ID_MFILE_EXIT 40001
#define ID_MFILE_NEW 40002
#define ID_MFILE_OPEN 40008
#define ID_MFILE_Save 40009
#define ID_OPTIONS_SHOWHINTS 40011
#define ID_OPTIONS_Solve 40012
#define ID_OPTIONS_Reset 40013
#define ID_OPTIONS_SHOWLOG 40015
#define IDM_ABOUT 503
#define IDM_CHECKUPDATES 505
