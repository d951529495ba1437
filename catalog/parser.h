// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalog/records.h"

#include <cstddef>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavo {

/// What the parser classifies each trimmed line as, in the house style's terms.
enum class LineKind { Ignored, CategoryHeading, SectionHeading, NoteLine, RuleLine, EntryLine };

/// Classifies one trimmed line. Before the first category heading only
/// category headings count, so the caller says whether one has been seen.
[[nodiscard]] LineKind classifyLine(std::string_view trimmedLine, bool categorySeen);

/// The text of a page as the parser reads it: a leading byte order mark
/// left out, and each ill-formed UTF-8 sequence replaced by U+FFFD (then in
/// `repaired`, which the result points into).
[[nodiscard]] std::string_view pageText(std::string_view page, std::string& repaired);

/// The link of a category heading: its title and its target, not yet checked as a URL.
struct HeadingLink {
    std::string_view title;
    std::string_view target;
};

/// The link in a category heading's text (what follows the "►", trimmed),
/// read loosely: the first "[", the first "]", the first "(" and the last
/// ")". Nothing when one is missing or the spans they bound would run backwards.
[[nodiscard]] std::optional<HeadingLink> headingLink(std::string_view heading);

/// A line the parser dropped although it looks meant, for the page's curators.
/// Its parts are kept apart so that a screen can word it in its own language;
/// describe() words it in English, as `kavo-catalog lint` prints it.
struct ParseDiagnostic {
    enum class Kind {
        CategoryLinkRefused,  ///< the heading's link target is no URL; the title is kept
        NoteWithoutText,      ///< a note line with no text after "** - "
        NoteReplaced,         ///< another note came before any rule line (at `otherLine`)
        NoteBeforeCategory,   ///< no rule line followed the note before the next category heading
        NoteBeforeSection,    ///< ... before the next section heading
        NoteAtEnd,            ///< ... before the page ended
        EntryWithoutLink,     ///< an entry line without a "[name](target)" link
        EntryLinkAfterDash,   ///< ... before the first " - ", which cuts the link
        EntryTargetRefused,   ///< the entry's first target is no URL: the entry is dropped
        RelatedTargetRefused, ///< a further link's target is no URL: that link is dropped
        NoCategoryHeading,    ///< the whole page (line 0): no category heading, an empty catalogue
    };
    Kind kind = Kind::EntryWithoutLink;
    std::size_t line = 0;      ///< 1-based, as an editor counts lines
    std::string name;          ///< the link's name, for the two target kinds
    std::string target;        ///< the refused target, for the three target kinds
    std::size_t otherLine = 0; ///< NoteReplaced: the line of the note that replaced it

    friend bool operator==(const ParseDiagnostic&, const ParseDiagnostic&) = default;
};

/// The diagnostic in English, without its line number.
[[nodiscard]] std::string describe(const ParseDiagnostic& diagnostic);

using DiagnosticSink = std::function<void(const ParseDiagnostic&)>;

/// Receives each category once the parser has read the whole of it, in page order.
using CategorySink = std::function<void(KVCategory&&)>;

/// Bounds on what one parse builds.
struct ParseLimits {
    /// Links in entry lines: every "[name](target)" before the description
    /// counts, an entry's own link and each further one.
    std::size_t maxLinks = std::numeric_limits<std::size_t>::max();
};

/// Turns a page in the house style into the catalogue. Stateless: any number
/// of parses may run at once, on any threads. Never fails: lines it cannot use
/// are dropped, and a page without a category heading gives an empty list.
class KVParser {
public:
    KVParser() = default;

    [[nodiscard]] std::vector<KVCategory> parse(std::string_view text) const;

    /// The same result; additionally reports dropped lines that look meant.
    [[nodiscard]] std::vector<KVCategory> parse(std::string_view text, const DiagnosticSink& sink) const;

    /// The same result, or nothing when the page holds more than `limits`
    /// allow. Parsing stops as soon as a limit is passed, so a hostile page
    /// never makes the parser build more than the limits.
    [[nodiscard]] std::optional<std::vector<KVCategory>> parse(std::string_view text, ParseLimits limits,
                                                               const DiagnosticSink& sink = {}) const;

    /// The same categories, each handed to `each` as soon as it is complete
    /// instead of being kept: a page of any size is parsed in the memory of
    /// its largest category.
    void parseEach(std::string_view text, const CategorySink& each) const;
};

} // namespace kavo
