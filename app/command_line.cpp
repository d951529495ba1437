// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/command_line.h"

#include "app/build_config.h"

namespace kavo {
namespace {

constexpr const char* kUsage =
    "usage: kavo [PAGE.md]\n"
    "       kavo --page PAGE.md\n"
    "Without a page, the catalogue comes from its cache and the download. With one, the\n"
    "window previews that page for its curators: it is read again whenever it changes on\n"
    "disk, the lines `kavo-catalog lint` would report are shown above the list, nothing is\n"
    "downloaded and the cache is left alone.\n"
    "  -h, --help   this text\n"
    "  --version    the version\n";

CommandLine exitWith(int code, const QString& message)
{
    return CommandLine{std::nullopt, code, message};
}

} // namespace

CommandLine parseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    const auto takePage = [&line](const QString& page) -> std::optional<QString> {
        if (page.isEmpty()) return QStringLiteral("the page's name is empty");
        if (line.page) return QStringLiteral("one page at a time");
        line.page = page;
        return std::nullopt;
    };
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        std::optional<QString> problem;
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            problem = takePage(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            return exitWith(0, QLatin1String(kUsage));
        } else if (argument == QLatin1String("--version")) {
            return exitWith(0, QStringLiteral("kavo " KAVO_VERSION "\n"));
        } else if (argument.startsWith(QLatin1String("--page="))) {
            problem = takePage(argument.mid(7));
        } else if (argument == QLatin1String("--page")) {
            problem = ++i < arguments.size() ? takePage(arguments[i]) : QStringLiteral("--page needs a file");
        } else {
            problem = QStringLiteral("unknown option %1").arg(argument);
        }
        if (problem) return exitWith(2, QStringLiteral("kavo: %1\n").arg(*problem) + QLatin1String(kUsage));
    }
    return line;
}

} // namespace kavo
