#include "form/scheme.h"

#include <ctime>
#include <utility>

#include "profile/ini_text.h"
#include "profile/profile.h"

namespace orvex {

namespace {

constexpr const char* kOptionNameKey = "OptionName";
constexpr const char* kOptionValueKey = "OptionValue";
constexpr int kSlots = ColourSlotTable::kSlotCount;

std::string sectionNameFor(int slot) {
    const std::string digits = "000" + std::to_string(slot);
    return "VECTOR3-" + digits.substr(digits.size() - 3);
}

const std::array<std::string, kSlots>& sectionNames() {
    static const std::array<std::string, kSlots> names = [] {
        std::array<std::string, kSlots> all;
        for (int slot = 0; slot < kSlots; ++slot) {
            all[static_cast<std::size_t>(slot)] = sectionNameFor(slot);
        }
        return all;
    }();
    return names;
}

// OptionName and OptionValue of every slot, in slot order.
std::vector<IniKey> optionKeys() {
    std::vector<IniKey> keys;
    for (const std::string& section : sectionNames()) {
        keys.push_back({section, kOptionNameKey});
        keys.push_back({section, kOptionValueKey});
    }
    return keys;
}

std::string todayText() {
    const std::time_t now = std::time(nullptr);
    char text[16] = "";
    if (const std::tm* local = std::localtime(&now)) {
        std::strftime(text, sizeof text, "%Y-%m-%d", local);
    }
    return text;
}

// `reason` without the "<verb> <file>: " the profile layer puts before it, which the
// result line already says.
std::string withoutFilePrefix(const std::string& reason, const std::string& verb,
                              const std::string& file) {
    const std::string prefix = verb + " " + file + ": ";
    return reason.compare(0, prefix.size(), prefix) == 0 ? reason.substr(prefix.size()) : reason;
}

ApplyResult failed(const std::string& file, std::string reason) {
    return {file, ApplyOutcome::Failed, std::move(reason)};
}

}  // namespace

std::string ProgramVersionText() {
    return "orvexcolors " ORVEX_VERSION;
}

std::string SchemeText(const Scheme& scheme, std::string_view date) {
    std::string text = "; Orvex chat colour scheme, written by " + ProgramVersionText() + " on " +
                       std::string(date) + "\r\n";
    for (int slot = 0; slot < kSlots; ++slot) {
        if (const auto& option = scheme[static_cast<std::size_t>(slot)]) {
            text += "\r\n[" + sectionNameFor(slot) + "]\r\n";
            text += std::string(kOptionNameKey) + "=" + option->name + "\r\n";
            text += std::string(kOptionValueKey) + "=" + option->valueText() + "\r\n";
        }
    }
    return text;
}

Status WriteScheme(const std::string& path, const Scheme& scheme, FileSystem& files) {
    bool any = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        if (const auto& option = scheme[static_cast<std::size_t>(slot)]) {
            any = true;
            const std::string_view breaks("\r\n\0", 3);
            if (option->name.find_first_of(breaks) != std::string::npos ||
                option->text.find_first_of(breaks) != std::string::npos) {
                return Status::Failure("the name or colour of " + sectionNameFor(slot) +
                                       " holds a line break or NUL");
            }
        }
    }
    if (!any) {
        return Status::Failure("the scheme holds no colour");
    }
    return files.replaceFile(files.hostPath(path), SchemeText(scheme, todayText()));
}

SchemeRead ReadScheme(const std::string& path, FileSystem& files) {
    SchemeRead result;
    const FileRead read = files.readFile(files.hostPath(path), kLargestIniFile);
    if (read.kind != FileRead::Kind::Ok) {
        result.status = Status::Failure(read.kind == FileRead::Kind::NotFound
                                            ? "the file does not exist"
                                            : "it cannot be read: " + read.reason);
        return result;
    }
    const std::vector<IniFound> values = IniLookup(read.bytes, optionKeys());
    std::string faults;
    bool any = false;
    for (int slot = 0; slot < kSlots; ++slot) {
        const auto at = static_cast<std::size_t>(2 * slot);
        if (!values[at + 1].value) {
            continue;
        }
        any = true;
        const std::optional<std::string_view>& held = values[at].value;
        const std::string name = held ? std::string(Unquoted(*held)) : std::string();
        const std::string_view text = Unquoted(*values[at + 1].value);
        const ColourTextResult colour = ColorFromText(text);
        if (!colour) {
            faults += (faults.empty() ? "" : "; ") + sectionNameFor(slot) + " (" + name + ") \"" +
                      std::string(text) + "\": " + ColourTextFault(colour.error);
            continue;
        }
        result.scheme[static_cast<std::size_t>(slot)] =
            SchemeOption{name, colour.colour, std::string(text)};
    }
    if (!any) {
        result.status = Status::Failure(
            "it is not a colour scheme: none of the sections VECTOR3-000 to VECTOR3-023 holds "
            "an OptionValue");
    } else if (!faults.empty()) {
        result.status = Status::Failure("colour texts that cannot be read: " + faults);
    }
    if (!result.status) {
        result.scheme = {};
    }
    return result;
}

namespace {

// What applying `scheme` writes into a file that read as `reads`, and what the
// file must still hold at the replace. As a save does: only OptionValue keys are
// written, and the keys seen now must still be there, so a file rewritten
// meanwhile is not touched.
struct ApplyPlan {
    std::vector<IniEdit> writes;
    IniGuard guard;
};

ApplyPlan planApply(const Scheme& scheme, const std::vector<IniEntry>& reads) {
    ApplyPlan plan;
    for (int slot = 0; slot < kSlots; ++slot) {
        const std::string& section = sectionNames()[static_cast<std::size_t>(slot)];
        const IniEntry& name = reads[static_cast<std::size_t>(2 * slot)];
        const IniEntry& value = reads[static_cast<std::size_t>(2 * slot + 1)];
        plan.guard.sections.push_back(section);
        if (name.fromFile) {
            plan.guard.keys.push_back({section, kOptionNameKey});
        }
        if (value.fromFile) {
            plan.guard.keys.push_back({section, kOptionValueKey});
        }
        const auto& wanted = scheme[static_cast<std::size_t>(slot)];
        if (!wanted || (!name.fromFile && !value.fromFile)) {
            continue;
        }
        const std::string text = wanted->valueText();
        const ColourTextResult held = ColorFromText(value.text);
        const ColourTextResult given = ColorFromText(text);
        if (!value.fromFile || !held || !given || held.colour != given.colour) {
            plan.writes.push_back({section, kOptionValueKey, text});
        }
    }
    return plan;
}

}  // namespace

ApplyResult ApplyScheme(const Scheme& scheme, const std::string& file, FileSystem& files) {
    std::vector<IniRequest> requests;
    for (const IniKey& key : optionKeys()) {
        requests.push_back({std::string(key.section), std::string(key.key), std::nullopt});
    }
    const Result<std::vector<IniEntry>> reads = ReadINIEntries(file, requests, files);
    if (!reads.status) {
        return failed(
            file, "cannot be read: " + withoutFilePrefix(reads.status.reason, "Cannot read", file));
    }
    const auto [writes, guard] = planApply(scheme, reads.value);
    if (guard.keys.empty()) {
        // Filling it with bare sections would make a file the game did not write.
        return failed(file,
                      "not written: it is missing or empty, or holds none of the 24 colour "
                      "options (VECTOR3-000 to VECTOR3-023)");
    }
    if (writes.empty()) {
        return {file, ApplyOutcome::AlreadyHeld, {}};
    }
    const Status written = WriteINIValues(file, writes, guard, files);
    if (!written) {
        return failed(file,
                      "not written: " + withoutFilePrefix(written.reason, "Cannot write", file));
    }
    return {file, ApplyOutcome::Written, {}};
}

std::vector<ApplyResult> ApplyScheme(const Scheme& scheme, const std::vector<std::string>& targets,
                                     FileSystem& files) {
    std::vector<ApplyResult> results;
    for (const std::string& file : targets) {
        results.push_back(ApplyScheme(scheme, file, files));
    }
    return results;
}

std::string ApplyResultLine(const ApplyResult& result) {
    switch (result.outcome) {
        case ApplyOutcome::Written:
            return result.file + ": written";
        case ApplyOutcome::AlreadyHeld:
            return result.file + ": already held the scheme";
        case ApplyOutcome::Failed:
            break;
    }
    return result.file + ": " + result.reason;
}

std::string ApplySummary(const std::vector<ApplyResult>& results) {
    std::string summary;
    for (const ApplyResult& result : results) {
        summary += ApplyResultLine(result) + "\n";
    }
    return summary;
}

}  // namespace orvex
