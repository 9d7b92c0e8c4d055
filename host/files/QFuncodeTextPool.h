#pragma once

#include <QString>
#include <QStringRef>
#include <QVector>

// Texts that repeat across the lines of a file (group names, value texts such as "0", "1.00" or an
// enumerated item) made once and shared: a text is looked up by its view and a text seen before comes back
// as the same QString, so that the records share one copy instead of each allocating its own.
//
// Only short texts are kept, and at most kMaxTexts of them: a longer or a later text is still given back,
// as a copy of its own.
class QFuncodeTextPool
{
public:
    static const int kMaxChars = 48;
    static const int kMaxTexts = 1 << 14;

    QString text(const QStringRef& view);

private:
    struct Slot
    {
        uint hash = 0;
        QString text; // null: a free slot
    };

    void grow();

    QVector<Slot> m_slots;
    int m_count = 0;
};
