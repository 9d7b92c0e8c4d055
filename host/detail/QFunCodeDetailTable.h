#pragma once

#include "QBaseDlg.h"
#include "tagModifyFuncode_Servo.h"
#include "tagSubFuncode_Servo.h"

#include <QString>
#include <QStringList>
#include <QVariant>

class QDeviceServo;
class QFunCodeAxisValueModel;
class QFunCodeRelateParamModel;
class QGridLayout;
class QLabel;
class QTableView;
class QVBoxLayout;

// The detail window of one function code of the selected drive, in two forms, both run modally.
//
// Detail form: the code's whole description and one row per axis (current value, default, edit cell).
// A committed edit is not written here: the window emits sigDataChanged with the value text before the
// edit, the new value and the axis, and whoever opened it writes the value; the rows then show the
// device's values again. The rows also follow the hub's SigFuncodeChanged_Servo for the code.
//
// Related-parameter form: the code's related parameters as one change left them (number, name, value
// before, value after, unit). The change is the record given, or else the record the database keeps for
// the time and code; without either, the current values are shown with a note.
//
// A missing drive, code or database never fails: the window says what is missing and offers no editing.
// Hiding, closing or destroying the window never reports a value still in an open editor.
class QFunCodeDetailTable : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QFunCodeDetailTable(const QString& funIndex, QWidget* parent = nullptr);
    QFunCodeDetailTable(const QString& time, const QString& funIndex, bool bRelate,
                        const tagModifyFuncode_Servo& record, QWidget* parent = nullptr);
    ~QFunCodeDetailTable() override;

    // Makes every value read-only and says so in the window.
    void disableModify();
    bool isModifyDisabled() const { return m_modifyDisabled; }

    bool isRelateForm() const { return m_relateForm; }
    // The flag the related-parameter form was opened with (it always lists the related parameters).
    bool isRelate() const { return m_relate; }
    QString funIndex() const { return m_funIndex; }
    QString aliasName() const { return m_alias; }
    // Related-parameter form: the time of the change shown.
    QString changeTime() const { return m_time; }
    // The table of the window (axis rows or related parameters).
    QTableView* tableView() const { return m_view; }
    // The note shown above the table ("" when there is none).
    QString noteText() const;

    // Hiding (closing) the window drops an editor still open instead of reporting its value.
    void setVisible(bool visible) override;

signals:
    void sigDataChanged(QString oldVal, QVariant newVal, tagSubFuncodePtr_Servo fun, int axisIndex);

private slots:
    void onValueEdited(int axisIndex, const QVariant& value);
    void onFuncodeChanged(QString aliasName, QStringList funIndexList);

private:
    void buildFrame();
    void buildHeader(const tagSubFuncode_Servo* fun);
    void buildDescription(const tagSubFuncode_Servo* fun, const QDeviceServo* device);
    void addField(int row, int column, const QString& label, QWidget* value);
    void addWideField(int row, const QString& label, QWidget* value);
    QLabel* valueLabel(const QString& text, const QString& objectName);
    QWidget* iconText(const QIcon& icon, const QString& text, const QString& objectName);
    QString relatedText(const tagSubFuncode_Servo* fun, const QDeviceServo* device) const;
    QString valueListText(const tagSubFuncode_Servo* fun) const;
    QString editHint() const;
    void setNote(const QString& text);

    void initDetailForm();
    void initRelateForm(const tagModifyFuncode_Servo& record);
    tagModifyFuncode_Servo lookUpRecord(const tagModifyFuncode_Servo& record) const;
    void showChange(const tagModifyFuncode_Servo& record, const tagSubFuncode_Servo* fun);
    QString recordValueText(const QString& value, const tagSubFuncode_Servo* fun) const;
    void fillRelateRows(const tagModifyFuncode_Servo& record, const QDeviceServo* device);
    void fillCurrentRelateRows(const QDeviceServo* device);
    void finishLayout();

    QString m_funIndex;
    QString m_alias;
    QString m_time;
    bool m_relateForm = false;
    bool m_relate = false;
    bool m_modifyDisabled = false;
    // Set while the window goes away: an editor losing the focus then is no confirmed edit.
    bool m_closing = false;

    QVBoxLayout* m_layout = nullptr;
    QGridLayout* m_fields = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_subTitle = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_hint = nullptr;
    QTableView* m_view = nullptr;
    QFunCodeAxisValueModel* m_axisModel = nullptr;
    QFunCodeRelateParamModel* m_relateModel = nullptr;
};
