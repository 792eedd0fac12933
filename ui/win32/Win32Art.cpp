#include "Win32Art.h"

#include "ArtworkIds.h"

namespace carvel::win32::Art {

HICON icon(int id, int pixels) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                         IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
}

HICON programIcon(const Scale& scale) {
    return icon(IDI_PROGRAM, scale.design(32));
}

HICON modePicture(const std::string& role, const Scale& scale) {
    const int id = role == "Split"   ? IDI_MODE_SPLIT
                   : role == "Join"  ? IDI_MODE_JOIN
                   : role == "About" ? IDI_MODE_ABOUT
                                     : IDI_MODE_HELP;
    return icon(id, scale.design(16));
}

HIMAGELIST toolbarImages(const Scale& scale) {
    const int side = scale.design(24);
    HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 5, 0);
    for (int id : {IDI_TOOLBAR_SPLIT, IDI_TOOLBAR_JOIN, IDI_TOOLBAR_ABOUT, IDI_TOOLBAR_HELP,
                   IDI_TOOLBAR_EXIT}) {
        HICON image = icon(id, side);
        if (image == nullptr) {
            ImageList_Destroy(list);
            return nullptr;
        }
        ImageList_AddIcon(list, image);
        DestroyIcon(image);
    }
    return list;
}

HICON selectFilePicture(const Scale& scale) {
    return icon(IDI_SELECT_FILE, scale.design(16));
}

HICON startPicture(const Scale& scale) {
    return icon(IDI_START, scale.design(24));
}

HBITMAP aboutLogo() {
    return static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDB_ABOUT_LOGO), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
}

HCURSOR linkCursor() {
    return static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr),
                                           MAKEINTRESOURCEW(IDCUR_LINK_HAND), IMAGE_CURSOR, 0, 0,
                                           LR_DEFAULTSIZE));
}

} // namespace carvel::win32::Art
