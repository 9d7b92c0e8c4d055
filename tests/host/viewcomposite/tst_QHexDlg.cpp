#include "QHexDlg.h"
#include "QKeyTranslator.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_QHexDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QKeyTranslator::installForApplication("en"); }

    void rangeEnforcement_data()
    {
        QTest::addColumn<int>("bits");
        QTest::addColumn<qint64>("min");
        QTest::addColumn<qint64>("max");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<qint64>("value");

        QTest::newRow("lower bound") << 32 << qint64(16) << qint64(255) << "10" << true << qint64(16);
        QTest::newRow("upper bound, 0x") << 32 << qint64(16) << qint64(255) << "0xff" << true << qint64(255);
        QTest::newRow("reversed range") << 32 << qint64(255) << qint64(16) << "1F" << true << qint64(31);
        QTest::newRow("below") << 32 << qint64(16) << qint64(255) << "F" << false << qint64(0);
        QTest::newRow("above") << 32 << qint64(16) << qint64(255) << "100" << false << qint64(0);
        QTest::newRow("non-hex text") << 32 << qint64(0) << qint64(255) << "XYZ" << false << qint64(0);
        QTest::newRow("prefix only") << 32 << qint64(0) << qint64(255) << "0x" << false << qint64(0);
        QTest::newRow("wider than 16 bits")
            << 16 << qint64(0) << qint64(0xFFFFF) << "12345" << false << qint64(0);
        QTest::newRow("full 32-bit maximum")
            << 32 << qint64(0) << qint64(0xFFFFFFFF) << "FFFFFFFF" << true << qint64(0xFFFFFFFF);
        QTest::newRow("signed negative")
            << 16 << qint64(-100) << qint64(100) << "FFF6" << true << qint64(-10);
        QTest::newRow("signed below") << 16 << qint64(-100) << qint64(100) << "FF00" << false << qint64(0);
    }

    void rangeEnforcement()
    {
        QFETCH(int, bits);
        QFETCH(qint64, min);
        QFETCH(qint64, max);
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        QFETCH(qint64, value);

        QHexDlg dlg(nullptr, bits);
        dlg.setRange(min, max);
        const qint64 initial = qMin(min, max);
        dlg.setInitialData(initial);
        edit(dlg)->setText(text);
        QCOMPARE(dlg.findChild<QPushButton*>("btnOk")->isEnabled(), acceptable);
        QCOMPARE(dlg.findChild<QLabel*>("HEX_HINT")->isVisibleTo(&dlg), !acceptable);
        // Even a direct accept() (Return, a script) cannot take a value that is not acceptable: the dialog
        // stays open and keeps the value it was given.
        dlg.show();
        dlg.accept();
        QCOMPARE(dlg.isVisible(), !acceptable);
        QCOMPARE(dlg.getResult(), acceptable);
        QCOMPARE(dlg.getModifyData(), acceptable ? value : initial);
    }

    void typingAndBitGrid()
    {
        QHexDlg dlg(nullptr, 16);
        edit(dlg)->clear();
        QTest::keyClicks(edit(dlg), "G1Z2a3b4c5");
        QCOMPARE(edit(dlg)->text(), QString("12a3"));

        auto bit = [&](int n) { return dlg.findChild<QCheckBox*>(QString("HEX_BIT_%1").arg(n)); };
        dlg.setInitialData(0x5);
        QVERIFY(bit(0)->isChecked() && !bit(1)->isChecked() && bit(2)->isChecked());
        bit(4)->setChecked(true);
        bit(0)->setChecked(false);
        QCOMPARE(edit(dlg)->text(), QString("14"));
        edit(dlg)->setText("8000");
        QVERIFY(bit(15)->isChecked() && !bit(4)->isChecked());
        QVERIFY(QHexDlg(nullptr, 64).findChildren<QCheckBox*>().isEmpty());
    }

private:
    static QLineEdit* edit(QWidget& dlg) { return dlg.findChild<QLineEdit*>("HEX_EDIT"); }
};

QTEST_MAIN(tst_QHexDlg)
#include "tst_QHexDlg.moc"
