#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "colour/colour_slots.h"
#include "colour/colour_values.h"
#include "platform/file_system.h"
#include "platform/status.h"

namespace orvex {

// A colour scheme: the 24 chat colours in the game's own format, so that any player
// options file is a scheme too. Its file holds the sections VECTOR3-000 to
// VECTOR3-023, each with OptionName and OptionValue (the colour text), CRLF line
// endings, after one comment line naming the tool and the date.
//
// Paths are the system's Windows-form paths (see HostPath); a host path of Windows,
// or a POSIX one without "\" in its names, reads as itself.

// One option of a scheme.
struct SchemeOption {
    std::string name;  // OptionName; empty when the file had none
    PackedColour colour = kWhite;
    // OptionValue as a scheme file holds it; empty for ColorToText(colour).
    std::string text;

    // The OptionValue a scheme file or an apply writes. A text read is kept as it
    // stands: ColorToText keeps only whole hundredths (rounded down), so its text of
    // a colour read from "0.3" says "0.29", which reads as yet another colour.
    std::string valueText() const { return text.empty() ? ColorToText(colour) : text; }
    bool operator==(const SchemeOption& other) const {
        return name == other.name && colour == other.colour && text == other.text;
    }
};

// Slot by slot; nothing where the scheme lacks that option.
using Scheme = std::array<std::optional<SchemeOption>, ColourSlotTable::kSlotCount>;

// "orvexcolors 1.0.0".
std::string ProgramVersionText();

// The bytes of the scheme's file, `date` ("2026-12-08") in its first line; each
// OptionValue is valueText(), so a scheme read from a file (an export) keeps its
// texts as they stand. Options the scheme lacks have no section.
std::string SchemeText(const Scheme& scheme, std::string_view date);

// Writes `scheme` to `path` in one atomic replace, dated today. Refuses a scheme with
// no option (no reader would take the file) and a name or text holding a line break
// or NUL.
Status WriteScheme(const std::string& path, const Scheme& scheme, FileSystem& files);

// What reading a scheme gave: the options whose section holds an OptionValue, or,
// when `status` failed, nothing and the reason (without the path): the file cannot be
// read, none of the 24 sections holds an OptionValue, or some colour texts cannot be
// read (each named with its option and text).
struct SchemeRead {
    Scheme scheme{};
    Status status;
};
SchemeRead ReadScheme(const std::string& path, FileSystem& files);

// What applying a scheme did to one player options file.
enum class ApplyOutcome { Written, AlreadyHeld, Failed };
struct ApplyResult {
    std::string file;
    ApplyOutcome outcome = ApplyOutcome::Failed;
    std::string reason;  // why, when Failed

    bool ok() const { return outcome != ApplyOutcome::Failed; }
};

// Gives `file` the scheme's colours as a save does: one read, then one atomic replace
// of the OptionValue keys whose value does not already read as the colour of the
// scheme's text (valueText(), which is what is written),
// among the options the file holds (sections it lacks are not added). Nothing else
// changes. A file that cannot be read, or that is missing, empty or holds none of
// the 24 colour options, is refused, and so is one whose options vanished before the
// replace (another program is rewriting it): the file stays as it was.
ApplyResult ApplyScheme(const Scheme& scheme, const std::string& file, FileSystem& files);
// Each file in turn, each in its own transaction: a failure leaves the others done.
std::vector<ApplyResult> ApplyScheme(const Scheme& scheme, const std::vector<std::string>& targets,
                                     FileSystem& files);

// "<file>: <result>", one line per file, e.g. "player2_options.ini: already held the
// scheme" or "player3_options.ini: not written: ...".
std::string ApplyResultLine(const ApplyResult& result);
std::string ApplySummary(const std::vector<ApplyResult>& results);

}  // namespace orvex
