#pragma once

#include "QBaseFuncodeView_Servo.h"

class QHeaderPushBtnView;
class QSelFunCodeModel_Servo;

// The monitored function codes of the selected drive, in the user's order. It reads the codes in view
// periodically (the whole list when it fits on a page); Control+Up and Control+Down move the current code
// in the list.
class QSelFunCodeView_Servo : public QBaseFuncodeView_Servo
{
    Q_OBJECT
public:
    explicit QSelFunCodeView_Servo(QWidget* parent = nullptr);
    ~QSelFunCodeView_Servo() override;

    QSelFunCodeModel_Servo* getModel() const { return m_model; }
    QHeaderPushBtnView* getHeader() const { return m_header; }

public slots:
    // Rebuilds the rows from the device's monitored list.
    void onInitModelData();
    // Drops the queued reads of the listed codes (before the list changes).
    void OnStopReadFuncode();

signals:
    void SigServoSelFuncodeViewShow(bool show);

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    QList<tagSubFuncode_Servo*> funcodesInView(int first, int count) const override;

private:
    void addMoveActions();

    QSelFunCodeModel_Servo* m_model = nullptr;
    QHeaderPushBtnView* m_header = nullptr;
};
