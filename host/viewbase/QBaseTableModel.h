#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QPair>
#include <QStringList>

// Base of the host's table models. It keeps the header list (one column per header text) and, for
// models that show plain texts, the rows as lists of texts, one text per column. Models that compute
// their cells elsewhere override rowCount and data and leave the row list empty.
class QBaseTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit QBaseTableModel(QObject* parent = nullptr);
    ~QBaseTableModel() override;

    // Header texts (already translated). A new column count resets the model.
    void setHeadList(const QStringList& heads);
    QStringList getHeadList() const { return m_headList; }

    // Replaces every row (model reset).
    void setModelData(const QList<QStringList>& rows);
    QList<QStringList> getModelData() const { return m_rows; }
    // Puts one row first / last (rows inserted).
    void insertFrontData(const QStringList& row);
    void insertBackData(const QStringList& row);
    // Removes every row (model reset; nothing happens when there are none).
    void clearData();
    // Tells the views that everything may have changed (begin/end reset around nothing).
    void refreshAll();

    // Background of a row in the host's alternating look.
    static QColor getBGColorByRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    // Display and tool tip: the text of the row at the column ("" when the row is shorter).
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Horizontal: the header texts (display and tool tip); vertical: the row numbers from 1.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // For models that show the rows of one device or of several: the device the rows belong to, and
    // the device alias and the row within that device of a shown row. The base does nothing and maps
    // every row to itself with an empty alias.
    virtual void setDevice(const QString& alias);
    virtual QPair<QString, int> rowToDevice(int row) const;

protected:
    // The header texts in the present language; the base keeps the ones it was given. A subclass whose
    // headers come from translations returns them here and sets them with setHeadList(headerTexts()).
    virtual QStringList headerTexts() const { return m_headList; }
    // On QEvent::LanguageChange, which the model receives as a child of a widget: the headers are taken
    // again and announced, and so is every cell, whose texts may come from translations or drive texts.
    bool event(QEvent* event) override;

    QStringList m_headList;
    QList<QStringList> m_rows;
};
