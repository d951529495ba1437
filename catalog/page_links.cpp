// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/page_links.h"

#include "catalog/link_scanner.h"
#include "catalog/parser.h"
#include "platform/unicode_text.h"

#include <unordered_map>

namespace kavo {
namespace {

constexpr std::string_view kCategoryMarker = "\u25BA"; // ►

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// "<target>" and "target "title"" as Markdown writes them; anything else stays whole.
std::string_view cleanTarget(std::string_view target)
{
    if (target.starts_with('<')) {
        const auto close = target.find('>');
        if (close != std::string_view::npos) return target.substr(1, close - 1);
    }
    for (std::size_t i = 0; i < target.size(); ++i) {
        if (!isBlank(target[i])) continue;
        std::size_t title = i;
        while (title < target.size() && isBlank(target[title])) ++title;
        if (title < target.size() && (target[title] == '"' || target[title] == '\'' || target[title] == '(')) {
            return target.substr(0, i);
        }
        break;
    }
    return target;
}

bool startsWithWebScheme(std::string_view text)
{
    const auto lowered = [&](std::size_t length) {
        std::string prefix(text.substr(0, length));
        for (char& c : prefix) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        return prefix;
    };
    return lowered(7) == "http://" || lowered(8) == "https://";
}

// "<http://…>" and "<https://…>": up to the next ">", with no space or "<" inside.
template <typename Found> void findAutolinks(std::string_view line, Found&& found)
{
    for (auto open = line.find('<'); open != std::string_view::npos; open = line.find('<', open + 1)) {
        const std::string_view rest = line.substr(open + 1);
        if (!startsWithWebScheme(rest)) continue;
        const auto end = rest.find_first_of("<> \t");
        if (end != std::string_view::npos && rest[end] == '>') found(rest.substr(0, end));
    }
}

class LinkCollector {
public:
    void add(std::string_view target, std::size_t line)
    {
        if (target.empty()) return;
        const auto [at, inserted] = index_.try_emplace(std::string(target), links_.size());
        if (inserted) links_.push_back(PageLink{at->first, {}});
        std::vector<std::size_t>& lines = links_[at->second].lines;
        if (lines.empty() || lines.back() != line) lines.push_back(line);
    }

    std::vector<PageLink> finish() { return std::move(links_); }

private:
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<PageLink> links_;
};

} // namespace

std::vector<PageLink> pageLinks(std::string_view page)
{
    std::string repaired; // targets are printed, in JSON too: well-formed UTF-8 only
    page = pageText(page, repaired);
    LinkCollector links;
    std::vector<LinkMatch> matches;
    text::LineReader lines(page);
    std::string_view rawLine;
    std::size_t number = 0;
    while (lines.next(rawLine, number)) {
        const std::string_view line = text::trim(rawLine);
        if (line.starts_with("<!--")) continue;
        if (classifyLine(line, true) == LineKind::CategoryHeading) {
            const std::string_view heading = text::trim(line.substr(line.find(kCategoryMarker) + kCategoryMarker.size()));
            if (const std::optional<HeadingLink> link = headingLink(heading)) links.add(cleanTarget(link->target), number);
        }
        findLinks(line, matches);
        for (const LinkMatch& match : matches) links.add(cleanTarget(match.target), number);
        findAutolinks(line, [&](std::string_view target) { links.add(target, number); });
    }
    return links.finish();
}

} // namespace kavo
