// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/url_opener.h"

#include <QDesktopServices>

namespace kavo {

bool UrlOpener::isWebLink(const QString& url)
{
    // Strict mode: a link with spaces or other junk is refused rather than repaired.
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.isRelative() || parsed.host().isEmpty()) return false;
    const QString scheme = parsed.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

void UrlOpener::openWebLink(const QString& url)
{
    // The desktop opener would resolve a relative link to a local file and
    // pass any scheme to whatever program claims it.
    if (isWebLink(url)) handOver(QUrl(url, QUrl::StrictMode));
}

void UrlOpener::openMail(const QUrl& mailto)
{
    if (mailto.isValid() && mailto.scheme().compare(QLatin1String("mailto"), Qt::CaseInsensitive) == 0) {
        handOver(mailto);
    }
}

void DesktopUrlOpener::handOver(const QUrl& url)
{
    (void)QDesktopServices::openUrl(url);
}

} // namespace kavo
