// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// The screens' symbols in QML: the glyph to draw in the bundled icon font
/// for a symbol name. Stateless, so the engine may make it.
class Symbols : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QString fontFamily READ fontFamily CONSTANT)

public:
    using QObject::QObject;

    /// The glyph for `name`, or an empty string for a name the table lacks.
    Q_INVOKABLE QString glyph(const QString& name) const;
    [[nodiscard]] QString fontFamily() const;

    /// Loads the bundled font into the application's font database; once, before QML draws, from any thread.
    static void loadFont();
};

} // namespace kavo
