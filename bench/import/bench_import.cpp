#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QTestHost.h"

#include <QTest>

namespace {
const int kCodes = 10000;
const int kCodesPerGroup = 100;

// Rows as a file of 10,000 codes gives them, every tenth one differing from the drive on axis X.
tagExportFuncodeList_Servo generatedRows()
{
    tagExportFuncodeList_Servo rows;
    rows.reserve(kCodes);
    for (int i = 0; i < kCodes; ++i) {
        auto record = tagExportFuncodePtr_Servo::create();
        const int group = i / kCodesPerGroup;
        record->groupName = QStringLiteral("P%1 Group %1").arg(group);
        record->funIndex =
            QStringLiteral("P%1.%2").arg(group).arg(i % kCodesPerGroup, 2, 10, QLatin1Char('0'));
        record->funName = QStringLiteral("Parameter %1, generated").arg(i);
        record->axisNum = 3;
        const QString value = QString::number(i % 1000);
        record->valueTexts = QStringList{i % 10 == 0 ? QStringLiteral("7") : value, value, value};
        record->curValueTexts = QStringList{value, value, value};
        rows.append(record);
    }
    return rows;
}
} // namespace

// Loading the import tree with a file of 10,000 function codes: the model alone, and the model shown in
// its view with the differing groups expanded, as the import dialog does.
class bench_import : public QObject
{
    Q_OBJECT

    tagExportFuncodeList_Servo m_rows;

private slots:
    void initTestCase()
    {
        QString error;
        QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
        QVERIFY(QTestHost::addSelectedDrive(QStringLiteral("TST3"), QStringLiteral("Bench")));
        m_rows = generatedRows();
    }

    void loadTree10000()
    {
        QDownloadTreeModel model({"a", "b", "c", "d", "e", "f", "g", "h"}, true);
        QBENCHMARK
        {
            model.load(m_rows);
        }
        QCOMPARE(model.checkedCount(), kCodes / 10);
    }

    void loadTreeInView10000()
    {
        QDownloadTreeView_Servo view;
        QDownloadTreeModel model({"a", "b", "c", "d", "e", "f", "g", "h"}, true);
        view.setModel(&model);
        view.resize(1000, 700);
        view.show();
        QBENCHMARK
        {
            model.load(m_rows);
            view.expandToDepth(1);
            view.viewport()->repaint();
        }
    }

    void checkedCount10000()
    {
        QDownloadTreeModel model({"a", "b", "c", "d", "e", "f", "g", "h"}, true);
        model.load(m_rows);
        model.checkAll();
        int count = 0;
        QBENCHMARK
        {
            count = model.checkedCount();
        }
        QCOMPARE(count, kCodes);
    }
};

QTEST_MAIN(bench_import)
#include "bench_import.moc"
