#include "ini_cases.h"

#include <algorithm>
#include <random>
#include <set>
#include <string_view>

#include "ini_line_model.h"
#include "platform/text.h"
#include "profile/ini_text.h"

namespace orvex::test {

namespace {

// Picks from the engine's raw output only, so every standard library gives the
// same sequence.
class Dice {
  public:
    explicit Dice(std::uint32_t seed) : m_engine(seed) {}

    std::size_t below(std::size_t n) { return static_cast<std::size_t>(m_engine() % n); }
    bool chance(unsigned percent) { return below(100) < percent; }

    template <typename T, std::size_t N>
    const T& pick(const T (&items)[N]) {
        return items[below(N)];
    }

  private:
    std::mt19937 m_engine;
};

const char* const kSectionNames[] = {
    "General",
    "VECTOR3-000",
    "VECTOR3-023",
    "Sec A",
    "x",
    "a]b",
    "Chat Colors",
    "\xC9t\xE9",  // "Été"
    "\xE9T\xC9",  // the same in other cases
    "\xD8ster",   // upper-case O with stroke
    "\x8A\x9A",   // S and s with caron
    "\x80\xFF",   // euro sign and y with diaeresis
    "\xDF",       // sharp s, which has no upper case of one byte
    "A\xA0"
    "B",  // no-break space inside a name
};

const char* const kKeyNames[] = {
    "OptionName",
    "OptionValue",
    "Name",
    "k",
    "key 1",
    "#hash",
    "dup",
    "DUP",
    "\xE9l\xE8ve",
    "\xC9L\xC8VE",
    "\x9C"
    "uvre",
    "\x8C"
    "UVRE",
    "a.b",
    "x y z",
};

const char* const kValues[] = {
    "",
    "1,1,1",
    "0.99",
    "1.000000,0.500000,0.250000",
    "\"quoted\"",
    "'single'",
    "\"unbalanced",
    "'mixed\"",
    "\"\"",
    "\"",
    "a=b",
    "inner  spaces",
    "val ; inline",
    "\xE9\xFF\x80\x81\x8D",
    "\"\xE9 quoted\"",
    "[not a header]",
};

const char* const kSpaces[] = {"", "", "", " ", "  ", "\t", " \t ", "\x1A", "\f", "\v"};

const char* const kDefaults[] = {"",      "DEF", "\"quoted default\"", "trailing  ", "  leading",
                                 "'x'  ", "\xE9"};

// Writes avoid what the engine refuses and spaces that only the caller could add.
const char* const kWriteValues[] = {
    "",         "1,1,1", "0.990000,0.000000,1.000000", "\"quoted\"", "quoted", "a=b", "x y",
    "\xE9\xFF", "v",
};

const std::size_t kValueSizes[] = {1, 2, 3, 4, 8, 499, 500, 501, 1024};
const std::size_t kListSizes[] = {1, 2, 3, 4, 6, 10, 16, 64, 500, 32767};

std::string randomCase(Dice& dice, std::string name) {
    for (char& c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool letter1252 = (byte >= 0xC0 && byte != 0xD7 && byte != 0xDF && byte != 0xF7) ||
                                byte == 0x8A || byte == 0x9A || byte == 0x8C || byte == 0x9C;
        if (dice.chance(30)) {
            if (byte >= 'a' && byte <= 'z') {
                c = static_cast<char>(byte - 32);
            } else if (byte >= 'A' && byte <= 'Z') {
                c = static_cast<char>(byte + 32);
            } else if (letter1252) {
                // 1252 puts a letter's other case 0x20 (or 0x10) away.
                const unsigned step = byte < 0xA0 ? 0x10 : 0x20;
                c = static_cast<char>((byte & step) != 0 ? byte - step : byte + step);
            }
        }
    }
    return name;
}

std::string longValue(Dice& dice) {
    const std::size_t lengths[] = {497, 498, 499, 500, 501, 502, 600};
    std::string value(dice.pick(lengths), 'v');
    for (std::size_t i = 0; i < value.size(); i += 37) {
        value[i] = static_cast<char>('a' + i % 26);
    }
    if (dice.chance(30)) {
        value.front() = '"';
        value.back() = '"';
    }
    return value;
}

class FileBuilder {
  public:
    explicit FileBuilder(Dice& dice) : m_dice(dice) {
        const char* const endings[] = {"\r\n", "\r\n", "\n", "\r"};
        m_ending = m_dice.pick(endings);
        m_mixed = m_dice.chance(15);
    }

    void header(const std::string& name) {
        const char* const junk[] = {"", "", "", " junk", "]"};
        line("[" + space() + name + space() + "]" + m_dice.pick(junk));
    }

    void entry(const std::string& key, const std::string& value) {
        line(key + space() + "=" + space() + value);
    }

    void comment() { line(m_dice.chance(50) ? ";comment" : "; OptionValue=0,0,0"); }
    void noEquals() { line(m_dice.chance(50) ? "just words" : "[noclose"); }
    void blank() { line(m_dice.chance(50) ? "" : space()); }

    std::string finish() {
        if (!m_text.empty() && m_dice.chance(25)) {
            m_text.resize(m_text.size() - std::string(m_lastEnding).size());
        }
        return m_text;
    }

  private:
    std::string space() { return m_dice.pick(kSpaces); }

    void line(const std::string& content) {
        const char* const endings[] = {"\r\n", "\n", "\r", "\r\n\r\n", "\n\r"};
        m_lastEnding = m_mixed ? m_dice.pick(endings) : m_ending;
        m_text += space() + content + space() + m_lastEnding;
    }

    Dice& m_dice;
    std::string m_text;
    const char* m_ending = "\r\n";
    const char* m_lastEnding = "\r\n";
    bool m_mixed = false;
};

std::string sectionName(Dice& dice) {
    return randomCase(dice, dice.pick(kSectionNames));
}
std::string keyName(Dice& dice) {
    return randomCase(dice, dice.pick(kKeyNames));
}

std::string valueText(Dice& dice) {
    return dice.chance(8) ? longValue(dice) : std::string(dice.pick(kValues));
}

void addSectionBody(Dice& dice, FileBuilder& file) {
    const std::size_t lines = dice.below(6);
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t kind = dice.below(20);
        if (kind < 14) {
            file.entry(keyName(dice), valueText(dice));
        } else if (kind < 16) {
            file.comment();
        } else if (kind < 18) {
            file.noEquals();
        } else {
            file.blank();
        }
    }
}

std::string generateFile(Dice& dice) {
    FileBuilder file(dice);
    if (dice.chance(20)) {
        addSectionBody(dice, file);  // keys before the first section
    }
    // Now and then enough sections to overflow every small list buffer.
    const std::size_t sections = dice.chance(5) ? 150 + dice.below(100) : dice.below(6);
    for (std::size_t i = 0; i < sections; ++i) {
        // An empty name now and then: "[]" starts a section no call can reach.
        const std::string name = dice.chance(4) ? std::string() : sectionName(dice);
        file.header(sections > 50 ? "Section number " + std::to_string(i) : name);
        addSectionBody(dice, file);
    }
    return file.finish();
}

// Sections and keys that the file has or nearly has, spelt in any case and padded.
std::string callerName(Dice& dice, const std::string& name) {
    return (dice.chance(15) ? " " : "") + randomCase(dice, name) + (dice.chance(15) ? "\t" : "");
}

IniOperation readOperation(Dice& dice) {
    IniOperation op;
    const std::size_t kind = dice.below(10);
    if (kind == 0) {
        op.size = dice.pick(kListSizes);
        return op;  // section list
    }
    op.section = callerName(dice, dice.chance(5) ? std::string() : sectionName(dice));
    op.defaultValue = dice.chance(20) ? std::nullopt : std::optional(dice.pick(kDefaults));
    if (kind <= 2) {
        op.size = dice.pick(kListSizes);
        return op;  // key list
    }
    op.key = callerName(dice, keyName(dice));
    op.size = dice.pick(kValueSizes);
    return op;
}

IniOperation writeOperation(Dice& dice) {
    IniOperation op;
    op.kind = IniOperation::Kind::Write;
    op.section = callerName(dice, dice.chance(3) ? std::string() : sectionName(dice));
    op.key = callerName(dice, keyName(dice));
    if (!dice.chance(25)) {
        op.value = dice.pick(kWriteValues);
    }
    return op;
}

}  // namespace

std::vector<IniCaseFile> GenerateIniCases(std::uint32_t seed, std::size_t fileCount) {
    Dice dice(seed);
    std::vector<IniCaseFile> files(fileCount);
    for (IniCaseFile& file : files) {
        file.bytes = generateFile(dice);
        const std::size_t reads = 4 + dice.below(8);
        for (std::size_t i = 0; i < reads; ++i) {
            file.operations.push_back(readOperation(dice));
        }
        file.operations.push_back(writeOperation(dice));
    }
    return files;
}

std::string Printable(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7F) {
            out += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

std::string Describe(const IniOperation& op) {
    const auto text = [](const std::optional<std::string>& t) {
        return t ? "\"" + Printable(*t) + "\"" : std::string("null");
    };
    if (op.kind == IniOperation::Kind::Write) {
        return "write [" + text(op.section) + "] " + text(op.key) + " = " + text(op.value);
    }
    return "read [" + text(op.section) + "] " + text(op.key) + " default " + text(op.defaultValue) +
           " size " + std::to_string(op.size);
}

std::vector<IniOperation> ReadsOfEverything(const std::string& a, const std::string& b,
                                            const IniOperation& write) {
    std::set<std::string> sections = {"", std::string(TrimIniBlanks(*write.section))};
    std::vector<IniOperation> reads;
    reads.push_back(
        {IniOperation::Kind::Read, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 32767});
    for (const std::string* bytes : {&a, &b}) {
        for (const std::string& name : IniDocument(*bytes).sectionNames()) {
            sections.insert(name);
        }
    }
    for (const std::string& section : sections) {
        std::set<std::string> keys = {std::string(TrimIniBlanks(*write.key))};
        for (const std::string* bytes : {&a, &b}) {
            for (const std::string& key :
                 IniDocument(*bytes).keyNames(section).value_or(std::vector<std::string>{})) {
                keys.insert(key);
            }
        }
        reads.push_back(
            {IniOperation::Kind::Read, section, std::nullopt, "<no keys>", std::nullopt, 32767});
        for (const std::string& key : keys) {
            reads.push_back(
                {IniOperation::Kind::Read, section, key, "<missing>", std::nullopt, 1024});
        }
    }
    return reads;
}

bool HasEmptyHeader(const std::string& bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
        const std::string_view line = TrimIniBlanks(std::string_view(bytes).substr(pos, end - pos));
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line.front() == '[' && close != std::string_view::npos &&
            TrimIniBlanks(line.substr(1, close - 1)).empty()) {
            return true;
        }
        pos = end + 1;
    }
    return false;
}

}  // namespace orvex::test
