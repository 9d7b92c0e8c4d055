#pragma once

#include "QBaseFuncodeView_Servo.h"

#include <QList>
#include <QMap>
#include <QString>

class QFuncodeModel_Servo;

// The table of one function-code group of the selected drive. It reads the rows in view periodically (the
// whole group when it fits on a page), without the row being edited, and only while the drive is online.
class QFuncodeView_Servo : public QBaseFuncodeView_Servo
{
    Q_OBJECT
public:
    explicit QFuncodeView_Servo(QWidget* parent = nullptr);
    ~QFuncodeView_Servo() override;

    // Shows another group; the reads queued for the old group are dropped.
    void setModelGroup(QString group);
    // The device's groups (the group widget hands over a map holding only this view's group).
    void onInitModelData(QMap<QString, QList<tagSubFuncode_Servo*>> map);
    // Forgets the group and its rows (used when no device is selected).
    void clearModelGroup();
    QString getFunGroup() const { return m_group; }
    QFuncodeModel_Servo* getModel() const { return m_model; }

public slots:
    void OnWritingStatusUpdate();

protected:
    // F1: help; Up / Down without modifiers: move the current row; other keys go to the host base.
    void keyPressEvent(QKeyEvent* event) override;
    QList<tagSubFuncode_Servo*> funcodesInView(int first, int count) const override;

private:
    QString m_group;
    QFuncodeModel_Servo* m_model = nullptr;
};
