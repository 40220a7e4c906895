#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/pie_gauge.h"

namespace {

constexpr int kSide = 120;

// The gauge drawn into a bitmap of kSide x kSide, read back as pixels.
class Drawn {
  public:
    Drawn(int progress, int maximum) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = kSide;
        bi.bmiHeader.biHeight = -kSide;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bmp);
        ui::DrawPieGauge(dc, RECT{0, 0, kSide, kSide}, progress, maximum);
        GdiFlush();
        const auto* px = static_cast<const uint32_t*>(bits);
        pixels_.assign(px, px + kSide * kSide);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bmp);
    }
    // As COLORREF (the bitmap holds 0x00RRGGBB).
    COLORREF At(int x, int y) const {
        const uint32_t p = pixels_[static_cast<size_t>(y * kSide + x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    bool Blue(int x, int y) const { return At(x, y) == ui::kPieColor; }
    int Count(COLORREF c) const {
        int n = 0;
        for (int y = 0; y < kSide; ++y)
            for (int x = 0; x < kSide; ++x)
                n += At(x, y) == c;
        return n;
    }

  private:
    std::vector<uint32_t> pixels_;
};

// Points well inside each quarter of the face, away from the text in the middle.
constexpr POINT kUpperRight{85, 20}, kLowerRight{100, 85}, kLowerLeft{35, 100}, kUpperLeft{20, 35};

TEST(PieGauge, TheSectorGrowsClockwiseFromTwelve) {
    struct Case {
        int progress, maximum;
        bool upperRight, lowerRight, lowerLeft, upperLeft;
    };
    const Case cases[] = {
        {0, 1026, false, false, false, false},  {1026, 4104, true, false, false, false},
        {1026, 2052, true, true, false, false}, {1539, 2052, true, true, true, false},
        {2048, 2048, true, true, true, true},   {5, 0, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.progress << "/" << c.maximum);
        const Drawn d(c.progress, c.maximum);
        EXPECT_EQ(d.Blue(kUpperRight.x, kUpperRight.y), c.upperRight);
        EXPECT_EQ(d.Blue(kLowerRight.x, kLowerRight.y), c.lowerRight);
        EXPECT_EQ(d.Blue(kLowerLeft.x, kLowerLeft.y), c.lowerLeft);
        EXPECT_EQ(d.Blue(kUpperLeft.x, kUpperLeft.y), c.upperLeft);
    }
}

TEST(PieGauge, AThinSectorIsNotTheWholeFace) {
    const Drawn d(1, 2048);
    EXPECT_FALSE(d.Blue(kLowerLeft.x, kLowerLeft.y));
    EXPECT_LT(d.Count(ui::kPieColor), 100);
    // About a hundred pixels' worth of sector.
    const Drawn d20(20, 2048);
    EXPECT_GT(d20.Count(ui::kPieColor), 30);
    EXPECT_LT(d20.Count(ui::kPieColor), 300);
}

TEST(PieGauge, ThePercentageIsWrittenInRed) {
    EXPECT_GT(Drawn(0, 100).Count(ui::kPieTextColor), 20);
    EXPECT_GT(Drawn(1024, 2048).Count(ui::kPieTextColor), 20);
    // "100%" takes more ink than "0%".
    EXPECT_GT(Drawn(100, 100).Count(ui::kPieTextColor), Drawn(0, 100).Count(ui::kPieTextColor));
}

}  // namespace
