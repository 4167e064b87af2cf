// Writes the pixels of the colour chart, the texture and the window's icons as a C++
// source file: make_pictures <file.cpp>. Every toolkit's window shows them without
// computing them at start-up (form/drawn_pictures.h). Built for and run on the build
// machine, so it needs nothing but the standard library and the picture code.
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "form/rgb_pictures.h"

namespace {

// Each pixel with an opaque alpha byte, as QImage::Format_RGB32 wants it (a 32-bit
// BI_RGB bitmap ignores that byte).
void writeArray(std::ofstream& out, const char* name, const orvex::RgbPicture& picture) {
    out << "extern const std::uint32_t " << name << "[] = {\n";
    char word[16];
    for (std::size_t at = 0; at < picture.pixels.size(); ++at) {
        std::snprintf(word, sizeof word, "0x%08x,",
                      static_cast<unsigned>(0xFF000000u | picture.pixels[at]));
        out << word << ((at + 1) % 8 == 0 ? "\n" : "");
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
    out << "// Made by make_pictures from form/rgb_pictures.h at build time.\n"
        << "#include \"form/drawn_pictures.h\"\n\nnamespace orvex::drawn {\n";
    writeArray(out, "kChartPixels", orvex::ColourChartPicture());
    writeArray(out, "kTexturePixels", orvex::TexturePicture());
    writeArray(out, "kIcon16Pixels", orvex::IconPicture(16));
    writeArray(out, "kIcon32Pixels", orvex::IconPicture(32));
    out << "}  // namespace orvex::drawn\n";
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
