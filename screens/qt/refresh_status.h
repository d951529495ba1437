// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "services/data_service.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// What the main screen says for a while after a refresh the person asked
/// for: that it ran, and how fresh the catalogue shown is. A failed refresh
/// keeps the catalogue on screen without an error row, so without this line
/// F5 would seem to do nothing.
class RefreshStatus : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(kavo::KVDataService* dataService READ dataService WRITE setDataService NOTIFY dataServiceChanged)
    Q_PROPERTY(QString text READ text NOTIFY textChanged)

public:
    explicit RefreshStatus(QObject* parent = nullptr);

    [[nodiscard]] KVDataService* dataService() const { return dataService_; }
    void setDataService(KVDataService* service);
    /// The line to show; empty when there is nothing to say.
    [[nodiscard]] QString text() const { return text_; }

    /// The line after a refresh that `updated` the catalogue or did not,
    /// when the one shown was downloaded at `copyAt` (invalid: the packaged
    /// copy), seen at `now`: the copy's time of day when it is from today,
    /// its date and time otherwise, in the default locale.
    [[nodiscard]] static QString textFor(bool updated, const QDateTime& copyAt, const QDateTime& now);

signals:
    void dataServiceChanged();
    void textChanged();

private:
    void refreshEnded(bool updated);
    void setText(const QString& text);

    QPointer<KVDataService> dataService_;
    QString text_;
    QTimer timer_;
};

} // namespace kavo
