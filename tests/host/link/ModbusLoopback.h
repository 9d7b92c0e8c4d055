#pragma once

#include "QModbusDriveLink.h"
#include "QModbusDriveServer.h"
#include "QModbusTcpDriveServer.h"
#include "QSimulatedDriveCore.h"

#include <QSignalSpy>
#include <QTest>
#include <memory>

// A simulated drive served on 127.0.0.1 at a free port, and a Modbus link to it, for tests.
class ModbusLoopback
{
public:
    explicit ModbusLoopback(const QDriveModelPtr& model, int unit = 1, int timeoutMs = 150)
    {
        core = drives.addDrive(model, unit);
        tcp = std::make_unique<QModbusTcpDriveServer>(&drives);
        tcp->listen(QHostAddress::LocalHost, 0);
        port = tcp->port();
        QDriveLinkSettings settings = QDriveLinkSettings::tcp(QStringLiteral("127.0.0.1"), port, unit);
        settings.timeoutMs = timeoutMs;
        link = std::make_unique<QModbusDriveLink>(model, settings);
    }

    bool waitOnline(int timeoutMs = 5000)
    {
        if (!QTest::qWaitFor([this]() { return link->isOnline(); }, timeoutMs)) {
            return false;
        }
        drives.resetCounters();
        return true;
    }

    QDriveValueList read(const QDriveValueList& items)
    {
        QSignalSpy spy(link.get(), &QDriveLink::readFinished);
        const quint32 id = link->requestRead(items);
        return answerOf(spy, id);
    }

    QDriveValueList write(const QDriveValueList& items)
    {
        QSignalSpy spy(link.get(), &QDriveLink::writeFinished);
        const quint32 id = link->requestWrite(items);
        return answerOf(spy, id);
    }

    // Waits for the command's answer; -1 when none came.
    int command(quint32 id)
    {
        QSignalSpy spy(link.get(), &QDriveLink::commandFinished);
        if (!spy.wait(5000) || spy.at(0).at(0).toUInt() != id) {
            return -1;
        }
        return spy.at(0).at(1).toInt();
    }

    QModbusDriveServer drives;
    QSimulatedDriveCore* core = nullptr;
    std::unique_ptr<QModbusTcpDriveServer> tcp;
    std::unique_ptr<QModbusDriveLink> link;
    quint16 port = 0;

private:
    static QDriveValueList answerOf(QSignalSpy& spy, quint32 id)
    {
        if ((spy.isEmpty() && !spy.wait(5000)) || spy.at(0).at(0).toUInt() != id) {
            return {};
        }
        return spy.at(0).at(1).value<QDriveValueList>();
    }
};
