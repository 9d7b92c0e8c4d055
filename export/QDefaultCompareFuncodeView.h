#pragma once

#include "QBaseTableView.h"

// The page of values that differ from their defaults. The workspace creates it, shows it for the tree
// node "comparison with defaults" and listens to its double and single clicks. Its rows arrive with
// the default-comparison work; until then the page is an empty table that says so.
class QDefaultCompareFuncodeView : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QDefaultCompareFuncodeView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
