// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/description_markup.h"

#include "platform/unicode_text.h"

#include <md4c.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <exception>
#include <memory>
#include <vector>

// The output uses only <b>, <i>, <s> and <a href> of the tags Qt Quick's
// StyledText draws, and only the entities every Qt version of it decodes
// (&amp; &lt; &gt; &quot; &nbsp;); other entities are decoded here. It has
// no monospace tag (<code> and <tt> are skipped as unknown), so code spans
// show as their plain text. Of the other tags it knows, <img> loads its
// source and <font>, <h1>..<h6>, <p>, <pre> and lists would break the
// two-line label.
namespace kavo::screens {
namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

struct NamedEntity {
    std::string_view name;
    char32_t codePoint;
};

// The HTML 4 names plus &apos;: what descriptions copied from web pages use.
// A name missing here shows as written, which loses nothing.
constexpr std::array namedEntities = std::to_array<NamedEntity>({
    {"AElig", 0xC6}, {"Aacute", 0xC1}, {"Acirc", 0xC2}, {"Agrave", 0xC0}, {"Alpha", 0x391}, {"Aring", 0xC5},
    {"Atilde", 0xC3}, {"Auml", 0xC4}, {"Beta", 0x392}, {"Ccedil", 0xC7}, {"Chi", 0x3A7}, {"Dagger", 0x2021},
    {"Delta", 0x394}, {"ETH", 0xD0}, {"Eacute", 0xC9}, {"Ecirc", 0xCA}, {"Egrave", 0xC8}, {"Epsilon", 0x395},
    {"Eta", 0x397}, {"Euml", 0xCB}, {"Gamma", 0x393}, {"Iacute", 0xCD}, {"Icirc", 0xCE}, {"Igrave", 0xCC},
    {"Iota", 0x399}, {"Iuml", 0xCF}, {"Kappa", 0x39A}, {"Lambda", 0x39B}, {"Mu", 0x39C}, {"Ntilde", 0xD1},
    {"Nu", 0x39D}, {"OElig", 0x152}, {"Oacute", 0xD3}, {"Ocirc", 0xD4}, {"Ograve", 0xD2}, {"Omega", 0x3A9},
    {"Omicron", 0x39F}, {"Oslash", 0xD8}, {"Otilde", 0xD5}, {"Ouml", 0xD6}, {"Phi", 0x3A6}, {"Pi", 0x3A0},
    {"Prime", 0x2033}, {"Psi", 0x3A8}, {"Rho", 0x3A1}, {"Scaron", 0x160}, {"Sigma", 0x3A3}, {"THORN", 0xDE},
    {"Tau", 0x3A4}, {"Theta", 0x398}, {"Uacute", 0xDA}, {"Ucirc", 0xDB}, {"Ugrave", 0xD9}, {"Upsilon", 0x3A5},
    {"Uuml", 0xDC}, {"Xi", 0x39E}, {"Yacute", 0xDD}, {"Yuml", 0x178}, {"Zeta", 0x396}, {"aacute", 0xE1},
    {"acirc", 0xE2}, {"acute", 0xB4}, {"aelig", 0xE6}, {"agrave", 0xE0}, {"alefsym", 0x2135}, {"alpha", 0x3B1},
    {"amp", 0x26}, {"and", 0x2227}, {"ang", 0x2220}, {"apos", 0x27}, {"aring", 0xE5}, {"asymp", 0x2248},
    {"atilde", 0xE3}, {"auml", 0xE4}, {"bdquo", 0x201E}, {"beta", 0x3B2}, {"brvbar", 0xA6}, {"bull", 0x2022},
    {"cap", 0x2229}, {"ccedil", 0xE7}, {"cedil", 0xB8}, {"cent", 0xA2}, {"chi", 0x3C7}, {"circ", 0x2C6},
    {"clubs", 0x2663}, {"cong", 0x2245}, {"copy", 0xA9}, {"crarr", 0x21B5}, {"cup", 0x222A}, {"curren", 0xA4},
    {"dArr", 0x21D3}, {"dagger", 0x2020}, {"darr", 0x2193}, {"deg", 0xB0}, {"delta", 0x3B4}, {"diams", 0x2666},
    {"divide", 0xF7}, {"eacute", 0xE9}, {"ecirc", 0xEA}, {"egrave", 0xE8}, {"empty", 0x2205}, {"emsp", 0x2003},
    {"ensp", 0x2002}, {"epsilon", 0x3B5}, {"equiv", 0x2261}, {"eta", 0x3B7}, {"eth", 0xF0}, {"euml", 0xEB},
    {"euro", 0x20AC}, {"exist", 0x2203}, {"fnof", 0x192}, {"forall", 0x2200}, {"frac12", 0xBD}, {"frac14", 0xBC},
    {"frac34", 0xBE}, {"frasl", 0x2044}, {"gamma", 0x3B3}, {"ge", 0x2265}, {"gt", 0x3E}, {"hArr", 0x21D4},
    {"harr", 0x2194}, {"hearts", 0x2665}, {"hellip", 0x2026}, {"iacute", 0xED}, {"icirc", 0xEE}, {"iexcl", 0xA1},
    {"igrave", 0xEC}, {"image", 0x2111}, {"infin", 0x221E}, {"int", 0x222B}, {"iota", 0x3B9}, {"iquest", 0xBF},
    {"isin", 0x2208}, {"iuml", 0xEF}, {"kappa", 0x3BA}, {"lArr", 0x21D0}, {"lambda", 0x3BB}, {"lang", 0x2329},
    {"laquo", 0xAB}, {"larr", 0x2190}, {"lceil", 0x2308}, {"ldquo", 0x201C}, {"le", 0x2264}, {"lfloor", 0x230A},
    {"lowast", 0x2217}, {"loz", 0x25CA}, {"lrm", 0x200E}, {"lsaquo", 0x2039}, {"lsquo", 0x2018}, {"lt", 0x3C},
    {"macr", 0xAF}, {"mdash", 0x2014}, {"micro", 0xB5}, {"middot", 0xB7}, {"minus", 0x2212}, {"mu", 0x3BC},
    {"nabla", 0x2207}, {"nbsp", 0xA0}, {"ndash", 0x2013}, {"ne", 0x2260}, {"ni", 0x220B}, {"not", 0xAC},
    {"notin", 0x2209}, {"nsub", 0x2284}, {"ntilde", 0xF1}, {"nu", 0x3BD}, {"oacute", 0xF3}, {"ocirc", 0xF4},
    {"oelig", 0x153}, {"ograve", 0xF2}, {"oline", 0x203E}, {"omega", 0x3C9}, {"omicron", 0x3BF}, {"oplus", 0x2295},
    {"or", 0x2228}, {"ordf", 0xAA}, {"ordm", 0xBA}, {"oslash", 0xF8}, {"otilde", 0xF5}, {"otimes", 0x2297},
    {"ouml", 0xF6}, {"para", 0xB6}, {"part", 0x2202}, {"permil", 0x2030}, {"perp", 0x22A5}, {"phi", 0x3C6},
    {"pi", 0x3C0}, {"piv", 0x3D6}, {"plusmn", 0xB1}, {"pound", 0xA3}, {"prime", 0x2032}, {"prod", 0x220F},
    {"prop", 0x221D}, {"psi", 0x3C8}, {"quot", 0x22}, {"rArr", 0x21D2}, {"radic", 0x221A}, {"rang", 0x232A},
    {"raquo", 0xBB}, {"rarr", 0x2192}, {"rceil", 0x2309}, {"rdquo", 0x201D}, {"real", 0x211C}, {"reg", 0xAE},
    {"rfloor", 0x230B}, {"rho", 0x3C1}, {"rlm", 0x200F}, {"rsaquo", 0x203A}, {"rsquo", 0x2019}, {"sbquo", 0x201A},
    {"scaron", 0x161}, {"sdot", 0x22C5}, {"sect", 0xA7}, {"shy", 0xAD}, {"sigma", 0x3C3}, {"sigmaf", 0x3C2},
    {"sim", 0x223C}, {"spades", 0x2660}, {"sub", 0x2282}, {"sube", 0x2286}, {"sum", 0x2211}, {"sup", 0x2283},
    {"sup1", 0xB9}, {"sup2", 0xB2}, {"sup3", 0xB3}, {"supe", 0x2287}, {"szlig", 0xDF}, {"tau", 0x3C4},
    {"there4", 0x2234}, {"theta", 0x3B8}, {"thetasym", 0x3D1}, {"thinsp", 0x2009}, {"thorn", 0xFE},
    {"tilde", 0x2DC}, {"times", 0xD7}, {"trade", 0x2122}, {"uArr", 0x21D1}, {"uacute", 0xFA}, {"uarr", 0x2191},
    {"ucirc", 0xFB}, {"ugrave", 0xF9}, {"uml", 0xA8}, {"upsih", 0x3D2}, {"upsilon", 0x3C5}, {"uuml", 0xFC},
    {"weierp", 0x2118}, {"xi", 0x3BE}, {"yacute", 0xFD}, {"yen", 0xA5}, {"yuml", 0xFF}, {"zeta", 0x3B6},
    {"zwj", 0x200D}, {"zwnj", 0x200C}
});
static_assert(std::ranges::is_sorted(namedEntities, {}, &NamedEntity::name), "looked up by binary search");

void appendUtf8(std::string& out, char32_t codePoint)
{
    // CommonMark's rule for numeric references that name no character.
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        codePoint = replacementCharacter;
    }
    char buffer[U8_MAX_LENGTH];
    std::int32_t length = 0;
    U8_APPEND_UNSAFE(buffer, length, static_cast<UChar32>(codePoint));
    out.append(buffer, static_cast<std::size_t>(length));
}

std::optional<char32_t> numericReference(std::string_view digits)
{
    int base = 10;
    if (!digits.empty() && (digits.front() == 'x' || digits.front() == 'X')) {
        base = 16;
        digits.remove_prefix(1);
    }
    std::uint32_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, value, base);
    if (digits.empty() || stop != end) return std::nullopt;
    if (error == std::errc::result_out_of_range) return replacementCharacter;
    return value;
}

std::optional<char32_t> namedReference(std::string_view name)
{
    const auto* found = std::ranges::lower_bound(namedEntities, name, {}, &NamedEntity::name);
    if (found == namedEntities.end() || found->name != name) return std::nullopt;
    return found->codePoint;
}

// md4c hands over "&name;", "&#123;" or "&#x7B;" as written.
std::string decodeEntity(std::string_view entity)
{
    std::optional<char32_t> codePoint;
    if (entity.size() > 2 && entity.front() == '&' && entity.back() == ';') {
        const std::string_view body = entity.substr(1, entity.size() - 2);
        codePoint = body.front() == '#' ? numericReference(body.substr(1)) : namedReference(body);
    }
    if (!codePoint) return std::string(entity);
    std::string decoded;
    appendUtf8(decoded, *codePoint);
    return decoded;
}

// StyledText collapses runs of white space, a no-break space among them, but
// keeps the one it decodes from &nbsp;.
void appendEscaped(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\xC2':
            if (i + 1 < text.size() && text[i + 1] == '\xA0') {
                out += "&nbsp;";
                ++i;
                break;
            }
            [[fallthrough]];
        default: out += c;
        }
    }
}

// StyledText takes an attribute value verbatim up to the first quote of
// either kind: entities are not decoded there (an "&amp;" would stay in the
// link) and a quote would cut the address short. So nothing is escaped the
// HTML way; the characters that cannot stand raw in the value are
// percent-encoded, which servers read as the same characters.
void appendLinkTarget(std::string& out, std::string_view url)
{
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    for (const char c : url) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F || c == '"' || c == '\'' || c == '<' || c == '>') {
            out += '%';
            out += hexDigits[byte >> 4];
            out += hexDigits[byte & 0xF];
        } else {
            out += c;
        }
    }
}

// md4c has already removed backslash escapes; entities and NUL characters
// arrive as separate pieces.
std::string linkTarget(const MD_ATTRIBUTE& href)
{
    std::string url;
    if (href.size == 0) return url;
    for (std::size_t i = 0; href.substr_offsets[i] < href.size; ++i) {
        const MD_OFFSET begin = href.substr_offsets[i];
        const std::string_view piece(href.text + begin, href.substr_offsets[i + 1] - begin);
        switch (href.substr_types[i]) {
        case MD_TEXT_ENTITY: url += decodeEntity(piece); break;
        case MD_TEXT_NULLCHAR: appendUtf8(url, replacementCharacter); break;
        default: url += piece;
        }
    }
    std::string encoded;
    appendLinkTarget(encoded, url);
    return encoded;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// Raw HTML the author wrote as an element: "<tag ...>" or "</tag>".
struct RawTag {
    std::string_view name;
    bool closing = false;
};

std::optional<RawTag> rawTag(std::string_view html)
{
    if (html.size() < 2 || html.front() != '<') return std::nullopt;
    RawTag tag;
    html.remove_prefix(1);
    if (html.front() == '/') {
        tag.closing = true;
        html.remove_prefix(1);
    }
    const auto nameEnd = std::ranges::find_if_not(html, [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
    });
    tag.name = html.substr(0, static_cast<std::size_t>(nameEnd - html.begin()));
    return tag;
}

struct Renderer {
    explicit Renderer(std::size_t sizeHint) { out.reserve(sizeHint + sizeHint / 8); }

    // Every block ends in a space: the label is one run of text.
    void separateBlock()
    {
        closeSpansFrom(0);
        pendingSpace = true;
        // Raw HTML elements do not reach past their block.
        hiddenElement = {};
    }

    void enterSpan(MD_SPANTYPE type, const void* detail)
    {
        std::string_view tag;
        std::string href;
        switch (type) {
        case MD_SPAN_EM: tag = "i"; break;
        case MD_SPAN_STRONG: tag = "b"; break;
        case MD_SPAN_DEL: tag = "s"; break;
        case MD_SPAN_A:
            href = linkTarget(static_cast<const MD_SPAN_A_DETAIL*>(detail)->href);
            // StyledText ignores an <a> without a target but still pops a
            // format at its </a>, which would end an enclosing <b> early.
            if (!href.empty()) tag = "a";
            break;
        case MD_SPAN_IMG: ++imageDepth; break;
        default: break;
        }
        // An image's alt text is plain text, and hidden text needs no format.
        if (imageDepth > 0 || !hiddenElement.empty()) tag = {};
        openSpans.push_back({type, tag});
        if (tag.empty()) return;
        flushSpace();
        out += '<';
        out += tag;
        if (!href.empty()) {
            out += " href=\"";
            out += href;
            out += '"';
        }
        out += '>';
    }

    // md4c 0.4.8 can report a span's end without its start, or not at all,
    // when an emphasis delimiter sits inside a link destination. Closing down
    // to the latest span of the type, and closing what is left when the block
    // ends, keeps the tags balanced whatever it reports.
    void leaveSpan(MD_SPANTYPE type)
    {
        const auto match = std::ranges::find(openSpans.rbegin(), openSpans.rend(), type, &OpenSpan::type);
        if (match != openSpans.rend()) closeSpansFrom(static_cast<std::size_t>(openSpans.rend() - match) - 1);
    }

    void closeSpansFrom(std::size_t first)
    {
        while (openSpans.size() > first) {
            const OpenSpan span = openSpans.back();
            openSpans.pop_back();
            if (span.type == MD_SPAN_IMG) --imageDepth;
            if (span.tag.empty()) continue;
            out += "</";
            out += span.tag;
            out += '>';
        }
    }

    void text(MD_TEXTTYPE type, std::string_view content)
    {
        switch (type) {
        case MD_TEXT_BR:
        case MD_TEXT_SOFTBR: pendingSpace = true; break;
        case MD_TEXT_NULLCHAR: write("\uFFFD"); break;
        case MD_TEXT_ENTITY: write(decodeEntity(content)); break;
        case MD_TEXT_HTML: noteRawHtml(content); break;
        default: write(content);
        }
    }

    // StyledText collapses white space when it draws; collapsing it here too
    // leaves no leading, trailing or doubled spaces, whichever way the text
    // was broken into lines, blocks or pieces around dropped HTML.
    void write(std::string_view content)
    {
        if (!hiddenElement.empty()) return;
        while (!content.empty()) {
            const std::size_t wordEnd = content.find_first_of(" \t\n\r\f\v");
            const std::string_view word = content.substr(0, wordEnd);
            if (!word.empty()) {
                flushSpace();
                appendEscaped(out, word);
                hasText = true;
            }
            if (wordEnd == std::string_view::npos) break;
            pendingSpace = true;
            content.remove_prefix(wordEnd + 1);
        }
    }

    // Raw HTML itself is never written. Of the text between its tags, a
    // browser shows all but what a script or style element holds, and so do we.
    void noteRawHtml(std::string_view html)
    {
        const std::optional<RawTag> tag = rawTag(html);
        if (!tag) return;
        if (tag->closing) {
            if (!hiddenElement.empty() && equalsIgnoringAsciiCase(tag->name, hiddenElement)) hiddenElement = {};
        } else if (hiddenElement.empty()) {
            if (equalsIgnoringAsciiCase(tag->name, "script")) hiddenElement = "script";
            else if (equalsIgnoringAsciiCase(tag->name, "style")) hiddenElement = "style";
        }
    }

    void flushSpace()
    {
        if (pendingSpace && hasText) out += ' ';
        pendingSpace = false;
    }

    struct OpenSpan {
        MD_SPANTYPE type;
        // Empty where the span drew no tag.
        std::string_view tag;
    };

    std::string out;
    std::vector<OpenSpan> openSpans;
    int imageDepth = 0;
    std::string_view hiddenElement;
    bool hasText = false;
    bool pendingSpace = false;
    std::exception_ptr failure;
};

// md4c is C: an exception (only std::bad_alloc can occur) must not unwind
// through it, so it is kept, the parse stops, and the caller rethrows it.
template <typename Step>
int guarded(void* userdata, Step step) noexcept
{
    auto& renderer = *static_cast<Renderer*>(userdata);
    try {
        step(renderer);
        return 0;
    } catch (...) {
        renderer.failure = std::current_exception();
        return 1;
    }
}

int onEnterBlock(MD_BLOCKTYPE type, void* /*detail*/, void* userdata)
{
    if (type != MD_BLOCK_DOC) static_cast<Renderer*>(userdata)->separateBlock();
    return 0;
}

int onLeaveBlock(MD_BLOCKTYPE /*type*/, void* /*detail*/, void* userdata)
{
    static_cast<Renderer*>(userdata)->separateBlock();
    return 0;
}

int onEnterSpan(MD_SPANTYPE type, void* detail, void* userdata)
{
    return guarded(userdata, [type, detail](Renderer& renderer) { renderer.enterSpan(type, detail); });
}

int onLeaveSpan(MD_SPANTYPE type, void* /*detail*/, void* userdata)
{
    return guarded(userdata, [type](Renderer& renderer) { renderer.leaveSpan(type); });
}

int onText(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size, void* userdata)
{
    return guarded(userdata, [type, text, size](Renderer& renderer) { renderer.text(type, {text, size}); });
}

} // namespace

std::optional<std::string> descriptionStyledText(std::string_view description)
{
    // An inline construct (a link, emphasis, a code span) that runs past the
    // cut shows as its literal text; the label's two lines show far less than
    // the limit, so only a single construct longer than it can reach them.
    const std::string_view markdown = text::leadingCharacters(description, kDescriptionRenderLimit);
    if (!text::isValidUtf8(markdown)) return std::nullopt;
    if (markdown.empty()) return std::string();

    MD_PARSER parser{};
    // CommonMark, bare URLs left as text, raw HTML recognised so that it can
    // be dropped rather than shown as text. A description is a piece of one
    // line, where HTML can only have been inline: read as a block, a leading
    // "<p>" or "<div>" would take the whole description with it.
    parser.flags = MD_FLAG_STRIKETHROUGH | MD_FLAG_NOHTMLBLOCKS;
    parser.enter_block = &onEnterBlock;
    parser.leave_block = &onLeaveBlock;
    parser.enter_span = &onEnterSpan;
    parser.leave_span = &onLeaveSpan;
    parser.text = &onText;

    Renderer renderer(markdown.size());
    const int result = md_parse(markdown.data(), static_cast<MD_SIZE>(markdown.size()), &parser, &renderer);
    if (renderer.failure) std::rethrow_exception(renderer.failure);
    if (result != 0) return std::nullopt;
    return std::move(renderer.out);
}

} // namespace kavo::screens
