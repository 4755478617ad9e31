#pragma once

#include <QAbstractItemModel>
#include <QObject>
#include <set>

// What a model announces to its views, and through them to a screen reader, while this
// watches: rows inserted and removed, resets, and the rows whose cells changed.
class ModelChanges {
public:
    explicit ModelChanges(const QAbstractItemModel& model) {
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, &watch,
                         [this](const QModelIndex&, int first, int last) {
                             ++insertions;
                             insertedRows += last - first + 1;
                         });
        QObject::connect(
            &model, &QAbstractItemModel::rowsRemoved, &watch,
            [this](const QModelIndex&, int first, int last) { removedRows += last - first + 1; });
        QObject::connect(&model, &QAbstractItemModel::modelReset, &watch, [this] { ++resets; });
        QObject::connect(&model, &QAbstractItemModel::dataChanged, &watch,
                         [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                             for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
                                 changedRows.insert(row);
                             }
                         });
    }

    int insertions = 0;
    int insertedRows = 0;
    int removedRows = 0;
    int resets = 0;
    std::set<int> changedRows;

private:
    QObject watch;  // ends the connections with this
};
