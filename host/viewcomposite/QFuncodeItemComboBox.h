#pragma once

#include "QItemComboBox.h"

// The combo box that edits an enumerated function code inside a table cell. The cell is often
// narrower than the labels, so its drop-down list is widened to show the longest item in full.
class QFuncodeItemComboBox : public QItemComboBox
{
    Q_OBJECT
public:
    explicit QFuncodeItemComboBox(QWidget* parent = nullptr);
    ~QFuncodeItemComboBox() override;

    // Adds the items and makes the drop-down list at least `width` wide and wide enough for the
    // longest item (the widest of all items added so far).
    void addMultiItemFixWidth(const QStringList& items, int width);
    // The width the drop-down list gets.
    int popupWidth() const { return m_popupWidth; }

private:
    int m_popupWidth = 0;
};
