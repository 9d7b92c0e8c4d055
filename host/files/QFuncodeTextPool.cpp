#include "QFuncodeTextPool.h"

#include <algorithm>

namespace {
// FNV-1a over the UTF-16 units: short texts, so a simple hash that inlines.
uint hashOf(const QChar* data, int size)
{
    uint h = 2166136261u;
    for (int i = 0; i < size; ++i) {
        h = (h ^ data[i].unicode()) * 16777619u;
    }
    return h;
}

bool sameText(const QString& text, const QChar* data, int size)
{
    return text.size() == size && std::equal(data, data + size, text.constData());
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

template <typename Same>
QFuncodeTextPool::Entry* QFuncodeTextPool::find(Table* table, uint hash, Same same)
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
        if (entry.key.isNull()) {
            return table->count < kMaxEntries ? &entry : nullptr;
        }
        if (entry.hash == hash && same(entry)) {
            return &entry;
        }
    }
}

void QFuncodeTextPool::grow(Table* table)
{
    QVector<Entry> old(table->entries.size() * 2);
    old.swap(table->entries);
    const int mask = table->entries.size() - 1;
    Entry* entries = table->entries.data();
    for (Entry& entry : old) {
        if (entry.key.isNull()) {
            continue;
        }
        int i = int(entry.hash) & mask;
        while (!entries[i].key.isNull()) {
            i = (i + 1) & mask;
        }
        entries[i].hash = entry.hash;
        entries[i].key.swap(entry.key);
        entries[i].list.swap(entry.list);
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
    Entry* entry = find(&m_texts, hash, [&](const Entry& e) { return sameText(e.key, data, size); });
    if (!entry) {
        return view.toString();
    }
    if (entry->key.isNull()) {
        entry->hash = hash;
        entry->key = QString(data, size);
        ++m_texts.count;
    }
    return entry->key;
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
    const QChar* data = views[0].unicode();
    const uint hash = hashOf(data, size) ^ uint(count);
    const auto same = [&](const Entry& e) {
        if (e.list.size() != count || !sameText(e.key, data, size)) {
            return false;
        }
        for (int i = 0; i < count; ++i) {
            if (e.list.at(i).size() != views[i].size()) {
                return false;
            }
        }
        return true;
    };
    Entry* entry = find(&m_runs, hash, same);
    if (entry && !entry->key.isNull()) {
        return entry->list;
    }
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i) {
        list.append(text(views[i]));
    }
    if (entry) {
        entry->hash = hash;
        entry->key = QString(data, size);
        entry->list = list;
        ++m_runs.count;
    }
    return list;
}
