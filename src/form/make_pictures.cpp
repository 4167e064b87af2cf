// Writes the pixels of the colour chart, the texture and the window's icons as a C++
// source file, and the icon as a Windows .ico file for the .exe's resources:
// make_pictures <file.cpp> <file.ico>. Every toolkit's window shows the pixels without
// computing them at start-up (form/drawn_pictures.h). Built for and run on the build
// machine, so it needs nothing but the standard library and the picture code.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>

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

// Each value in as many bytes as paired with it, least significant first.
void put(std::ofstream& out, std::initializer_list<std::pair<std::uint32_t, int>> fields) {
    for (const auto& [value, bytes] : fields) {
        for (int at = 0; at < bytes; ++at) {
            out.put(static_cast<char>((value >> (8 * at)) & 0xFFu));
        }
    }
}

// The directory of the .ico, then each size as a 32-bit bitmap with its rows from the
// bottom (alpha opaque) and an empty mask.
void writeIcon(std::ofstream& out) {
    constexpr std::uint32_t kSizes[] = {16, 32, 48, 256};
    const auto maskBytes = [](std::uint32_t size) { return (size + 31) / 32 * 4 * size; };
    const auto imageBytes = [&](std::uint32_t size) {
        return 40 + 4 * size * size + maskBytes(size);
    };
    put(out, {{0, 2}, {1, 2}, {std::size(kSizes), 2}});
    std::uint32_t offset = 6 + 16 * std::size(kSizes);
    for (std::uint32_t size : kSizes) {  // a width or height of 0 stands for 256
        put(out, {{size % 256, 1},
                  {size % 256, 1},
                  {0, 2},
                  {1, 2},
                  {32, 2},
                  {imageBytes(size), 4},
                  {offset, 4}});
        offset += imageBytes(size);
    }
    for (std::uint32_t size : kSizes) {
        const orvex::RgbPicture picture = orvex::IconPicture(static_cast<int>(size));
        put(out, {{40, 4}, {size, 4}, {2 * size, 4}, {1, 2}, {32, 2}, {0, 24}});
        for (int y = picture.height - 1; y >= 0; --y) {
            for (int x = 0; x < picture.width; ++x) {
                put(out, {{0xFF000000u | picture.at(x, y), 4}});
            }
        }
        out << std::string(maskBytes(size), '\0');
    }
}

bool written(std::ofstream& out, const char* path) {
    out.close();
    if (!out) {
        std::fprintf(stderr, "make_pictures: cannot write %s\n", path);
    }
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_pictures <file.cpp> <file.ico>\n");
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
    std::ofstream icon(argv[2], std::ios::binary);
    writeIcon(icon);
    return written(out, argv[1]) && written(icon, argv[2]) ? 0 : 1;
}
