#pragma once

#include "QFoldingTreeView.h"

// Shows a comparison result (QFuncodeCompareTreeModel_Servo); an empty tree says what to do next.
class QFuncodeCompareTreeView_Servo : public QFoldingTreeView
{
    Q_OBJECT
public:
    static constexpr int kDefaultSectionSize = 220;

    explicit QFuncodeCompareTreeView_Servo(QWidget* parent = nullptr);
    ~QFuncodeCompareTreeView_Servo() override;

    void hideColumnAt(int column);
    void showColumnAt(int column);
    void resetSectionSize();
    // What an empty tree says in its middle (for example what to do next).
    void setEmptyText(const QString& text);
    QString emptyText() const { return m_emptyText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_emptyText;
};
