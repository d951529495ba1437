// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/navigation.h"
#include "screens/qt/category_detail_model.h"
#include "screens/qt/main_list_model.h"

#include <QObject>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace kavo {

/// Which category is open, for both layouts of the window: over the main
/// list in a narrow window, beside it in a wide one. The window only draws
/// this state, so a resize keeps what is open and what it shows.
class Navigator : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(kavo::MainListModel* mainModel READ mainModel WRITE setMainModel NOTIFY mainModelChanged)
    Q_PROPERTY(kavo::CategoryDetailModel* detail READ detail CONSTANT)
    Q_PROPERTY(bool isOpen READ isOpen NOTIFY openChanged)
    Q_PROPERTY(QString openKey READ openKey NOTIFY openChanged)

public:
    explicit Navigator(QObject* parent = nullptr);

    [[nodiscard]] MainListModel* mainModel() const { return mainModel_; }
    void setMainModel(MainListModel* model);
    /// The open category's screen; shows nothing while none is open.
    [[nodiscard]] CategoryDetailModel* detail() const { return detail_; }
    [[nodiscard]] bool isOpen() const { return navigation_.isOpen(); }
    /// The open category's main-list key (see MainListModel::KeyRole); "" when none is.
    [[nodiscard]] QString openKey() const { return QString::fromStdString(navigation_.key()); }

    /// Opens the category of main-list row `row`.
    Q_INVOKABLE void open(int row);
    Q_INVOKABLE void close();

signals:
    void mainModelChanged();
    void openChanged();

private:
    /// The main list was derived anew; a catalogue is followed only while a page is previewed.
    void listChanged(bool newCatalogue);
    void show(bool sameCategory = false);

    QPointer<MainListModel> mainModel_;
    CategoryDetailModel* const detail_;
    screens::Navigation navigation_;
};

} // namespace kavo
