#pragma once

#include "QBaseTreeView.h"

class QMenu;

// Shows a comparison result (QFuncodeCompareTreeModel_Servo) with a context menu that expands or
// collapses the group under the mouse, or the whole tree. The item under the last right click becomes
// the current index; a click on empty space leaves it invalid and every action then does nothing.
class QFuncodeCompareTreeView_Servo : public QBaseTreeView
{
    Q_OBJECT
public:
    static constexpr int kDefaultSectionSize = 220;

    explicit QFuncodeCompareTreeView_Servo(QWidget* parent = nullptr);
    ~QFuncodeCompareTreeView_Servo() override;

    void hideColumnAt(int column);
    void showColumnAt(int column);
    void resetSectionSize();
    QMenu* contextMenu() const { return m_menu; }
    // What an empty tree says in its middle (for example what to do next).
    void setEmptyText(const QString& text);
    QString emptyText() const { return m_emptyText; }

public slots:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void SlotOnExpand(bool checked = false);
    void SlotOnCollapse(bool checked = false);
    void SlotOnExpandAll(bool checked = false);
    void SlotOnCollapseAll(bool checked = false);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void addMenuAction(const QString& text, const char* icon,
                       void (QFuncodeCompareTreeView_Servo::*slot)(bool));

    QMenu* m_menu = nullptr;
    QString m_emptyText;
};
