#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QDriveCatalogue.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QModbusDriveLink.h"
#include "QModbusDriveServer.h"
#include "QModbusTcpDriveServer.h"
#include "QProjectCore.h"
#include "QSimulatedDriveCore.h"
#include "QTestHost.h"

#include <QElapsedTimer>
#include <QModbusTcpClient>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

// The Modbus link on loopback against the largest shipped model, served in this process:
// - every code on every axis read by the link: requests against the least number of blocks of
//   consecutive registers, and time against a bare QModbusTcpClient that reads those blocks one
//   after another in the same run;
// - the same read as the workbench makes it (the device's queue);
// - requests per refresh tick while the longest group is paged through.
class bench_modbus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void readEveryCode();
    void readEveryCodeThroughTheDevice();
    void requestsPerTickWhileScrolling();

private:
    struct Block
    {
        int unit;
        int address;
        int count;
    };
    QList<Block> consecutiveBlocks() const;
    double linkRead(QModbusDriveLink* link, const QDriveValueList& items);
    double bareRead(QModbusTcpClient* client, const QList<Block>& blocks);
    static double median(QList<double> values);

    QDriveModelPtr m_model;
    QModbusDriveServer m_drives;
    std::unique_ptr<QModbusTcpDriveServer> m_tcp;
};

void bench_modbus::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    for (const QDriveModelPtr& model : QProjectCore::self()->getCatalogue()->models()) {
        if (!m_model || model->codeCount() * model->axisNum > m_model->codeCount() * m_model->axisNum) {
            m_model = model;
        }
    }
    QVERIFY(m_drives.addDrive(m_model, 1));
    m_drives.drives().first()->setFrozen(true);
    m_tcp = std::make_unique<QModbusTcpDriveServer>(&m_drives);
    QVERIFY(m_tcp->listen(QHostAddress::LocalHost, 0));
    qInfo("%s: %d codes, %d axes, served on 127.0.0.1:%d", qPrintable(m_model->modelName),
          m_model->codeCount(), m_model->axisNum, m_tcp->port());
}

void bench_modbus::cleanupTestCase()
{
    QTestHost::clearProject();
}

QList<bench_modbus::Block> bench_modbus::consecutiveBlocks() const
{
    const QModbusRegisterMap map(m_model);
    QVector<QRegisterSpan> spans;
    for (int row = 0; row < m_model->codeCount(); ++row) {
        spans.append(map.span(row));
    }
    QList<Block> blocks;
    for (int axis = 0; axis < m_model->axisNum; ++axis) {
        for (const QRegisterBlock& b :
             QRegisterBlockPlanner(QRegisterBlockPlanner::kMaxReadRegisters, 0).plan(spans)) {
            blocks.append({1 + axis, b.address, b.count});
        }
    }
    return blocks;
}

double bench_modbus::linkRead(QModbusDriveLink* link, const QDriveValueList& items)
{
    QSignalSpy spy(link, &QDriveLink::readFinished);
    QElapsedTimer timer;
    timer.start();
    link->requestRead(items);
    // A real event loop: QTest::qWaitFor sleeps between its looks and would be measured with.
    if (!spy.wait(20000)) {
        return -1;
    }
    const double ms = timer.nsecsElapsed() / 1e6;
    for (const QDriveValueItem& item : spy.at(0).at(1).value<QDriveValueList>()) {
        if (item.error != QDriveLink::LINK_OK) {
            return -1;
        }
    }
    return ms;
}

double bench_modbus::bareRead(QModbusTcpClient* client, const QList<Block>& blocks)
{
    QElapsedTimer timer;
    timer.start();
    for (const Block& b : blocks) {
        QModbusReply* reply = client->sendReadRequest(
            QModbusDataUnit(QModbusDataUnit::HoldingRegisters, b.address, static_cast<quint16>(b.count)),
            b.unit);
        if (!reply) {
            return -1;
        }
        if (!reply->isFinished()) {
            QEventLoop loop;
            connect(reply, &QModbusReply::finished, &loop, &QEventLoop::quit);
            loop.exec();
        }
        const bool ok = reply->error() == QModbusDevice::NoError;
        delete reply;
        if (!ok) {
            return -1;
        }
    }
    return timer.nsecsElapsed() / 1e6;
}

double bench_modbus::median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

void bench_modbus::readEveryCode()
{
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), m_tcp->port(), 1);
    QModbusDriveLink link(m_model, settings);
    QVERIFY(QTest::qWaitFor([&link]() { return link.isOnline(); }, 5000));
    QModbusTcpClient bare;
    bare.setConnectionParameter(QModbusDevice::NetworkAddressParameter, QStringLiteral("127.0.0.1"));
    bare.setConnectionParameter(QModbusDevice::NetworkPortParameter, m_tcp->port());
    bare.setNumberOfRetries(0);
    QVERIFY(bare.connectDevice());
    QVERIFY(QTest::qWaitFor([&bare]() { return bare.state() == QModbusDevice::ConnectedState; }, 5000));

    QDriveValueList items;
    for (int axis = 0; axis < m_model->axisNum; ++axis) {
        for (const tagSubFuncode_Servo& fun : m_model->codes) {
            items.append(QDriveValueItem(fun.funIndex, axis));
        }
    }
    const QList<Block> blocks = consecutiveBlocks();
    m_drives.resetCounters();
    QVERIFY(linkRead(&link, items) > 0);
    const int requests = m_drives.readRequestCount();
    QList<double> linkMs;
    QList<double> bareMs;
    // Taken in turns, so that a busy machine slows both alike; the medians are compared.
    const int rounds = 101;
    for (int round = 0; round < rounds; ++round) {
        linkMs << linkRead(&link, items);
        bareMs << bareRead(&bare, blocks);
    }
    QVERIFY(!linkMs.contains(-1) && !bareMs.contains(-1));
    qInfo("read every code on every axis (%d values): link %d requests, minimum %d consecutive blocks "
          "(%.2fx); median of %d rounds: link %.2f ms, bare QModbusTcpClient %.2f ms (%.2fx)",
          int(items.size()), requests, int(blocks.size()), double(requests) / blocks.size(), rounds,
          median(linkMs), median(bareMs), median(linkMs) / median(bareMs));
}

void bench_modbus::readEveryCodeThroughTheDevice()
{
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), m_tcp->port(), 1);
    QString error;
    QDeviceServo* device =
        QProjectCore::self()->addDrive(m_model->modelName, QStringLiteral("Bus"), settings, &error);
    QVERIFY2(device, qPrintable(error));
    QVERIFY(QTest::qWaitFor([device]() { return device->isDeviceOnline(); }, 5000));
    m_drives.resetCounters();
    QElapsedTimer timer;
    timer.start();
    device->readAllFuncode();
    QEventLoop loop;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &loop, [device, &loop]() {
        if (!device->isReadBusy()) {
            loop.quit();
        }
    });
    poll.start(1);
    loop.exec();
    qInfo("the device's readAllFuncode: %d requests, minimum %d, %.1f ms", m_drives.readRequestCount(),
          int(consecutiveBlocks().size()), timer.nsecsElapsed() / 1e6);
    QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("Bus"));
}

void bench_modbus::requestsPerTickWhileScrolling()
{
    QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), m_tcp->port(), 1);
    QString error;
    QDeviceServo* device =
        QProjectCore::self()->addDrive(m_model->modelName, QStringLiteral("Bus"), settings, &error);
    QVERIFY2(device, qPrintable(error));
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = 3600 * 1000; // ticks are driven by hand
    device->setCommuParams(params);
    QTestHost::select(QStringLiteral("Bus"));
    QVERIFY(QTest::qWaitFor([device]() { return device->isDeviceOnline(); }, 5000));
    const QDeviceServo::FuncodeGroupMap& groups = device->getNormalFuncodeGroupMap();
    const QString longest = QTestHost::longestGroup(device);
    QFuncodeView_Servo view;
    view.setModelGroup(longest);
    view.onInitModelData(groups);
    view.updateAxisColumns();
    view.resize(1400, 700);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(QTest::qWaitFor([device]() { return !device->isReadBusy(); }, 5000));
    QScrollBar* bar = view.verticalScrollBar();
    int ticks = 0;
    int requests = 0;
    int most = 0;
    for (int value = 0; value <= bar->maximum(); value += bar->pageStep()) {
        bar->setValue(value);
        m_drives.resetCounters();
        view.OnReadFuncode();
        QVERIFY(QTest::qWaitFor([device]() { return !device->isReadBusy(); }, 5000));
        ++ticks;
        requests += m_drives.readRequestCount();
        most = qMax(most, m_drives.readRequestCount());
    }
    qInfo(
        "paging through \"%s\" (%d rows, %d per page, %d axes): %d ticks, %.2f requests per tick, at most %d",
        qPrintable(longest), view.getModel()->rowCount(), bar->pageStep(), device->getAxisNum(), ticks,
        double(requests) / ticks, most);
    QProjectCore::self()->getDevMgr()->removeDevice(QStringLiteral("Bus"));
}

QTEST_MAIN(bench_modbus)
#include "bench_modbus.moc"
