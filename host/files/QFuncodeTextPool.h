#pragma once

#include <QString>
#include <QStringList>
#include <QStringRef>
#include <QVector>

// Texts that repeat across the lines of a file (group names, value texts such as "0", "1.00" or an
// enumerated item, and whole runs of them: the texts of a code's axes) made once and shared: a text is
// looked up by its view, and one seen before comes back as the same QString (or QStringList), so that the
// records share one copy instead of each allocating its own.
//
// Only short texts are kept, and at most kMaxEntries of each kind: a longer or a later one is still given
// back, as a copy of its own.
class QFuncodeTextPool
{
public:
    static const int kMaxChars = 48;
    static const int kMaxEntries = 1 << 14;

    QString text(const QStringRef& view);
    // The texts of count views. Views one comma apart in one text, as the fields of a line are, are looked
    // up as one run, and the list of an equal run is shared.
    QStringList texts(const QStringRef* views, int count);

private:
    struct TextEntry
    {
        uint hash = 0;
        QString text; // null: a free entry
        bool isFree() const { return text.isNull(); }
    };
    // A run is told by its texts: a key of its own would cost an allocation and a look at one more block.
    struct RunEntry
    {
        uint hash = 0;
        QStringList list; // empty: a free entry
        bool isFree() const { return list.isEmpty(); }
    };
    template <typename Entry>
    struct Table
    {
        QVector<Entry> entries;
        int count = 0;
    };

    // The entry equal by same, or the free entry where it goes; null when the table is full.
    template <typename Entry, typename Same>
    static Entry* find(Table<Entry>* table, uint hash, Same same);
    template <typename Entry>
    static void grow(Table<Entry>* table);

    Table<TextEntry> m_texts;
    Table<RunEntry> m_runs;
};
