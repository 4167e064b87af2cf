#include "win32/pictures.h"

#include <vector>

namespace orvex {

namespace {

// RgbPicture rows are 0x00RRGGBB words from the top: a top-down 32-bit DIB as is.
BITMAPINFO topDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

void DrawPicture(HDC dc, const RgbPicture& picture, const RECT& target) {
    const BITMAPINFO info = topDownInfo(picture.width, picture.height);
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, picture.width, picture.height,
                  picture.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
}

HICON MakeIcon(int size) {
    RgbPicture picture = DrawnIcon(size);
    for (std::uint32_t& pixel : picture.pixels) {
        pixel |= 0xFF000000u;  // opaque
    }
    const BITMAPINFO info = topDownInfo(size, size);
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, picture.pixels.data(), &info,
                                    DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    const std::vector<std::uint8_t> noMask(static_cast<std::size_t>(size) * size / 8 + 64, 0);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, noMask.data());
    ICONINFO parts{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&parts);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

}  // namespace orvex
