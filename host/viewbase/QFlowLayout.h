#pragma once

#include <QLayout>
#include <QList>

// Lays its items out left to right and starts a new line where the next item would not fit, so that a
// row of buttons or a legend wraps on a narrow window instead of widening it. Its minimum width is that
// of its widest item; its height follows its width (heightForWidth).
class QFlowLayout : public QLayout
{
public:
    explicit QFlowLayout(QWidget* parent = nullptr, int horizontalSpacing = 6, int verticalSpacing = 2);
    ~QFlowLayout() override;

    // A layout as one item of the flow (it becomes a child of this layout).
    void addLayout(QLayout* layout);

    void addItem(QLayoutItem* item) override;
    int count() const override { return m_items.size(); }
    QLayoutItem* itemAt(int index) const override { return m_items.value(index); }
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

private:
    // Places the items in rect (only measures when place is false); returns the height used.
    int arrange(const QRect& rect, bool place) const;

    QList<QLayoutItem*> m_items;
    int m_horizontalSpacing;
    int m_verticalSpacing;
};
