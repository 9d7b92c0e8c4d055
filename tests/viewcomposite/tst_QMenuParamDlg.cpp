#include "QKeyTranslator.h"
#include "QMenuParamDlg.h"
#include "QMenuParamLayout.h"
#include "QTestHost.h"
#include "tagSubFuncode_Servo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <functional>

class tst_QMenuParamDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void parseLayout_data();
    void parseLayout();
    void digits_data();
    void digits();
    void showsOneComboPerDigit();
    void composesTheValue();
    void cancelReturnsTheInitialValue();
    void outOfRangeCannotBeAccepted();
    void unknownCodeEditsTheRawValue();
    void codeOfTheSelectedDrive();
    void unknownNumberOnTheSelectedDrive();
    void cleanup();

private:
    static tagSubFuncode_Servo stopCode();
};

namespace {
void whenModal(const std::function<void(QWidget*)>& answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

QComboBox* digitCombo(QMenuParamDlg& dlg, int digit)
{
    return dlg.findChild<QComboBox*>(QStringLiteral("MENU_DIGIT_%1").arg(digit));
}
} // namespace

tagSubFuncode_Servo tst_QMenuParamDlg::stopCode()
{
    tagSubFuncode_Servo code;
    code.funIndex = "P02.10";
    code.funName = "Stop settings";
    code.showType = 6;
    code.enumText = "0:Stop mode:0 Coast;1 Ramp;2 Short brake\n1:Direction:0 Forward;1 Reverse";
    code.minVal = "0";
    code.maxVal = "9999";
    return code;
}

void tst_QMenuParamDlg::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    // The dialogs show English texts, as the application does.
    QKeyTranslator::installForApplication(QStringLiteral("en"));
}

void tst_QMenuParamDlg::parseLayout_data()
{
    QTest::addColumn<QString>("enumText");
    QTest::addColumn<QList<int>>("digits");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("optionCounts");

    QTest::newRow("two digits") << "0:Stop mode:0 Coast;1 Ramp;2 Short brake\r\n1:Direction:0 Fwd;1 Rev"
                                << QList<int>{0, 1} << QStringList{"Stop mode", "Direction"}
                                << QList<int>{3, 2};
    QTest::newRow("malformed lines skipped")
        << "x:Bad:0 a\n2 no colons\n3:Ok:0 a;1 b\n3:Again:0 c\n12:Big:0 a" << QList<int>{3}
        << QStringList{"Ok"} << QList<int>{2};
    QTest::newRow("empty") << "" << QList<int>{} << QStringList{} << QList<int>{};
    QTest::newRow("enumerated items are no layout")
        << "0:Off\n1:On" << QList<int>{} << QStringList{} << QList<int>{};
}

void tst_QMenuParamDlg::parseLayout()
{
    QFETCH(QString, enumText);
    QFETCH(QList<int>, digits);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, optionCounts);

    const QList<QMenuParamLayout::Field> fields = QMenuParamLayout::parse(enumText).fields();
    QCOMPARE(fields.size(), digits.size());
    for (int i = 0; i < fields.size(); ++i) {
        QCOMPARE(fields.at(i).digit, digits.at(i));
        QCOMPARE(fields.at(i).name, names.at(i));
        QCOMPARE(fields.at(i).options.size(), optionCounts.at(i));
    }
}

void tst_QMenuParamDlg::digits_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("expectedDigit");
    QTest::addColumn<int>("choice");
    QTest::addColumn<qint64>("replaced");

    QTest::newRow("units") << qint64(1021) << 0 << 1 << 2 << qint64(1022);
    QTest::newRow("tens") << qint64(1021) << 1 << 2 << 0 << qint64(1001);
    QTest::newRow("beyond the value") << qint64(21) << 3 << 0 << 4 << qint64(4021);
    QTest::newRow("negative keeps its sign") << qint64(-35) << 0 << 5 << 1 << qint64(-31);
}

void tst_QMenuParamDlg::digits()
{
    QFETCH(qint64, value);
    QFETCH(int, digit);
    QFETCH(int, expectedDigit);
    QFETCH(int, choice);
    QFETCH(qint64, replaced);
    QCOMPARE(QMenuParamLayout::digitOf(value, digit), expectedDigit);
    QCOMPARE(QMenuParamLayout::withDigit(value, digit, choice), replaced);
}

void tst_QMenuParamDlg::showsOneComboPerDigit()
{
    const tagSubFuncode_Servo code = stopCode();
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 1021);
    QVERIFY(dlg.hasDigitEditors());
    QVERIFY(!dlg.findChild<QSpinBox*>("MENU_RAW"));
    QComboBox* mode = digitCombo(dlg, 0);
    QComboBox* direction = digitCombo(dlg, 1);
    QVERIFY(mode && direction);
    QCOMPARE(mode->count(), 3);
    QCOMPARE(mode->currentText(), QStringLiteral("1 Ramp"));
    // The tens digit 2 is no option of the direction: it is kept as an extra item.
    QCOMPARE(direction->count(), 3);
    QCOMPARE(direction->currentData().toInt(), 2);
    QCOMPARE(dlg.currentValue(), qint64(1021));
}

void tst_QMenuParamDlg::composesTheValue()
{
    const tagSubFuncode_Servo code = stopCode();
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 1021);
    qint64 shownValue = -1;
    whenModal([&](QWidget* modal) {
        digitCombo(dlg, 0)->setCurrentIndex(2);
        digitCombo(dlg, 1)->setCurrentIndex(digitCombo(dlg, 1)->findData(1));
        shownValue = dlg.currentValue();
        modal->findChild<QPushButton*>("btnOk")->click();
        modal->close();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(shownValue, qint64(1012));
    QVERIFY(dlg.getResult());
    // The thousands digit, which the layout does not name, is kept.
    QCOMPARE(dlg.getVal(), 1012);
}

void tst_QMenuParamDlg::cancelReturnsTheInitialValue()
{
    const tagSubFuncode_Servo code = stopCode();
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 1021);
    whenModal([&](QWidget* modal) {
        digitCombo(dlg, 0)->setCurrentIndex(0);
        modal->findChild<QPushButton*>("btnCancel")->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(!dlg.getResult());
    QCOMPARE(dlg.getVal(), 1021);
}

void tst_QMenuParamDlg::outOfRangeCannotBeAccepted()
{
    tagSubFuncode_Servo code = stopCode();
    code.maxVal = "11";
    QMenuParamDlg dlg;
    dlg.setFuncode(&code, 2);
    auto* ok = dlg.findChild<QPushButton*>("btnOk");
    auto* hint = dlg.findChild<QLabel*>("MENU_HINT");
    QVERIFY(ok->isEnabled());
    QVERIFY(!hint->isVisibleTo(&dlg));

    digitCombo(dlg, 1)->setCurrentIndex(1);
    QCOMPARE(dlg.currentValue(), qint64(12));
    QVERIFY(!ok->isEnabled());
    QVERIFY(hint->isVisibleTo(&dlg));
    dlg.accept();
    QVERIFY(!dlg.getResult());
    QCOMPARE(dlg.getVal(), 2);

    digitCombo(dlg, 0)->setCurrentIndex(1);
    QCOMPARE(dlg.currentValue(), qint64(11));
    QVERIFY(ok->isEnabled());
    dlg.accept();
    QVERIFY(dlg.getResult());
    QCOMPARE(dlg.getVal(), 11);
}

void tst_QMenuParamDlg::unknownCodeEditsTheRawValue()
{
    QMenuParamDlg dlg;
    dlg.setFuncode(nullptr, 305);
    QVERIFY(!dlg.hasDigitEditors());
    auto* raw = dlg.findChild<QSpinBox*>("MENU_RAW");
    QVERIFY(raw);
    QCOMPARE(raw->value(), 305);
    raw->setValue(306);
    dlg.accept();
    QVERIFY(dlg.getResult());
    QCOMPARE(dlg.getVal(), 306);

    tagSubFuncode_Servo plain = stopCode();
    plain.enumText.clear();
    plain.maxVal = "500";
    QMenuParamDlg noLayout;
    noLayout.setFuncode(&plain, 40);
    QVERIFY(!noLayout.hasDigitEditors());
    QCOMPARE(noLayout.findChild<QSpinBox*>("MENU_RAW")->maximum(), 500);
}

void tst_QMenuParamDlg::codeOfTheSelectedDrive()
{
    QVERIFY(QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("Drive1")));
    QTestHost::select(QStringLiteral("Drive1"));
    QMenuParamDlg dlg;
    dlg.setInitData(QStringLiteral("P00.05"), 11);
    QVERIFY(dlg.hasDigitEditors());
    QVERIFY(dlg.findChild<QLabel*>("MENU_HEADING")->text().contains("P00.05"));
    QCOMPARE(digitCombo(dlg, 0)->currentData().toInt(), 1);
    QCOMPARE(digitCombo(dlg, 1)->currentData().toInt(), 1);
    QCOMPARE(digitCombo(dlg, 0)->count(), 3);

    // The code allows 0 to 12: 12 is accepted.
    digitCombo(dlg, 0)->setCurrentIndex(digitCombo(dlg, 0)->findData(2));
    QVERIFY(dlg.findChild<QPushButton*>("btnOk")->isEnabled());
    dlg.accept();
    QCOMPARE(dlg.getVal(), 12);
}

void tst_QMenuParamDlg::unknownNumberOnTheSelectedDrive()
{
    QMenuParamDlg noDrive;
    noDrive.setInitData("P00.05", 7);
    QVERIFY(!noDrive.hasDigitEditors());

    QVERIFY(QTestHost::addDrive(QStringLiteral("TST3"), QStringLiteral("Drive1")));
    QTestHost::select(QStringLiteral("Drive1"));
    QMenuParamDlg dlg;
    dlg.setInitData("P99.99", 7);
    QVERIFY(!dlg.hasDigitEditors());
    QCOMPARE(dlg.findChild<QSpinBox*>("MENU_RAW")->value(), 7);
    QCOMPARE(dlg.getVal(), 7);
}

void tst_QMenuParamDlg::cleanup()
{
    QTestHost::clearProject();
}

QTEST_MAIN(tst_QMenuParamDlg)
#include "tst_QMenuParamDlg.moc"
