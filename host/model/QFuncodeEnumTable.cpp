#include "QFuncodeEnumTable.h"

namespace {
const ushort kFullWidthColon = 0xFF1A;

int colonAt(const QStringRef& item)
{
    for (int i = 0; i < item.size(); ++i) {
        const ushort c = item.at(i).unicode();
        if (c == ':' || c == kFullWidthColon) {
            return i;
        }
    }
    return -1;
}

// Up to 18 digits after an optional sign, read here as toLongLong reads them; anything else is left to it.
bool shortDecimal(const QStringRef& text, qint64* value)
{
    const int size = text.size();
    const bool negative = size > 0 && text.at(0) == QLatin1Char('-');
    int i = (negative || (size > 0 && text.at(0) == QLatin1Char('+'))) ? 1 : 0;
    if (i >= size || size - i > 18) {
        return false;
    }
    qint64 v = 0;
    for (; i < size; ++i) {
        const ushort c = text.at(i).unicode();
        if (c < '0' || c > '9') {
            return false;
        }
        v = v * 10 + (c - '0');
    }
    *value = negative ? -v : v;
    return true;
}
} // namespace

QFuncodeEnumTable::QFuncodeEnumTable(const QString& items, const QStringList& otherItems) : m_source(items)
{
    if (!items.isEmpty()) {
        const QStringList lines = items.split(QLatin1Char('\n'));
        m_items.reserve(lines.size());
        for (const QString& line : lines) {
            Item item;
            item.text = line;
            // An item without a value before its colon keeps its place but is found by no value.
            item.hasValue = headValue(QStringRef(&line), &item.value);
            m_items.append(item);
        }
    }
    addKeys(items);
    for (const QString& other : otherItems) {
        addKeys(other);
    }
}

void QFuncodeEnumTable::addKeys(const QString& items)
{
    if (items.isEmpty()) {
        return;
    }
    const QStringList lines = items.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        Key whole;
        if (!headValue(QStringRef(&line), &whole.value)) {
            continue;
        }
        whole.text = line;
        m_keys.append(whole);
        const int colon = colonAt(QStringRef(&line));
        if (colon < 0) {
            continue;
        }
        Key label;
        label.value = whole.value;
        // Every colon after the first reads as ':'.
        label.text = line.mid(colon + 1).replace(QChar(kFullWidthColon), QLatin1Char(':')).trimmed();
        label.label = true;
        m_keys.append(label);
    }
}

bool QFuncodeEnumTable::headValue(const QStringRef& item, qint64* value)
{
    const int colon = colonAt(item);
    const QStringRef head = (colon < 0 ? item : item.left(colon)).trimmed();
    qint64 v = 0;
    bool ok = shortDecimal(head, &v);
    if (!ok) {
        v = head.toLongLong(&ok);
    }
    if (ok && value) {
        *value = v;
    }
    return ok;
}

int QFuncodeEnumTable::positionOfValue(qint64 value) const
{
    for (int i = 0; i < m_items.size(); ++i) {
        if (m_items.at(i).hasValue && m_items.at(i).value == value) {
            return i;
        }
    }
    return -1;
}

const QString* QFuncodeEnumTable::textOf(qint64 value) const
{
    const int position = positionOfValue(value);
    return position < 0 ? nullptr : &m_items.at(position).text;
}

bool QFuncodeEnumTable::valueOf(const QStringRef& text, qint64* value) const
{
    const QStringRef trimmed = text.trimmed();
    // Whole items first: a label may read like another item.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Key& key : m_keys) {
            if (key.label != (pass == 1) || key.text.size() != trimmed.size() || key.text != trimmed) {
                continue;
            }
            if (value) {
                *value = key.value;
            }
            return true;
        }
    }
    return false;
}
