#include "QDriveModel.h"

#include "QFuncodeScaling.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegExp>
#include <QSet>

#include <cmath>

namespace {

// Reads one description; every error names the place in the file.
class ModelReader
{
public:
    ModelReader(QDriveModel& model, const QString& language)
        : m(model), m_language(qMax(0, QDriveModel::languages().indexOf(language)))
    {
        m.language = QDriveModel::languages().at(m_language);
    }

    bool read(const QJsonObject& root);
    QString error;

private:
    bool fail(const QString& where, const QString& what)
    {
        error = where.isEmpty() ? what : QStringLiteral("%1: %2").arg(where, what);
        return false;
    }
    // A text shown to the user: an object with a non-empty text per language. texts gets them in the
    // order of QDriveModel::languages(); the error names the place and the member (what).
    bool texts(const QJsonValue& value, const QString& where, const QString& what, QStringList* texts);
    // The text of the model's language; an absent optional member gives an empty text.
    bool text(const QJsonObject& obj, const char* key, const QString& where, bool required, QString* text);
    // Texts that start with a value (an item "1:Speed", a group name "P00 Basic") start with the same one
    // in every language.
    bool sameHead(const QStringList& texts, QChar separator, const QString& where, const QString& what);
    bool readIdentity(const QJsonObject& root);
    bool readGroups(const QJsonArray& groups, const QJsonObject& enums);
    bool readCode(const QJsonObject& obj, const QString& groupWhere, const QString& groupName, bool isState,
                  int groupOrdinal, int position, int registerOffset, const QJsonObject& enums,
                  tagSubFuncode_Servo* fun);
    bool checkRegisters();
    bool readValueList(const QJsonObject& obj, const QJsonObject& enums, const QString& where,
                       tagSubFuncode_Servo* fun);
    bool checkRange(const tagSubFuncode_Servo& fun, const QString& where);
    bool describedRaw(const tagSubFuncode_Servo& fun, const char* key, const QString& text,
                      const QString& where, qint64* raw);
    // A member that must be a list when present; false, with the error, when it is another kind.
    bool listMember(const QJsonObject& obj, const char* key, const QString& where, QJsonArray* list);
    // A whole number member, or fallback when it is missing.
    bool intMember(const QJsonObject& obj, const char* key, int fallback, const QString& where, int* value);
    bool readSim(const QJsonObject& obj, const QString& funIndex);
    bool readEffects(const QJsonArray& effects);
    bool readFaults(const QJsonArray& faults);
    bool readHistoryFormat(const QJsonArray& rows);
    bool checkReferences();

    QDriveModel& m;
    int m_language = 0; // position in QDriveModel::languages()
};

QString textOf(const QJsonValue& v)
{
    if (v.isString()) {
        return v.toString();
    }
    if (v.isDouble()) {
        // Whole numbers within 2^53 are written out; anything else (fractions, 1e308) in exponent form.
        const double d = v.toDouble();
        const bool whole = std::fabs(d) < 9.0e15 && d == std::floor(d);
        return whole ? QString::number(static_cast<qint64>(d)) : QString::number(d, 'g', 15);
    }
    return QString();
}

// What kind of JSON value a member is, for messages.
QString kindOf(const QJsonValue& v)
{
    switch (v.type()) {
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Bool:
        return QStringLiteral("true or false");
    case QJsonValue::Double:
        return QStringLiteral("a number");
    case QJsonValue::String:
        return QStringLiteral("a text");
    case QJsonValue::Array:
        return QStringLiteral("a list");
    case QJsonValue::Object:
        return QStringLiteral("an object");
    case QJsonValue::Undefined:
        break;
    }
    return QStringLiteral("missing");
}

bool ModelReader::texts(const QJsonValue& value, const QString& where, const QString& what,
                        QStringList* texts)
{
    const QStringList& languages = QDriveModel::languages();
    if (!value.isObject()) {
        return fail(where, QStringLiteral("%1 is %2, not a text per language (\"%3\": ...)")
                               .arg(what, kindOf(value), languages.join(QLatin1String("\": ..., \""))));
    }
    const QJsonObject obj = value.toObject();
    for (auto it = obj.begin(); it != obj.end(); ++it) {
        if (!languages.contains(it.key())) {
            return fail(where,
                        QStringLiteral("%1 has a text in the unknown language \"%2\"").arg(what, it.key()));
        }
    }
    texts->clear();
    for (const QString& language : languages) {
        const QJsonValue member = obj.value(language);
        if (!member.isString() || member.toString().trimmed().isEmpty()) {
            return fail(where, QStringLiteral("%1 has no \"%2\" text").arg(what, language));
        }
        texts->append(member.toString());
    }
    return true;
}

bool ModelReader::text(const QJsonObject& obj, const char* key, const QString& where, bool required,
                       QString* text)
{
    const QJsonValue value = obj.value(QLatin1String(key));
    text->clear();
    if (value.isUndefined() && !required) {
        return true;
    }
    QStringList all;
    if (!texts(value, where, QStringLiteral("\"%1\"").arg(QLatin1String(key)), &all)) {
        return false;
    }
    *text = all.at(m_language);
    return true;
}

bool ModelReader::sameHead(const QStringList& texts, QChar separator, const QString& where,
                           const QString& what)
{
    const QString head = texts.constFirst().section(separator, 0, 0).trimmed();
    for (int i = 1; i < texts.size(); ++i) {
        if (texts.at(i).section(separator, 0, 0).trimmed() != head) {
            return fail(where, QStringLiteral("%1 starts with \"%2\" in \"%3\" but with \"%4\" in \"%5\"")
                                   .arg(what, head, QDriveModel::languages().constFirst(),
                                        texts.at(i).section(separator, 0, 0).trimmed(),
                                        QDriveModel::languages().at(i)));
        }
    }
    return true;
}

bool ModelReader::read(const QJsonObject& root)
{
    if (root.value(QStringLiteral("format")).toInt(0) != 1) {
        return fail(QString(), QStringLiteral("unknown format (expected \"format\": 1)"));
    }
    if (!readIdentity(root)) {
        return false;
    }
    QJsonArray groups;
    if (!listMember(root, "groups", QString(), &groups) ||
        !readGroups(groups, root.value(QStringLiteral("enums")).toObject())) {
        return false;
    }
    m.rebuildIndex();
    return readEffects(root.value(QStringLiteral("effects")).toArray()) &&
           readFaults(root.value(QStringLiteral("faults")).toArray()) &&
           readHistoryFormat(root.value(QStringLiteral("historyFormat")).toArray()) && checkReferences();
}

bool ModelReader::readIdentity(const QJsonObject& root)
{
    m.modelName = root.value(QStringLiteral("model")).toString().trimmed();
    if (m.modelName.isEmpty()) {
        return fail(QString(), QStringLiteral("\"model\" is missing"));
    }
    m.configVersion = textOf(root.value(QStringLiteral("configVersion")));
    m.axisNum = root.value(QStringLiteral("axisNum")).toInt(0);
    if (m.axisNum < 1 || m.axisNum > 3) {
        return fail(QString(), QStringLiteral("\"axisNum\" must be 1, 2 or 3"));
    }
    const QJsonObject identity = root.value(QStringLiteral("identity")).toObject();
    m.identFamily = identity.value(QStringLiteral("family")).toString();
    m.identFirmware = identity.value(QStringLiteral("firmware")).toString();
    m.identNumber = identity.value(QStringLiteral("number")).toInt();
    const QJsonArray renamed = root.value(QStringLiteral("renamedFrom")).toArray();
    for (const QJsonValue& v : renamed) {
        m.renamedFrom.append(v.toString());
    }
    m.motorTypeCode = root.value(QStringLiteral("motorTypeCode")).toString();
    const QJsonObject osci = root.value(QStringLiteral("oscilloscope")).toObject();
    m.osciFirstCode = osci.value(QStringLiteral("firstCode")).toString();
    const QJsonArray noEdit = osci.value(QStringLiteral("noEditCodes")).toArray();
    for (const QJsonValue& v : noEdit) {
        m.osciNoEditCodes.append(v.toString());
    }
    return true;
}

bool ModelReader::readGroups(const QJsonArray& groups, const QJsonObject& enums)
{
    if (groups.isEmpty()) {
        return fail(QString(), QStringLiteral("\"groups\" is missing or empty"));
    }
    QSet<QString> numbers;
    for (int g = 0; g < groups.size(); ++g) {
        if (!groups.at(g).isObject()) {
            return fail(QStringLiteral("group %1").arg(g + 1),
                        QStringLiteral("is %1, not an object").arg(kindOf(groups.at(g))));
        }
        const QJsonObject obj = groups.at(g).toObject();
        QDriveGroupDef group;
        QStringList names;
        if (!texts(obj.value(QStringLiteral("name")), QStringLiteral("group %1").arg(g + 1),
                   QStringLiteral("\"name\""), &names) ||
            !sameHead(names, QLatin1Char(' '), QStringLiteral("group %1").arg(g + 1),
                      QStringLiteral("the name"))) {
            return false;
        }
        group.name = names.at(m_language).trimmed();
        group.isState = obj.value(QStringLiteral("state")).toBool(false);
        // Messages name the group in the first language, whichever language the model is read in.
        const QString where = QStringLiteral("group %1").arg(names.constFirst().trimmed());
        QJsonArray codes;
        if (!obj.contains(QStringLiteral("codes"))) {
            return fail(where, QStringLiteral("the group has no \"codes\""));
        }
        if (!listMember(obj, "codes", where, &codes)) {
            return false;
        }
        int registerOffset = 0;
        for (int c = 0; c < codes.size(); ++c) {
            if (!codes.at(c).isObject()) {
                return fail(where, QStringLiteral("code %1 of the group is %2, not an object")
                                       .arg(c + 1)
                                       .arg(kindOf(codes.at(c))));
            }
            tagSubFuncode_Servo fun;
            if (!readCode(codes.at(c).toObject(), where, group.name, group.isState, g, c, registerOffset,
                          enums, &fun)) {
                return false;
            }
            registerOffset += QFuncodeScaling::dataTypeBits(fun.dataType) / 16;
            if (numbers.contains(fun.funIndex)) {
                return fail(where, QStringLiteral("code %1 is listed twice").arg(fun.funIndex));
            }
            numbers.insert(fun.funIndex);
            group.codeRows.append(m.codes.size());
            m.codes.append(fun);
        }
        m.groups.append(group);
    }
    if (m.codes.isEmpty()) {
        return fail(QString(),
                    QStringLiteral("no group has a function code (every \"codes\" list is empty)"));
    }
    return checkRegisters();
}

// Every register belongs to one code at most, below the drive's command and status area.
bool ModelReader::checkRegisters()
{
    QHash<int, int> owner; // register -> row
    for (int row = 0; row < m.codes.size(); ++row) {
        const tagSubFuncode_Servo& fun = m.codes.at(row);
        const int count = QFuncodeScaling::dataTypeBits(fun.dataType) / 16;
        const QString where = QStringLiteral("code %1").arg(fun.funIndex);
        if (fun.modbusAddr < 0 || fun.modbusAddr + count > QDriveModel::kReservedRegisterStart) {
            return fail(where, QStringLiteral("register address %1 is outside 0 to %2")
                                   .arg(fun.modbusAddr)
                                   .arg(QDriveModel::kReservedRegisterStart - count));
        }
        for (int r = fun.modbusAddr; r < fun.modbusAddr + count; ++r) {
            const int other = owner.value(r, -1);
            if (other >= 0) {
                return fail(where, QStringLiteral("register %1 is also used by code %2")
                                       .arg(r)
                                       .arg(m.codes.at(other).funIndex));
            }
            owner.insert(r, row);
        }
    }
    return true;
}

bool ModelReader::readCode(const QJsonObject& obj, const QString& groupWhere, const QString& groupName,
                           bool isState, int groupOrdinal, int position, int registerOffset,
                           const QJsonObject& enums, tagSubFuncode_Servo* fun)
{
    const QJsonValue index = obj.value(QStringLiteral("index"));
    fun->funIndex = index.toString().trimmed();
    const QString where =
        QStringLiteral("%1, code %2")
            .arg(groupWhere, fun->funIndex.isEmpty() ? QString::number(position + 1) : fun->funIndex);
    if (!index.isUndefined() && !index.isString()) {
        return fail(where, QStringLiteral("\"index\" is %1 (%2), not a text such as \"P00.01\"")
                               .arg(kindOf(index), textOf(index)));
    }
    if (fun->funIndex.isEmpty()) {
        return fail(where, QStringLiteral("the code has no \"index\""));
    }
    fun->groupCode = fun->funIndex.section(QLatin1Char('.'), 0, 0);
    if (groupName.section(QLatin1Char(' '), 0, 0) != fun->groupCode) {
        return fail(where, QStringLiteral("the number does not start with the group code"));
    }
    fun->groupName = groupName;
    fun->isStateCode = isState;
    if (!text(obj, "name", where, true, &fun->funName) || !text(obj, "remark", where, false, &fun->remark)) {
        return false;
    }
    fun->isCommon = obj.value(QStringLiteral("common")).toBool(false);
    fun->authority = qBound(0, obj.value(QStringLiteral("authority")).toInt(0), 3);
    if (!intMember(obj, "showType", 0, where, &fun->showType) ||
        !intMember(obj, "dataType", 4, where, &fun->dataType) ||
        !intMember(obj, "precision", 0, where, &fun->precision)) {
        return false;
    }
    if (fun->showType < 0 || fun->showType > 10) {
        return fail(where, QStringLiteral("\"showType\" must be 0 to 10"));
    }
    fun->precision = qBound(0, fun->precision, 4);
    fun->unit = obj.value(QStringLiteral("unit")).toString();
    fun->rwLevel = obj.value(QStringLiteral("rw")).toInt(isState ? 0 : 1);
    fun->effectStyle = obj.value(QStringLiteral("effect")).toInt(0);
    fun->isStore = obj.value(QStringLiteral("store")).toBool(!isState);
    const QString relate = obj.value(QStringLiteral("relate")).toString().toUpper();
    fun->relateF = relate.contains(QLatin1Char('F'));
    fun->relateP = relate.contains(QLatin1Char('P'));
    fun->relateS = relate.contains(QLatin1Char('S'));
    fun->relateT = relate.contains(QLatin1Char('T'));
    QStringList related;
    const QJsonArray relatedArray = obj.value(QStringLiteral("relateParams")).toArray();
    for (const QJsonValue& v : relatedArray) {
        related.append(v.toString());
    }
    fun->relateParam = related.join(QLatin1Char(','));
    // Generated addresses: 1024 registers per group, each code after the registers of the one before.
    const int groupNumber = groupOrdinal;
    const int base = (groupOrdinal << 10) + position;
    fun->modbusAddr = obj.value(QStringLiteral("modbus")).toInt((groupOrdinal << 10) + registerOffset);
    fun->canopenAddr = obj.contains(QStringLiteral("canopen"))
                           ? obj.value(QStringLiteral("canopen")).toString()
                           : QStringLiteral("0x%1:%2")
                                 .arg((isState ? 0x3000 : 0x2000) + groupNumber, 4, 16, QLatin1Char('0'))
                                 .arg(position, 2, 16, QLatin1Char('0'))
                                 .toUpper()
                                 .replace(QLatin1String("0X"), QLatin1String("0x"));
    fun->usbCode = obj.contains(QStringLiteral("usb")) ? obj.value(QStringLiteral("usb")).toString()
                                                       : QString::number(base);
    fun->byteLength = QFuncodeScaling::dataTypeBits(fun->dataType) / 8;
    for (const char* key : {"min", "max", "default"}) {
        const QJsonValue value = obj.value(QLatin1String(key));
        if (!value.isString() && !value.isDouble()) {
            return fail(where, QStringLiteral("\"%1\" is %2; it must be a number or a text holding one")
                                   .arg(QLatin1String(key), kindOf(value)));
        }
    }
    fun->minVal = textOf(obj.value(QStringLiteral("min")));
    fun->maxVal = textOf(obj.value(QStringLiteral("max")));
    fun->defaultVal = textOf(obj.value(QStringLiteral("default")));
    if (!readValueList(obj, enums, where, fun)) {
        return false;
    }
    if (!checkRange(*fun, where)) {
        return false;
    }
    if (obj.contains(QStringLiteral("sim"))) {
        return readSim(obj.value(QStringLiteral("sim")).toObject(), fun->funIndex);
    }
    return true;
}

bool ModelReader::readValueList(const QJsonObject& obj, const QJsonObject& enums, const QString& where,
                                tagSubFuncode_Servo* fun)
{
    if (fun->showType == 2) {
        QJsonArray items = obj.value(QStringLiteral("items")).toArray();
        QString list = QStringLiteral("\"items\"");
        const QString name = obj.value(QStringLiteral("enum")).toString();
        if (!name.isEmpty()) {
            if (!enums.contains(name)) {
                return fail(where, QStringLiteral("unknown value list \"%1\"").arg(name));
            }
            items = enums.value(name).toArray();
            list = QStringLiteral("value list \"%1\"").arg(name);
        }
        QStringList lines;
        QVector<QStringList> otherLines(QDriveModel::languages().size());
        for (int i = 0; i < items.size(); ++i) {
            const QString what = QStringLiteral("item %1 of %2").arg(i + 1).arg(list);
            QStringList itemTexts;
            if (!texts(items.at(i), where, what, &itemTexts)) {
                return false;
            }
            for (const QString& itemText : qAsConst(itemTexts)) {
                qint64 value = 0;
                if (!QFuncodeScaling::enumItemValue(itemText, &value)) {
                    return fail(
                        where, QStringLiteral("%1, \"%2\", does not start with a value").arg(what, itemText));
                }
            }
            if (!sameHead(itemTexts, QLatin1Char(':'), where, what)) {
                return false;
            }
            lines.append(itemTexts.at(m_language));
            for (int language = 0; language < itemTexts.size(); ++language) {
                otherLines[language].append(itemTexts.at(language));
            }
        }
        if (lines.isEmpty()) {
            return fail(where, QStringLiteral("an enumerated code needs \"enum\" or \"items\""));
        }
        fun->enumText = lines.join(QLatin1Char('\n'));
        QStringList others;
        for (int language = 0; language < otherLines.size(); ++language) {
            if (language != m_language) {
                others.append(otherLines.at(language).join(QLatin1Char('\n')));
            }
        }
        fun->enumTable = QFuncodeEnumTablePtr::create(fun->enumText, others);
    } else if (fun->showType == 6) {
        const QJsonArray menu = obj.value(QStringLiteral("menu")).toArray();
        QStringList lines;
        for (const QJsonValue& v : menu) {
            const QJsonObject d = v.toObject();
            const int digit = d.value(QStringLiteral("digit")).toInt();
            const QString digitWhere = QStringLiteral("%1, menu digit %2").arg(where).arg(digit);
            QString digitName;
            if (!text(d, "name", digitWhere, true, &digitName)) {
                return false;
            }
            QStringList options;
            const QJsonArray optionList = d.value(QStringLiteral("options")).toArray();
            for (int o = 0; o < optionList.size(); ++o) {
                QStringList optionTexts;
                if (!texts(optionList.at(o), digitWhere, QStringLiteral("option %1").arg(o), &optionTexts)) {
                    return false;
                }
                options.append(optionTexts.at(m_language));
            }
            lines.append(
                QStringLiteral("%1:%2:%3").arg(digit).arg(digitName, options.join(QLatin1Char(';'))));
        }
        if (lines.isEmpty()) {
            return fail(where, QStringLiteral("a menu parameter needs \"menu\""));
        }
        fun->enumText = lines.join(QLatin1Char('\n'));
    }
    return true;
}

bool ModelReader::checkRange(const tagSubFuncode_Servo& fun, const QString& where)
{
    qint64 lo = 0;
    qint64 hi = 0;
    qint64 def = 0;
    if (!describedRaw(fun, "min", fun.minVal, where, &lo) ||
        !describedRaw(fun, "max", fun.maxVal, where, &hi) ||
        !describedRaw(fun, "default", fun.defaultVal, where, &def)) {
        return false;
    }
    if (fun.showType == 4 || fun.showType == 5) {
        return true;
    }
    if (lo > hi || def < lo || def > hi) {
        return fail(where, QStringLiteral("the default must lie between min and max"));
    }
    if (!QFuncodeScaling::isRawInRange(fun, def)) {
        return fail(where, QStringLiteral("the default is not a valid value of the code"));
    }
    return true;
}

// A minimum, maximum or default as a raw value; the error says which one is wrong and how.
bool ModelReader::describedRaw(const tagSubFuncode_Servo& fun, const char* key, const QString& text,
                               const QString& where, qint64* raw)
{
    if (QFuncodeScaling::descriptionToRaw(fun, text, raw)) {
        return true;
    }
    bool isNumber = false;
    const double number = text.trimmed().toDouble(&isNumber);
    if (!isNumber || !std::isfinite(number)) {
        return fail(where, QStringLiteral("\"%1\" is \"%2\", not a number").arg(QLatin1String(key), text));
    }
    if (number != std::floor(number)) {
        return fail(where, QStringLiteral("\"%1\" is %2, but this kind of code takes whole numbers only")
                               .arg(QLatin1String(key), text));
    }
    return fail(where, QStringLiteral("\"%1\" is %2, outside the code's data type (%3 to %4)")
                           .arg(QLatin1String(key), text)
                           .arg(QFuncodeScaling::dataTypeMin(fun.dataType))
                           .arg(QFuncodeScaling::dataTypeMax(fun.dataType)));
}

bool ModelReader::listMember(const QJsonObject& obj, const char* key, const QString& where, QJsonArray* list)
{
    const QJsonValue value = obj.value(QLatin1String(key));
    if (value.isUndefined()) {
        *list = QJsonArray();
        return true;
    }
    if (!value.isArray()) {
        return fail(where, QStringLiteral("\"%1\" is %2, not a list").arg(QLatin1String(key), kindOf(value)));
    }
    *list = value.toArray();
    return true;
}

bool ModelReader::intMember(const QJsonObject& obj, const char* key, int fallback, const QString& where,
                            int* value)
{
    const QJsonValue member = obj.value(QLatin1String(key));
    if (member.isUndefined()) {
        *value = fallback;
        return true;
    }
    const double number = member.toDouble();
    if (!member.isDouble() || number != std::floor(number) || std::fabs(number) > 1.0e9) {
        return fail(where, QStringLiteral("\"%1\" is %2 (%3), not a whole number")
                               .arg(QLatin1String(key), kindOf(member), textOf(member)));
    }
    *value = int(number);
    return true;
}

bool ModelReader::readSim(const QJsonObject& obj, const QString& funIndex)
{
    static const QHash<QString, QDriveSimDef::Kind> kinds = {{QStringLiteral("const"), QDriveSimDef::Const},
                                                             {QStringLiteral("sine"), QDriveSimDef::Sine},
                                                             {QStringLiteral("ramp"), QDriveSimDef::Ramp},
                                                             {QStringLiteral("noise"), QDriveSimDef::Noise},
                                                             {QStringLiteral("clock"), QDriveSimDef::Clock}};
    const QString kind = obj.value(QStringLiteral("kind")).toString();
    if (!kinds.contains(kind)) {
        return fail(QStringLiteral("code %1").arg(funIndex),
                    QStringLiteral("unknown \"sim\" kind \"%1\"").arg(kind));
    }
    QDriveSimDef sim;
    sim.kind = kinds.value(kind);
    sim.base = obj.value(QStringLiteral("base")).toDouble(0.0);
    sim.amp = obj.value(QStringLiteral("amp")).toDouble(0.0);
    sim.periodS = qMax(0.1, obj.value(QStringLiteral("periodS")).toDouble(10.0));
    m.sims.insert(funIndex, sim);
    return true;
}

bool ModelReader::readEffects(const QJsonArray& effects)
{
    for (const QJsonValue& v : effects) {
        const QJsonObject obj = v.toObject();
        QDriveEffectDef effect;
        effect.source = obj.value(QStringLiteral("source")).toString();
        effect.target = obj.value(QStringLiteral("target")).toString();
        const QString where = QStringLiteral("effect %1 -> %2").arg(effect.source, effect.target);
        if (m.indexOf(effect.source) < 0 || m.indexOf(effect.target) < 0) {
            return fail(where, QStringLiteral("names a code the model does not have"));
        }
        const QJsonObject table = obj.value(QStringLiteral("table")).toObject();
        for (auto it = table.begin(); it != table.end(); ++it) {
            bool ok = false;
            const qint64 key = it.key().toLongLong(&ok);
            if (!ok) {
                return fail(where, QStringLiteral("table key \"%1\" is not a number").arg(it.key()));
            }
            effect.table.insert(key, textOf(it.value()));
        }
        effect.linear = obj.contains(QStringLiteral("scale"));
        effect.scale = obj.value(QStringLiteral("scale")).toDouble(1.0);
        effect.offset = obj.value(QStringLiteral("offset")).toDouble(0.0);
        if (effect.table.isEmpty() && !effect.linear) {
            return fail(where, QStringLiteral("needs a \"table\" or a \"scale\""));
        }
        m.effects.append(effect);
    }
    return true;
}

bool ModelReader::readFaults(const QJsonArray& faults)
{
    for (const QJsonValue& v : faults) {
        const QJsonObject obj = v.toObject();
        QDriveFaultDef fault;
        fault.code = obj.value(QStringLiteral("code")).toString();
        if (fault.code.isEmpty()) {
            return fail(QStringLiteral("faults"), QStringLiteral("a fault has no \"code\""));
        }
        const QString where = QStringLiteral("fault %1").arg(fault.code);
        if (!text(obj, "name", where, true, &fault.name) ||
            !text(obj, "reason", where, true, &fault.reason) ||
            !text(obj, "remedy", where, true, &fault.remedy)) {
            return false;
        }
        fault.canClear = obj.value(QStringLiteral("canClear")).toBool(true);
        fault.stopNow = obj.value(QStringLiteral("stopNow")).toBool(false);
        fault.history = obj.value(QStringLiteral("history")).toBool(true);
        m.faults.append(fault);
    }
    return true;
}

bool ModelReader::readHistoryFormat(const QJsonArray& rows)
{
    static const QRegExp numberRe(QString::fromLatin1(tagHisFaultFormat_Servo::numberPattern()));
    for (const QJsonValue& v : rows) {
        const QJsonObject obj = v.toObject();
        tagHisFaultFormat_Servo row;
        row.number = textOf(obj.value(QStringLiteral("number")));
        if (!numberRe.exactMatch(row.number)) {
            return fail(QStringLiteral("historyFormat"), QStringLiteral("bad number \"%1\"").arg(row.number));
        }
        if (!text(obj, "name", QStringLiteral("historyFormat row %1").arg(row.number), true, &row.name)) {
            return false;
        }
        row.dataType = obj.value(QStringLiteral("dataType")).toInt(7);
        row.byteLen = obj.value(QStringLiteral("length")).toInt(4);
        if (row.byteLen < 1 || row.byteLen > 64) {
            return fail(QStringLiteral("historyFormat"),
                        QStringLiteral("length %1 is not 1 to 64").arg(row.byteLen));
        }
        row.param = obj.value(QStringLiteral("param")).toString();
        m.historyFormat.append(row);
    }
    return true;
}

bool ModelReader::checkReferences()
{
    for (const tagSubFuncode_Servo& fun : qAsConst(m.codes)) {
        const QStringList related = fun.relateParam.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& r : related) {
            if (m.indexOf(r) < 0) {
                return fail(QStringLiteral("code %1").arg(fun.funIndex),
                            QStringLiteral("related code %1 does not exist").arg(r));
            }
        }
    }
    if (!m.motorTypeCode.isEmpty() && m.indexOf(m.motorTypeCode) < 0) {
        return fail(QString(), QStringLiteral("\"motorTypeCode\" names an unknown code"));
    }
    if (!m.osciFirstCode.isEmpty() && m.indexOf(m.osciFirstCode) < 0) {
        return fail(QString(), QStringLiteral("\"oscilloscope\" names an unknown code"));
    }
    return true;
}

} // namespace

const QStringList& QDriveModel::languages()
{
    static const QStringList all{QStringLiteral("en"), QStringLiteral("zh_CN")};
    return all;
}

QString QDriveModel::knownLanguage(const QString& language)
{
    return languages().contains(language) ? language : languages().constFirst();
}

void QDriveModel::rebuildIndex()
{
    m_index.clear();
    for (int i = 0; i < codes.size(); ++i) {
        m_index.insert(codes.at(i).funIndex, i);
    }
    m_faultIndex.clear();
    for (int i = 0; i < faults.size(); ++i) {
        m_faultIndex.insert(faults.at(i).code, i);
    }
}

const tagSubFuncode_Servo* QDriveModel::code(const QString& funIndex) const
{
    const int row = indexOf(funIndex);
    return row < 0 ? nullptr : &codes.at(row);
}

const QDriveFaultDef* QDriveModel::fault(const QString& code) const
{
    const int row = m_faultIndex.value(code, -1);
    return row < 0 ? nullptr : &faults.at(row);
}

QSharedPointer<QDriveModel> QDriveModel::fromJson(const QByteArray& json, QString* error,
                                                  const QString& language)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        if (error) {
            *error = doc.isNull() ? QStringLiteral("not valid JSON at offset %1: %2")
                                        .arg(parseError.offset)
                                        .arg(parseError.errorString())
                                  : QStringLiteral("the file does not hold a JSON object");
        }
        return {};
    }
    auto model = QSharedPointer<QDriveModel>::create();
    ModelReader reader(*model, knownLanguage(language));
    if (!reader.read(doc.object())) {
        if (error) {
            *error = reader.error;
        }
        return {};
    }
    model->rebuildIndex();
    return model;
}

QSharedPointer<QDriveModel> QDriveModel::load(const QString& path, QString* error, const QString& language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        }
        return {};
    }
    QString why;
    auto model = fromJson(file.readAll(), &why, language);
    if (!model) {
        if (error) {
            *error = QStringLiteral("%1: %2").arg(path, why);
        }
        return {};
    }
    model->sourcePath = path;
    return model;
}
