#pragma once

#include "QBaseTableModel.h"
#include "QModifyRecordPager_Servo.h"
#include "tagModifyFuncode_Servo.h"

#include <QStringList>

// Model of the modification-records page: one row of ten texts per modification record, made with
// makeDisplayRow. The rows of changes added since the page was loaded (insertFrontData) come first, from
// the base's row list; the stored records follow, newest first: every stored record is a row from the
// start, read from the record database a page at a time when the view shows it, so that a history of a
// million changes opens at once, its oldest record is one drag of the scroll bar away, and it takes no more
// memory than a short one. This model adds the icon of the name column and the colours of the value
// columns.
class QModifyFunModel_Servo : public QBaseTableModel
{
    Q_OBJECT
public:
    enum Column
    {
        COL_TIME = 0,
        COL_INDEX,
        COL_NAME,
        COL_AXIS,
        COL_NEW_VAL,
        COL_OLD_VAL,
        COL_DEFAULT_VAL,
        COL_MIN_VAL,
        COL_MAX_VAL,
        COL_RELATE_PARAM,
        COL_COUNT
    };

    explicit QModifyFunModel_Servo(QObject* parent = nullptr);
    ~QModifyFunModel_Servo() override;

    // Shows the records of the device stored until now (model reset). The rows held in memory are dropped.
    void loadRecords(const QString& alias);
    // Forgets the stored records and the rows in memory (model reset).
    void clearRecords();
    QModifyRecordPager_Servo& pager() { return m_pager; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;

    // Display and tool tip: the row's text; decoration: the read/write-right icon in the name column;
    // foreground: new value red, default value dark green.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The ten column texts of a stored record, described by the selected drive. Empty when no drive is
    // selected or the drive has no such code (at the present authority). Enumerated values are stored
    // as positions in the value list and shown as the items' texts; all other values as stored.
    static QStringList makeDisplayRow(const tagModifyFuncode_Servo& record);

protected:
    QStringList headerTexts() const override;
    // The rows hold the drive's texts as they were when read: read again in the new language.
    bool event(QEvent* event) override;

private:
    // The ten texts of a row: from memory for added changes, from the pager for stored records.
    QStringList rowTexts(int row) const;
    QVariant decoration(const QModelIndex& index) const;
    static QString displayValue(const QString& stored, int showType, const QString& enumText);

    QModifyRecordPager_Servo m_pager;
};
