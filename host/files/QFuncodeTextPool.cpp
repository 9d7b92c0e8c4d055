#include "QFuncodeTextPool.h"

#include "QFuncodeFileLayout_Servo.h"

#include <algorithm>
#include <cstring>

namespace {
// Four UTF-16 units at a time, each word mixed in by a multiplication, and the bits folded down at the
// end (the table's index is taken from the low ones): short texts, so a hash that inlines and does not
// wait on each character. A text of four units or more ends with its last four, overlapping the word
// before them, rather than with a unit at a time.
uint hashOf(const QChar* data, int size)
{
    const quint64 k = 0x9E3779B97F4A7C15ull;
    const auto word = [data](int at) {
        quint64 value;
        std::memcpy(&value, data + at, sizeof(value));
        return value;
    };
    quint64 h = quint64(size) * k;
    if (size >= 4) {
        for (int i = 0; i + 4 < size; i += 4) {
            h = (h ^ word(i)) * k;
        }
        h = (h ^ word(size - 4)) * k;
    } else if (size > 0) {
        quint64 tail = 0;
        for (int i = 0; i < size; ++i) {
            tail |= quint64(data[i].unicode()) << (16 * i);
        }
        h = (h ^ tail) * k;
    }
    h = (h ^ (h >> 32)) * k;
    return uint(h >> 32);
}

// Asked for each text of a run looked up: inline.
Q_ALWAYS_INLINE bool sameText(const QString& text, const QChar* data, int size)
{
    return text.size() == size && QFuncodeFileLayout_Servo::sameChars(data, text.constData(), size);
}

// The views one comma apart in one text: then the run from the first to the last is one view.
bool isRun(const QStringRef* views, int count)
{
    for (int i = 1; i < count; ++i) {
        const QStringRef& before = views[i - 1];
        if (views[i].string() != before.string() ||
            views[i].position() != before.position() + before.size() + 1) {
            return false;
        }
    }
    return count > 0 && views[0].string();
}
} // namespace

template <typename Entry, typename Same>
Entry* QFuncodeTextPool::find(Table<Entry>* table, uint hash, Same same)
{
    if (table->entries.isEmpty()) {
        table->entries.resize(256);
    }
    // At most half full, so that a probe ends soon on a free entry.
    if (2 * (table->count + 1) > table->entries.size() && table->count < kMaxEntries) {
        grow(table);
    }
    const int mask = table->entries.size() - 1;
    Entry* entries = table->entries.data();
    for (int i = int(hash) & mask;; i = (i + 1) & mask) {
        Entry& entry = entries[i];
        if (entry.isFree()) {
            return table->count < kMaxEntries ? &entry : nullptr;
        }
        if (entry.hash == hash && same(entry)) {
            return &entry;
        }
    }
}

template <typename Entry>
void QFuncodeTextPool::grow(Table<Entry>* table)
{
    QVector<Entry> old(table->entries.size() * 2);
    old.swap(table->entries);
    const int mask = table->entries.size() - 1;
    Entry* entries = table->entries.data();
    for (Entry& entry : old) {
        if (entry.isFree()) {
            continue;
        }
        int i = int(entry.hash) & mask;
        while (!entries[i].isFree()) {
            i = (i + 1) & mask;
        }
        std::swap(entries[i], entry);
    }
}

QString QFuncodeTextPool::text(const QStringRef& view)
{
    const int size = view.size();
    if (size == 0 || size > kMaxChars) {
        return view.toString();
    }
    const QChar* data = view.unicode();
    const uint hash = hashOf(data, size);
    TextEntry* entry = find(&m_texts, hash, [&](const TextEntry& e) { return sameText(e.text, data, size); });
    if (!entry) {
        return view.toString();
    }
    if (entry->isFree()) {
        entry->hash = hash;
        entry->text = QString(data, size);
        ++m_texts.count;
    }
    return entry->text;
}

QStringList QFuncodeTextPool::texts(const QStringRef* views, int count)
{
    const QStringRef& last = views[qMax(count, 1) - 1];
    const int size = count > 0 ? last.position() + last.size() - views[0].position() : 0;
    if (!isRun(views, count) || size > kMaxChars) {
        QStringList list;
        list.reserve(count);
        for (int i = 0; i < count; ++i) {
            list.append(text(views[i]));
        }
        return list;
    }
    // The run's text and where its commas are: "1,2" of one text is not "1" and "2" of two.
    const uint hash = hashOf(views[0].unicode(), size) ^ uint(count);
    const auto same = [&](const RunEntry& e) {
        if (e.list.size() != count) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            if (!sameText(e.list.at(i), views[i].unicode(), views[i].size())) {
                return false;
            }
        }
        return true;
    };
    RunEntry* entry = find(&m_runs, hash, same);
    if (entry && !entry->isFree()) {
        return entry->list;
    }
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        list.append(text(views[i]));
    }
    if (entry) {
        entry->hash = hash;
        entry->list = list;
        ++m_runs.count;
    }
    return list;
}
