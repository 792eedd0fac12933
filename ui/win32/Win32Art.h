#pragma once

#include "Win32Controls.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace carvel::win32::Art {

// The pictures from the program's resources, drawn by the same code as on Linux; null where the
// program carries none.
HICON icon(int id, int pixels);
// The program's own icon at the window's size.
HICON programIcon(const Scale& scale);
// Status panel 1's picture of a mode or command: "Split", "Join", "About" or "Help".
HICON modePicture(const std::string& role, const Scale& scale);
// The toolbar's five images in the order Split, Join, About, Help, Exit.
HIMAGELIST toolbarImages(const Scale& scale);
HICON selectFilePicture(const Scale& scale);
HICON startPicture(const Scale& scale);
HBITMAP aboutLogo();
HCURSOR linkCursor();

} // namespace carvel::win32::Art
