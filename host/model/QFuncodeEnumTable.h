#pragma once

#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVector>

// The items of an enumerated code ("value:label", one per line), taken apart once: value -> item text in
// the description's language, and text -> value for the item texts and labels of every language the
// description holds, so that a file written in one language reads in the other. The drive model makes one
// per enumerated code when it reads its description; QFuncodeScaling uses it instead of taking the items
// apart on every call.
class QFuncodeEnumTable
{
public:
    // items: the enumerated text shown; otherItems: the same items in the other languages, line for line.
    explicit QFuncodeEnumTable(const QString& items, const QStringList& otherItems = QStringList());

    // The enumerated text the table was made from (shared with the description that holds it).
    const QString& source() const { return m_source; }
    int count() const { return m_items.size(); }
    // Position of the item of value, or -1.
    int positionOfValue(qint64 value) const;
    const QString& itemText(int position) const { return m_items.at(position).text; }
    qint64 itemValue(int position) const { return m_items.at(position).value; }
    // The item text of value in the description's language, or null.
    const QString* textOf(qint64 value) const;
    // The value of a whole item text or of a label alone (blanks around it ignored), in any language.
    bool valueOf(const QStringRef& text, qint64* value) const;

    // The value before an item's colon (':' or the full-width one).
    static bool headValue(const QStringRef& item, qint64* value);

private:
    struct Item
    {
        qint64 value = 0;
        bool hasValue = false;
        QString text;
    };
    struct Key
    {
        qint64 value = 0;
        QString text;
        bool label = false; // the text after the colon
    };

    void addKeys(const QString& items);

    QString m_source;
    QVector<Item> m_items;
    QVector<Key> m_keys;
};

typedef QSharedPointer<const QFuncodeEnumTable> QFuncodeEnumTablePtr;
