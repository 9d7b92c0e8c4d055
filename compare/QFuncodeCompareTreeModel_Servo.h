#pragma once

#include "tagCompareFuncode_Servo.h"

#include <QAbstractItemModel>
#include <QList>
#include <QStringList>
#include <memory>
#include <vector>

// The result of a comparison as a two-level tree: one node per function-code group, below it one row per
// code with the value texts of both sources side by side (columns: number, name, X/Y/Z of source A,
// X/Y/Z of source B). Unequal rows are red, and so is the title of a group holding one. The model does
// not compare: it shows finished records, which its owner keeps alive while the model uses them.
class QFuncodeCompareTreeModel_Servo : public QAbstractItemModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_INDEX = 0,
        COL_NAME,
        COL_A_X,
        COL_A_Y,
        COL_A_Z,
        COL_B_X,
        COL_B_Y,
        COL_B_Z,
        COL_COUNT
    };

    explicit QFuncodeCompareTreeModel_Servo(QObject* parent = nullptr);
    ~QFuncodeCompareTreeModel_Servo() override;

    // Replaces the column titles; the caller sets them just before setCompareData, which resets.
    void setHeader(const QStringList& header);
    QStringList header() const { return m_header; }
    // Rebuilds the tree. Consecutive records whose groups share their first word land in one group node
    // titled with the first of those group texts; a group that comes back later opens a new node.
    void setCompareData(const QList<tagCompareFuncode_Servo*>& records);

    // The record of a row (a group node's own record holds the group title as its number).
    const tagCompareFuncode_Servo* recordAt(const QModelIndex& index) const;
    bool isGroup(const QModelIndex& index) const;
    bool groupDiffers(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    struct Node
    {
        Node* parent = nullptr;
        int row = 0; // position among the parent's children
        std::vector<std::unique_ptr<Node>> children;
        bool isGroup = false;
        bool differs = false;
        const tagCompareFuncode_Servo* record = nullptr;
        std::unique_ptr<tagCompareFuncode_Servo> ownRecord; // a group node's title record
    };

    Node* nodeOf(const QModelIndex& index) const;
    static Node* appendChild(Node* parent, std::unique_ptr<Node> child);
    Node* appendGroup(const QString& title);
    QString cellText(const Node* node, int column) const;
    QVariant foreground(const Node* node, int column) const;

    QStringList m_header;
    std::unique_ptr<Node> m_root;
};
