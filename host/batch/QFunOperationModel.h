#pragma once

#include "FunOperationDataUnit.h"

#include <QAbstractItemModel>
#include <QStringList>
#include <memory>

class FunTreeItem;

// The tree of function codes of a batch download: one title node, the groups below it, the codes below
// them. Column 0 carries a tri-state check box (a group is checked when all its codes are); checked
// codes are what gets downloaded. Highlighted rows and cells differ from the current drive and are shown
// in red. Subclasses decide how items are built (buildItems) and what cells show (itemData).
class QFunOperationModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    explicit QFunOperationModel(QObject* parent = nullptr);
    ~QFunOperationModel() override;

    void setHeadList(const QStringList& headers);
    QStringList getHeadList() const { return m_headers; }
    void setParentItemTitle(const QString& title) { m_title = title; }
    QString parentItemTitle() const { return m_title; }

    // Builds the tree anew from the units (every code checked).
    void load(const QList<FunOperationDataUnitPtr>& units);
    QList<FunOperationDataUnitPtr> units() const { return m_units; }
    // Checked codes, in tree order.
    QList<FunOperationDataUnitPtr> checkedUnits() const;
    int checkedCount() const;
    int funcodeCount() const { return m_units.size(); }
    void setAllChecked(bool checked);
    // Checks exactly the highlighted codes.
    void selectDiffering();
    FunTreeItem* itemOf(const QModelIndex& index) const;
    QModelIndex topIndex() const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    void checkedCountChanged(int count);

protected:
    // Puts the group and code items below the title item; the default groups the units by their group
    // text in the order they come, and highlights codes whose every axis is not equal to the drive's.
    virtual void buildItems(FunTreeItem* titleItem, const QList<FunOperationDataUnitPtr>& units);
    // Highlights a code item that differs; the default: each axis whose values are not all equal.
    virtual void markDifferences(FunTreeItem* item) const;
    // What a cell of a code shows; the default: number, name, then the value text of each axis.
    virtual QVariant itemData(const FunTreeItem* item, int column, int role) const;
    // Column of axis 0 (the axes follow it); -1 when the model shows no axis values.
    virtual int firstAxisColumn() const { return 2; }

private:
    QVariant checkData(const FunTreeItem* item) const;
    QVariant highlightData(const FunTreeItem* item, int column, int role) const;
    void setSubtreeState(FunTreeItem* item, Qt::CheckState state);
    void updateAncestors(FunTreeItem* item);
    void emitSubtreeChanged(FunTreeItem* item);
    void collectChecked(const FunTreeItem* item, QList<FunOperationDataUnitPtr>* list) const;
    QModelIndex indexOf(FunTreeItem* item, int column) const;

    std::unique_ptr<FunTreeItem> m_root;
    QStringList m_headers;
    QString m_title;
    QList<FunOperationDataUnitPtr> m_units;
};
