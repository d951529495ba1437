// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/symbol_font.h"

#include "screens/symbols.h"

#include <QFontDatabase>

namespace kavo {
namespace {

QString& loadedFamily()
{
    static QString family = QStringLiteral("Material Icons");
    return family;
}

} // namespace

QString Symbols::glyph(const QString& name) const
{
    const QByteArray utf8 = name.toUtf8();
    const std::optional<char32_t> glyph = screens::symbolGlyph(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
    if (!glyph) return {};
    const char32_t codePoint = *glyph;
    return QString::fromUcs4(&codePoint, 1);
}

QString Symbols::fontFamily() const
{
    return loadedFamily();
}

void Symbols::loadFont()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/kavo/fonts/MaterialIcons-Regular.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (!families.isEmpty()) loadedFamily() = families.first();
}

} // namespace kavo
