// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/qt/navigator.h"

namespace kavo {

Navigator::Navigator(QObject* parent) : QObject(parent), detail_(new CategoryDetailModel(nullptr, this)) {}

void Navigator::setMainModel(MainListModel* model)
{
    if (model == mainModel_) return;
    if (mainModel_) disconnect(mainModel_, nullptr, this, nullptr);
    mainModel_ = model;
    navigation_.close();
    auto followFavorites = [this] {
        detail_->setFavoritesService(mainModel_ ? mainModel_->favoritesService() : nullptr);
        detail_->setSeenService(mainModel_ ? mainModel_->seenService() : nullptr);
    };
    if (mainModel_) {
        connect(mainModel_, &MainListModel::searchResultsChanged, this, &Navigator::searchChanged);
        connect(mainModel_, &MainListModel::servicesChanged, this, followFavorites);
    }
    followFavorites();
    emit mainModelChanged();
    show();
}

void Navigator::open(int row)
{
    if (!mainModel_ || row < 0) return;
    navigation_.open(mainModel_->list(), mainModel_->keys(), static_cast<std::size_t>(row));
    show();
}

void Navigator::close()
{
    if (!navigation_.isOpen()) return;
    navigation_.close();
    show();
}

void Navigator::searchChanged()
{
    if (!navigation_.isOpen()) return;
    navigation_.searchChanged(mainModel_->list(), mainModel_->keys());
    show();
}

void Navigator::show()
{
    if (detail_) detail_->setCategory(navigation_.shown());
    emit openChanged();
}

} // namespace kavo
