#pragma once

#include "QBaseDlg.h"

#include <QList>
#include <QModelIndex>
#include <QPointer>
#include <QStringList>

class QBaseTableView;
class QCompleter;
class QDeviceServo;
class QFindFuncodeModel_Servo;
class QLineEdit;
class QToolButton;
struct tagSubFuncode_Servo;

// Finds a function code of the drive selected when the dialog was made, by a part of its number or
// name (any letter case), with completion while typing. A double click on a result hands the code to
// the host through the hub's SigSelectCode. Return or Enter searches without closing the dialog.
class QFindFuncodeDialog_Servo : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QFindFuncodeDialog_Servo(QWidget* parent = nullptr);
    ~QFindFuncodeDialog_Servo() override;

    // The text in the search field.
    QString searchText() const;
    QFindFuncodeModel_Servo* getModel() const { return m_model; }

signals:
    // Alias, device name, configuration version and number of the chosen code.
    void SigSelectCode(QString aliasName, QString devName, QString version, QString subCode);

public slots:
    // Searches the text of the search field.
    void on_toolButtonFindServo_clicked();
    // Hands the code of the row to the host (double click on a result).
    void OnSelectRow(QModelIndex index);
    // Searches a completion that was highlighted.
    void OnCompleterClicked(QString text);
    // Puts the text into the search field and searches it.
    void SlotlineEditFindServoFun(QString text);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createWidgets();
    void collectFuncodes();
    void createCompleter();
    void search(const QString& text);
    // Asks the drive for the values of the results in view (none while the dialog is hidden).
    void readVisibleResults();
    static bool matches(const tagSubFuncode_Servo* fun, const QString& text);

    QLineEdit* m_lineEdit = nullptr;
    QToolButton* m_findButton = nullptr;
    QBaseTableView* m_table = nullptr;
    QFindFuncodeModel_Servo* m_model = nullptr;
    QCompleter* m_completer = nullptr;
    QStringList m_words;
    QList<tagSubFuncode_Servo*> m_funcodes;
    QPointer<QDeviceServo> m_device;
};
