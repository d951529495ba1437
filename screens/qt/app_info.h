// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// What the settings screen tells about the application: the project
/// website and the version. The values are the build's; the application
/// fills them in and hands the one instance to the screens.
class AppInfo : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The application describes itself.")
    Q_PROPERTY(QString siteUrl READ siteUrl CONSTANT)
    Q_PROPERTY(QString siteHost READ siteHost CONSTANT)
    Q_PROPERTY(QString version READ version CONSTANT)

public:
    /// `siteBaseUrl` is the project website as configured ("https://host" or
    /// "https://host/path", without a trailing slash).
    AppInfo(const QUrl& siteBaseUrl, QString version, QObject* parent = nullptr);

    /// The website's root page: the base address with a trailing slash.
    [[nodiscard]] QString siteUrl() const { return siteUrl_; }
    /// The bare host name of the website, as its link is labelled.
    [[nodiscard]] QString siteHost() const { return siteHost_; }
    [[nodiscard]] QString version() const { return version_; }

private:
    QString siteUrl_;
    QString siteHost_;
    QString version_;
};

} // namespace kavo
