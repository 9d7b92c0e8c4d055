#pragma once

#include <QComboBox>

// The host's combo box: pointing-hand cursor, and the mouse wheel changes the value only while the box
// has the keyboard focus (so scrolling a table or form over it does not change it by accident).
class QItemComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit QItemComboBox(QWidget* parent = nullptr);
    ~QItemComboBox() override;

protected:
    void wheelEvent(QWheelEvent* event) override;
};
