#pragma once

#include "QBaseStyleWidget.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLayout;
class QLineEdit;

// The command strip above the function-code workspace. The buttons are the host's (button group 9 of
// QButtonManager, ids 54 to 64); this widget only lays them out and adds two controls of its own: after
// the help button (64) a box choosing when an edited value is written, and after the compare button
// (62) a find box holding the find field and the button that follows 62 in the group.
// Without a group 9 the strip stays empty and neither control exists.
class QFunToolWidget_Servo : public QBaseStyleWidget
{
    Q_OBJECT
public:
    explicit QFunToolWidget_Servo(QWidget* parent = nullptr);

    // The host's group whose buttonClicked(int) carries the command ids; null without group 9.
    QButtonGroup* getButtonGroup() const { return m_buttonGroup; }
    // Text of the find field ("" when there is no find field).
    QString getFindText() const;
    // Puts text into the find field, uses it as the field's tool tip and shows its beginning.
    void setFindText(const QString& text);

public slots:
    // Shows the move-up and move-down buttons (54, 55) exactly while the monitored list is shown.
    void OnSetServoUpDownButtonEnable(bool enable);

private slots:
    // Stores the chosen index as the host's function-code modify type; -1 (no choice) stores nothing.
    void onChangedFuncodeModifyType(int idx);

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildLayout();
    void appendModifyTypeBox(QLayout* layout);
    void appendFindBox(QLayout* layout, QAbstractButton* nextButton);
    void retranslateTexts();

    QButtonGroup* m_buttonGroup = nullptr;
    QLineEdit* m_findEdit = nullptr;
    QComboBox* m_modifyTypeBox = nullptr;
};
