#include "QKeyTranslator.h"
#include "QOkCancel.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class tst_QOkCancel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void buttonTexts_data();
    void buttonTexts();
    void okAndCancelSignals();
    void disabledOkIsSilent();
};

void tst_QOkCancel::initTestCase()
{
    QVERIFY(QKeyTranslator::installForApplication(QStringLiteral("en"))->loadLanguage(QStringLiteral("en")));
}

void tst_QOkCancel::buttonTexts_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("okText");

    QTest::newRow("0 OK") << 0 << "OK";
    QTest::newRow("1 Save") << 1 << "Save";
    QTest::newRow("2 Import") << 2 << "Import";
    QTest::newRow("unknown type") << 7 << "OK";
}

void tst_QOkCancel::buttonTexts()
{
    QFETCH(int, type);
    QFETCH(QString, okText);
    QOkCancel bar(nullptr, type);
    QCOMPARE(bar.okButton()->text(), okText);
    QCOMPARE(bar.cancelButton()->text(), QStringLiteral("Cancel"));
}

void tst_QOkCancel::okAndCancelSignals()
{
    QOkCancel bar(nullptr, 0);
    QSignalSpy ok(&bar, &QOkCancel::SigOk);
    QSignalSpy cancel(&bar, &QOkCancel::SigCancel);
    bar.findChild<QPushButton*>("btnOk")->click();
    QCOMPARE(ok.count(), 1);
    QCOMPARE(cancel.count(), 0);
    bar.findChild<QPushButton*>("btnCancel")->click();
    QCOMPARE(ok.count(), 1);
    QCOMPARE(cancel.count(), 1);
}

void tst_QOkCancel::disabledOkIsSilent()
{
    QOkCancel bar(nullptr, 2);
    QSignalSpy ok(&bar, &QOkCancel::SigOk);
    bar.setOkBtnEnabled(false);
    QVERIFY(!bar.isOkBtnEnabled());
    QTest::mouseClick(bar.okButton(), Qt::LeftButton);
    QCOMPARE(ok.count(), 0);
    bar.setOkBtnEnabled(true);
    QTest::mouseClick(bar.okButton(), Qt::LeftButton);
    QCOMPARE(ok.count(), 1);
}

QTEST_MAIN(tst_QOkCancel)
#include "tst_QOkCancel.moc"
