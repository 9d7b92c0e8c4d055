#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The entry points of the fuzz targets. A target's source registers its entry with SERVO_FUZZ_TARGET; the
// libFuzzer executable of the target hands every input to it, and the corpus replay suite runs every
// corpus file of every target through the same function.
//
// An entry returns false when the reader broke a promise it makes about any input (for example: it
// refused the input without saying why). libFuzzer treats that as a crash; the replay suite as a failure.
class FuzzRegistry
{
public:
    using Entry = bool (*)(const QByteArray& data);
    struct Target
    {
        QString name;
        Entry entry = nullptr;
    };

    static bool add(const char* name, Entry entry);
    static const QVector<Target>& targets();
    // The entry of the named target, or nullptr.
    static Entry find(const QString& name);

private:
    static QVector<Target>& storage();
};

// SERVO_FUZZ_TARGET(drive_model) { ... return true; }  defines and registers the entry of a target; the
// name is the target's folder under fuzz/ (its corpus is fuzz/<name>/corpus). The body sees `data`.
#define SERVO_FUZZ_TARGET(name)                                                                              \
    static bool servoFuzzEntry_##name(const QByteArray& data);                                               \
    static const bool servoFuzzRegistered_##name = FuzzRegistry::add(#name, servoFuzzEntry_##name);          \
    static bool servoFuzzEntry_##name(const QByteArray& data)
