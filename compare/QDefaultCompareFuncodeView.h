#pragma once

#include "QBaseTableView.h"

class QDefaultCompareFuncodeModel;
class QMenu;

// The page of the selected drive's settings whose values differ from their defaults. The workspace
// creates it, shows it for the tree node "comparison with defaults" and listens to its double and
// single clicks. Every time the page is shown, and on "STR_REFRESH" in its context menu, an online
// drive is read whole first; the rows then come from the drive (getCompareFuncodeDefault). Between
// refreshes the rows stay as they are.
class QDefaultCompareFuncodeView : public QBaseTableView
{
    Q_OBJECT
public:
    explicit QDefaultCompareFuncodeView(QWidget* parent = nullptr);
    ~QDefaultCompareFuncodeView() override;

    QDefaultCompareFuncodeModel* getModel() const { return m_model; }

public slots:
    void rightMenuClicked();
    void OnRefresh();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // An empty page says that nothing differs, rather than looking unfinished.
    void paintEvent(QPaintEvent* event) override;

private:
    QDefaultCompareFuncodeModel* m_model = nullptr;
    QMenu* m_menu = nullptr;
    bool m_refreshing = false;
};
