#include "ini_normal_form.h"

#include <string_view>

#include "ini_line_model.h"
#include "platform/text.h"
#include "profile/ini_text.h"

namespace orvex {

namespace {

std::string normalLine(std::string_view line) {
    const std::size_t close = line.rfind(']');
    if (line.front() == '[' && close != std::string_view::npos) {
        const std::string_view name = TrimIniBlanks(line.substr(1, close - 1));
        return name.empty() ? std::string() : "[" + std::string(name) + "]";
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return std::string(line);
    }
    return std::string(TrimIniBlanks(line.substr(0, equals))) + "=" +
           std::string(TrimIniBlanks(line.substr(equals + 1)));
}

}  // namespace

std::string IniNormalForm(const std::string& bytes) {
    std::string normal;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
        const std::string_view line = TrimIniBlanks(std::string_view(bytes).substr(pos, end - pos));
        pos = std::min(bytes.find_first_not_of("\r\n", end), bytes.size());
        const std::string written = line.empty() ? std::string() : normalLine(line);
        if (!written.empty()) {
            normal += written + "\r\n";
        }
    }
    return normal;
}

}  // namespace orvex
