// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/parser.h"

#include "catalog/link_scanner.h"
#include "platform/unicode_text.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>
#include <utility>

namespace kavo {
namespace {

// ---------------------------------------------------------------------------
// Markers of the house style
// ---------------------------------------------------------------------------

constexpr std::string_view kCategoryMarker = "\u25BA"; // ►
constexpr std::string_view kSectionMarker = "\u25B7";  // ▷
constexpr std::string_view kBackNavigation = "[\u25C4\u25C4";
constexpr std::string_view kForwardNavigation = "[\u25BA\u25BA";
constexpr std::string_view kSeparator = " - ";

struct BadgeMarker {
    std::string_view symbol;
    KVBadge badge;
};
constexpr BadgeMarker kBadgeMarkers[] = {
    {"\u2B50", KVBadge::star},     // ⭐
    {"\u2605", KVBadge::star},     // ★
    {"\U0001F310", KVBadge::globe}, // 🌐
    {"\u21AA", KVBadge::arrow},    // ↪
};

constexpr bool contains(std::string_view text, std::string_view needle)
{
    return text.find(needle) != std::string_view::npos;
}

// Text after the first occurrence of `marker`; the caller knows it occurs.
constexpr std::string_view after(std::string_view text, std::string_view marker)
{
    return text.substr(text.find(marker) + marker.size());
}

// The first " - ". Hyphens are far rarer than spaces, so the search keys on
// the hyphen; the first hyphen with a space on each side starts the first match.
std::size_t findSeparator(std::string_view text)
{
    for (std::size_t i = 1; i + 1 < text.size(); ++i) {
        const void* hit = std::memchr(text.data() + i, '-', text.size() - 1 - i);
        if (hit == nullptr) break;
        i = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        if (text[i - 1] == ' ' && text[i + 1] == ' ') return i - 1;
    }
    return std::string_view::npos;
}

std::string quoted(std::string_view text)
{
    std::string result = "\"";
    result.append(text);
    result += '"';
    return result;
}

} // namespace

// ---------------------------------------------------------------------------
// Line classification
// ---------------------------------------------------------------------------

LineKind classifyLine(std::string_view line, bool categorySeen)
{
    using text::startsWith;
    if (line.empty()) return LineKind::Ignored;
    if (startsWith(line, "<!--")) return LineKind::Ignored;
    if (startsWith(line, kBackNavigation) || startsWith(line, kForwardNavigation)) return LineKind::Ignored;
    if (startsWith(line, "#") && !startsWith(line, "##") && contains(line, kCategoryMarker)) {
        return LineKind::CategoryHeading;
    }
    if (!categorySeen) return LineKind::Ignored;
    if (startsWith(line, "##") && contains(line, kSectionMarker)) return LineKind::SectionHeading;
    // Both note markers hold "**"; most lines have none, and one search settles them.
    if (const auto stars = line.find("**"); stars != std::string_view::npos) {
        const std::string_view marked = line.substr(stars);
        if ((startsWith(line, "* ") && contains(marked, "**Note**")) || contains(marked, "**Warning**")) {
            return LineKind::NoteLine;
        }
    }
    if (line == "***" || line == "---" || line == "___") return LineKind::RuleLine;
    if (startsWith(line, "* ") || startsWith(line, "- ")) return LineKind::EntryLine;
    return LineKind::Ignored;
}

std::string_view pageText(std::string_view page, std::string& repaired)
{
    // Editors on some systems start a UTF-8 file with a byte order mark. It
    // belongs to the file, not to the first heading, so one is skipped; any
    // other U+FEFF is text like the rest.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (page.starts_with(kByteOrderMark)) page.remove_prefix(kByteOrderMark.size());
    // Records hold well-formed UTF-8 only, so encoding them can never fail;
    // ill-formed bytes become U+FFFD, as any text decoder would make them.
    if (text::isValidUtf8(page)) return page;
    repaired = text::toValidUtf8(page);
    return repaired;
}

std::optional<HeadingLink> headingLink(std::string_view heading)
{
    const auto openBracket = heading.find('[');
    const auto closeBracket = heading.find(']');
    const auto openParen = heading.find('(');
    const auto closeParen = heading.rfind(')');
    constexpr auto npos = std::string_view::npos;
    if (openBracket == npos || closeBracket == npos || openParen == npos || closeParen == npos ||
        openBracket > closeBracket || openParen > closeParen) {
        return std::nullopt;
    }
    return HeadingLink{heading.substr(openBracket + 1, closeBracket - openBracket - 1),
                       heading.substr(openParen + 1, closeParen - openParen - 1)};
}

namespace {

// ---------------------------------------------------------------------------
// One parse: the working state and the actions of the state machine
// ---------------------------------------------------------------------------

class ParseRun {
public:
    ParseRun(const DiagnosticSink* sink, ParseLimits limits, const CategorySink* each)
        : sink_(sink), limits_(limits), each_(each)
    {
    }

    /// True once the page has passed a limit; the run is then abandoned.
    [[nodiscard]] bool overLimit() const { return links_ > limits_.maxLinks; }

    void readLine(std::string_view rawLine, std::size_t lineNumber)
    {
        lineNumber_ = lineNumber;
        const std::string_view line = text::trim(rawLine);
        switch (classifyLine(line, categorySeen_)) {
        case LineKind::Ignored: break;
        case LineKind::CategoryHeading: openCategory(line); break;
        case LineKind::SectionHeading: openSection(line); break;
        case LineKind::NoteLine: readNote(line); break;
        case LineKind::RuleLine: attachPendingNote(); break;
        case LineKind::EntryLine: readEntry(line); break;
        }
    }

    std::vector<KVCategory> finish()
    {
        dropPendingNote(Kind::NoteAtEnd);
        closeSection();
        closeCategory();
        return std::move(result_);
    }

private:
    struct OpenCategory {
        std::optional<std::string> title;
        std::optional<Url> url;
        std::optional<std::string> note;
        std::vector<KVEntry> entries;
        std::vector<KVSection> sections;
    };
    struct OpenSection {
        std::optional<std::string> title; // present while a section is open
        std::optional<std::string> note;
        std::vector<KVEntry> entries;
    };
    struct PendingNote {
        std::string text;
        std::size_t line;
    };

    using Kind = ParseDiagnostic::Kind;

    void report(Kind kind, std::size_t line, std::string_view name = {}, std::string_view target = {},
                std::size_t otherLine = 0) const
    {
        if (sink_) (*sink_)(ParseDiagnostic{kind, line, std::string(name), std::string(target), otherLine});
    }

    void closeSection()
    {
        if (section_.title) {
            // Sections never carry a link of their own; the field exists for the cache form.
            category_.sections.push_back(KVSection{Uuid::random(), std::move(*section_.title), std::nullopt,
                                                   std::move(section_.note), std::move(section_.entries)});
        }
        section_ = OpenSection{};
    }

    void closeCategory()
    {
        if (category_.title) {
            KVCategory category{Uuid::random(),           std::move(*category_.title),  std::move(category_.url),
                                std::move(category_.note), std::move(category_.entries), std::move(category_.sections)};
            if (each_) (*each_)(std::move(category));
            else result_.push_back(std::move(category));
        }
        category_ = OpenCategory{};
    }

    /*
     * "# ► Title" or "# ► [Title](target)". When the spans of a loosely read
     * link would run backwards, the heading counts as one without a link.
     */
    void openCategory(std::string_view line)
    {
        if (categorySeen_) {
            dropPendingNote(Kind::NoteBeforeCategory);
            closeSection();
            closeCategory();
        }
        const std::string_view heading = text::trim(after(line, kCategoryMarker));
        std::string_view title = heading;
        std::optional<Url> url;
        if (const std::optional<HeadingLink> link = headingLink(heading)) {
            title = link->title;
            url = Url::parse(link->target);
            if (!url) {
                report(Kind::CategoryLinkRefused, lineNumber_, {}, link->target);
            }
        }
        category_.title = std::string(title);
        category_.url = std::move(url);
        categorySeen_ = true;
    }

    void openSection(std::string_view line)
    {
        dropPendingNote(Kind::NoteBeforeSection);
        closeSection();
        section_.title = std::string(text::trim(after(line, kSectionMarker)));
    }

    /*
     * "* **Note** - text" (or any line with "**Warning**"). The note text
     * follows the first "** - "; failing that, it follows the first "**" when
     * what comes there starts with "- ". It waits for the next rule line.
     */
    void readNote(std::string_view line)
    {
        std::optional<std::string_view> note;
        if (contains(line, "** - ")) {
            note = text::trim(after(line, "** - "));
        } else if (contains(line, "**")) {
            const std::string_view rest = text::trim(after(line, "**"));
            if (text::startsWith(rest, "- ")) note = text::trim(rest.substr(2));
        }
        if (!note) {
            report(Kind::NoteWithoutText, lineNumber_);
            return;
        }
        if (pendingNote_) {
            report(Kind::NoteReplaced, pendingNote_->line, {}, {}, lineNumber_);
        }
        pendingNote_ = PendingNote{std::string(*note), lineNumber_};
    }

    void attachPendingNote()
    {
        if (!pendingNote_) return;
        if (section_.title) section_.note = std::move(pendingNote_->text);
        else category_.note = std::move(pendingNote_->text);
        pendingNote_.reset();
    }

    // `kind` says what came before any rule line: a heading or the page's end.
    void dropPendingNote(Kind kind)
    {
        if (!pendingNote_) return;
        report(kind, pendingNote_->line);
        pendingNote_.reset();
    }

    /*
     * "* [Name](target), [More](target) - description", with an optional badge
     * symbol first. The first " - " anywhere on the line separates the links
     * from the description, even inside a link.
     */
    void readEntry(std::string_view line)
    {
        std::string_view rest = line.substr(2);
        KVBadge badge = KVBadge::none;
        // Every marker's first byte is 0xE2 or 0xF0; other lines skip the four comparisons.
        const bool mayHaveBadge = !rest.empty() && (rest[0] == '\xE2' || rest[0] == '\xF0');
        for (const BadgeMarker& marker : kBadgeMarkers) {
            if (mayHaveBadge && text::startsWith(rest, marker.symbol)) {
                badge = marker.badge;
                rest = text::trim(rest.substr(marker.symbol.size()));
                break;
            }
        }

        std::string_view linkPart = rest;
        std::optional<std::string> description;
        if (const auto separator = findSeparator(rest); separator != std::string_view::npos) {
            linkPart = rest.substr(0, separator);
            description = std::string(text::trim(rest.substr(separator + kSeparator.size())));
        }

        // One more than the limit leaves, so a line that passes it is told
        // from one that meets it, without scanning (or storing) the rest.
        std::vector<LinkMatch>& links = matches_;
        const std::size_t left = limits_.maxLinks - std::min(links_, limits_.maxLinks);
        findLinks(linkPart, links, left == std::numeric_limits<std::size_t>::max() ? left : left + 1);
        links_ += links.size();
        if (overLimit()) return;
        if (links.empty()) {
            report(description ? Kind::EntryLinkAfterDash : Kind::EntryWithoutLink, lineNumber_);
            return;
        }
        std::optional<Url> url = Url::parse(links.front().target);
        if (!url) {
            report(Kind::EntryTargetRefused, lineNumber_, links.front().name, links.front().target);
            return;
        }

        std::vector<KVLink> related;
        related.reserve(links.size() - 1);
        for (std::size_t i = 1; i < links.size(); ++i) {
            if (std::optional<Url> relatedUrl = Url::parse(links[i].target)) {
                related.push_back(KVLink{Uuid::random(), std::string(links[i].name), std::move(*relatedUrl)});
            } else {
                report(Kind::RelatedTargetRefused, lineNumber_, links[i].name, links[i].target);
            }
        }

        KVEntry entry{Uuid::random(), std::string(links.front().name), std::move(*url), std::move(description),
                      badge, std::move(related)};
        (section_.title ? section_.entries : category_.entries).push_back(std::move(entry));
    }

    const DiagnosticSink* sink_;
    const ParseLimits limits_;
    const CategorySink* each_; // takes each finished category instead of result_
    std::size_t links_ = 0; // links written in entry lines so far (before their descriptions)
    std::vector<KVCategory> result_;
    bool categorySeen_ = false;
    OpenCategory category_;
    OpenSection section_;
    std::optional<PendingNote> pendingNote_;
    std::size_t lineNumber_ = 0;
    std::vector<LinkMatch> matches_; // reused by every entry line
};

std::optional<std::vector<KVCategory>> parseText(std::string_view text, const DiagnosticSink* sink, ParseLimits limits,
                                                 const CategorySink* each = nullptr)
{
    std::string repaired;
    text = pageText(text, repaired);
    ParseRun run(sink, limits, each);
    text::LineReader lines(text);
    std::string_view line;
    std::size_t lineNumber = 0;
    while (lines.next(line, lineNumber)) {
        run.readLine(line, lineNumber);
        if (run.overLimit()) return std::nullopt;
    }
    return run.finish();
}

} // namespace

std::vector<KVCategory> KVParser::parse(std::string_view text) const
{
    return *parseText(text, nullptr, ParseLimits{});
}

std::vector<KVCategory> KVParser::parse(std::string_view text, const DiagnosticSink& sink) const
{
    return *parseText(text, sink ? &sink : nullptr, ParseLimits{});
}

std::optional<std::vector<KVCategory>> KVParser::parse(std::string_view text, ParseLimits limits,
                                                       const DiagnosticSink& sink) const
{
    return parseText(text, sink ? &sink : nullptr, limits);
}

std::string describe(const ParseDiagnostic& diagnostic)
{
    using Kind = ParseDiagnostic::Kind;
    const std::string noRule = "note dropped: no rule line (***, --- or ___) follows it before ";
    const std::string notValid = quoted(diagnostic.target) + " is not a valid URL";
    switch (diagnostic.kind) {
    case Kind::CategoryLinkRefused: return "category link dropped (title kept): target " + notValid;
    case Kind::NoteWithoutText: return "note line ignored: no note text after \"** - \"";
    case Kind::NoteReplaced:
        return "note dropped: replaced by the note on line " + std::to_string(diagnostic.otherLine) +
               " before any rule line";
    case Kind::NoteBeforeCategory: return noRule + "the next category heading";
    case Kind::NoteBeforeSection: return noRule + "the next section heading";
    case Kind::NoteAtEnd: return noRule + "the page ends";
    case Kind::EntryWithoutLink: return "entry dropped: no [name](target) link";
    case Kind::EntryLinkAfterDash: return "entry dropped: no [name](target) link before the first \" - \"";
    case Kind::EntryTargetRefused: return "entry " + quoted(diagnostic.name) + " dropped: target " + notValid;
    case Kind::RelatedTargetRefused:
        return "related link " + quoted(diagnostic.name) + " dropped: target " + notValid;
    case Kind::NoCategoryHeading: return "no category heading (\"# \u25BA Title\"): the page gives an empty catalogue";
    }
    return {};
}

void KVParser::parseEach(std::string_view text, const CategorySink& each) const
{
    (void)parseText(text, nullptr, ParseLimits{}, &each);
}

} // namespace kavo
