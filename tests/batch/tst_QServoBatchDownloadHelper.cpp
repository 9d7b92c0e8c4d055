// What the batch-download helper adds to the batch transfer (whose rules its own suite proves): the
// values' texts turned into the drive's raw values, the caller's records left alone, the error text of a
// drive that is not there, and the transfer's progress and verdict as the helper's signals.

#include "FuncodeRows.h"
#include "QDeviceServo.h"
#include "QServoBatchDownloadHelper.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QtTest>

namespace {
QMap<QString, tagExportFuncodePtr_Servo> oneRecord(qint64 raw, const QString& text = QString())
{
    auto record = FuncodeRows::row(QString(), "P00.01", {text});
    record->curValue = {{raw, raw, raw}};
    return {{"P00.01", record}};
}
} // namespace

class tst_QServoBatchDownloadHelper : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void cleanup() { QTestHost::clearProject(); }

    void rawValuesOrRecomputedTexts_data()
    {
        QTest::addColumn<bool>("recompute");
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        // P00.01 shows two decimals: the text "3.50" is raw 350; the raw value given is 280.
        QTest::newRow("recompute off: raw sent as given") << false << "3.50" << qint64(280);
        QTest::newRow("recompute on: text decides") << true << "3.50" << qint64(350);
        QTest::newRow("recompute on, text unreadable: raw kept") << true << "abc" << qint64(280);
    }

    void rawValuesOrRecomputedTexts()
    {
        QFETCH(bool, recompute);
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QVERIFY(QTestHost::addDrive("TST3", "axis1"));
        const QMap<QString, tagExportFuncodePtr_Servo> map = oneRecord(280, text);
        QServoBatchDownloadHelper helper;
        QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
        QSignalSpy progress(&helper, &QServoBatchDownloadHelper::sigProgressValue);
        helper.startWrite("axis1", map, recompute);
        QVERIFY(finished.wait());
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(helper.total() > 0);
        QCOMPARE(progress.last(), (QVariantList{helper.total(), helper.total()}));
        QCOMPARE(QTestHost::link("axis1")->rawValue("P00.01", 0), expected);
        QCOMPARE(helper.records().value("P00.01")->curValue[0], expected);
        QCOMPARE(map.value("P00.01")->curValue[0], qint64(280)); // the caller's records stay as they were
    }

    // A drive that refuses writes: tst_QServoBatchTransfer::verdict ("drive refuses writes").
    void unknownDrive()
    {
        QServoBatchDownloadHelper helper;
        QSignalSpy finished(&helper, &QServoBatchDownloadHelper::sigFinishWrite);
        helper.startWrite("nobody", oneRecord(280), false);
        QVERIFY(!helper.errorText().isEmpty());
        QCOMPARE(finished.size(), 0);
    }
};

QTEST_MAIN(tst_QServoBatchDownloadHelper)
#include "tst_QServoBatchDownloadHelper.moc"
