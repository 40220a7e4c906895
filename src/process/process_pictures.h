#pragma once
// The pictures of the process menu: kEndProcessIcon a red stop sign with a white cross,
// kFilePropertyIcon a sheet with lines and a blue title bar.
#include <windows.h>

namespace process {

// 16 x 16, 32-bit with premultiplied alpha; the caller owns it. Null for any other number.
HBITMAP MakeMenuPicture(int picture);

}  // namespace process
