#pragma once
// The main window's small pictures (ILSmallIcon): 21 pictures of our own, drawn at any size.
// The system information tree and the process menu pick them by index.
#include <windows.h>
#include <commctrl.h>

namespace ui {

enum SmallIcon : int {
    kSmallIconLeaf = 0,         // a tree leaf: a small blue diamond
    kSmallIconNetwork = 1,      // two linked screens
    kSmallIconComputer = 2,     // a monitor on its stand
    kSmallIconSystemInfo = 4,   // an "i" in a blue disc
    kSmallIconDrives = 5,       // a hard disk
    kSmallIconOther = 7,        // a yellow folder
    kSmallIconMemory = 15,      // a memory module
    kSmallIconProperties = 17,  // a page with lines
    kSmallIconEndProcess = 19,  // a red cross
    kSmallIconCount = 21,
};

// Draws picture `index` (0..20) into a size x size device context.
void DrawSmallIcon(HDC dc, int index, int size);
// The 21 pictures as an image list of size x size (16 at 96 DPI); the caller owns it.
HIMAGELIST MakeSmallIconList(int size);

}  // namespace ui
