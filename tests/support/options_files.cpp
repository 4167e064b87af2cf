#include "options_files.h"

#include <cstdio>

namespace orvex::test {

namespace {

// The chat colour names of a real file, so that the option names have real lengths.
constexpr std::array<const char*, 24> kOptionNames = {
    "Say",   "Whisper",      "Party",     "Guild",         "Alliance",       "Shout",
    "Trade", "Help",         "System",    "Combat Hit",    "Combat Miss",    "Combat Heal",
    "Loot",  "Experience",   "Emote",     "Announcements", "Guild Officers", "Party Leader",
    "Raid",  "Raid Warning", "Channel 1", "Channel 2",     "Channel 3",      "Channel 4"};

// A small linear congruential generator: the files must not depend on the library.
class Sequence {
  public:
    unsigned next() {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 16) & 0x7fffu;
    }

  private:
    unsigned m_state = 20261208u;
};

std::string fraction(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%.6f", static_cast<double>(value % 1001) / 1000.0);
    return text;
}

void appendFillerSection(std::string& out, int number, Sequence& random) {
    char header[48];
    std::snprintf(header, sizeof header, "[UI-WINDOW-%05d]\r\n", number);
    out += header;
    const int keys = 3 + static_cast<int>(random.next() % 3);
    static constexpr std::array<const char*, 5> kKeys = {"PosX", "PosY", "Width", "Height",
                                                         "Visible"};
    for (int key = 0; key < keys; ++key) {
        out += kKeys[static_cast<std::size_t>(key)];
        out += '=';
        out += key < 4 ? fraction(random.next()) : std::string(random.next() % 2 ? "1" : "0");
        out += "\r\n";
    }
}

void appendColourSection(std::string& out, int slot, Sequence& random) {
    out += "[" + SlotSection(slot) + "]\r\n";
    out += "OptionName=";
    out += kOptionNames[static_cast<std::size_t>(slot)];
    out += "\r\nOptionValue=" + fraction(random.next()) + "," + fraction(random.next()) + "," +
           fraction(random.next()) + "\r\n";
}

}  // namespace

std::string SyntheticOptionsFile(std::size_t bytes) {
    Sequence random;
    std::string out;
    out.reserve(bytes + 256);
    int slot = 0;
    int filler = 0;
    while (out.size() < bytes || slot < 24) {
        // Slot i sits at (i + 1/2) / 24 of the file.
        const bool colourDue =
            slot < 24 && out.size() * 48 >= bytes * static_cast<std::size_t>(2 * slot + 1);
        if (colourDue) {
            appendColourSection(out, slot++, random);
        } else {
            appendFillerSection(out, filler++, random);
        }
    }
    return out;
}

std::string SlotSection(int slot) {
    const std::string digits = "00" + std::to_string(slot);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

std::string OptionsFile(const std::vector<std::string>& values, const std::string& otherValue,
                        const std::string& eol, const std::string& namePrefix) {
    std::string text = "; written by the game" + eol + "[General]" + eol + "Version=3" + eol + eol;
    for (int slot = 0; slot < 25; ++slot) {
        const auto index = static_cast<std::size_t>(slot);
        const std::string& value = index < values.size() ? values[index] : otherValue;
        text += "[" + SlotSection(slot) + "]" + eol + "OptionName=" + namePrefix +
                std::to_string(slot) + eol + "OptionValue=" + value + eol + "OptionType=Color" +
                eol + eol;
    }
    return text + "[Other]" + eol + "OptionValue=0.5" + eol;
}

std::string ColourTextForRound(int round, int slot) {
    const unsigned value = static_cast<unsigned>((round % 2) * 500 + slot * 7);
    return fraction(value) + "," + fraction(value + 1) + "," + fraction(value + 2);
}

}  // namespace orvex::test
