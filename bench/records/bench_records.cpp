#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFindFuncodeDialog_Servo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QModifyFunModel_Servo.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QStatistics.h"
#include "QTestHost.h"

#include <QApplication>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {
const int kModifications = 100000;
// Inserted in transactions of this many rows.
const int kChunk = 10000;
const char kAlias[] = "bench";
const char kModel[] = "SD330";

// Peak resident memory of the process so far, in kB (VmHWM); -1 when it cannot be read.
qint64 peakMemoryKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    const QString text = QString::fromLatin1(status.readAll());
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("VmHWM:\\s+(\\d+)")).match(text);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

// A value text as the workspace stores it: a position for enumerated codes, decimal otherwise.
QString storedValue(const tagSubFuncode_Servo* fun, int i)
{
    if (fun->showType == 2) {
        const int items = qMax(1, fun->enumText.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
        return QString::number(i % items);
    }
    return QString::number(i % 100);
}
} // namespace

class bench_records : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loadRecordPage();
    void refreshStatistics();
    void findPerKeystroke_data();
    void findPerKeystroke();
    void cleanupTestCase();

private:
    void fillRecords(const QList<tagSubFuncode_Servo*>& codes);
    void fillStatistics(const QList<tagSubFuncode_Servo*>& codes);
    void reportMemory(const char* step, qint64 before);

    QDeviceServo* m_device = nullptr;
};

void bench_records::reportMemory(const char* step, qint64 before)
{
    qInfo("%s: peak memory (VmHWM) before %lld kB, after %lld kB", step, before, peakMemoryKb());
}

void bench_records::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    m_device = QTestHost::addDrive(QString::fromLatin1(kModel), QString::fromLatin1(kAlias));
    QVERIFY(m_device);
    QTestHost::select(QString::fromLatin1(kAlias));
    const QList<tagSubFuncode_Servo*> codes = m_device->getAllNormalFuncodes();
    QVERIFY(!codes.isEmpty());
    const qint64 before = peakMemoryKb();
    fillRecords(codes);
    fillStatistics(codes);
    reportMemory("filling the databases", before);
    QCOMPARE(QDatabaseManager::self()->getRecordDatabase_Servo()->recordCount(QString::fromLatin1(kAlias)),
             kModifications);
}

void bench_records::fillRecords(const QList<tagSubFuncode_Servo*>& codes)
{
    QRecordDB_Servo* records = QDatabaseManager::self()->getRecordDatabase_Servo();
    QVERIFY(records->clearModifyFunCodes(QString::fromLatin1(kAlias)));
    QList<tagModifyFuncode_Servo> chunk;
    for (int i = 0; i < kModifications; ++i) {
        const tagSubFuncode_Servo* fun = codes.at((i * 7) % codes.size());
        tagModifyFuncode_Servo record;
        record.strTime = QStringLiteral("2024-05-01 %1:%2:%3")
                             .arg(i / 3600 % 24, 2, 10, QLatin1Char('0'))
                             .arg(i / 60 % 60, 2, 10, QLatin1Char('0'))
                             .arg(i % 60, 2, 10, QLatin1Char('0'));
        record.funIndex = fun->funIndex;
        record.axisIndex = i % m_device->getAxisNum();
        record.oldVal = storedValue(fun, i);
        record.newVal = storedValue(fun, i + 1);
        chunk.append(record);
        if (chunk.size() == kChunk) {
            QVERIFY(records->insertModifyFunCodes(QString::fromLatin1(kAlias), chunk));
            chunk.clear();
        }
    }
    QVERIFY(chunk.isEmpty() || records->insertModifyFunCodes(QString::fromLatin1(kAlias), chunk));
}

void bench_records::fillStatistics(const QList<tagSubFuncode_Servo*>& codes)
{
    QStatistics* statistics = QDatabaseManager::self()->getStatisticsDatabase();
    QVERIFY(statistics->clearDevice(QString::fromLatin1(kAlias)));
    QList<QPair<QString, tagFuncodeModifyData>> chunk;
    for (int i = 0; i < kModifications; ++i) {
        // Skewed counts, so that the order by count matters.
        const tagSubFuncode_Servo* fun = codes.at((qint64(i) * i) % codes.size());
        tagFuncodeModifyData event;
        event.timeStamp = 1714557600 + i;
        event.oldValue = i % 100;
        event.newValue = (i + 1) % 100;
        event.axisIndex = i % m_device->getAxisNum();
        chunk.append(qMakePair(fun->funIndex, event));
        if (chunk.size() == kChunk) {
            QVERIFY(statistics->addFuncodeModifyEvents(QString::fromLatin1(kAlias), chunk));
            chunk.clear();
        }
    }
    QVERIFY(chunk.isEmpty() || statistics->addFuncodeModifyEvents(QString::fromLatin1(kAlias), chunk));
}

// What opening the modification-records page costs: read every record, make its row, show the rows.
void bench_records::loadRecordPage()
{
    QModifyFunModel_Servo model;
    const qint64 before = peakMemoryKb();
    QBENCHMARK
    {
        const QList<tagModifyFuncode_Servo> stored =
            QDatabaseManager::self()->getRecordDatabase_Servo()->getModifyFunCodes(
                QString::fromLatin1(kAlias));
        QList<QStringList> rows;
        rows.reserve(stored.size());
        for (const tagModifyFuncode_Servo& record : stored) {
            rows.append(QModifyFunModel_Servo::makeDisplayRow(record));
        }
        model.setModelData(rows);
    }
    reportMemory("loading the record page", before);
    QCOMPARE(model.rowCount(), kModifications);
    QVERIFY(!model.index(0, QModifyFunModel_Servo::COL_NAME).data().toString().isEmpty());
}

void bench_records::refreshStatistics()
{
    QSortedModifyFunModel_Servo model;
    const qint64 before = peakMemoryKb();
    QBENCHMARK
    {
        model.refresh(true);
    }
    reportMemory("refreshing the statistics", before);
    QVERIFY(model.rowCount() > 0);
    qInfo("statistics rows: %d", model.rowCount());
}

void bench_records::findPerKeystroke_data()
{
    QTest::addColumn<QString>("text");
    // What the dialog searches while a person types "loop gain", "P2.1" and "brake".
    const QStringList words{QStringLiteral("loop gain"), QStringLiteral("P2.1"), QStringLiteral("brake")};
    for (const QString& word : words) {
        for (int length = 1; length <= word.size(); ++length) {
            const QString typed = word.left(length);
            QTest::newRow(qPrintable(typed)) << typed;
        }
    }
}

void bench_records::findPerKeystroke()
{
    QFETCH(QString, text);
    QFindFuncodeDialog_Servo dialog;
    QBENCHMARK
    {
        dialog.SlotlineEditFindServoFun(text);
    }
    QVERIFY(dialog.getModel()->rowCount() > 0);
}

void bench_records::cleanupTestCase()
{
    QDatabaseManager::self()->getRecordDatabase_Servo()->clearModifyFunCodes(QString::fromLatin1(kAlias));
    QDatabaseManager::self()->getStatisticsDatabase()->clearDevice(QString::fromLatin1(kAlias));
    qInfo("peak memory (VmHWM) at the end: %lld kB", peakMemoryKb());
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (!qEnvironmentVariableIsSet("SERVO_DRIVES_DIR")) {
        qputenv("SERVO_DRIVES_DIR", BENCH_DRIVES_DIR);
    }
    QApplication app(argc, argv);
    bench_records bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_records.moc"
