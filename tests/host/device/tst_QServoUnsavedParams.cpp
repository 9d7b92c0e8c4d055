#include "QServoUnsavedParams.h"

#include <QtTest>

// Which codes of which axis wait to be stored through power-off, and how the tables show it.
class tst_QServoUnsavedParams : public QObject
{
    Q_OBJECT

private slots:
    void shownOverTheDrivesAxes_data()
    {
        QTest::addColumn<QList<int>>("unsavedAxes");
        QTest::addColumn<int>("axisNum");
        QTest::addColumn<bool>("unsaved");
        QTest::newRow("nothing written") << QList<int>{} << 3 << false;
        QTest::newRow("axis X of one") << QList<int>{0} << 1 << true;
        QTest::newRow("axis Z of three") << QList<int>{2} << 3 << true;
        QTest::newRow("axis Z beyond a one-axis drive") << QList<int>{2} << 1 << false;
        QTest::newRow("axes outside 0..2 are ignored") << QList<int>{-1, 3} << 3 << false;
        QTest::newRow("more axes than there are") << QList<int>{1} << 9 << true;
    }

    void shownOverTheDrivesAxes()
    {
        QFETCH(QList<int>, unsavedAxes);
        QFETCH(int, axisNum);
        QFETCH(bool, unsaved);
        QServoUnsavedParams params;
        for (int axis : unsavedAxes) {
            params.setUnsaved("P00.01", axis);
        }
        QCOMPARE(params.isUnsavedOnAnyAxis("P00.01", axisNum), unsaved);
        QCOMPARE(params.savedText("P00.01", axisNum),
                 QCoreApplication::translate("QDeviceServo", unsaved ? "STR_UNSAVED" : "STR_SAVED"));
        QCOMPARE(params.saveColor("P00.01", axisNum) == QColor(Qt::white), !unsaved);
        QVERIFY(!params.isUnsavedOnAnyAxis("P00.02", 3));
    }

    // Saving one axis leaves what waits on the other axes; a code forgotten (gone with a reload) is saved.
    void clearingAnAxisOrACodeKeepsTheOthers()
    {
        QServoUnsavedParams params;
        for (int axis = 0; axis < 3; ++axis) {
            params.setUnsaved("P00.01", axis);
            params.setUnsaved("P00.02", axis);
        }
        params.clearAxis(0);
        params.clearAxis(7); // no such axis: nothing happens
        QVERIFY(!params.isUnsaved("P00.01", 0));
        QVERIFY(!params.isUnsaved("P00.02", 0));
        QVERIFY(params.isUnsaved("P00.01", 1));
        params.forgetIf([](const QString& funIndex) { return funIndex == "P00.01"; });
        QVERIFY(!params.isUnsavedOnAnyAxis("P00.01", 3));
        QVERIFY(params.isUnsaved("P00.02", 2));
    }
};

QTEST_GUILESS_MAIN(tst_QServoUnsavedParams)
#include "tst_QServoUnsavedParams.moc"
