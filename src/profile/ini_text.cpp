#include "profile/ini_text.h"

#include <algorithm>
#include <utility>

#include "platform/text.h"
#include "profile/ini_scanner.h"

namespace orvex {

namespace {

using Kind = IniLine::Kind;

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

// The first line ending in `text`; nothing when it has none.
std::optional<std::string> firstLineEnding(std::string_view text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? "\r\n" : "\r";
    }
    return "\n";
}

// The length of the one line ending that starts `line`'s run of line breaks.
std::size_t endingLength(std::string_view text, const IniLine& line) {
    if (!line.hasLineBreak()) {
        return 0;
    }
    return text[line.end] == '\r' && line.end + 1 < line.next && text[line.end + 1] == '\n' ? 2 : 1;
}

// A change at `at`: `removed` bytes give way to `inserted`.
struct Splice {
    std::size_t at = 0;
    std::size_t removed = 0;
    std::string inserted;
};

std::string spliced(std::string_view text, const Splice& splice) {
    std::string result;
    result.reserve(text.size() + splice.inserted.size() - splice.removed);
    result.append(text.substr(0, splice.at));
    result.append(splice.inserted);
    result.append(text.substr(splice.at + splice.removed));
    return result;
}

// --- one edit -----------------------------------------------------------------

// What one edit finds in a text: its section, that section's last non-blank line (its
// header counts) and the first line of its key.
struct EditPlace {
    bool section = false;
    std::optional<IniLine> last;
    std::optional<IniLine> key;
};

// Shows `onLine` the header and the entry lines of the first section called `section`
// (the lines before the first header when it is empty); false when there is none.
template <typename OnLine>
bool visitSection(IniScanner& scanner, std::string_view section, OnLine onLine) {
    bool inside = section.empty();
    bool found = inside;
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
            inside = found = EqualsIgnoringAsciiCase(line.name, section);
        }
        if (inside && line.kind != Kind::Blank) {
            onLine(line);
        }
    }
    return found;
}

EditPlace placeOf(IniScanner& scanner, const IniEdit& edit) {
    EditPlace place;
    place.section = visitSection(scanner, edit.section, [&](const IniLine& line) {
        place.last = line;
        if (line.kind == Kind::Entry && !place.key &&
            EqualsIgnoringAsciiCase(line.name, edit.key)) {
            place.key = line;
        }
    });
    return place;
}

// The change that gives an existing key line `value`; nothing when it reads so
// already.
std::optional<Splice> valueChange(std::string_view text, const IniLine& line,
                                  std::string_view value) {
    if (line.hasEquals && (line.value() == value || Unquoted(line.value()) == value)) {
        return std::nullopt;
    }
    const std::size_t contentEnd =
        static_cast<std::size_t>(line.content.data() - text.data()) + line.content.size();
    if (!line.hasEquals) {
        return Splice{contentEnd, 0, "=" + std::string(value)};
    }
    return Splice{contentEnd - line.rawValue.size(), line.rawValue.size(), std::string(value)};
}

Splice lineAfter(std::string_view text, const IniLine& last, const std::string& entry,
                 const std::string& eol) {
    if (!last.hasLineBreak()) {
        return {last.end, 0, eol + entry};
    }
    return {last.end + endingLength(text, last), 0, entry + eol};
}

Splice sectionAtEnd(std::string_view text, std::size_t bodyStart, const IniEdit& edit,
                    const std::string& entry, const std::string& eol) {
    const std::string header = "[" + edit.section + "]";
    if (text.size() == bodyStart || isLineBreak(text.back())) {
        return {text.size(), 0, header + eol + entry + eol};
    }
    return {text.size(), 0, eol + header + eol + entry};
}

Splice removedLine(std::string_view text, std::size_t bodyStart, const IniLine& line) {
    if (line.hasLineBreak()) {
        return {line.begin, line.end - line.begin + endingLength(text, line), {}};
    }
    if (line.begin == bodyStart) {
        return {line.begin, line.end - line.begin, {}};
    }
    // The last line has no line ending: take the one before it, so that the file
    // still ends without one.
    const bool crlf =
        line.begin >= 2 && text[line.begin - 1] == '\n' && text[line.begin - 2] == '\r';
    const std::size_t from = line.begin - (crlf ? 2 : 1);
    return {from, line.end - from, {}};
}

// `edit` made on `text`, a part of a file that starts with a header line or where the
// file's lines start (`fileStart`: where the file starts) and holds every line the edit
// looks at; `eol` is the file's line ending for new lines.
std::optional<std::string> editedOnce(std::string_view text, const IniEdit& edit,
                                      const std::string& eol, bool fileStart) {
    IniScanner scanner(text, fileStart);
    const std::size_t bodyStart = scanner.bodyStart();
    const EditPlace place = placeOf(scanner, edit);
    if (!edit.value) {
        return place.key ? std::optional(spliced(text, removedLine(text, bodyStart, *place.key)))
                         : std::nullopt;
    }
    if (place.key) {
        const auto change = valueChange(text, *place.key, *edit.value);
        return change ? std::optional(spliced(text, *change)) : std::nullopt;
    }
    const std::string entry = edit.key + "=" + *edit.value;
    if (!place.section) {
        return spliced(text, sectionAtEnd(text, bodyStart, edit, entry, eol));
    }
    if (place.last) {
        return spliced(text, lineAfter(text, *place.last, entry, eol));
    }
    return spliced(text, {bodyStart, 0, entry + eol});
}

// --- the sections of many keys, in one pass ------------------------------------------

// The first section of one name: whether the file has it, where it starts and ends,
// and the keys asked of it.
struct SectionKeys {
    std::string_view name;
    std::vector<std::size_t> keys;  // indices into the key list, in order
    bool found = false;
    std::size_t begin = 0;  // its header's line, or where the file's lines start
    std::size_t end = 0;    // the next header's line, or the end of the text
};

// `Named` is IniEdit or IniKey: anything with a section and a key.
template <typename Named>
std::vector<SectionKeys> groupedBySection(const std::vector<Named>& keys) {
    std::vector<SectionKeys> groups;
    for (std::size_t index = 0; index < keys.size(); ++index) {
        const auto same = std::find_if(groups.begin(), groups.end(), [&](const SectionKeys& g) {
            return EqualsIgnoringAsciiCase(g.name, keys[index].section);
        });
        if (same != groups.end()) {
            same->keys.push_back(index);
        } else {
            groups.push_back({keys[index].section, {index}, false, 0, 0});
        }
    }
    return groups;
}

// Finds the first section of each name in `groups` in one pass; `keyLines[i]`, unless
// `keyLines` is empty, gets the first line of key i. The empty name is the part before
// the first header.
template <typename Named>
void scanSections(std::string_view text, std::vector<SectionKeys>& groups,
                  const std::vector<Named>& keys, std::vector<std::optional<IniLine>>& keyLines) {
    const auto groupNamed = [&groups](std::string_view name) -> SectionKeys* {
        for (SectionKeys& group : groups) {
            // The length first: most headers of a big file are none of ours.
            if (group.name.size() == name.size() && EqualsIgnoringAsciiCase(group.name, name)) {
                return &group;
            }
        }
        return nullptr;
    };
    IniScanner scanner(text);
    SectionKeys* active = groupNamed("");
    if (active != nullptr) {
        active->found = true;
        active->begin = scanner.bodyStart();
    }
    std::size_t unfound = static_cast<std::size_t>(
        std::count_if(groups.begin(), groups.end(), [](const SectionKeys& g) { return !g.found; }));
    std::string initials;  // of the names not found yet: other headers need no look
    for (const SectionKeys& group : groups) {
        if (!group.found && initials.find(AsciiLower(group.name.front())) == std::string::npos) {
            initials += AsciiLower(group.name.front());
        }
    }
    IniLine line;
    for (;;) {
        if (active == nullptr) {
            if (unfound == 0) {
                return;  // later sections of these names do not count
            }
            scanner.skipToPossibleHeader(initials);
        }
        if (!scanner.next(line)) {
            break;
        }
        if (line.kind == Kind::Header) {
            if (active != nullptr) {
                active->end = line.begin;
            }
            active = groupNamed(line.name);
            if (active != nullptr && active->found) {
                active = nullptr;  // only the first section of a name counts
            } else if (active != nullptr) {
                active->found = true;
                active->begin = line.begin;
                --unfound;
            }
        } else if (line.kind == Kind::Entry && active != nullptr && !keyLines.empty()) {
            for (const std::size_t key : active->keys) {
                if (!keyLines[key] && EqualsIgnoringAsciiCase(line.name, keys[key].key)) {
                    keyLines[key] = line;
                }
            }
        }
    }
    if (active != nullptr) {
        active->end = text.size();
    }
}

// Where the last header line starts; `bodyStart` in a text without one. Searched from
// the end: the last section is usually short.
std::size_t lastSectionStart(std::string_view text, std::size_t bodyStart) {
    std::size_t end = text.size();
    for (;;) {
        while (end > bodyStart && isLineBreak(text[end - 1])) {
            --end;
        }
        if (end == bodyStart) {
            return bodyStart;
        }
        const std::size_t lastBreak = text.find_last_of("\r\n", end - 1);
        const std::size_t begin = lastBreak == std::string_view::npos || lastBreak < bodyStart
                                      ? bodyStart
                                      : lastBreak + 1;
        IniLine line;
        IniScanner scanner(text.substr(begin, end - begin), false);
        if (scanner.next(line) && line.kind == Kind::Header) {
            return begin;
        }
        end = begin;
    }
}

// A part of the file that edits change: the first section of an edited name, or the
// last section of the file, which new sections join.
struct Window {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::optional<std::string> edited;  // the part as the edits so far left it
};

std::string_view current(std::string_view text, const Window& window) {
    return window.edited ? std::string_view(*window.edited)
                         : text.substr(window.begin, window.end - window.begin);
}

// The text with each window as the edits left it.
std::string joined(std::string_view text, const std::vector<Window>& windows) {
    std::string result;
    std::size_t copied = 0;
    for (const Window& window : windows) {
        result.append(text.substr(copied, window.begin - copied));
        result.append(current(text, window));
        copied = window.end;
    }
    return result;
}

// The file's first line ending as the edits so far left it; CRLF while it has none.
std::string currentLineEnding(std::string_view text, std::size_t bodyStart,
                              const std::vector<Window>& windows) {
    std::size_t from = bodyStart;
    for (const Window& window : windows) {
        if (auto eol = firstLineEnding(text.substr(from, window.begin - from))) {
            return *eol;
        }
        if (auto eol = firstLineEnding(current(text, window))) {
            return *eol;
        }
        from = window.end;
    }
    return "\r\n";
}

}  // namespace

std::string_view Unquoted(std::string_view value) {
    if (value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::vector<IniFound> IniLookup(std::string_view text, const std::vector<IniKey>& keys) {
    std::vector<SectionKeys> groups = groupedBySection(keys);
    std::vector<std::optional<IniLine>> keyLines(keys.size());
    scanSections(text, groups, keys, keyLines);
    std::vector<IniFound> found(keys.size());
    for (const SectionKeys& group : groups) {
        for (const std::size_t key : group.keys) {
            found[key].section = group.found;
            if (keyLines[key] && keyLines[key]->hasEquals) {
                found[key].value = keyLines[key]->value();
            }
        }
    }
    return found;
}

std::optional<std::string_view> IniValue(std::string_view text, std::string_view section,
                                         std::string_view key) {
    return IniLookup(text, {{section, key}}).front().value;
}

std::optional<std::vector<std::string>> IniKeyNames(std::string_view text,
                                                    std::string_view section) {
    bool afterEmptyName = false;  // the entry line before had an empty name
    std::vector<std::string> names;
    IniScanner scanner(text);
    const bool found = visitSection(scanner, section, [&](const IniLine& line) {
        if (line.kind != Kind::Entry) {
            return;
        }
        // The service keeps no line "=..." right after an entry with an empty name.
        const bool dropped = afterEmptyName && line.content.front() == '=';
        if (!dropped) {
            afterEmptyName = line.name.empty();
        }
        if (line.hasEquals && !line.isComment() && !dropped) {
            names.emplace_back(line.name);
        }
    });
    return found ? std::optional(std::move(names)) : std::nullopt;
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

namespace {

// The parts of the file the edits can change: one window per found section, and the
// last section's, which new sections join (a section with the empty name and no
// lines is a window of no bytes). `windowOf` tells each edit its window.
struct EditWindows {
    std::vector<Window> windows;
    std::vector<std::size_t> windowOf;
};

EditWindows editWindows(std::string_view text, std::size_t bodyStart,
                        const std::vector<SectionKeys>& groups, std::size_t editCount) {
    std::vector<std::pair<std::size_t, std::size_t>> spans = {
        {lastSectionStart(text, bodyStart), text.size()}};
    for (const SectionKeys& group : groups) {
        if (group.found) {
            spans.emplace_back(group.begin, group.end);
        }
    }
    std::sort(spans.begin(), spans.end());
    spans.erase(std::unique(spans.begin(), spans.end()), spans.end());
    EditWindows result;
    for (const auto& [begin, end] : spans) {
        result.windows.push_back({begin, end, std::nullopt});
    }
    result.windowOf.assign(editCount, spans.size() - 1);  // a new section: the last
    for (const SectionKeys& group : groups) {
        const auto at =
            std::lower_bound(spans.begin(), spans.end(), std::make_pair(group.begin, group.end));
        for (const std::size_t edit : group.keys) {
            if (group.found) {
                result.windowOf[edit] = static_cast<std::size_t>(at - spans.begin());
            }
        }
    }
    return result;
}

}  // namespace

// One scan finds the part of the file each edit can change; the edits are then made
// one at a time, in order, on those parts alone, so that the result is the one of the
// edits made one by one on the whole file.
std::optional<std::string> IniEdited(std::string_view text, const std::vector<IniEdit>& edits) {
    const std::size_t bodyStart = IniScanner(text).bodyStart();
    std::vector<SectionKeys> groups = groupedBySection(edits);
    std::vector<std::optional<IniLine>> noKeyLines;  // each edit finds its own line
    scanSections(text, groups, edits, noKeyLines);
    auto [windows, windowOf] = editWindows(text, bodyStart, groups, edits.size());

    bool changed = false;
    for (std::size_t index = 0; index < edits.size(); ++index) {
        Window& window = windows[windowOf[index]];
        const std::string eol = currentLineEnding(text, bodyStart, windows);
        auto next = editedOnce(current(text, window), edits[index], eol, window.begin == 0);
        if (!next) {
            continue;
        }
        changed = true;
        // A deletion can bring a byte order mark to the start of the file, which takes
        // it out of the line it began: the file's sections are found anew.
        const bool markUncovered = window.begin == 0 && next->compare(0, 3, "\xEF\xBB\xBF") == 0;
        window.edited = std::move(next);
        if (markUncovered) {
            const std::string now = joined(text, windows);
            return IniEdited(now,
                             {edits.begin() + static_cast<std::ptrdiff_t>(index) + 1, edits.end()})
                .value_or(now);
        }
    }
    return changed ? std::optional(joined(text, windows)) : std::nullopt;
}

}  // namespace orvex
