// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/page_preview.h"

#include "catalog/page_lint.h"
#include "platform/background.h"
#include "platform/file_io.h"
#include "platform/file_watcher.h"
#include "platform/unicode_text.h"

#include <QFileInfo>

#include <utility>

namespace kavo {

struct KVPagePreview::Reading {
    std::optional<SharedCategories> categories;
    PageProblem problem;
    std::vector<ParseDiagnostic> findings;
    std::size_t findingCount = 0;
};

namespace {

PageProblem problemOf(const ReadFailure& failure, std::size_t maxBytes)
{
    using Reason = ReadFailure::Reason;
    using Kind = PageProblem::Kind;
    switch (failure.reason) {
    case Reason::Missing: return {Kind::Missing};
    case Reason::Denied: return {Kind::Denied};
    case Reason::NotRegularFile: return {Kind::NotRegularFile};
    case Reason::TooLarge: return {Kind::TooLarge, 0, maxBytes};
    case Reason::NotOurs: // not refused for a file the user named
    case Reason::Failed: break;
    }
    return {Kind::Failed, 0, 0, failure.error};
}

// The first line that is not well-formed UTF-8 (the text is known to hold one).
std::size_t firstLineNotUtf8(std::string_view text)
{
    text::LineReader lines(text);
    std::string_view line;
    std::size_t number = 0;
    while (lines.next(line, number)) {
        if (!text::isValidUtf8(line)) return number;
    }
    return number;
}

} // namespace

KVPagePreview::KVPagePreview(const QString& path, PreviewLimits limits, QObject* parent)
    : QObject(parent), limits_(limits), watcher_(new FileWatcher(path, this))
{
    connect(watcher_, &FileWatcher::changed, this, &KVPagePreview::reload);
}

KVPagePreview::~KVPagePreview() = default;

const QString& KVPagePreview::filePath() const
{
    return watcher_->path();
}

QString KVPagePreview::fileName() const
{
    return QFileInfo(filePath()).fileName();
}

void KVPagePreview::reload()
{
    if (reading_) {
        readAgain_ = true;
        return;
    }
    read();
}

void KVPagePreview::read()
{
    reading_ = true;
    runInBackground(
        this,
        [path = filePath(), limits = limits_]() -> Reading {
            Reading reading;
            std::variant<std::string, ReadFailure> file = readNamedFile(path, limits.maxBytes);
            if (const auto* failure = std::get_if<ReadFailure>(&file)) {
                reading.problem = problemOf(*failure, limits.maxBytes);
                return reading;
            }
            const std::string& text = std::get<std::string>(file);
            // Refused as a download would be, rather than repaired as the parser would.
            if (!text::isValidUtf8(text)) {
                reading.problem = {PageProblem::Kind::NotUtf8, firstLineNotUtf8(text)};
                return reading;
            }
            PageLint lint = lintPage(text, ParseLimits{limits.maxLinks}, limits.maxFindings);
            if (!lint.categories) {
                reading.problem = {PageProblem::Kind::TooManyLinks, 0, limits.maxLinks};
                return reading;
            }
            reading.categories = std::make_shared<const std::vector<KVCategory>>(std::move(*lint.categories));
            reading.findings = std::move(lint.findings);
            reading.findingCount = lint.findingCount;
            return reading;
        },
        [this](Reading reading) { apply(std::move(reading)); });
}

void KVPagePreview::apply(Reading reading)
{
    reading_ = false;
    hasRead_ = true;
    problem_ = reading.problem;
    findings_ = std::move(reading.findings);
    findingCount_ = reading.findingCount;
    emit reportChanged();
    emit pageRead(std::move(reading.categories));
    if (std::exchange(readAgain_, false)) read();
}

} // namespace kavo
