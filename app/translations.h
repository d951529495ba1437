// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QTranslator>

namespace kavo {

/// The application's texts in the first of the locale's languages that it
/// speaks, installed while this lives: its own translation from the
/// resources and, when the system has them, Qt's own for the controls.
/// English is the source language and needs no file; with no language it
/// speaks the application stays English.
class Translations {
public:
    explicit Translations(const QLocale& locale);

    /// Whether a translation of the application's own texts is installed.
    [[nodiscard]] bool hasApplicationTranslation() const { return hasApplication_; }

private:
    // Each removes itself from the application when destroyed.
    QTranslator application_;
    QTranslator qtBase_;
    QTranslator qtDeclarative_;
    bool hasApplication_ = false;
};

} // namespace kavo
