#pragma once

#include <QTreeView>

// The host's tree view: alternating row colours, whole rows selected, no focus frame around the
// current cell.
class QBaseTreeView : public QTreeView
{
    Q_OBJECT
public:
    explicit QBaseTreeView(QWidget* parent = nullptr);
};
