#pragma once
// The startup manager's three small pictures (ImageListSetup2): 0 a program with a plus (add,
// and every row of the list), 1 a red cross (delete), 2 a sheet with lines (properties).
#include <windows.h>
#include <commctrl.h>

namespace startup {

inline constexpr int kPictureAdd = 0;
inline constexpr int kPictureDelete = 1;
inline constexpr int kPictureProperty = 2;
inline constexpr int kPictureCount = 3;

// 16 x 16, 32-bit with premultiplied alpha; the caller owns it.
HBITMAP MakePictureBitmap(int picture);
// The three pictures as an image list; the caller owns it.
HIMAGELIST MakePictureList();
// A picture as an icon of the given size (OK and Cancel of the properties dialog).
HICON MakeButtonIcon(bool ok, int size);

}  // namespace startup
