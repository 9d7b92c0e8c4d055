#pragma once

#include "tagProjectDevice.h"

#include <QCoreApplication>
#include <QJsonObject>
#include <QList>
#include <QStringList>

class QJsonValue;

// Reads the contents of a project file (JSON, "format": 1) into device entries. It trusts nothing in the
// file: an entry that cannot be used is skipped with a problem that names the entry and what is wrong,
// and numbers out of range are brought into range with a line in the log.
class QProjectFileReader
{
    Q_DECLARE_TR_FUNCTIONS(QProjectFileReader)

public:
    // Ranges of the numbers of an entry, in milliseconds.
    static constexpr int kMinTimeoutMs = 50;
    static constexpr int kMaxTimeoutMs = 60000;
    static constexpr int kMaxRefreshIntervalMs = 3600000;
    static constexpr int kMaxReplyDelayMs = 60000;

    // False when the bytes are no project file at all; the file's name is only used in messages.
    bool read(const QByteArray& bytes, const QString& fileName);
    QList<tagProjectDevice> devices() const { return m_devices; }
    // One text per skipped entry or unusable part; empty when everything was read.
    QStringList problems() const { return m_problems; }
    // Why read() returned false.
    QString error() const { return m_error; }
    // "Drive entry 2 (SD110)" or "Drive entry 2", for messages about an entry.
    static QString entryName(int entry, const QString& alias);

private:
    void readDevices(const QJsonValue& devices);
    bool readEntry(const QJsonValue& value, int entry, tagProjectDevice* device);
    int boundedInt(const QJsonObject& obj, const QString& key, int low, int high,
                   const tagProjectDevice& device, bool* given);
    // What kind of JSON value it is, for messages ("a text", "a list", "missing").
    static QString typeName(const QJsonValue& value);

    QString m_fileName;
    QList<tagProjectDevice> m_devices;
    QStringList m_problems;
    QString m_error;
};
