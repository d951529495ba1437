// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "screens/qt/keyed_list_model.h"
#include "services/page_preview.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

#include <string>
#include <vector>

namespace kavo {

/// The bar above the main list while a page is previewed: a summary of the
/// page's last read ("3 lines will be dropped", or why the file could not be
/// used) and, one row each by line, what `kavo-catalog lint` would report of
/// it. A new read is told row by row, keyed by what each finding says, so
/// the open list keeps its place while the curator edits the page.
class LintModel : public KeyedListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(kavo::KVPagePreview* preview READ preview WRITE setPreview NOTIFY previewChanged)
    Q_PROPERTY(Status status READ status NOTIFY reportChanged)
    Q_PROPERTY(QString summary READ summary NOTIFY reportChanged)
    Q_PROPERTY(QString detail READ detail NOTIFY reportChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY reportChanged)

public:
    enum Status {
        Reading,  ///< no read has finished yet
        Clean,    ///< the page is used whole
        Dropped,  ///< some lines will be dropped (the rows)
        Unusable, ///< the file could not be used; the list shows its last usable version
    };
    Q_ENUM(Status)

    enum Role {
        LineRole = Qt::UserRole + 1, ///< the page's line (0: the page as a whole)
        TextRole,                    ///< "message": the finding in the user's language
    };
    Q_ENUM(Role)

    explicit LintModel(QObject* parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] KVPagePreview* preview() const { return preview_; }
    void setPreview(KVPagePreview* preview);
    [[nodiscard]] Status status() const;
    [[nodiscard]] QString summary() const;
    /// A second line under the summary, or "".
    [[nodiscard]] QString detail() const;

    /// A finding in the user's language, without its line number; names and
    /// targets quoted from the page are clipped.
    [[nodiscard]] static QString findingText(const ParseDiagnostic& finding);
    /// Why the file `fileName` could not be used, in the user's language; "" when it could.
    [[nodiscard]] static QString problemText(const PageProblem& problem, const QString& fileName);

signals:
    void previewChanged();
    void reportChanged();

private:
    void update();

    QPointer<KVPagePreview> preview_;
    std::vector<ParseDiagnostic> rows_;
    std::vector<std::string> keys_; ///< of rows_, as told to the view last
};

} // namespace kavo
