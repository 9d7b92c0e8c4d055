// The servo batch-download tree: its columns for a file or a drive source, the default column, and which
// codes and axis cells it marks as differing from the selected drive.

#include "FunTreeItem.h"
#include "QServoFunOperationModel.h"
#include "QTestHost.h"

#include <QBrush>
#include <QtTest>

namespace {
FunOperationDataUnitPtr unit(const QString& number, const QList<qint64>& values)
{
    auto u = FunOperationDataUnitPtr::create();
    u->groupName = "P10 Limits";
    u->funIndex = number;
    u->funName = "Limit";
    u->axisNum = values.size();
    u->values = values;
    for (qint64 v : values) {
        u->valueTexts << QString::number(v);
    }
    u->defaultText = "7";
    return u;
}

QString t(const char* key)
{
    return QServoFunOperationModel::tr(key);
}
} // namespace

class tst_QServoFunOperationModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void headersFollowTheSource_data();
    void headersFollowTheSource();
    void marksWhatDiffersFromTheDrive_data();
    void marksWhatDiffersFromTheDrive();
};

void tst_QServoFunOperationModel::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QServoFunOperationModel::headersFollowTheSource_data()
{
    QTest::addColumn<bool>("fromDevice");
    QTest::addColumn<int>("axes");
    QTest::addColumn<bool>("showDefault");
    QTest::addColumn<QStringList>("headers");
    const QString number = t("STR_FUNCODE");
    const QString name = t("STR_FUNCODE_NAME");
    const QString file = t("STR_IMPORT_VAL");
    const QString drive = t("STR_CUR_VAL");
    QTest::newRow("file, one axis") << false << 1 << false << QStringList{number, name, file + "(X)"};
    QTest::newRow("file, three axes")
        << false << 3 << false << QStringList{number, name, file + "(X)", file + "(Y)", file + "(Z)"};
    QTest::newRow("drive, two axes, defaults")
        << true << 2 << true << QStringList{number, name, drive + "(X)", drive + "(Y)", t("STR_DEFAULT_VAL")};
    QTest::newRow("axis count out of range")
        << false << 7 << false << QStringList{number, name, file + "(X)", file + "(Y)", file + "(Z)"};
}

void tst_QServoFunOperationModel::headersFollowTheSource()
{
    QFETCH(bool, fromDevice);
    QFETCH(int, axes);
    QFETCH(bool, showDefault);
    QFETCH(QStringList, headers);
    QServoFunOperationModel model;
    QTestHost::checkModel(&model);
    model.setSourceLayout(fromDevice, axes, showDefault);
    model.load({unit("P10.01", {1, 2, 3})});
    QCOMPARE(model.getHeadList(), headers);
    QCOMPARE(model.columnCount(), headers.size());
    const QModelIndex code = model.index(0, 0, model.index(0, 0, model.topIndex()));
    const int last = headers.size() - 1;
    QCOMPARE(model.data(code.siblingAtColumn(last)).toString(),
             showDefault ? QString("7") : QString::number(qMin(axes, 3)));
}

void tst_QServoFunOperationModel::marksWhatDiffersFromTheDrive_data()
{
    QTest::addColumn<QList<qint64>>("driveValues");
    QTest::addColumn<QList<bool>>("known");
    QTest::addColumn<bool>("highlighted");
    QTest::addColumn<QList<bool>>("axisMarked");
    QTest::newRow("no drive to compare with")
        << QList<qint64>{} << QList<bool>{} << false << QList<bool>{false, false, false};
    QTest::newRow("all equal") << QList<qint64>{1, 2, 3} << QList<bool>{true, true, true} << false
                               << QList<bool>{false, false, false};
    QTest::newRow("axis X differs") << QList<qint64>{9, 2, 3} << QList<bool>{true, true, true} << true
                                    << QList<bool>{true, false, false};
    QTest::newRow("axis Z differs") << QList<qint64>{1, 2, 9} << QList<bool>{true, true, true} << true
                                    << QList<bool>{false, false, true};
    QTest::newRow("axis Y not read") << QList<qint64>{1, 2, 3} << QList<bool>{true, false, true} << true
                                     << QList<bool>{false, true, false};
}

void tst_QServoFunOperationModel::marksWhatDiffersFromTheDrive()
{
    QFETCH(QList<qint64>, driveValues);
    QFETCH(QList<bool>, known);
    QFETCH(bool, highlighted);
    QFETCH(QList<bool>, axisMarked);
    QServoFunOperationModel model;
    QTestHost::checkModel(&model);
    model.setSourceLayout(false, 3, false);
    FunOperationDataUnitPtr u = unit("P10.01", {1, 2, 3});
    u->setCurDevValues(driveValues, known);
    model.load({unit("P10.00", {1, 1, 1}), u});
    const QModelIndex group = model.index(0, 0, model.topIndex());
    const QModelIndex code = model.index(1, 0, group);
    QCOMPARE(model.itemOf(code)->isHighLight(), highlighted);
    QCOMPARE(model.itemOf(group)->isHighLight(), highlighted);
    QCOMPARE(model.data(code, Qt::ForegroundRole).isValid(), highlighted);
    for (int axis = 0; axis < 3; ++axis) {
        QCOMPARE(model.data(code.siblingAtColumn(2 + axis), Qt::BackgroundRole).isValid(),
                 axisMarked.at(axis));
    }
    model.selectDiffering();
    QCOMPARE(model.checkedCount(), highlighted ? 1 : 0);
}

QTEST_MAIN(tst_QServoFunOperationModel)
#include "tst_QServoFunOperationModel.moc"
