// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <unistd.h>

// The tests' plain file helpers: files written and read without the code under test.
namespace kavo::testing {

[[nodiscard]] inline bool writePlain(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

[[nodiscard]] inline QByteArray readPlain(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// Hands the entry at `path` (a link itself, not its target) to another user, nobody; only root can.
[[nodiscard]] inline bool giveAway(const QString& path)
{
    return ::lchown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
}

} // namespace kavo::testing
