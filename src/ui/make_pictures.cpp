// Writes the pixels of the colour chart, the texture and the window's icons as a C++
// source file:
// make_pictures <file.cpp>. The window shows them without drawing them at start-up.
#include <QImage>
#include <cstdio>
#include <fstream>
#include <string>

#include "picture_drawing.h"

namespace {

void writeArray(std::ofstream& out, const char* name, const QImage& image) {
    out << "extern const std::uint32_t " << name << "[] = {\n";
    char word[16];
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            std::snprintf(word, sizeof word, "0x%08x,", static_cast<unsigned>(line[x]));
            out << word << ((x + 1) % 8 == 0 ? "\n" : "");
        }
    }
    out << "};\n";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures <file.cpp>\n");
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << "// Made by make_pictures from picture_drawing.cpp at build time.\n"
        << "#include <cstdint>\n\nnamespace orvex::drawn {\n";
    writeArray(out, "kChartPixels", orvex::drawColourChart());
    writeArray(out, "kTexturePixels", orvex::drawTexture());
    writeArray(out, "kIcon16Pixels", orvex::drawIcon(16));
    writeArray(out, "kIcon32Pixels", orvex::drawIcon(32));
    out << "}  // namespace orvex::drawn\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
