#pragma once

#include "tagExportFuncode_Servo.h"

#include <QAbstractItemModel>
#include <QList>
#include <QMap>
#include <QSet>
#include <QStringList>

class QDeviceServo;
class TreeItem;

// The checkable tree of function codes read from a file: one top node, one node per group, one row per
// code, with the file's value of each axis beside the drive's current value and the differing cells in
// red. Every node has a check box; a group is checked, unchecked or partially checked as its rows are.
//
// Two layouts:
//  - multi-axis (import): 0 number, 1 name, then per axis X, Y, Z the file value and the current value
//    (columns 2/3, 4/5, 6/7). A current value can be edited; the edit is written to the drive at once.
//  - single-value (export, print): 0 number, 1 name, 2 to 4 current value of axis X, Y, Z, 5 the first
//    file value (the default value, as the export dialog fills it). Nothing is editable.
//
// The drive is the one named by setDeviceAlias, or the selected servo drive while no alias is set.
class QDownloadTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_NUMBER = 0,
        COL_NAME = 1,
        COL_FIRST_VALUE = 2,
        COL_SINGLE_DEFAULT = 5 // single-value layout: the first file value
    };

    QDownloadTreeModel(const QStringList& headers, bool multiAxis, QObject* parent = nullptr);
    // Single-value layout with the default headers.
    explicit QDownloadTreeModel(QObject* parent = nullptr);
    ~QDownloadTreeModel() override;

    bool isMultiAxis() const { return m_multiAxis; }
    void setTopTitle(const QString& title);
    void setDeviceAlias(const QString& alias) { m_alias = alias; }
    QString deviceAlias() const { return m_alias; }
    // The drive the values are read from and written to, or null.
    QDeviceServo* device() const;

    // Rebuilds the tree below the top node from rows ordered by group. Differing rows are highlighted;
    // in the multi-axis layout exactly they are checked, in the single-value layout everything is.
    // Does nothing without a drive.
    void load(const tagExportFuncodeList_Servo& rows);
    // Adds the branch "STR_OTHERS" beside the top node with one childless row per record (their number
    // field is the shown text), nothing checked or highlighted.
    void loadOthers(const tagExportFuncodeList_Servo& rows);
    // Reads every row's current values from the drive again; the numbers in failed show "null".
    void refreshCurrentValues(const QStringList& failed);

    // Marks the rows of these numbers as not written by the last import (drawn apart, with a tool tip) and
    // checks exactly them, for another try. An empty list only clears the marks. A new load clears them.
    void markFailed(const QStringList& numbers);
    QStringList failedNumbers() const;

    // Flips the node (and everything below it); the nodes above follow. Returns true when it is now checked.
    bool toggleCheck(const QModelIndex& index);
    // Checks exactly the highlighted function-code rows.
    void selectDiffering();
    void checkAll();

    // The checked function-code records, ordered by sortKey (one per key, the later one in tree order).
    // Also collects the checked childless rows that are not function codes (see checkedOthers).
    tagExportFuncodeList_Servo checkedNumbers();
    // The checked function-code records by their number.
    QMap<QString, tagExportFuncodePtr_Servo> checkedNumberMap() const;
    // Checked function codes plus checked other rows.
    int checkedCount();
    // Number fields of the checked childless rows that are not function codes, as the last
    // checkedNumbers or checkedCount found them.
    QStringList checkedOthers() const { return m_checkedOthers; }

    TreeItem* itemFromIndex(const QModelIndex& index) const;
    TreeItem* topItem() const { return m_top; }
    TreeItem* rootItem() const { return m_root; }
    QModelIndex indexOfItem(const TreeItem* item, int column = 0) const;
    // Function-code number -> the columns drawn in red.
    QMap<QString, QList<int>> differingColumns() const { return m_diffColumns; }

    // The key rows are ordered by: the number without points, its first run of digits written with
    // five digits wherever that run occurs ("A01.02" and "A1.02" both give "A00102").
    static QString sortKey(const QString& number);
    // Fills the record's current values from the drive: one text per axis of the record (at least as many
    // as it has file values); "null" when its number is in failed.
    static void readCurrentValues(tagExportFuncode_Servo* record, const QDeviceServo* device,
                                  const QStringList& failed = QStringList());

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& index) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Multi-axis layout: the axis of an editable current-value column (3, 5, 7), else -1.
    static int currentValueAxis(int column);

private:
    QString cellText(const TreeItem* item, int column) const;
    QVariant foreground(const TreeItem* item, int column) const;
    bool textTaken(const TreeItem* item, int column) const;
    static QVariant italicFont();
    // Computes and stores the row's differing columns; true when it differs.
    bool evaluateRow(TreeItem* item, const QDeviceServo* device);
    QList<int> rowDifferences(const tagExportFuncode_Servo& record, const QDeviceServo* device) const;
    void markHighlighted(TreeItem* item);
    void updateAncestorHighlight(TreeItem* item);
    bool writeCurrentValue(TreeItem* item, int axis, const QString& text);
    void updateAncestorChecks(TreeItem* item);
    void announceChecks(TreeItem* item);
    void announceSubtreeChecks(TreeItem* item);
    template <typename Wanted>
    void checkOnly(Wanted wanted);
    template <typename Wanted>
    void checkOnlyBelow(TreeItem* item, Wanted wanted);
    bool isFailed(const TreeItem* item) const;
    template <typename Visit>
    void visitCheckedLeaves(const TreeItem* item, Visit visit) const;

    QStringList m_headers;
    QStringList m_checkedOthers;
    bool m_multiAxis = true;
    TreeItem* m_root = nullptr;
    TreeItem* m_top = nullptr;
    QMap<QString, QList<int>> m_diffColumns;
    QSet<QString> m_failed; // numbers the last import could not write
    QString m_alias;
};
