// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace kavo {

/// What the application's command line asks for, once the toolkit has taken
/// its own options (-platform and the like) out of it.
struct CommandLine {
    /// The page to preview (`kavo PAGE.md` or `kavo --page PAGE.md`), as given.
    std::optional<QString> page;
    /// Set when the application is not to start: print `message` (to stdout
    /// for 0, to stderr otherwise) and exit with it: 0 for --help and
    /// --version, 2 for a usage error.
    std::optional<int> exitCode;
    QString message;
};

/// Reads `arguments` (the program first, as QCoreApplication::arguments() gives them).
[[nodiscard]] CommandLine parseCommandLine(const QStringList& arguments);

} // namespace kavo
