// The frame buffer on the real GDI: the store's memory layout as GDI reads
// it, resizing through sizes GDI refuses, and the clear after each frame.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "render/rendering.h"

namespace {

// Stands in for the window: a memory context holding a 32-bit bitmap that
// Update's block transfer lands in, read back through GDI's own GetPixel.
class Target {
 public:
  Target(int width, int height) : width_(width), height_(height) {
    HDC display = CreateDCA("Display", nullptr, nullptr, nullptr);
    dc_ = CreateCompatibleDC(display);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    saved_ = SelectObject(dc_, bitmap_);
    DeleteDC(display);
    Fill(RGB(9, 9, 9));
  }
  ~Target() {
    SelectObject(dc_, saved_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  void Fill(COLORREF c) {
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) SetPixelV(dc_, x, y, c);
  }
  // Number of pixels in the w x h top-left area that are not black.
  int CountLit(int w, int h) const {
    int n = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) n += (At(x, y) != RGB(0, 0, 0));
    return n;
  }

 private:
  int width_;
  int height_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ saved_;
};

bool StoreIsBlack(const Rendering& rc) {
  const uint32_t* p = rc.getpixels();
  for (int64_t k = 0; k < int64_t{rc.getwidth()} * rc.getheight(); ++k)
    if (p[k] != 0) return false;
  return true;
}

TEST(GdiStore, StoreIsBottomUpBlueGreenRedZeroAsGdiReadsIt) {
  Target target(4, 3);
  Rendering rc(4, 3, target.dc());
  rc.ReSize(4, 3);
  ASSERT_NE(rc.getpixels(), nullptr);
  ASSERT_TRUE(StoreIsBlack(rc));

  rc.SetPixel(0, 0, Color_RGB{255, 150, 0});
  rc.SetPixel(3, 2, Color_RGB{1, 2, 3});
  // The top-left pixel is the first word of the last row; bytes blue, green, red, 0.
  unsigned char bytes[4];
  std::memcpy(bytes, rc.getpixels() + 2 * 4, 4);
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 150);
  EXPECT_EQ(bytes[2], 255);
  EXPECT_EQ(bytes[3], 0);
  // The bottom-right pixel is the last word of the first row.
  EXPECT_EQ(rc.getpixels()[3], 0x010203u);

  rc.Update();
  EXPECT_EQ(target.At(0, 0), RGB(255, 150, 0));
  EXPECT_EQ(target.At(3, 2), RGB(1, 2, 3));
  EXPECT_EQ(target.CountLit(4, 3), 2);
  rc.DestroyBuffer();
}

TEST(GdiStore, UpdateShowsOnlyWhatWasDrawnSinceTheLastUpdate) {
  Target target(8, 8);
  Rendering rc(8, 8, target.dc());
  rc.ReSize(8, 8);
  rc.SetPixel(5, 1, Color_RGB{0, 255, 0});
  rc.Update();
  EXPECT_TRUE(StoreIsBlack(rc));
  EXPECT_EQ(target.At(5, 1), RGB(0, 255, 0));

  // Nothing drawn: the whole area goes black, the old pixel included.
  rc.Update();
  EXPECT_EQ(target.CountLit(8, 8), 0);
  rc.DestroyBuffer();
}

TEST(GdiStore, ResizeToNothingAndBackGivesAWorkingBlackStore) {
  Target target(40, 30);
  Rendering rc(40, 30, target.dc());
  rc.ReSize(40, 30);
  rc.SetPixel(1, 1, Color_RGB{255, 0, 0});

  rc.ReSize(0, 0);  // a minimised window
  EXPECT_EQ(rc.getwidth(), 0);
  EXPECT_EQ(rc.getheight(), 0);
  rc.SetPixel(0, 0, Color_RGB{255, 0, 0});
  rc.Update();  // an empty transfer: the target keeps what it had
  EXPECT_EQ(target.At(0, 0), RGB(9, 9, 9));

  rc.ReSize(40, 30);
  ASSERT_NE(rc.getpixels(), nullptr);
  EXPECT_TRUE(StoreIsBlack(rc));  // the old picture is not kept
  rc.SetPixel(39, 29, Color_RGB{0, 0, 255});
  rc.Update();
  EXPECT_EQ(target.At(39, 29), RGB(0, 0, 255));
  EXPECT_EQ(target.CountLit(40, 30), 1);
  rc.DestroyBuffer();
}

// WM_SIZE can carry any 16-bit width and height. A store GDI will not make
// leaves an empty buffer, and the next size that works brings the store back.
TEST(GdiStore, SizesGdiRefusesBehaveAsEmptyUntilTheNextResize) {
  Target target(16, 16);
  Rendering rc(16, 16, target.dc());
  for (auto size : {std::pair<int, int>{65535, 65535}, {40000, 40000}, {65535, 0}, {0, 65535}}) {
    rc.ReSize(size.first, size.second);
    EXPECT_EQ(rc.getwidth(), 0) << size.first << " x " << size.second;
    EXPECT_EQ(rc.getheight(), 0) << size.first << " x " << size.second;
    EXPECT_EQ(rc.getpixels(), nullptr);
    rc.SetPixel(0, 0, Color_RGB{255, 0, 0});
    rc.Update();

    rc.ReSize(16, 16);
    ASSERT_NE(rc.getpixels(), nullptr);
    rc.SetPixel(15, 0, Color_RGB{255, 0, 0});
    rc.Update();
    EXPECT_EQ(target.At(15, 0), RGB(255, 0, 0));
  }
  // One extreme side alone is a store GDI makes.
  rc.ReSize(65535, 1);
  ASSERT_NE(rc.getpixels(), nullptr);
  rc.SetPixel(65534, 0, Color_RGB{255, 150, 0});
  EXPECT_EQ(rc.getpixels()[65534], 0xFF9600u);
  rc.DestroyBuffer();
}

// Memory of the store that GDI has released.
bool Released(const void* pixels) {
  MEMORY_BASIC_INFORMATION info = {};
  return VirtualQuery(pixels, &info, sizeof info) == 0 || info.State != MEM_COMMIT;
}

TEST(GdiStore, ResizeAndDestroyReleaseTheStore) {
  Target target(4, 4);
  Rendering rc(4, 4, target.dc());
  rc.ReSize(300, 200);
  const uint32_t* first = rc.getpixels();
  ASSERT_NE(first, nullptr);
  ASSERT_FALSE(Released(first));
  rc.ReSize(500, 400);
  // The old store was deselected and deleted (GDI keeps a selected bitmap).
  if (rc.getpixels() != first) {
    EXPECT_TRUE(Released(first));
  }
  const uint32_t* second = rc.getpixels();
  rc.DestroyBuffer();
  EXPECT_TRUE(Released(second));
  rc.DestroyBuffer();  // a second release finds nothing to release
}

}  // namespace
