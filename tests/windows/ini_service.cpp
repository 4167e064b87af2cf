// Runs private-profile calls through the Windows service (built with mingw-w64,
// run under Wine) for the differential INI test.
//
//   ini_service <script> <results>
//
// Each script line is one call; a field is "-" for a null pointer or "x" and the
// bytes in hex:
//   R <file> <section> <key> <default> <size>  -> "R <returned count> <hex>", the hex
//                                                 covering the count and one more byte
//   W <file> <section> <key> <value>           -> "W <1 or 0>"
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Field {
    bool null = true;
    std::string bytes;
    const char* pointer() const { return null ? nullptr : bytes.c_str(); }
};

Field decode(const std::string& token) {
    Field field;
    if (token == "-") {
        return field;
    }
    field.null = false;
    for (std::size_t i = 1; i + 1 < token.size(); i += 2) {
        field.bytes += static_cast<char>(std::stoi(token.substr(i, 2), nullptr, 16));
    }
    return field;
}

std::string encode(const char* bytes, std::size_t count) {
    static const char hex[] = "0123456789abcdef";
    std::string out = "x";
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out += hex[byte >> 4];
        out += hex[byte & 15];
    }
    return out;
}

std::string read(std::istringstream& in) {
    std::string file, section, key, defaultValue;
    DWORD size = 0;
    in >> file >> section >> key >> defaultValue >> size;
    // Room past the announced size shows a service that writes beyond it.
    std::vector<char> buffer(size + 16, '#');
    const DWORD count = GetPrivateProfileStringA(decode(section).pointer(), decode(key).pointer(),
                                                 decode(defaultValue).pointer(), buffer.data(),
                                                 size, decode(file).pointer());
    return "R " + std::to_string(count) + " " + encode(buffer.data(), count + 1);
}

std::string write(std::istringstream& in) {
    std::string file, section, key, value;
    in >> file >> section >> key >> value;
    const BOOL ok = WritePrivateProfileStringA(decode(section).pointer(), decode(key).pointer(),
                                               decode(value).pointer(), decode(file).pointer());
    return ok ? "W 1" : "W 0";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ini_service <script> <results>\n");
        return 2;
    }
    std::ifstream script(argv[1]);
    std::ofstream results(argv[2], std::ios::binary);
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        results << (kind == "R" ? read(in) : write(in)) << '\n';
    }
    return results ? 0 : 1;
}
