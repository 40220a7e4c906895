// The main window's 21 small pictures: the count and size the tree and menus rely on, and no
// two alike.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/drawn_picture.h"
#include "ui/small_icons.h"

namespace {

std::vector<uint32_t> Pixels(int index, int size) {
    HBITMAP bmp =
        ui::DrawPictureBitmap(size, [index](HDC dc, int s) { ui::DrawSmallIcon(dc, index, s); });
    BITMAP info{};
    GetObject(bmp, sizeof info, &info);
    const auto* px = static_cast<const uint32_t*>(info.bmBits);
    std::vector<uint32_t> out(px, px + size * size);
    DeleteObject(bmp);
    return out;
}

TEST(SmallIcons, TwentyOnePicturesAtTheAskedSize) {
    for (const int size : {16, 24}) {
        HIMAGELIST list = ui::MakeSmallIconList(size);
        ASSERT_NE(nullptr, list);
        EXPECT_EQ(21, ImageList_GetImageCount(list));
        int cx = 0, cy = 0;
        ImageList_GetIconSize(list, &cx, &cy);
        EXPECT_EQ(size, cx);
        EXPECT_EQ(size, cy);
        ImageList_Destroy(list);
    }
}

TEST(SmallIcons, NoTwoAlikeAndNoneEmpty) {
    std::vector<std::vector<uint32_t>> pictures;
    for (int i = 0; i < ui::kSmallIconCount; ++i) {
        pictures.push_back(Pixels(i, 16));
        size_t opaque = 0;
        for (const uint32_t p : pictures.back())
            opaque += (p >> 24) != 0;
        EXPECT_GT(opaque, 10u) << "picture " << i;
    }
    for (size_t a = 0; a < pictures.size(); ++a)
        for (size_t b = a + 1; b < pictures.size(); ++b)
            EXPECT_NE(pictures[a], pictures[b]) << a << " and " << b;
}

}  // namespace
