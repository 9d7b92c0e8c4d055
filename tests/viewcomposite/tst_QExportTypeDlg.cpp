#include "QExportTypeDlg.h"
#include "QKeyTranslator.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>

class tst_QExportTypeDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void chosenType_data();
    void chosenType();
    void offeredTypes();
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

void tst_QExportTypeDlg::initTestCase()
{
    // The dialogs show English texts, as the application does.
    QKeyTranslator::installForApplication(QStringLiteral("en"));
}

void tst_QExportTypeDlg::chosenType_data()
{
    QTest::addColumn<int>("radio"); // -1: keep the default
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("expected");

    QTest::newRow("default is the function-code file") << -1 << true << int(QExportTypeDlg::TypeFuncodeServo);
    QTest::newRow("csv") << 1 << true << int(QExportTypeDlg::TypeCsv);
    QTest::newRow("xlsx") << 2 << true << int(QExportTypeDlg::TypeXlsx);
    QTest::newRow("cancelled") << 1 << false << int(QExportTypeDlg::TypeNone);
}

void tst_QExportTypeDlg::chosenType()
{
    QFETCH(int, radio);
    QFETCH(bool, ok);
    QFETCH(int, expected);

    QExportTypeDlg dlg;
    QCOMPARE(dlg.getFileType(), int(QExportTypeDlg::TypeNone));
    whenModal([&](QWidget* modal) {
        if (radio >= 0) {
            modal->findChild<QRadioButton*>(QStringLiteral("radioFileType_%1").arg(radio))->click();
        }
        modal->findChild<QPushButton*>(ok ? "btnOk" : "btnCancel")->click();
    });
    dlg.exec();
    QCOMPARE(dlg.getFileType(), expected);
}

void tst_QExportTypeDlg::offeredTypes()
{
    QExportTypeDlg dlg;
    QCOMPARE(dlg.findChildren<QRadioButton*>().size(), 3);
    dlg.setFileTypes({QExportTypeDlg::TypeCsv, QExportTypeDlg::TypeFuncodeServo, 9});
    QCOMPARE(dlg.fileTypes(), (QList<int>{QExportTypeDlg::TypeCsv, QExportTypeDlg::TypeFuncodeServo}));
    QCOMPARE(dlg.findChildren<QRadioButton*>().size(), 2);
    QVERIFY(dlg.findChild<QRadioButton*>("radioFileType_1")->isChecked());
    QVERIFY(!dlg.findChild<QRadioButton*>("radioFileType_2"));
    dlg.setFileType(QExportTypeDlg::TypeFuncodeServo);
    dlg.accept();
    QCOMPARE(dlg.getFileType(), int(QExportTypeDlg::TypeFuncodeServo));
}

QTEST_MAIN(tst_QExportTypeDlg)
#include "tst_QExportTypeDlg.moc"
