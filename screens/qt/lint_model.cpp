// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/lint_model.h"

#include "screens/lint_rows.h"
#include "screens/list_diff.h"

#include <cstring>

namespace kavo {
namespace {

// Enough to recognise a name or target in the page; the line number says where it is.
constexpr std::size_t kQuotedBytes = 120;

QString quoted(const std::string& text)
{
    return QString::fromStdString(screens::clipped(text, kQuotedBytes));
}

} // namespace

LintModel::LintModel(QObject* parent) : KeyedListModel(parent) {}

void LintModel::setPreview(KVPagePreview* preview)
{
    if (preview == preview_) return;
    if (preview_) disconnect(preview_, nullptr, this, nullptr);
    preview_ = preview;
    if (preview_) connect(preview_, &KVPagePreview::reportChanged, this, &LintModel::update);
    emit previewChanged();
    update();
}

void LintModel::update()
{
    std::vector<ParseDiagnostic> after =
        preview_ ? screens::sortedFindings(preview_->findings()) : std::vector<ParseDiagnostic>{};
    std::vector<std::string> keys = screens::findingKeys(after);
    const std::optional<std::vector<screens::ListEdit>> edits = screens::planListEdits(keys_, keys);
    if (!edits) {
        beginResetModel();
        rows_ = std::move(after);
        keys_ = std::move(keys);
        endResetModel();
        emit reportChanged();
        return;
    }
    applyEdits<ParseDiagnostic>(rows_, *edits, after);
    keys_ = std::move(keys);
    // The same findings in the same places; those on lines that moved read differently.
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row] == after[row]) continue;
        rows_[row] = std::move(after[row]);
        const QModelIndex changed = index(static_cast<int>(row));
        emit dataChanged(changed, changed);
    }
    emit reportChanged();
}

LintModel::Status LintModel::status() const
{
    if (!preview_ || !preview_->hasRead()) return Reading;
    if (preview_->problem().kind != PageProblem::Kind::None) return Unusable;
    return preview_->findingCount() == 0 ? Clean : Dropped;
}

QString LintModel::summary() const
{
    const QString fileName = preview_ ? preview_->fileName() : QString();
    switch (status()) {
    case Reading:
        //: While the page given on the command line is read for the first time.
        return tr("Reading %1…").arg(fileName);
    case Clean:
        //: The previewed page: every line that looks meant is used.
        return tr("No lines will be dropped");
    case Unusable: return problemText(preview_->problem(), fileName);
    case Dropped: break;
    }
    // Findings past those kept each stand for a line of their own.
    const std::size_t lines = screens::findingLines(rows_) + (preview_->findingCount() - rows_.size());
    //: The previewed page gives no category at all: nothing would be shown.
    if (lines == 0) return tr("The page gives an empty catalogue");
    // English needs its singular spelled out: no translation is loaded for it.
    //: One line of the previewed page that the app drops although it looks meant; the bar expands to show it.
    if (lines == 1) return tr("1 line will be dropped");
    //: Lines of the previewed page that the app drops although they look meant; the bar expands to list them.
    return tr("%n lines will be dropped", nullptr, static_cast<int>(lines));
}

QString LintModel::detail() const
{
    switch (status()) {
    case Unusable:
        //: Under the message why the previewed file cannot be used.
        return tr("The list keeps the last version that could be read; the file is watched for changes.");
    case Dropped:
        if (preview_->findingCount() <= rows_.size()) return {};
        //: Only so many findings of the previewed page are listed.
        return tr("The first %n are listed.", nullptr, static_cast<int>(rows_.size()));
    case Reading:
    case Clean: break;
    }
    return {};
}

QString LintModel::findingText(const ParseDiagnostic& finding)
{
    // The page's separators are quoted with no-break spaces, so a line never breaks inside one.
    using Kind = ParseDiagnostic::Kind;
    switch (finding.kind) {
    case Kind::CategoryLinkRefused:
        return tr("Category link dropped, title kept: \u201C%1\u201D is not a valid URL").arg(quoted(finding.target));
    case Kind::NoteWithoutText: return tr("Note line ignored: no note text after \u201C**\u00A0-\u00A0\u201D");
    case Kind::NoteReplaced:
        return tr("Note dropped: the note on line %1 replaces it before any rule line").arg(finding.otherLine);
    case Kind::NoteBeforeCategory:
        return tr("Note dropped: no rule line (***, --- or ___) follows it before the next category heading");
    case Kind::NoteBeforeSection:
        return tr("Note dropped: no rule line (***, --- or ___) follows it before the next section heading");
    case Kind::NoteAtEnd: return tr("Note dropped: no rule line (***, --- or ___) follows it before the page ends");
    case Kind::EntryWithoutLink: return tr("Entry dropped: no [name](target) link");
    case Kind::EntryLinkAfterDash: return tr("Entry dropped: no [name](target) link before the first \u201C\u00A0-\u00A0\u201D");
    case Kind::EntryTargetRefused:
        return tr("Entry \u201C%1\u201D dropped: \u201C%2\u201D is not a valid URL")
            .arg(quoted(finding.name), quoted(finding.target));
    case Kind::RelatedTargetRefused:
        return tr("Further link \u201C%1\u201D dropped: \u201C%2\u201D is not a valid URL")
            .arg(quoted(finding.name), quoted(finding.target));
    case Kind::NoCategoryHeading:
        return tr("No category heading (\u201C# \u25BA Title\u201D): the page gives an empty catalogue");
    }
    return {};
}

QString LintModel::problemText(const PageProblem& problem, const QString& fileName)
{
    using Kind = PageProblem::Kind;
    switch (problem.kind) {
    case Kind::None: return {};
    case Kind::Missing: return tr("%1 does not exist").arg(fileName);
    case Kind::Denied: return tr("No permission to read %1").arg(fileName);
    case Kind::NotRegularFile: return tr("%1 is not a file").arg(fileName);
    case Kind::TooLarge:
        return tr("%1 is larger than %2 MiB, more than the app takes from a page")
            .arg(fileName)
            .arg(static_cast<qulonglong>(problem.limit >> 20));
    case Kind::TooManyLinks:
        return tr("%1 holds more than %L2 links, more than the app takes from a page")
            .arg(fileName)
            .arg(static_cast<qulonglong>(problem.limit));
    case Kind::NotUtf8:
        return tr("Line %1 of %2 is not UTF-8 text, which the app refuses in a page").arg(problem.line).arg(fileName);
    case Kind::Failed: return tr("Could not read %1: %2").arg(fileName, QString::fromLocal8Bit(std::strerror(problem.error)));
    }
    return {};
}

int LintModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant LintModel::data(const QModelIndex& index, int role) const
{
    Q_ASSERT(checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid));
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case LineRole: return static_cast<int>(rows_[row].line);
    case TextRole: return findingText(rows_[row]);
    default: return {};
    }
}

QHash<int, QByteArray> LintModel::roleNames() const
{
    return {{LineRole, "line"}, {TextRole, "message"}};
}

} // namespace kavo
