#include "ModalAnswer.h"
#include "QMenuParamDlg.h"
#include "QTestHost.h"
#include "QTestUi.h"
#include "tagSubFuncode_Servo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

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

QComboBox* digit(QWidget& dlg, int n)
{
    return QTestUi::child<QComboBox>(&dlg, QString("MENU_DIGIT_%1").arg(n));
}
} // namespace

class tst_QMenuParamDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void malformedLayoutLinesAreSkipped()
    {
        tagSubFuncode_Servo code = stopCode();
        code.enumText = "x:Bad:0 a\r\n2 no colons\n3:Ok:0 a;1 b\n3:Again:0 c\n12:Big:0 a";
        QMenuParamDlg dlg;
        dlg.setFuncode(&code, 1000);
        QCOMPARE(dlg.findChildren<QComboBox*>().size(), 1);
        QCOMPARE(digit(dlg, 3)->count(), 2);
        QCOMPARE(digit(dlg, 3)->currentText(), QString("1 b"));
        // Enumerated items ("value:label") describe no digit: the value is edited as a number.
        code.enumText = "0:Off\n1:On";
        dlg.setFuncode(&code, 1);
        QVERIFY(!dlg.hasDigitEditors());
    }

    void composesTheValue_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("expected");
        QTest::newRow("accepted") << true << 1012;
        QTest::newRow("cancelled") << false << 1021;
    }

    void composesTheValue()
    {
        QFETCH(bool, accept);
        QFETCH(int, expected);
        const tagSubFuncode_Servo code = stopCode();
        QMenuParamDlg dlg;
        dlg.setFuncode(&code, 1021);
        QCOMPARE(digit(dlg, 0)->currentText(), QString("1 Ramp"));
        // The tens digit 2 is no option of the direction: it is kept as an extra item.
        QCOMPARE(digit(dlg, 1)->count(), 3);
        QCOMPARE(digit(dlg, 1)->currentData().toInt(), 2);
        qint64 shownValue = -1;
        answerModal([&](QWidget* modal) {
            digit(dlg, 0)->setCurrentIndex(2);
            digit(dlg, 1)->setCurrentIndex(digit(dlg, 1)->findData(1));
            shownValue = dlg.currentValue();
            QTestUi::child<QPushButton>(modal, accept ? "btnOk" : "btnCancel")->click();
        });
        QCOMPARE(dlg.exec(), accept ? int(QDialog::Accepted) : int(QDialog::Rejected));
        // The thousands digit, which the layout does not name, is kept.
        QCOMPARE(shownValue, qint64(1012));
        QCOMPARE(dlg.getResult(), accept);
        QCOMPARE(dlg.getVal(), expected);
    }

    void outOfRangeCannotBeAccepted()
    {
        const tagSubFuncode_Servo code = stopCode("11");
        QMenuParamDlg dlg;
        dlg.setFuncode(&code, 2);
        auto* ok = QTestUi::child<QPushButton>(&dlg, "btnOk");
        QVERIFY(ok->isEnabled());
        digit(dlg, 1)->setCurrentIndex(1);
        QCOMPARE(dlg.currentValue(), qint64(12));
        QVERIFY(!ok->isEnabled());
        QVERIFY(QTestUi::child<QLabel>(&dlg, "MENU_HINT")->isVisibleTo(&dlg));
        dlg.accept();
        QVERIFY(!dlg.getResult());
        QCOMPARE(dlg.getVal(), 2);
        digit(dlg, 0)->setCurrentIndex(1);
        QVERIFY(ok->isEnabled());
        dlg.accept();
        QCOMPARE(dlg.getVal(), 11);
    }

    // setInitData finds the code on the selected drive; without drive or code the value is a plain number.
    void codeOfTheSelectedDrive()
    {
        QMenuParamDlg noDrive;
        noDrive.setInitData("P00.05", 7);
        QVERIFY(!noDrive.hasDigitEditors());
        QVERIFY(QTestHost::addSelectedDrive("TST3", "Drive1"));
        QMenuParamDlg unknownNumber;
        unknownNumber.setInitData("P99.99", 7);
        QVERIFY(!unknownNumber.hasDigitEditors());
        QTestUi::child<QSpinBox>(&unknownNumber, "MENU_RAW")->setValue(8);
        unknownNumber.accept();
        QCOMPARE(unknownNumber.getVal(), 8);
        QMenuParamDlg dlg;
        dlg.setInitData("P00.05", 11);
        QCOMPARE(digit(dlg, 0)->currentData().toInt(), 1);
        QCOMPARE(digit(dlg, 1)->currentData().toInt(), 1);
        // The code allows 0 to 12: 12 is accepted.
        digit(dlg, 0)->setCurrentIndex(digit(dlg, 0)->findData(2));
        dlg.accept();
        QCOMPARE(dlg.getVal(), 12);
    }
};

QTEST_MAIN(tst_QMenuParamDlg)
#include "tst_QMenuParamDlg.moc"
