#pragma once

#include "DeviceInfo.h"
#include "tagHisFaultFormat_Servo.h"
#include "tagSubFuncode_Servo.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QSharedPointer>
#include <QString>
#include <QStringList>

// A fault code that a drive model can report.
struct QDriveFaultDef
{
    QString code;
    QString name;
    QString reason;
    QString remedy;
    bool canClear = true;
    bool stopNow = false;
    bool history = true;
};

// How the simulated drive moves a state value over time (shown units).
struct QDriveSimDef
{
    enum Kind
    {
        None,
        Const,
        Sine,
        Ramp,
        Noise,
        Clock
    };
    Kind kind = None;
    double base = 0.0;
    double amp = 0.0;
    double periodS = 10.0;
};

// After source is written, target changes: by table (source raw value -> target shown value) or
// linearly (target = source * scale + offset, shown units).
struct QDriveEffectDef
{
    QString source;
    QString target;
    QMap<qint64, QString> table;
    bool linear = false;
    double scale = 1.0;
    double offset = 0.0;
};

struct QDriveGroupDef
{
    QString name;
    bool isState = false;
    QList<int> codeRows; // positions in QDriveModel::codes
};

// One drive model description, parsed from its JSON file, with its texts in one language. Immutable once
// loaded.
class QDriveModel
{
public:
    // Registers from here on are the drive's command and status area on a bus link; codes lie below.
    static const int kReservedRegisterStart = 0xF000;

    // The languages every text of a description is written in ("en" first); each text is an object with
    // one member per language. A description lacking a text in one of them is refused.
    static const QStringList& languages();
    // language, when it is one of languages(); "en" otherwise.
    static QString knownLanguage(const QString& language);

    // The description with its texts in language (see knownLanguage).
    static QSharedPointer<QDriveModel> fromJson(const QByteArray& json, QString* error,
                                                const QString& language = QStringLiteral("en"));
    static QSharedPointer<QDriveModel> load(const QString& path, QString* error,
                                            const QString& language = QStringLiteral("en"));

    QString language; // of the texts: names, titles, items, remarks, fault and history texts
    QString modelName;
    QString configVersion;
    int axisNum = 1;
    QString identFamily;
    QString identFirmware;
    int identNumber = 0;
    QStringList renamedFrom;
    QString motorTypeCode;
    QString osciFirstCode;
    QStringList osciNoEditCodes;
    QString sourcePath;

    QList<tagSubFuncode_Servo> codes;  // in file order
    QList<QDriveGroupDef> groups;      // in file order
    QHash<QString, QDriveSimDef> sims; // state code -> simulation
    QList<QDriveEffectDef> effects;
    QList<QDriveFaultDef> faults;
    QHisFaultFormatList_Servo historyFormat;

    // Position of a code in codes, or -1.
    int indexOf(const QString& funIndex) const { return m_index.value(funIndex, -1); }
    const tagSubFuncode_Servo* code(const QString& funIndex) const;
    const QDriveFaultDef* fault(const QString& code) const;
    int codeCount() const { return codes.size(); }

    // Rebuilds the look-up of codes and faults after codes or faults changed.
    void rebuildIndex();

private:
    QHash<QString, int> m_index;
    QHash<QString, int> m_faultIndex;
};

typedef QSharedPointer<const QDriveModel> QDriveModelPtr;
