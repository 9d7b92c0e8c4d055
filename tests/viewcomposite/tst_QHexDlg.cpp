#include "QHexDlg.h"
#include "QKeyTranslator.h"
#include "QOkCancel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

class tst_QHexDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rangeEnforcement_data();
    void rangeEnforcement();
    void acceptedThroughExec();
    void cancelKeepsNothing();
    void typingIsLimitedToHexDigitsOfTheWidth();
    void bitGridFollowsTheText();
    void explanationAndRange();

private:
    static QLineEdit* edit(QHexDlg& dlg) { return dlg.findChild<QLineEdit*>("HEX_EDIT"); }
    static QPushButton* okButton(QHexDlg& dlg) { return dlg.findChild<QPushButton*>("btnOk"); }
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
} // namespace

void tst_QHexDlg::initTestCase()
{
    // The dialogs show English texts, as the application does.
    QKeyTranslator::installForApplication(QStringLiteral("en"));
}

void tst_QHexDlg::rangeEnforcement_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<qint64>("min");
    QTest::addColumn<qint64>("max");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("acceptable");
    QTest::addColumn<qint64>("value");

    QTest::newRow("in range") << 32 << qint64(0) << qint64(0xFFFF) << "1F" << true << qint64(31);
    QTest::newRow("lower bound") << 32 << qint64(16) << qint64(255) << "10" << true << qint64(16);
    QTest::newRow("upper bound") << 32 << qint64(16) << qint64(255) << "ff" << true << qint64(255);
    QTest::newRow("with 0x") << 32 << qint64(0) << qint64(255) << "0x1a" << true << qint64(26);
    QTest::newRow("below") << 32 << qint64(16) << qint64(255) << "F" << false << qint64(0);
    QTest::newRow("above") << 32 << qint64(16) << qint64(255) << "100" << false << qint64(0);
    QTest::newRow("non-hex text") << 32 << qint64(0) << qint64(255) << "XYZ" << false << qint64(0);
    QTest::newRow("empty") << 32 << qint64(0) << qint64(255) << "" << false << qint64(0);
    QTest::newRow("prefix only") << 32 << qint64(0) << qint64(255) << "0x" << false << qint64(0);
    QTest::newRow("wider than 16 bits")
        << 16 << qint64(0) << qint64(0xFFFFF) << "12345" << false << qint64(0);
    QTest::newRow("full 32-bit maximum")
        << 32 << qint64(0) << qint64(0xFFFFFFFF) << "FFFFFFFF" << true << qint64(0xFFFFFFFF);
    QTest::newRow("signed negative in range")
        << 16 << qint64(-100) << qint64(100) << "FFF6" << true << qint64(-10);
    QTest::newRow("signed negative below")
        << 16 << qint64(-100) << qint64(100) << "FF00" << false << qint64(0);
}

void tst_QHexDlg::rangeEnforcement()
{
    QFETCH(int, bits);
    QFETCH(qint64, min);
    QFETCH(qint64, max);
    QFETCH(QString, text);
    QFETCH(bool, acceptable);
    QFETCH(qint64, value);

    QHexDlg dlg(nullptr, bits);
    dlg.setRange(min, max);
    dlg.setInitialData(min);
    edit(dlg)->setText(text);

    QCOMPARE(okButton(dlg)->isEnabled(), acceptable);
    QCOMPARE(dlg.findChild<QLabel*>("HEX_HINT")->isVisibleTo(&dlg), !acceptable);
    qint64 current = -1;
    QCOMPARE(dlg.currentValue(&current), acceptable);

    // Even a direct accept() (Return, a script) cannot take a value that is not acceptable.
    dlg.accept();
    QCOMPARE(dlg.getResult(), acceptable);
    if (acceptable) {
        QCOMPARE(current, value);
        QCOMPARE(dlg.getModifyData(), value);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(dlg.getModifyData(), min);
    }
}

void tst_QHexDlg::acceptedThroughExec()
{
    QHexDlg dlg(nullptr, 32);
    dlg.setRange(0, 1000);
    dlg.setInitialData(0x10);
    QString decimal;
    whenModal([&](QWidget* modal) {
        modal->findChild<QLineEdit*>("HEX_EDIT")->setText("3E8");
        decimal = modal->findChild<QLabel*>("HEX_DECIMAL")->text();
        modal->findChild<QPushButton*>("btnOk")->click();
        modal->close();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    QCOMPARE(decimal, QStringLiteral("Decimal: 1000"));
    QVERIFY(dlg.getResult());
    QCOMPARE(dlg.getModifyData(), qint64(1000));
}

void tst_QHexDlg::cancelKeepsNothing()
{
    QHexDlg dlg(nullptr, 32);
    dlg.setRange(0, 0xFFFF);
    dlg.setInitialData(5);
    bool openAfterOk = false;
    whenModal([&](QWidget* modal) {
        modal->findChild<QLineEdit*>("HEX_EDIT")->setText("7");
        // OK while out of range does nothing; Cancel ends the dialog.
        modal->findChild<QLineEdit*>("HEX_EDIT")->setText("10000");
        modal->findChild<QPushButton*>("btnOk")->click();
        openAfterOk = modal->isVisible();
        modal->findChild<QPushButton*>("btnCancel")->click();
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(openAfterOk);
    QVERIFY(!dlg.getResult());
    QCOMPARE(dlg.getModifyData(), qint64(5));
}

void tst_QHexDlg::typingIsLimitedToHexDigitsOfTheWidth()
{
    QHexDlg dlg(nullptr, 16);
    QLineEdit* line = edit(dlg);
    line->clear();
    QTest::keyClicks(line, "G1Z2a3b4c5");
    QCOMPARE(line->text(), QStringLiteral("12a3"));
}

void tst_QHexDlg::bitGridFollowsTheText()
{
    QHexDlg dlg(nullptr, 16);
    QCOMPARE(dlg.findChildren<QCheckBox*>().size(), 16);
    dlg.setInitialData(0x5);
    auto bit = [&](int n) { return dlg.findChild<QCheckBox*>(QStringLiteral("HEX_BIT_%1").arg(n)); };
    QVERIFY(bit(0)->isChecked());
    QVERIFY(!bit(1)->isChecked());
    QVERIFY(bit(2)->isChecked());
    bit(4)->setChecked(true);
    QCOMPARE(edit(dlg)->text(), QStringLiteral("15"));
    bit(0)->setChecked(false);
    QCOMPARE(edit(dlg)->text(), QStringLiteral("14"));
    edit(dlg)->setText("8000");
    QVERIFY(bit(15)->isChecked());
    QVERIFY(!bit(4)->isChecked());

    QHexDlg wide(nullptr, 32);
    QCOMPARE(wide.findChildren<QCheckBox*>().size(), 32);
    QHexDlg huge(nullptr, 64);
    QVERIFY(huge.findChildren<QCheckBox*>().isEmpty());
}

void tst_QHexDlg::explanationAndRange()
{
    QHexDlg dlg(nullptr, 32);
    auto* explain = dlg.findChild<QLabel*>("HEX_EXPLAIN");
    QVERIFY(!explain->isVisibleTo(&dlg));
    dlg.setExplain("Bit 0: enable input filter");
    QVERIFY(explain->isVisibleTo(&dlg));
    QCOMPARE(explain->text(), QStringLiteral("Bit 0: enable input filter"));
    dlg.setRange(255, 16);
    QCOMPARE(dlg.minimum(), qint64(16));
    QCOMPARE(dlg.maximum(), qint64(255));
    QVERIFY(dlg.findChild<QLabel*>("HEX_RANGE")->text().contains("0xFF"));
}

QTEST_MAIN(tst_QHexDlg)
#include "tst_QHexDlg.moc"
