#pragma once

// Resource numbers of the Windows programs' pictures, shared by the resource script that
// cmake/WindowsResources.cmake writes and by the windows that load them. Plain #defines, so
// that windres reads them too. Every picture is drawn by ui/Artwork.cpp, as on Linux, and
// rendered on the build host (packaging/windows/art).
//
// Icons hold several sizes each (LoadImageW picks the nearest, so a scaled screen gets a sharp
// picture): 32-bit with alpha, the largest PNG-compressed. The logo is a 32-bit bitmap with
// premultiplied alpha, ready for AlphaBlend (load it with LR_CREATEDIBSECTION).

// The program's own icon: Carvel's in carvel.exe, Seamer's in seamer.exe. The lowest number, so
// that Explorer and the taskbar show it for the .exe. 16, 24, 32, 48 and 256 pixels.
#define IDI_PROGRAM 1
// Both programs' icons, in both programs (the About box shows Carvel's).
#define IDI_CARVEL 2
#define IDI_SEAMER 3

// The toolbar images, 24 x 24 (also 16, 32 and 48).
#define IDI_TOOLBAR_SPLIT 10
#define IDI_TOOLBAR_JOIN 11
#define IDI_TOOLBAR_ABOUT 12
#define IDI_TOOLBAR_HELP 13
#define IDI_TOOLBAR_EXIT 14

// The status bar's mode pictures, 16 x 16 (also 24 and 32).
#define IDI_MODE_SPLIT 20
#define IDI_MODE_JOIN 21
#define IDI_MODE_ABOUT 22
#define IDI_MODE_HELP 23

// The picture of the small file-choosing buttons, 16 x 16 (also 24 and 32).
#define IDI_SELECT_FILE 30
// The picture of the Start buttons, 24 x 24 (also 16, 32 and 48).
#define IDI_START 31

// The About box's logo, 74 x 102 pixels.
#define IDB_ABOUT_LOGO 40

// The pointer over the About box's link: a 32 x 32 two-colour hand, its hot spot at (13, 9).
#define IDCUR_LINK_HAND 50
