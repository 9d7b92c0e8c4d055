#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QString>

// The related parameters of one change of a function code: number, name, value before, value after,
// unit. Holds plain texts filled by its owner; a row whose value changed is highlighted.
class QFunCodeRelateParamModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_NUMBER = 0,
        COL_NAME,
        COL_BEFORE,
        COL_AFTER,
        COL_UNIT,
        COL_COUNT
    };

    struct Row
    {
        QString number;
        QString name;
        QString before;
        QString after;
        QString unit;
    };

    explicit QFunCodeRelateParamModel(QObject* parent = nullptr);

    // Replaces every row (model reset).
    void setRows(const QList<Row>& rows);
    QList<Row> rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString cellText(const Row& row, int column) const;

    QList<Row> m_rows;
};
