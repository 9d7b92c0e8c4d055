#pragma once

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>

// Files made and inspected behind the back of the classes under test: whole contents, random bytes, and
// SQL run on a file as another program would.
namespace FileFixtures {

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

inline QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = char(generator.bounded(256));
    }
    return bytes;
}

// Runs statements on the file through a private connection; value receives the first value of the last
// statement's result.
inline bool runSql(const QString& path, const QStringList& statements, QVariant* value = nullptr)
{
    const QString name = QStringLiteral("test-raw-connection");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            ok = ok && query.exec(statement);
        }
        if (ok && value && query.next()) {
            *value = query.value(0);
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

} // namespace FileFixtures
