#include "ModalAnswer.h"
#include "QExportTypeDlg.h"
#include "QKeyTranslator.h"

#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

class tst_QExportTypeDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QKeyTranslator::installForApplication("en"); }

    void chosenType_data()
    {
        QTest::addColumn<int>("radio"); // -1: keep the default
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("expected");

        QTest::newRow("default is the function-code file")
            << -1 << true << int(QExportTypeDlg::TypeFuncodeServo);
        QTest::newRow("csv") << 1 << true << int(QExportTypeDlg::TypeCsv);
        QTest::newRow("xlsx") << 2 << true << int(QExportTypeDlg::TypeXlsx);
        QTest::newRow("cancelled") << 1 << false << int(QExportTypeDlg::TypeNone);
    }

    void chosenType()
    {
        QFETCH(int, radio);
        QFETCH(bool, ok);
        QFETCH(int, expected);

        QExportTypeDlg dlg;
        answerModal([&](QWidget* modal) {
            if (radio >= 0) {
                modal->findChild<QRadioButton*>(QString("radioFileType_%1").arg(radio))->click();
            }
            modal->findChild<QPushButton*>(ok ? "btnOk" : "btnCancel")->click();
        });
        dlg.exec();
        QCOMPARE(dlg.getFileType(), expected);
    }
};

QTEST_MAIN(tst_QExportTypeDlg)
#include "tst_QExportTypeDlg.moc"
