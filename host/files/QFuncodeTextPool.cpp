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
} // namespace

QString QFuncodeTextPool::text(const QStringRef& view)
{
    const int size = view.size();
    if (size == 0 || size > kMaxChars) {
        return view.toString();
    }
    if (m_slots.isEmpty()) {
        m_slots.resize(256);
    }
    const QChar* data = view.unicode();
    const uint hash = hashOf(data, size);
    const int mask = m_slots.size() - 1;
    Slot* cells = m_slots.data();
    for (int i = int(hash) & mask;; i = (i + 1) & mask) {
        Slot& slot = cells[i];
        if (slot.text.isNull()) {
            break;
        }
        if (slot.hash == hash && sameText(slot.text, data, size)) {
            return slot.text;
        }
    }
    QString made(data, size);
    if (m_count >= kMaxTexts) {
        return made;
    }
    // At most half full, so that a probe ends soon on a free slot.
    if (2 * (m_count + 1) > m_slots.size()) {
        grow();
    }
    const int newMask = m_slots.size() - 1;
    cells = m_slots.data();
    int i = int(hash) & newMask;
    while (!cells[i].text.isNull()) {
        i = (i + 1) & newMask;
    }
    cells[i].hash = hash;
    cells[i].text = made;
    ++m_count;
    return made;
}

void QFuncodeTextPool::grow()
{
    QVector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const int mask = m_slots.size() - 1;
    Slot* cells = m_slots.data();
    for (Slot& slot : old) {
        if (slot.text.isNull()) {
            continue;
        }
        int i = int(slot.hash) & mask;
        while (!cells[i].text.isNull()) {
            i = (i + 1) & mask;
        }
        cells[i].hash = slot.hash;
        cells[i].text.swap(slot.text);
    }
}
