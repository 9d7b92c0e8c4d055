#include "ModalAnswer.h"
#include "QMenuParamDlg.h"
#include "QTestHost.h"
#include "tagSubFuncode_Servo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

class tst_QMenuParamDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(QTestHost::setUp(&m_error), qPrintable(m_error)); }
    void cleanup() { QTestHost::clearProject(); }
    void malformedLayoutLinesAreSkipped();
    void composesTheValue_data();
    void composesTheValue();
    void outOfRangeCannotBeAccepted();
    void codeOfTheSelectedDrive();

private:
    QString m_error;
};

namespace {
tagSubFuncode_Servo stopCode(const QString& maxVal = "9999")
{
    tagSubFuncode_Servo code;
    code.funIndex = "P02.10";
    code.showType = 6;
    code.enumText = "0:Stop mode:0 Coast;1 Ramp;2 Short brake\n1:Direction:0 Forward;1 Reverse";
    code.minVal = "0";
    code.maxVal = maxVal;
    return code;
}

QComboBox* digitCombo(QWidget& dlg, int digit)
{
    return dlg.findChild<QComboBox*>(QString("MENU_DIGIT_%1").arg(digit));
}
} // namespace

void tst_QMenuParamDlg::malformedLayoutLinesAreSkipped()
{
    tagSubFuncode_Servo code = stopCode();
    code.enumText = "x:Bad:0 a\r\n2 no colons\n3:Ok:0 a;1 b\n3:Again:0 c\n12:Big:0 a";
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 1000);
    QCOMPARE(dlg.findChildren<QComboBox*>().size(), 1);
    QCOMPARE(digitCombo(dlg, 3)->count(), 2);
    QCOMPARE(digitCombo(dlg, 3)->currentText(), QString("1 b"));
    // Enumerated items ("value:label") describe no digit: the value is edited as a number.
    code.enumText = "0:Off\n1:On";
    dlg.setFuncode(&code, 1);
    QVERIFY(!dlg.hasDigitEditors());
    QVERIFY(dlg.findChild<QSpinBox*>("MENU_RAW"));
}

void tst_QMenuParamDlg::composesTheValue_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<int>("expected");
    QTest::newRow("accepted") << true << 1012;
    QTest::newRow("cancelled") << false << 1021;
}

void tst_QMenuParamDlg::composesTheValue()
{
    QFETCH(bool, accept);
    QFETCH(int, expected);
    const tagSubFuncode_Servo code = stopCode();
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 1021);
    QVERIFY(!dlg.findChild<QSpinBox*>("MENU_RAW"));
    QCOMPARE(digitCombo(dlg, 0)->currentText(), QString("1 Ramp"));
    // The tens digit 2 is no option of the direction: it is kept as an extra item.
    QCOMPARE(digitCombo(dlg, 1)->count(), 3);
    QCOMPARE(digitCombo(dlg, 1)->currentData().toInt(), 2);
    qint64 shownValue = -1;
    answerModal([&](QWidget* modal) {
        digitCombo(dlg, 0)->setCurrentIndex(2);
        digitCombo(dlg, 1)->setCurrentIndex(digitCombo(dlg, 1)->findData(1));
        shownValue = dlg.currentValue();
        modal->findChild<QPushButton*>(accept ? "btnOk" : "btnCancel")->click();
    });
    QCOMPARE(dlg.exec(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
    // The thousands digit, which the layout does not name, is kept.
    QCOMPARE(shownValue, qint64(1012));
    QCOMPARE(dlg.getResult(), accept);
    QCOMPARE(dlg.getVal(), expected);
}

void tst_QMenuParamDlg::outOfRangeCannotBeAccepted()
{
    const tagSubFuncode_Servo code = stopCode("11");
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 2);
    auto* ok = dlg.findChild<QPushButton*>("btnOk");
    QVERIFY(ok->isEnabled());
    digitCombo(dlg, 1)->setCurrentIndex(1);
    QCOMPARE(dlg.currentValue(), qint64(12));
    QVERIFY(!ok->isEnabled());
    QVERIFY(dlg.findChild<QLabel*>("MENU_HINT")->isVisibleTo(&dlg));
    dlg.accept();
    QVERIFY(!dlg.getResult());
    QCOMPARE(dlg.getVal(), 2);

    digitCombo(dlg, 0)->setCurrentIndex(1);
    QVERIFY(ok->isEnabled());
    dlg.accept();
    QCOMPARE(dlg.getVal(), 11);
}

void tst_QMenuParamDlg::codeOfTheSelectedDrive()
{
    QMenuParamDlg noDrive;
    noDrive.setInitData("P00.05", 7);
    QVERIFY(!noDrive.hasDigitEditors());
    QVERIFY(QTestHost::addSelectedDrive("TST3", "Drive1"));
    QMenuParamDlg unknownNumber;
    unknownNumber.setInitData("P99.99", 7);
    QVERIFY(!unknownNumber.hasDigitEditors());
    unknownNumber.findChild<QSpinBox*>("MENU_RAW")->setValue(8);
    unknownNumber.accept();
    QCOMPARE(unknownNumber.getVal(), 8);

    QMenuParamDlg dlg;
    dlg.setInitData("P00.05", 11);
    QCOMPARE(digitCombo(dlg, 0)->currentData().toInt(), 1);
    QCOMPARE(digitCombo(dlg, 1)->currentData().toInt(), 1);
    // The code allows 0 to 12: 12 is accepted.
    digitCombo(dlg, 0)->setCurrentIndex(digitCombo(dlg, 0)->findData(2));
    dlg.accept();
    QCOMPARE(dlg.getVal(), 12);
}

QTEST_MAIN(tst_QMenuParamDlg)
#include "tst_QMenuParamDlg.moc"
