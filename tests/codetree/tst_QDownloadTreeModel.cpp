#include "FuncodeRows.h"
#include "QDeviceServo.h"
#include "QDownloadTreeModel.h"
#include "QDownloadTreeView_Servo.h"
#include "QFuncodeWriteRoad_Servo.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"
#include "QTestUi.h"
#include "TreeItem.h"

#include <QAction>
#include <QBrush>
#include <QMenu>
#include <QtTest>
#include <memory>

using namespace FuncodeRows;

namespace {
const QString kAlias = QStringLiteral("Import-A");

Qt::CheckState checkOf(const QModelIndex& index)
{
    return Qt::CheckState(index.data(Qt::CheckStateRole).toInt());
}

bool isRed(const QModelIndex& index)
{
    const QVariant brush = index.data(Qt::ForegroundRole);
    return brush.isValid() && brush.value<QBrush>().color() == QColor(Qt::red);
}
} // namespace

// The import tree on a three-axis test drive: differences, check states, the order of the checked rows,
// reading the drive again and writing an edited current value; and the tree's view: showing only the
// differing rows, and what its collapse menu keeps open.
class tst_QDownloadTreeModel : public QObject
{
    Q_OBJECT

    QDeviceServo* m_device = nullptr;
    std::unique_ptr<QDownloadTreeModel> m_model;

    QModelIndex top() const { return m_model->index(0, 0); }
    QModelIndex groupIndex(int group) const { return m_model->index(group, 0, top()); }
    QModelIndex rowIndex(int group, int row, int column = 0) const
    {
        return m_model->index(row, column, groupIndex(group));
    }

    // multiAxis: import layout of eight columns, else the export's single-value layout of six.
    void makeModel(bool multiAxis)
    {
        m_model = std::make_unique<QDownloadTreeModel>(
            QStringList{"a", "b", "c", "d", "e", "f", "g", "h"}.mid(0, multiAxis ? 8 : 6), multiAxis);
        QTestHost::checkModel(m_model.get());
    }

    // Two groups: "P00 Basic" with P00.01 (equal) and P00.02 (Y differs); "P2 Gains" with P2.00 (equal).
    void loadThreeRows()
    {
        m_model->load({row("P00 Basic", "P00.01", {"2.80", "2.80", "2.80"}, {"2.80", "2.80", "2.80"}),
                       row("P00 Basic", "P00.02", {"3000", "2500", "3000"}, {"3000", "3000", "3000"}),
                       row("P2 Gains", "P2.00", {"27.0", "27.0", "27.0"}, {"27.0", "27.0", "27.0"})});
    }

    // A shown view of the model, every node open.
    std::unique_ptr<QDownloadTreeView_Servo> showView() const
    {
        auto view = std::make_unique<QDownloadTreeView_Servo>();
        view->setModel(m_model.get());
        view->resize(600, 400);
        view->show();
        view->expandAll();
        return view;
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }
    void init()
    {
        m_device = QTestHost::addSelectedDrive(QStringLiteral("TST3"), kAlias);
        QVERIFY(m_device && QTestHost::readAll(m_device));
        makeModel(true);
        loadThreeRows();
    }
    void cleanup()
    {
        m_model.reset();
        QTestHost::clearProject();
    }

    void emptyRowsLeaveOnlyTheTopNode()
    {
        m_model->setTopTitle(QStringLiteral("Function codes"));
        m_model->load({});
        QCOMPARE(m_model->rowCount(), 1);
        QCOMPARE(top().data().toString(), QStringLiteral("Function codes"));
        QCOMPARE(m_model->rowCount(top()), 0);
        QCOMPARE(checkOf(top()), Qt::Unchecked);
        QCOMPARE(m_model->checkedCount(), 0);
        // Without a drive nothing loads.
        QTestHost::select(QString());
        loadThreeRows();
        QCOMPARE(m_model->rowCount(top()), 0);
    }

    void rowsAreGroupedUnderTheTopNode()
    {
        QCOMPARE(m_model->rowCount(top()), 2);
        QCOMPARE(groupIndex(0).data().toString(), QStringLiteral("P00 Basic"));
        QCOMPARE(m_model->rowCount(groupIndex(0)), 2);
        QCOMPARE(groupIndex(1).data().toString(), QStringLiteral("P2 Gains"));
        QCOMPARE(rowIndex(0, 1, 0).data().toString(), QStringLiteral("P00.02"));
        QCOMPARE(rowIndex(0, 1, 1).data().toString(), QStringLiteral("Name of P00.02"));
        QCOMPARE(rowIndex(0, 1, 4).data().toString(), QStringLiteral("2500"));
        QCOMPARE(rowIndex(0, 1, 5).data().toString(), QStringLiteral("3000"));
        QCOMPARE(m_model->index(0, 3, top()).data().toString(), QString()); // a group shows its name only
        // Only the current values are editable.
        for (int column = 0; column < 8; ++column) {
            const Qt::ItemFlags flags = m_model->flags(rowIndex(0, 0, column));
            QCOMPARE(bool(flags & Qt::ItemIsEditable), column == 3 || column == 5 || column == 7);
            QVERIFY(flags & Qt::ItemIsUserCheckable);
        }
        QVERIFY(!(m_model->flags(m_model->index(0, 3, top())) & Qt::ItemIsEditable));
    }

    void differences_data()
    {
        QTest::addColumn<QStringList>("fileTexts");
        QTest::addColumn<QStringList>("driveTexts");
        QTest::addColumn<QList<int>>("redColumns");
        const QList<int> none;
        QTest::newRow("all equal") << QStringList{"2.80", "2.80", "2.80"}
                                   << QStringList{"2.80", "2.80", "2.80"} << none;
        QTest::newRow("axis X differs") << QStringList{"3.00", "2.80", "2.80"}
                                        << QStringList{"2.80", "2.80", "2.80"} << QList<int>{0, 1, 2, 3};
        QTest::newRow("axis Z differs") << QStringList{"2.80", "2.80", "1.00"}
                                        << QStringList{"2.80", "2.80", "2.80"} << QList<int>{0, 1, 6, 7};
        QTest::newRow("failed read differs")
            << QStringList{"2.80"} << QStringList{"null"} << QList<int>{0, 1, 2, 3};
        QTest::newRow("empty texts never differ")
            << QStringList{"", "2.80", "2.80"} << QStringList{"2.80", "", "2.80"} << none;
        QTest::newRow("lists of unequal length are not compared")
            << QStringList{"9.00"} << QStringList{"2.80", "2.80", "2.80"} << none;
        QTest::newRow("the same value written otherwise")
            << QStringList{"2.8", "2.800", "2.80"} << QStringList{"2.80", "2.80", "2.80"} << none;
    }

    void differences()
    {
        QFETCH(QStringList, fileTexts);
        QFETCH(QStringList, driveTexts);
        QFETCH(QList<int>, redColumns);
        m_model->load({row("P00 Basic", "P00.01", fileTexts, driveTexts)});
        const bool differs = !redColumns.isEmpty();
        QCOMPARE(m_model->differingColumns().value("P00.01"), redColumns);
        for (int column = 0; column < 8; ++column) {
            QCOMPARE(isRed(rowIndex(0, 0, column)), redColumns.contains(column));
        }
        // The group and the top node are red in their first column, and only differing rows are ticked.
        QCOMPARE(isRed(groupIndex(0)), differs);
        QCOMPARE(isRed(top()), differs);
        QCOMPARE(checkOf(rowIndex(0, 0)), differs ? Qt::Checked : Qt::Unchecked);
        QCOMPARE(m_model->checkedCount(), differs ? 1 : 0);
    }

    void togglingAGroupTicksItsRowsAndTheParentsFollow()
    {
        QCOMPARE(checkOf(groupIndex(0)), Qt::PartiallyChecked);
        QCOMPARE(checkOf(groupIndex(1)), Qt::Unchecked);
        QSignalSpy changed(m_model.get(), &QAbstractItemModel::dataChanged);
        QVERIFY(m_model->toggleCheck(groupIndex(1)));
        QCOMPARE(checkOf(rowIndex(1, 0)), Qt::Checked);
        QCOMPARE(checkOf(top()), Qt::PartiallyChecked);
        QVERIFY(!changed.isEmpty());
        QVERIFY(m_model->toggleCheck(top()));
        QCOMPARE(checkOf(groupIndex(0)), Qt::Checked);
        QCOMPARE(m_model->checkedCount(), 3);
        // Unticking rows makes their group partially checked, then unchecked.
        QVERIFY(!m_model->toggleCheck(rowIndex(0, 0)));
        QCOMPARE(checkOf(groupIndex(0)), Qt::PartiallyChecked);
        QCOMPARE(checkOf(top()), Qt::PartiallyChecked);
        QVERIFY(!m_model->toggleCheck(rowIndex(0, 1)));
        QCOMPARE(checkOf(groupIndex(0)), Qt::Unchecked);
        QCOMPARE(m_model->checkedCount(), 1);
        QVERIFY(!m_model->toggleCheck(QModelIndex()));
        // Selecting the differing rows ticks exactly the highlighted ones.
        m_model->checkAll();
        m_model->selectDiffering();
        QCOMPARE(m_model->checkedCount(), 1);
        QCOMPARE(checkOf(rowIndex(0, 1)), Qt::Checked);
        QCOMPARE(checkOf(groupIndex(1)), Qt::Unchecked);
    }

    void sortKey_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("key");
        QTest::newRow("leading zero") << "A01.02" << QString("A00102");
        QTest::newRow("no leading zero") << "A1.02" << QString("A00102");
        QTest::newRow("group 2") << "P2.01" << QString("P00201");
        QTest::newRow("group 10") << "P10.05" << QString("P01005");
        QTest::newRow("every occurrence of the run") << "P11.11" << QString("P01111");
        QTest::newRow("no digits") << "PtP.x" << QString("PtPx");
    }

    void sortKey()
    {
        QFETCH(QString, number);
        QFETCH(QString, key);
        QCOMPARE(QDownloadTreeModel::sortKey(number), key);
    }

    void checkedNumbersComeInSortKeyOrderOncePerKey()
    {
        m_model->load({row("P10 Limits", "P10.05", {"1"}, {"2"}), row("P2 Gains", "P2.01", {"1"}, {"2"}),
                       row("A", "A01.02", {"1"}, {"2"}), row("A", "A1.02", {"5"}, {"2"})});
        // A01.02 and A1.02 share their key: the later one in the tree stays.
        QCOMPARE(numbersOf(m_model->checkedNumbers()), (QStringList{"A1.02", "P2.01", "P10.05"}));
        QCOMPARE(m_model->checkedNumberMap().keys(), (QStringList{"A01.02", "A1.02", "P10.05", "P2.01"}));
    }

    void refreshReadsTheDriveAndMarksFailedReads()
    {
        QTestHost::link(kAlias)->setRawValue("P2.00", 2, 300);
        QVERIFY(QTestHost::readAll(m_device));
        QSignalSpy reset(m_model.get(), &QAbstractItemModel::modelReset);
        m_model->refreshCurrentValues({"P00.01"});
        QCOMPARE(reset.count(), 1);
        QCOMPARE(rowIndex(0, 0, 3).data().toString(), QStringLiteral("null"));
        QCOMPARE(rowIndex(1, 0, 7).data().toString(), QStringLiteral("30.0"));
        QCOMPARE(m_model->differingColumns().keys(), (QStringList{"P00.01", "P00.02", "P2.00"}));
        QVERIFY(isRed(groupIndex(1)));
        QCOMPARE(m_model->checkedCount(), 1); // what the user ticked stays
    }

    // Codes an import could not write are marked and checked alone for another try; the marks stay through
    // a re-read, an empty list clears them and leaves the checks alone, a new load forgets them.
    void failedCodesAreMarkedAndCheckedAlone()
    {
        m_model->markFailed({"P2.00"});
        QCOMPARE(m_model->checkedNumberMap().keys(), QStringList{"P2.00"});
        QVERIFY(rowIndex(1, 0, 4).data(Qt::BackgroundRole).isValid());
        QVERIFY(!rowIndex(0, 1, 4).data(Qt::BackgroundRole).isValid());
        m_model->refreshCurrentValues({});
        QCOMPARE(m_model->failedNumbers(), QStringList{"P2.00"});
        m_model->markFailed({});
        QVERIFY(!rowIndex(1, 0, 4).data(Qt::BackgroundRole).isValid());
        QCOMPARE(m_model->checkedNumberMap().keys(), QStringList{"P2.00"});
        m_model->markFailed({"P00.01"});
        loadThreeRows();
        QVERIFY(m_model->failedNumbers().isEmpty());
    }

    void editOfACurrentValue_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("multiAxis");
        QTest::addColumn<bool>("written"); // the drive shows "2500" afterwards, else keeps "3000"
        QTest::newRow("axis X") << 3 << int(Qt::EditRole) << "2500" << true << true;
        QTest::newRow("axis Z, written as the drive shows it")
            << 7 << int(Qt::EditRole) << "2500.0" << true << true;
        QTest::newRow("axis Y, to the file's value") << 5 << int(Qt::EditRole) << "2500" << true << true;
        QTest::newRow("the text the cell holds") << 3 << int(Qt::EditRole) << "3000" << true << false;
        QTest::newRow("a file value") << 2 << int(Qt::EditRole) << "1" << true << false;
        QTest::newRow("another role") << 3 << int(Qt::DisplayRole) << "1" << true << false;
        QTest::newRow("not a value") << 3 << int(Qt::EditRole) << "fast" << true << false;
        QTest::newRow("single-value layout") << 3 << int(Qt::EditRole) << "1" << false << false;
    }

    // The drive's new value is shown and announced; one equal to the file's clears the highlight up to the
    // top node. An edit that changes nothing writes nothing.
    void editOfACurrentValue()
    {
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QString, text);
        QFETCH(bool, multiAxis);
        QFETCH(bool, written);
        makeModel(multiAxis);
        loadThreeRows();
        QTestHost::link(kAlias)->resetCounters();
        QSignalSpy recorded(QFuncodeWriteRoad_Servo::self(), &QFuncodeWriteRoad_Servo::sigChangeRecorded);
        QCOMPARE(m_model->setData(rowIndex(0, 1, column), text, role), written);
        QCOMPARE(recorded.count(),
                 written ? 1 : 0); // by the one road of a write (tst_QFuncodeWriteRoad_Servo)
        if (!written) {
            QCOMPARE(QTestHost::link(kAlias)->writeRequestCount(), 0);
            QCOMPARE(m_device->getScaledCurValueStr("P00.02", 0), QStringLiteral("3000"));
            return;
        }
        QCOMPARE(m_device->getScaledCurValueStr("P00.02", (column - 3) / 2), QStringLiteral("2500"));
        QCOMPARE(rowIndex(0, 1, column).data().toString(), QStringLiteral("2500"));
        const bool matchesFile = column == 5;
        QCOMPARE(m_model->differingColumns().contains("P00.02"), !matchesFile);
        QCOMPARE(isRed(rowIndex(0, 1, column)), !matchesFile);
        QCOMPARE(isRed(groupIndex(0)), !matchesFile);
        QCOMPARE(m_model->rootItem()->isHighlighted() || isRed(top()), !matchesFile);
    }

    void singleValueLayoutShowsCurrentAndDefault()
    {
        makeModel(false);
        m_model->load({row("P00 Basic", "P00.02", {"3000", "3000", "3000"}, {"3000", "2000", "3000"}),
                       row("P00 Basic", "P00.01", {"2.80", "2.80", "2.80"}, {"2.80", "2.80", "2.80"})});
        QCOMPARE(rowIndex(0, 0, 3).data().toString(), QStringLiteral("2000"));
        QCOMPARE(rowIndex(0, 0, 5).data().toString(), QStringLiteral("3000"));
        QCOMPARE(m_model->differingColumns().value("P00.02"), (QList<int>{0, 1, 3, 5}));
        QVERIFY(!(m_model->flags(rowIndex(0, 0, 3)) & Qt::ItemIsEditable));
        QCOMPARE(m_model->checkedCount(), 2); // everything starts ticked
    }

    void otherPagesAreCountedButNotFunctionCodes()
    {
        m_model = std::make_unique<QDownloadTreeModel>();
        QTestHost::checkModel(m_model.get());
        loadThreeRows();
        const tagExportFuncodeList_Servo pages{row(QString(), "Records", {}, {}),
                                               row(QString(), "Faults", {}, {})};
        m_model->loadOthers(pages);
        m_model->loadOthers(pages); // loading again replaces them
        QCOMPARE(m_model->rowCount(), 2);
        const QModelIndex others = m_model->index(1, 0);
        QCOMPARE(m_model->rowCount(others), 2);
        QCOMPARE(checkOf(others), Qt::Unchecked);
        QCOMPARE(m_model->checkedCount(), 3);
        m_model->toggleCheck(m_model->index(1, 0, others));
        QCOMPARE(checkOf(others), Qt::PartiallyChecked);
        QCOMPARE(m_model->checkedCount(), 4);
        QCOMPARE(m_model->checkedNumbers().size(), 3);
        QCOMPARE(m_model->checkedOthers(), QStringList{"Faults"});
    }

    void viewShowsOnlyTheDifferingRows()
    {
        const auto view = showView();
        view->setOnlyShowDiffItem();
        QVERIFY(!view->isRowHidden(0, top()));
        QVERIFY(view->isRowHidden(0, groupIndex(0)));
        QVERIFY(!view->isRowHidden(1, groupIndex(0)));
        QVERIFY(view->isRowHidden(1, top()));
        QVERIFY(view->isRowHidden(0, groupIndex(1)));
        view->setAlltItemHidden(false);
        QVERIFY(!view->isRowHidden(0, groupIndex(0)));
        QVERIFY(!view->isRowHidden(1, top()));
        QVERIFY(!view->isRowHidden(0, groupIndex(1)));
    }

    // How the menu acts on the node under the mouse is the folding tree's (tst_QFoldingTreeView); this
    // tree keeps its groups in view.
    void viewCollapseAllKeepsTheGroupsInView()
    {
        const auto view = showView();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QTestUi::rightClick(view.get(), rowIndex(0, 1));
        view->contextMenu()->findChild<QAction*>("STR_COLLAPSE_ALL")->trigger();
        QVERIFY(view->isExpanded(top()));
        QVERIFY(!view->isExpanded(groupIndex(0)));
    }
};

QTEST_MAIN(tst_QDownloadTreeModel)
#include "tst_QDownloadTreeModel.moc"
