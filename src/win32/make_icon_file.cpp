// Writes the window's icon as a Windows .ico file for the .exe's resources:
// make_icon_file <file.ico>. Built for and run on the build machine.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "form/rgb_pictures.h"

namespace {

void put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// One image of the file: a 32-bit bitmap, rows from the bottom, then an empty mask.
std::string iconImage(int size) {
    const orvex::RgbPicture picture = orvex::IconPicture(size);
    const int maskRowBytes = (size + 31) / 32 * 4;
    std::string out;
    for (std::uint32_t value :
         {40u, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(2 * size)}) {
        put(out, value, 4);
    }
    put(out, 1, 2);
    put(out, 32, 2);
    for (int field = 0; field < 6; ++field) {
        put(out, 0, 4);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            put(out, picture.at(x, y) | 0xFF000000u, 4);
        }
    }
    out.append(static_cast<std::size_t>(maskRowBytes * size), '\0');
    return out;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icon_file <file.ico>\n");
        return 2;
    }
    const std::vector<int> sizes = {16, 32, 48, 256};
    std::vector<std::string> images;
    std::string out;
    put(out, 0, 2);
    put(out, 1, 2);
    put(out, static_cast<std::uint32_t>(sizes.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(sizes.size());
    for (int size : sizes) {
        images.push_back(iconImage(size));
        put(out, static_cast<std::uint32_t>(size % 256), 1);  // 0 stands for 256
        put(out, static_cast<std::uint32_t>(size % 256), 1);
        put(out, 0, 2);
        put(out, 1, 2);
        put(out, 32, 2);
        put(out, static_cast<std::uint32_t>(images.back().size()), 4);
        put(out, offset, 4);
        offset += static_cast<std::uint32_t>(images.back().size());
    }
    for (const std::string& image : images) {
        out += image;
    }
    std::FILE* file = std::fopen(argv[1], "wb");
    const bool written =
        file != nullptr && std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "make_icon_file: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
