#include "QModbusDriveLink.h"
#include "QModbusDriveServer.h"
#include "QModbusRtuDriveServer.h"
#include "QSimulatedDriveCore.h"
#include "QTestHost.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

// The Modbus link and the simulated drive's server on RTU, over a pair of pseudo-terminals that
// socat joins like a cable.
class tst_QModbusRtuLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void valuesRoundTripOnEveryAxis();
    void lateReplyIsNotTakenForTheNext();
    void exceptionsArriveAsLinkErrors();

private:
    QDriveValueList ask(const QDriveValueList& items, bool write = false);
    QDriveValueList read(const QDriveValueList& items) { return ask(items); }
    QDriveValueList write(const QDriveValueList& items) { return ask(items, true); }

    QTemporaryDir m_dir;
    QProcess m_socat;
    QDriveModelPtr m_model;
    std::unique_ptr<QModbusDriveServer> m_drives;
    std::unique_ptr<QModbusRtuDriveServer> m_rtu;
    std::unique_ptr<QModbusDriveLink> m_link;
    QSimulatedDriveCore* m_core = nullptr;
};

void tst_QModbusRtuLink::initTestCase()
{
    QVERIFY(QTestHost::setUp());
    const QString socat = QStandardPaths::findExecutable(QStringLiteral("socat"));
    if (socat.isEmpty()) {
        QSKIP("socat is not installed");
    }
    m_socat.start(socat, {QStringLiteral("pty,raw,echo=0,link=%1").arg(m_dir.filePath("master")),
                          QStringLiteral("pty,raw,echo=0,link=%1").arg(m_dir.filePath("drive"))});
    QVERIFY(m_socat.waitForStarted());
    QTRY_VERIFY(QFileInfo::exists(m_dir.filePath("master")) && QFileInfo::exists(m_dir.filePath("drive")));
    m_model = QTestHost::testModel(3);
}

void tst_QModbusRtuLink::cleanupTestCase()
{
    m_link.reset();
    m_rtu.reset();
    if (m_socat.state() != QProcess::NotRunning) {
        m_socat.terminate();
        m_socat.waitForFinished(2000);
    }
}

void tst_QModbusRtuLink::init()
{
    m_drives = std::make_unique<QModbusDriveServer>();
    m_core = m_drives->addDrive(m_model, 7);
    m_core->setFrozen(true);
    m_rtu = std::make_unique<QModbusRtuDriveServer>(m_drives.get());
    QString error;
    QVERIFY2(m_rtu->open(m_dir.filePath("drive"), 115200, QSerialPort::EvenParity, &error),
             qPrintable(error));
    QDriveLinkSettings settings =
        QDriveLinkSettings::rtu(m_dir.filePath("master"), 115200, QDriveLinkSettings::ParityEven, 7);
    settings.timeoutMs = 200;
    m_link = std::make_unique<QModbusDriveLink>(m_model, settings);
    QTRY_VERIFY_WITH_TIMEOUT(m_link->isOnline(), 5000);
}

void tst_QModbusRtuLink::cleanup()
{
    m_link.reset();
    m_rtu.reset();
    m_drives.reset();
}

QDriveValueList tst_QModbusRtuLink::ask(const QDriveValueList& items, bool write)
{
    QSignalSpy spy(m_link.get(), write ? SIGNAL(writeFinished(quint32, QDriveValueList, qint64))
                                       : SIGNAL(readFinished(quint32, QDriveValueList)));
    const quint32 id = write ? m_link->requestWrite(items) : m_link->requestRead(items);
    return spy.wait(5000) && spy.at(0).at(0).toUInt() == id ? spy.at(0).at(1).value<QDriveValueList>()
                                                            : QDriveValueList();
}

void tst_QModbusRtuLink::valuesRoundTripOnEveryAxis()
{
    for (int axis = 0; axis < 3; ++axis) {
        QCOMPARE(write({QDriveValueItem("P00.13", axis, -999999999999LL + axis)}).value(0).error,
                 int(QDriveLink::LINK_OK));
        QCOMPARE(m_core->rawValue("P00.13", axis), -999999999999LL + axis);
    }
    const QDriveValueList answer =
        read({QDriveValueItem("P00.13", 0), QDriveValueItem("P00.13", 1), QDriveValueItem("P00.13", 2)});
    QCOMPARE(answer.size(), 3);
    for (int axis = 0; axis < 3; ++axis) {
        QCOMPARE(answer.at(axis).error, int(QDriveLink::LINK_OK));
        QCOMPARE(answer.at(axis).value, -999999999999LL + axis);
    }
}

void tst_QModbusRtuLink::lateReplyIsNotTakenForTheNext()
{
    // RTU frames carry no transaction number: the link keeps the line quiet after a timeout so that
    // a late reply finds no request waiting.
    m_core->setRawValue("P00.02", 0, 1111);
    QDriveFaultSwitches switches;
    switches.lateEvery = 1;
    switches.lateByMs = 300;
    m_core->setFaultSwitches(switches);
    QCOMPARE(read({QDriveValueItem("P00.02", 0)}).value(0).error, int(QDriveLink::LINK_ERR_TIMEOUT));
    m_core->setFaultSwitches(QDriveFaultSwitches());
    const QDriveValueItem next = read({QDriveValueItem("P00.03", 0)}).value(0);
    QCOMPARE(next.error, int(QDriveLink::LINK_OK));
    QCOMPARE(next.value, qint64(0));
}

void tst_QModbusRtuLink::exceptionsArriveAsLinkErrors()
{
    const QDriveValueList answer =
        write({QDriveValueItem("P00.02", 1, 6001), QDriveValueItem("P00.07", 1, 1)});
    QCOMPARE(answer.size(), 2);
    QCOMPARE(answer.at(0).error, int(QDriveLink::LINK_ERR_RANGE));
    QCOMPARE(answer.at(1).error, int(QDriveLink::LINK_ERR_READ_ONLY));
    QCOMPARE(m_core->rawValue("P00.02", 1), qint64(3000));
}

QTEST_MAIN(tst_QModbusRtuLink)
#include "tst_QModbusRtuLink.moc"
