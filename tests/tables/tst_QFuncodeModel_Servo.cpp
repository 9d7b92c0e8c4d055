#include "QDeviceServo.h"
#include "QFuncodeModel_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QBrush>
#include <QtTest>

using M = QFuncodeModelBase_Servo;

// The rows of one group and the cells, flags, writes and change notices every function-code table
// shares, on the small three-axis test drive.
class tst_QFuncodeModel_Servo : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    QFuncodeModel_Servo* m_model = nullptr;

    // Selects a new drive "A" and shows one of its groups in m_model (run through the model tester).
    bool showGroup(const QString& group, bool read = false, const QString& drive = "TST3")
    {
        m_device = QTestHost::addSelectedDrive(drive, "A");
        if (!m_device || (read && !QTestHost::readAll(m_device))) {
            return false;
        }
        m_model = new QFuncodeModel_Servo(this);
        QTestHost::checkModel(m_model);
        m_model->setGroupMap(m_device->getNormalFuncodeGroupMap());
        m_model->setGroup(group);
        return true;
    }

    QModelIndex cell(const QString& number, int column) const
    {
        return m_model->index(m_model->rowOfFuncode(number, "A"), column);
    }

    QColor background(const QString& number, int column) const
    {
        return cell(number, column).data(Qt::BackgroundRole).value<QBrush>().color();
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void cleanup()
    {
        delete m_model;
        m_model = nullptr;
        QTestHost::clearProject();
    }

    void rowsOfShownGroup()
    {
        QVERIFY(showGroup("P2 Gains"));
        QVERIFY(!m_model->getSubFuncode(m_model->rowCount()));
        QCOMPARE(m_model->rowOfFuncode("P2.03", "A"), 3);
        // Notices list numbers in any order; the rows come back in row order.
        QCOMPARE(m_model->funcodesInModel({"P2.02", "P00.01", "P2.00", "U00.00"}, "A"),
                 QStringList({"P2.00", "P2.02"}));
        QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
        m_model->setGroupMap(m_device->getNormalFuncodeGroupMap());
        QCOMPARE(reset.count(), 0);
        // Same group name, other records: the views must let go of the old rows.
        QDeviceServo* other = QTestHost::addDrive("TST1", "B");
        QVERIFY(other);
        m_model->setGroupMap(other->getNormalFuncodeGroupMap());
        QCOMPARE(reset.count(), 1);
        QCOMPARE(m_model->getSubFuncode(0), other->getFuncodePtrByFunIndex("P2.00"));
        m_model->setGroup("No such group");
        QCOMPARE(m_model->rowCount(), 0);
    }

    // Which rows are read is the table's read window (tst_QBaseTableView::readWindow); the row being
    // edited is left out of it, so that a read does not change the value under the editor.
    void visibleFuncodesLeaveTheEditedRowOut()
    {
        QVERIFY(showGroup("P10 Limits"));
        m_model->OnEditting(12, true);
        const QList<tagSubFuncode_Servo*> list = m_model->visibleFuncodes("P10 Limits", 10, 5);
        QCOMPARE(list.size(), 4);
        QCOMPARE(list.first(), m_model->getSubFuncode(10));
        QVERIFY(!list.contains(m_model->getSubFuncode(12)));
    }

    // Which code a table lets a person edit is the write rules' matter (tst_QDeviceServo::writeEditability);
    // the table asks them and greys the rows it may not edit.
    void editabilityFollowsWriteRules()
    {
        QVERIFY(showGroup("P2 Gains"));
        m_device->setOsciRunning(true);
        QVERIFY(!(m_model->flags(cell("P2.02", M::COL_AXIS_Z)) & Qt::ItemIsEditable));
        QVERIFY(cell("P2.02", M::COL_NAME).data(Qt::ForegroundRole).isValid());
        QVERIFY(m_model->flags(cell("P2.01", M::COL_AXIS_Z)) & Qt::ItemIsEditable);
        QVERIFY(!cell("P2.01", M::COL_NAME).data(Qt::ForegroundRole).isValid());
        // Not read yet: the empty value says nothing about the default.
        QCOMPARE(background("P2.01", M::COL_AXIS_X), QColor(Qt::white));
    }

    void checkingChangesMonitoredListInOrderOnlyWithDrive()
    {
        QVERIFY(showGroup("P2 Gains"));
        m_device->appendSelSubFuncode("P00.03");
        QStringList order;
        connect(m_model, &M::SigBeginSelChanged, this, [&order]() { order << "begin"; });
        connect(m_model, &M::SigSelChanged, this, [&order, this]() {
            order << (m_device->isSubFuncodeSelected("P2.01") ? "changed:in" : "changed:out");
        });
        const QModelIndex box = cell("P2.01", M::COL_NUMBER);
        QVERIFY(m_model->setData(box, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList({"P00.03", "P2.01"}));
        QCOMPARE(box.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QVERIFY(m_model->setData(box, Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(order, QStringList({"begin", "changed:in", "begin", "changed:out"}));
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList{"P00.03"});

        // Without a selected drive the values are empty and nothing is written or checked.
        QTestHost::select(QString());
        QSignalSpy spy(m_model, &M::SigDataChanged);
        QCOMPARE(cell("P2.01", M::COL_NUMBER).data().toString(), QStringLiteral("P2.01"));
        QCOMPARE(cell("P2.01", M::COL_AXIS_X).data().toString() +
                     cell("P2.01", M::COL_DEFAULT).data().toString(),
                 QString());
        QVERIFY(cell("P2.01", M::COL_COMMON).data(Qt::DecorationRole).value<QIcon>().isNull());
        m_model->setData(cell("P2.01", M::COL_AXIS_X), 30.5, Qt::EditRole);
        QVERIFY(!m_model->setData(box, Qt::Checked, Qt::CheckStateRole));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(QTestHost::link("A")->writeRequestCount(), 0);
        QCOMPARE(m_device->getSelSubFuncodeList(), QStringList{"P00.03"});
    }

    // What an edit does (rules, comparison, record, unsaved mark) is the write road's matter
    // (tst_QFuncodeWriteRoad_Servo): the model hands it the cell's axis, and tells of a change.
    void edits_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<int>("axis");
        QTest::newRow("axis X cell") << int(M::COL_AXIS_X) << int(Qt::EditRole) << 0;
        QTest::newRow("axis Y role on the number") << int(M::COL_NUMBER) << M::AXIS_ROLE_BASE + 1 << 1;
    }

    void edits()
    {
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(int, axis);
        QVERIFY(showGroup("P00 Basic", true));
        QSignalSpy spy(m_model, &M::SigDataChanged);
        const QString before = m_device->getScaledCurValueStr("P00.02", axis);
        QVERIFY(m_model->setData(cell("P00.02", column), 2500.0, role));
        QCOMPARE(QTestHost::link("A")->rawValue("P00.02", axis), 2500);
        QCOMPARE(QTestHost::link("A")->rawValue("P00.02", (axis + 1) % 3), before.toLongLong());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).mid(0, 2), QVariantList({before, QString("2500")}));
        QCOMPARE(spy.at(0).at(3).toInt(), axis);
        // The written axis now differs from the default; the others do not.
        QCOMPARE(background("P00.02", M::COL_AXIS_X + axis), QColor(Qt::yellow));
        QCOMPARE(background("P00.02", M::COL_AXIS_X + (axis + 1) % 3), QColor(Qt::white));
    }

    void changeNotices_data()
    {
        QTest::addColumn<QString>("alias");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("edited");
        QTest::addColumn<QList<int>>("announced"); // pairs of first and last row
        const QStringList one{"P10.05"};
        const QStringList span{"P10.03", "P10.06", "P10.08"};
        QTest::newRow("one visible code") << "A" << one << 0 << -1 << QList<int>{5, 5};
        QTest::newRow("the edited code") << "A" << one << 0 << 5 << QList<int>{};
        QTest::newRow("edited at lo") << "A" << span << 0 << 3 << QList<int>{4, 8};
        QTest::newRow("edited at hi") << "A" << span << 0 << 8 << QList<int>{3, 7};
        QTest::newRow("edited between") << "A" << span << 0 << 5 << QList<int>{3, 4, 6, 8};
        QTest::newRow("clipped by window")
            << "A" << QStringList{"P10.03", "P10.40"} << 10 << -1 << QList<int>{10, 29};
        QTest::newRow("another alias") << "B" << one << 0 << -1 << QList<int>{};
    }

    void changeNotices()
    {
        QFETCH(QString, alias);
        QFETCH(QStringList, numbers);
        QFETCH(int, first);
        QFETCH(int, edited);
        QFETCH(QList<int>, announced);
        QVERIFY(showGroup("P10 Limits"));
        m_model->OnEditting(edited, edited >= 0);
        QSignalSpy spy(m_model, &QAbstractItemModel::dataChanged);
        m_model->onFuncodeChanged(alias, numbers, first, 20);
        QList<int> rows;
        for (const QList<QVariant>& args : qAsConst(spy)) {
            QCOMPARE(args.at(0).toModelIndex().column(), int(M::COL_AXIS_X));
            rows << args.at(0).toModelIndex().row() << args.at(1).toModelIndex().row();
        }
        QCOMPARE(rows, announced);
    }
};

QTEST_MAIN(tst_QFuncodeModel_Servo)
#include "tst_QFuncodeModel_Servo.moc"
