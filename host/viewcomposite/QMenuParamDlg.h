#pragma once

#include "QBaseDlg.h"
#include "QMenuParamLayout.h"

#include <QList>

class QComboBox;
class QLabel;
class QOkCancel;
class QSpinBox;
struct tagSubFuncode_Servo;

// Edits a menu parameter: one combo box per decimal digit that the code's enumText describes
// (QMenuParamLayout), each showing the present choice. Digits the layout does not name keep their
// value. A code that is unknown, or whose enumText describes no digit, is edited as a plain number.
// OK is disabled, with a red hint, while the composed value lies outside the code's minimum and maximum.
class QMenuParamDlg : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QMenuParamDlg(QWidget* parent = nullptr);
    ~QMenuParamDlg() override;

    // Looks the code up on the selected drive (QDeviceManager::getSelectServo) and shows its value.
    void setInitData(const QString& funIndex, int value);
    // The same for a value that is not known (never read, read failed): every editor starts empty, and OK
    // waits until the user chose every digit (or typed the number), so that only a chosen value is written.
    void setUnknownValue(const QString& funIndex);
    // The same with the code's description at hand; null edits the raw value without range.
    void setFuncode(const tagSubFuncode_Servo* code, int value);

    // The value to write: the composed value when the dialog was accepted, the initial value otherwise
    // (so a cancelled dialog changes nothing).
    int getVal() const;
    bool getResult() const { return m_result; }
    // What the editors show now, and whether it may be accepted.
    qint64 currentValue() const;
    bool isCurrentValueAcceptable() const;
    // True when the value is edited digit by digit (false: a plain number).
    bool hasDigitEditors() const { return !m_combos.isEmpty(); }

public slots:
    void accept() override;

private slots:
    void updateState();

private:
    void load(const QString& funIndex, int value);
    void showCode(const tagSubFuncode_Servo* code, int value);
    // Every editor holds a choice (always, when the value was known).
    bool isComplete() const;
    void clearEditors();
    void buildDigitEditors(const QMenuParamLayout& layout);
    void buildRawEditor();
    QString boundText() const;

    bool m_known = true; // the value shown first is the drive's
    int m_initial = 0;
    int m_accepted = 0;
    bool m_result = false;
    qint64 m_min = 0;
    qint64 m_max = 0;
    QList<QComboBox*> m_combos; // the combo of each field, property "digit" holds its digit
    QSpinBox* m_raw = nullptr;
    QLabel* m_heading = nullptr;
    QWidget* m_editorHolder = nullptr;
    QLabel* m_value = nullptr;
    QLabel* m_hint = nullptr;
    QOkCancel* m_buttons = nullptr;
};
