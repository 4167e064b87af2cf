#include "win32/fonts.h"

#include <cmath>
#include <string>

namespace orvex {

namespace {

int CALLBACK noteFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceExists(const char* face) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// The designed face, else one with its widths.
std::string availableFace(std::string_view designed) {
    const std::string first(designed);
    if (faceExists(first.c_str())) {
        return first;
    }
    for (const char* face : kSimilarFaces) {
        if (faceExists(face)) {
            return face;
        }
    }
    return faceExists("Tahoma") ? "Tahoma" : "MS Shell Dlg";
}

}  // namespace

HFONT MakeFont(const FontDescription& font, int dpi) {
    const FontDescription& shown = font.isDialogDefault() ? kDialogFont : font;
    static const std::string face = availableFace(kDialogFont.face);
    const std::string wanted = shown.face == kDialogFont.face ? face : availableFace(shown.face);
    const int height = -static_cast<int>(std::lround(shown.pointSize * dpi / 72.0));
    return CreateFontA(height, 0, 0, 0, shown.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, wanted.c_str());
}

}  // namespace orvex
