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
        connect(mainModel_, &MainListModel::searchResultsChanged, this, [this] { listChanged(false); });
        connect(mainModel_, &MainListModel::catalogueReplaced, this, [this] { listChanged(true); });
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

void Navigator::listChanged(bool newCatalogue)
{
    if (!navigation_.isOpen()) return;
    // A download does not change an open screen; an edit of a previewed page
    // is what its curator wants to see there.
    if (newCatalogue && !(mainModel_->dataService() && mainModel_->dataService()->isPreview())) return;
    navigation_.listChanged(mainModel_->list(), mainModel_->keys());
    show(newCatalogue);
}

void Navigator::show(bool sameCategory)
{
    if (detail_) {
        // A new reading of the open category keeps the screen's place; anything else is new rows.
        if (sameCategory && navigation_.shown()) detail_->updateCategory(*navigation_.shown());
        else detail_->setCategory(navigation_.shown());
    }
    emit openChanged();
}

} // namespace kavo
