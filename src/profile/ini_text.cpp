#include "profile/ini_text.h"

#include <algorithm>

#include "platform/text.h"
#include "profile/ini_scanner.h"

namespace orvex {

namespace {

using Kind = IniLine::Kind;

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

std::size_t offsetOf(std::string_view text, std::string_view part) {
    return static_cast<std::size_t>(part.data() - text.data());
}

std::size_t contentEnd(std::string_view text, const IniLine& line) {
    return offsetOf(text, line.content) + line.content.size();
}

// The length of the one line ending that starts `line`'s run of line breaks.
std::size_t endingLength(std::string_view text, const IniLine& line) {
    if (!line.hasLineBreak()) {
        return 0;
    }
    return text[line.end] == '\r' && line.end + 1 < line.next && text[line.end + 1] == '\n' ? 2 : 1;
}

std::string firstLineEnding(std::string_view text, std::size_t bodyStart) {
    const std::size_t at = text.find_first_of("\r\n", bodyStart);
    if (at == std::string_view::npos) {
        return "\r\n";
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\n";
}

bool endsWithLineBreak(std::string_view text, std::size_t bodyStart) {
    return text.size() == bodyStart || isLineBreak(text.back());
}

// A change at `at`: `removed` bytes give way to `inserted`. Changes at one place apply
// in `order`: a line's own value, then lines added after it, then new sections.
struct Splice {
    std::size_t at = 0;
    std::size_t removed = 0;
    std::string inserted;
    int order = 0;
};

std::string applied(std::string_view text, std::vector<Splice> splices) {
    std::stable_sort(splices.begin(), splices.end(), [](const Splice& a, const Splice& b) {
        return a.at != b.at ? a.at < b.at : a.order < b.order;
    });
    std::string result;
    std::size_t size = text.size();
    for (const Splice& splice : splices) {
        size += splice.inserted.size() - splice.removed;
    }
    result.reserve(size);
    std::size_t copied = 0;
    for (const Splice& splice : splices) {
        result.append(text.substr(copied, splice.at - copied));
        result.append(splice.inserted);
        copied = splice.at + splice.removed;
    }
    result.append(text.substr(copied));
    return result;
}

// Whether setting a key line to `value` leaves its value as a read returns it.
bool alreadyReads(const IniLine& line, std::string_view value) {
    return line.hasEquals && (line.value() == value || Unquoted(line.value()) == value);
}

// The change that gives an existing key line `value`; nothing when it reads so already.
std::optional<Splice> valueChange(std::string_view text, const IniLine& line,
                                  std::string_view value) {
    if (alreadyReads(line, value)) {
        return std::nullopt;
    }
    const std::size_t end = contentEnd(text, line);
    if (!line.hasEquals) {
        return Splice{end, 0, "=" + std::string(value), 0};
    }
    return Splice{end - line.rawValue.size(), line.rawValue.size(), std::string(value), 0};
}

// Lines added after `last`, the last non-blank line of their section.
Splice linesAfter(std::string_view text, const IniLine& last, const std::vector<std::string>& lines,
                  const std::string& eol) {
    std::string inserted;
    for (const std::string& line : lines) {
        inserted += last.hasLineBreak() ? line + eol : eol + line;
    }
    const std::size_t at = last.hasLineBreak() ? last.end + endingLength(text, last) : last.end;
    return {at, 0, inserted, 1};
}

// A new section with its lines, added at the end of the text.
Splice sectionAtEnd(std::string_view text, std::size_t bodyStart, std::string_view section,
                    const std::vector<std::string>& lines, const std::string& eol) {
    const bool breakAtEnd = endsWithLineBreak(text, bodyStart);
    std::string inserted = breakAtEnd ? "[" + std::string(section) + "]" + eol
                                      : eol + "[" + std::string(section) + "]";
    for (const std::string& line : lines) {
        inserted += breakAtEnd ? line + eol : eol + line;
    }
    return {text.size(), 0, inserted, 2};
}

Splice removedLine(std::string_view text, std::size_t bodyStart, const IniLine& line) {
    if (line.hasLineBreak()) {
        return {line.begin, line.end - line.begin + endingLength(text, line), {}, 0};
    }
    if (line.begin == bodyStart) {
        return {line.begin, line.end - line.begin, {}, 0};
    }
    // The last line has no line ending: take the one before it, so that the file
    // still ends without one.
    const bool crlf =
        line.begin >= 2 && text[line.begin - 1] == '\n' && text[line.begin - 2] == '\r';
    const std::size_t from = line.begin - (crlf ? 2 : 1);
    return {from, line.end - from, {}, 0};
}

// What the edits of one section find in the text: the section's last non-blank line
// (its header counts) and the first line of each key.
struct SectionEdits {
    std::string_view name;
    std::vector<std::size_t> edits;  // indices into the edit list, in order
    bool found = false;
    std::optional<IniLine> last;
};

// The first section of each name in `groups`, scanned in one pass; `keyLines[i]` gets
// the first line of edit i's key. The empty name is the part before the first header.
template <typename Named>
void scanSections(std::string_view text, std::vector<SectionEdits>& groups,
                  const std::vector<Named>& edits, std::vector<std::optional<IniLine>>& keyLines) {
    const auto groupNamed = [&groups](std::string_view name) -> SectionEdits* {
        for (SectionEdits& group : groups) {
            // The length first: most headers of a big file are none of ours.
            if (group.name.size() == name.size() && EqualsIgnoringAsciiCase(group.name, name)) {
                return &group;
            }
        }
        return nullptr;
    };
    SectionEdits* active = groupNamed("");
    if (active != nullptr) {
        active->found = true;
    }
    std::size_t unfound = static_cast<std::size_t>(std::count_if(
        groups.begin(), groups.end(), [](const SectionEdits& g) { return !g.found; }));
    std::string initials;  // of the names not found yet: other headers need no look
    for (const SectionEdits& group : groups) {
        if (!group.found && initials.find(AsciiLower(group.name.front())) == std::string::npos) {
            initials += AsciiLower(group.name.front());
        }
    }
    IniScanner scanner(text);
    IniLine line;
    for (;;) {
        if (active == nullptr) {
            if (unfound == 0) {
                break;  // later sections of these names do not count
            }
            scanner.skipToPossibleHeader(initials);
        }
        if (!scanner.next(line)) {
            break;
        }
        if (line.kind == Kind::Header) {
            active = groupNamed(line.name);
            if (active != nullptr && active->found) {
                active = nullptr;  // only the first section of a name counts
            } else if (active != nullptr) {
                active->found = true;
                active->last = line;
                --unfound;
            }
        } else if (line.kind == Kind::Entry && active != nullptr) {
            active->last = line;
            for (const std::size_t edit : active->edits) {
                if (!keyLines[edit] && EqualsIgnoringAsciiCase(line.name, edits[edit].key)) {
                    keyLines[edit] = line;
                }
            }
        }
    }
}

// `Named` is IniEdit or IniKey: anything with a section and a key.
template <typename Named>
std::vector<SectionEdits> groupedBySection(const std::vector<Named>& edits) {
    std::vector<SectionEdits> groups;
    for (std::size_t index = 0; index < edits.size(); ++index) {
        const auto same = std::find_if(groups.begin(), groups.end(), [&](const SectionEdits& g) {
            return EqualsIgnoringAsciiCase(g.name, edits[index].section);
        });
        if (same != groups.end()) {
            same->edits.push_back(index);
        } else {
            groups.push_back({edits[index].section, {index}, false, std::nullopt});
        }
    }
    return groups;
}

// Whether lines added one by one after `last` would stand exactly as the added block
// does. Not when a lone CR is the file's line ending and an LF follows the insertion
// point: each added CR joins that LF into one CRLF ending, and moves the next line.
bool addsAsABlock(std::string_view text, const IniLine& last, std::size_t lines,
                  const std::string& eol) {
    const std::size_t at = last.end + endingLength(text, last);
    return lines < 2 || !last.hasLineBreak() || eol != "\r" || at >= text.size() ||
           text[at] != '\n';
}

// The splices of one section's edits; lines for keys the section lacks are collected
// and added after its last line, or with the section at the end of the text. False
// when the section's added lines cannot be placed as one block.
bool spliceSection(std::string_view text, std::size_t bodyStart, const SectionEdits& group,
                   const std::vector<IniEdit>& edits,
                   const std::vector<std::optional<IniLine>>& keyLines, const std::string& eol,
                   std::vector<Splice>& splices) {
    std::vector<std::string> added;
    for (const std::size_t index : group.edits) {
        const IniEdit& edit = edits[index];
        if (!keyLines[index]) {
            added.push_back(edit.key + "=" + *edit.value);
        } else if (auto change = valueChange(text, *keyLines[index], *edit.value)) {
            splices.push_back(std::move(*change));
        }
    }
    if (added.empty()) {
        return true;
    }
    if (!group.found) {
        splices.push_back(sectionAtEnd(text, bodyStart, group.name, added, eol));
    } else if (group.last) {
        if (!addsAsABlock(text, *group.last, added.size(), eol)) {
            return false;
        }
        splices.push_back(linesAfter(text, *group.last, added, eol));
    } else {
        std::string inserted;
        for (const std::string& line : added) {
            inserted += line + eol;
        }
        splices.push_back({bodyStart, 0, inserted, 1});
    }
    return true;
}

// One pass for the common case: values set (no deletions), one edit per key.
bool fitsOnePass(const std::vector<IniEdit>& edits) {
    for (std::size_t a = 0; a < edits.size(); ++a) {
        if (!edits[a].value) {
            return false;
        }
        for (std::size_t b = a + 1; b < edits.size(); ++b) {
            if (EqualsIgnoringAsciiCase(edits[a].section, edits[b].section) &&
                EqualsIgnoringAsciiCase(edits[a].key, edits[b].key)) {
                return false;
            }
        }
    }
    return true;
}

// The edited text in one pass; sets `exact` false (and gives nothing) when the result
// would differ from the edits made one by one.
std::optional<std::string> editedInOnePass(std::string_view text, const std::vector<IniEdit>& edits,
                                           bool& exact) {
    const std::size_t bodyStart = IniScanner(text).bodyStart();
    const std::string eol = firstLineEnding(text, bodyStart);
    std::vector<SectionEdits> groups = groupedBySection(edits);
    std::vector<std::optional<IniLine>> keyLines(edits.size());
    scanSections(text, groups, edits, keyLines);
    std::vector<Splice> splices;
    for (const SectionEdits& group : groups) {
        exact = spliceSection(text, bodyStart, group, edits, keyLines, eol, splices);
        if (!exact) {
            return std::nullopt;
        }
    }
    if (splices.empty()) {
        return std::nullopt;
    }
    return applied(text, std::move(splices));
}

std::optional<std::string> editedOnce(std::string_view text, const IniEdit& edit) {
    if (edit.value) {
        bool exact = true;  // a single edit adds one line at most
        return editedInOnePass(text, {edit}, exact);
    }
    const std::vector<IniEdit> one = {edit};  // the groups keep views of its names
    std::vector<SectionEdits> groups = groupedBySection(one);
    std::vector<std::optional<IniLine>> keyLines(1);
    scanSections(text, groups, one, keyLines);
    if (!keyLines[0]) {
        return std::nullopt;
    }
    return applied(text, {removedLine(text, IniScanner(text).bodyStart(), *keyLines[0])});
}

}  // namespace

std::string_view Unquoted(std::string_view value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<std::optional<std::string_view>> IniValues(std::string_view text,
                                                       const std::vector<IniKey>& keys) {
    std::vector<SectionEdits> groups = groupedBySection(keys);
    std::vector<std::optional<IniLine>> keyLines(keys.size());
    scanSections(text, groups, keys, keyLines);
    std::vector<std::optional<std::string_view>> values(keys.size());
    for (std::size_t index = 0; index < keys.size(); ++index) {
        if (keyLines[index] && keyLines[index]->hasEquals) {
            values[index] = keyLines[index]->value();
        }
    }
    return values;
}

std::optional<std::string_view> IniValue(std::string_view text, std::string_view section,
                                         std::string_view key) {
    return IniValues(text, {{section, key}}).front();
}

std::optional<std::vector<std::string>> IniKeyNames(std::string_view text,
                                                    std::string_view section) {
    bool inside = section.empty();
    bool seen = inside;
    std::vector<std::string> names;
    IniScanner scanner(text);
    IniLine line;
    for (;;) {
        if (!inside) {
            scanner.skipToPossibleHeader();  // only a header matters until the section
        }
        if (!scanner.next(line)) {
            break;
        }
        if (line.kind == Kind::Header) {
            if (inside) {
                break;
            }
            inside = seen = EqualsIgnoringAsciiCase(line.name, section);
        } else if (inside && line.kind == Kind::Entry && line.hasEquals && !line.isComment()) {
            names.emplace_back(line.name);
        }
    }
    return seen ? std::optional(std::move(names)) : std::nullopt;
}

std::vector<std::string> IniSectionNames(std::string_view text, std::size_t limit) {
    std::vector<std::string> names;
    std::size_t listed = 0;
    IniScanner scanner(text);
    IniLine line;
    while (listed < limit) {
        scanner.skipToPossibleHeader();
        if (!scanner.next(line)) {
            break;
        }
        if (line.kind == Kind::Header && !line.name.empty()) {
            names.emplace_back(line.name);
            listed += line.name.size() + 1;
        }
    }
    return names;
}

std::optional<std::string> IniEdited(std::string_view text, const std::vector<IniEdit>& edits) {
    bool exact = fitsOnePass(edits);
    if (exact) {
        std::optional<std::string> result = editedInOnePass(text, edits, exact);
        if (exact) {
            return result;
        }
    }
    std::optional<std::string> result;
    for (const IniEdit& edit : edits) {
        if (auto next = editedOnce(result ? std::string_view(*result) : text, edit)) {
            result = std::move(next);
        }
    }
    return result;
}

}  // namespace orvex
