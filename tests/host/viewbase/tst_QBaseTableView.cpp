#include "QBaseTableModel.h"
#include "QBaseTableView.h"
#include "QTestHost.h"
#include "QTestUi.h"

#include <QtTest>

// The base table's model and its view.
class tst_QBaseTableView : public QObject
{
    Q_OBJECT

    QBaseTableModel m_model;
    std::unique_ptr<QBaseTableView> m_view;

    static QStringList row(const QString& tag) { return {tag + "-t", tag + "-n", tag + "-v"}; }

private slots:
    void initTestCase() { qRegisterMetaType<Qt::Orientation>(); }
    void init()
    {
        m_model.setHeadList({"Number", "Name"});
        QList<QStringList> rows;
        for (int i = 0; i < 5; ++i) {
            rows << QStringList{QString("P00.0%1").arg(i), QString("Name %1").arg(i)};
        }
        m_model.setModelData(rows);
        m_view = std::make_unique<QBaseTableView>();
        m_view->setModel(&m_model);
        m_view->resize(400, 300);
    }

    // Only when enabled, only the left button, only on a row; the view has made the row current first.
    void leftClickSignal()
    {
        QVERIFY(QTestUi::show(m_view.get(), {400, 300}));
        QSignalSpy spy(m_view.get(), &QBaseTableView::SigLeftButtonClick);
        const QModelIndex target = m_model.index(2, 1);
        const QPoint pos = m_view->visualRect(target).center();
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
        m_view->setEnableLeftClickSignal(true);
        QTest::mouseClick(m_view->viewport(), Qt::RightButton, Qt::NoModifier, pos);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(5, m_view->viewport()->height() - 3));
        QCOMPARE(spy.count(), 0);
        QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, pos);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toModelIndex(), target);
        QCOMPARE(spy.at(0).at(1).toPoint(), m_view->viewport()->mapToGlobal(pos));
        QCOMPARE(m_view->currentIndex().row(), 2);
    }

    void upDownSelection_data()
    {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<bool>("down");
        QTest::addColumn<bool>("bySlot");
        QTest::addColumn<int>("expectedRow");
        QTest::newRow("down key from the middle") << 2 << true << false << 3;
        QTest::newRow("up slot at the first row stays") << 0 << false << true << 0;
        QTest::newRow("down key at the last row stays") << 4 << true << false << 4;
        QTest::newRow("up key without a current row starts at 0") << -1 << false << false << 0;
    }

    void upDownSelection()
    {
        QFETCH(int, startRow);
        QFETCH(bool, down);
        QFETCH(bool, bySlot);
        QFETCH(int, expectedRow);
        m_view->setEnableUpAndDownSelect(true);
        m_view->setCurrentIndex(m_model.index(startRow, 0));
        if (bySlot) {
            down ? m_view->moveDownAndSelect() : m_view->moveUpAndSelect();
        } else {
            QTest::keyClick(m_view.get(), down ? Qt::Key_Down : Qt::Key_Up);
        }
        QCOMPARE(m_view->currentIndex().row(), expectedRow);
        QCOMPARE(m_view->selectionModel()->selectedRows(), QModelIndexList{m_model.index(expectedRow, 0)});
        QTest::keyClick(m_view.get(), Qt::Key_Up,
                        Qt::ControlModifier); // Control with the keys leaves the row
        QCOMPARE(m_view->currentIndex().row(), expectedRow);
    }

    void currentRowLookups()
    {
        QString text = "stale";
        QModelIndex index = m_model.index(0, 0);
        QVERIFY(!m_view->getCurIndexFun(text, index));
        QVERIFY(text.isEmpty() && !index.isValid());
        m_view->initFirstSelectIndex();
        QCOMPARE(m_view->currentIndex().row(), 0);
        m_view->setCurrentIndex(m_model.index(3, 0));
        m_view->initFirstSelectIndex(); // keeps a current row
        QVERIFY(m_view->getCurIndexFun(text, index, 1));
        QCOMPARE(text, QString("Name 3"));
        QCOMPARE(index, m_model.index(3, 1));
        QCOMPARE(m_view->getRowByValue(0, "P00.01"), 1);
        QCOMPARE(m_view->getRowByValue(0, "Name 1"), -1);
        QCOMPARE(m_view->getRowByValue(5, "P00.01"), -1);
        m_model.clearData();
        m_view->initFirstSelectIndex();
        QVERIFY(!m_view->currentIndex().isValid());
    }
    void readWindow_data()
    {
        QTest::addColumn<QList<int>>("view");   // first visible row, rows in a page, rows
        QTest::addColumn<QList<int>>("window"); // first row, number of rows
        QTest::newRow("top: from row 0") << QList<int>{0, 25, 200} << QList<int>{0, 27};
        QTest::newRow("middle: one row above") << QList<int>{60, 25, 200} << QList<int>{59, 27};
        QTest::newRow("bottom: clipped") << QList<int>{175, 25, 200} << QList<int>{174, 26};
        QTest::newRow("fewer rows than a page") << QList<int>{0, 25, 10} << QList<int>{0, 10};
        QTest::newRow("no rows") << QList<int>{0, 25, 0} << QList<int>{0, 0};
    }

    // Only the rows in view and their neighbours are read, however long the table.
    void readWindow()
    {
        QFETCH(QList<int>, view);
        QFETCH(QList<int>, window);
        const QPair<int, int> read = QBaseTableView::readWindow(view.at(0), view.at(1), view.at(2));
        QCOMPARE((QList<int>{read.first, read.second}), window);
    }

    void absentAxisColumns_data()
    {
        QTest::addColumn<int>("axes");
        QTest::addColumn<int>("common"); // the commonly-used mark's column, -1: none (Y is 1, Z is 2)
        QTest::addColumn<QList<int>>("absent");
        QTest::newRow("one axis") << 1 << 3 << QList<int>{3, 1, 2};
        QTest::newRow("one axis, no common mark") << 1 << -1 << QList<int>{1, 2};
        QTest::newRow("two axes") << 2 << 3 << QList<int>{2};
        QTest::newRow("three axes") << 3 << 3 << QList<int>{};
    }

    // The columns of axes a drive does not have, which a table hides whatever the user chose (that the
    // user's own choice stays for the others: tst_QFuncodeView_Servo::columns).
    void absentAxisColumns()
    {
        QFETCH(int, axes);
        QFETCH(int, common);
        QFETCH(QList<int>, absent);
        QCOMPARE(QBaseTableView::absentAxisColumns(axes, {common, 1, 2}), absent);
    }

    // Texts of the same width change the header only; another width resets the model.
    void modelHeaders()
    {
        QBaseTableModel model;
        QTestHost::checkModel(&model);
        model.setHeadList({"Time", "Number", "Value"});
        model.setModelData({row("a")});
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy headerChanges(&model, &QAbstractItemModel::headerDataChanged);
        model.setHeadList({"T", "N", "V"});
        QCOMPARE(resets.count(), 0);
        QCOMPARE(headerChanges.count(), 1);
        QCOMPARE(headerChanges.at(0).at(2).toInt(), 2);
        model.setHeadList({"T", "N"});
        QCOMPARE(resets.count(), 1);
        QCOMPARE(model.columnCount(), 2);
    }

    void modelRowOperations()
    {
        QBaseTableModel model;
        QTestHost::checkModel(&model);
        model.setHeadList({"Time", "Number", "Value"});
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        model.setModelData({row("a"), row("b")});
        model.insertFrontData(row("x"));
        model.insertBackData(row("y"));
        QCOMPARE(QTestUi::columnTexts(&model), (QStringList{"x-t", "a-t", "b-t", "y-t"}));
        QCOMPARE(resets.count(), 1);
        QCOMPARE(inserts.count(), 2); // the tester checks where
        model.refreshAll();
        model.clearData();
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(resets.count(), 3);
        model.setModelData({{"short row"}}); // a short row shows empty cells
        QCOMPARE(model.index(0, 2).data().toString(), QString());
    }
};

QTEST_MAIN(tst_QBaseTableView)
#include "tst_QBaseTableView.moc"
