#include "QBaseTableModel.h"
#include "QBaseTableView.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

class tst_QBaseTableView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void hostLook();
    void leftClickSignal_data();
    void leftClickSignal();
    void upDownSelection_data();
    void upDownSelection();
    void controlUpDownLeavesTheRow();
    void upDownOffUsesPlainTableKeys();
    void getRowByValue_data();
    void getRowByValue();
    void getCurIndexFun();
    void initFirstSelectIndex();
    void showAndHideSignals();

private:
    int selectedRow() const;

    QBaseTableModel* m_model = nullptr;
    QBaseTableView* m_view = nullptr;
};

void tst_QBaseTableView::init()
{
    m_model = new QBaseTableModel;
    m_model->setHeadList({"Number", "Name"});
    QList<QStringList> rows;
    for (int i = 0; i < 5; ++i) {
        rows << QStringList{QStringLiteral("P00.%1").arg(i, 2, 10, QLatin1Char('0')),
                            QStringLiteral("Name %1").arg(i)};
    }
    m_model->setModelData(rows);
    m_view = new QBaseTableView;
    m_view->setModel(m_model);
    m_view->resize(400, 300);
}

void tst_QBaseTableView::cleanup()
{
    delete m_view;
    delete m_model;
}

int tst_QBaseTableView::selectedRow() const
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.first().row() : -1;
}

void tst_QBaseTableView::hostLook()
{
    QCOMPARE(m_view->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(m_view->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(m_view->alternatingRowColors());
    QVERIFY(m_view->verticalHeader()->isHidden());
    QVERIFY(!m_view->horizontalHeader()->stretchLastSection());
    QVERIFY(m_view->horizontalHeader()->defaultAlignment() & Qt::AlignLeft);
}

void tst_QBaseTableView::leftClickSignal_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("onCell");
    QTest::addColumn<int>("expectedSignals");

    QTest::newRow("enabled, left on a cell") << true << int(Qt::LeftButton) << true << 1;
    QTest::newRow("enabled, right on a cell") << true << int(Qt::RightButton) << true << 0;
    QTest::newRow("enabled, left beside the cells") << true << int(Qt::LeftButton) << false << 0;
    QTest::newRow("disabled, left on a cell") << false << int(Qt::LeftButton) << true << 0;
}

void tst_QBaseTableView::leftClickSignal()
{
    QFETCH(bool, enabled);
    QFETCH(int, button);
    QFETCH(bool, onCell);
    QFETCH(int, expectedSignals);

    m_view->setEnableLeftClickSignal(enabled);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QSignalSpy spy(m_view, &QBaseTableView::SigLeftButtonClick);

    const QModelIndex target = m_model->index(2, 1);
    const QPoint pos =
        onCell ? m_view->visualRect(target).center() : QPoint(5, m_view->viewport()->height() - 3);
    QTest::mousePress(m_view->viewport(), Qt::MouseButton(button), Qt::NoModifier, pos);
    QTest::mouseRelease(m_view->viewport(), Qt::MouseButton(button), Qt::NoModifier, pos);

    QCOMPARE(spy.count(), expectedSignals);
    if (expectedSignals == 1) {
        QCOMPARE(spy.at(0).at(0).toModelIndex(), target);
        QCOMPARE(spy.at(0).at(1).toPoint(), m_view->viewport()->mapToGlobal(pos));
        // The view handled the press first: the clicked row is current when the signal arrives.
        QCOMPARE(m_view->currentIndex().row(), 2);
    }
}

void tst_QBaseTableView::upDownSelection_data()
{
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expectedRow");

    QTest::newRow("down from the middle") << 2 << int(Qt::Key_Down) << 3;
    QTest::newRow("up from the middle") << 2 << int(Qt::Key_Up) << 1;
    QTest::newRow("up at the first row stays") << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("down at the last row stays") << 4 << int(Qt::Key_Down) << 4;
    QTest::newRow("down without a current row starts at 0") << -1 << int(Qt::Key_Down) << 0;
    QTest::newRow("up without a current row starts at 0") << -1 << int(Qt::Key_Up) << 0;
}

void tst_QBaseTableView::upDownSelection()
{
    QFETCH(int, startRow);
    QFETCH(int, key);
    QFETCH(int, expectedRow);

    m_view->setEnableUpAndDownSelect(true);
    if (startRow >= 0) {
        m_view->setCurrentIndex(m_model->index(startRow, 0));
    }
    QTest::keyClick(m_view, Qt::Key(key));
    QCOMPARE(m_view->currentIndex().row(), expectedRow);
    QCOMPARE(selectedRow(), expectedRow);

    // The slots do the same as the keys.
    m_view->selectionModel()->clear();
    if (startRow >= 0) {
        m_view->setCurrentIndex(m_model->index(startRow, 0));
    }
    if (key == Qt::Key_Up) {
        m_view->moveUpAndSelect();
    } else {
        m_view->moveDownAndSelect();
    }
    QCOMPARE(m_view->currentIndex().row(), expectedRow);
    QCOMPARE(selectedRow(), expectedRow);
}

void tst_QBaseTableView::controlUpDownLeavesTheRow()
{
    m_view->setEnableUpAndDownSelect(true);
    m_view->setCurrentIndex(m_model->index(2, 0));
    QTest::keyClick(m_view, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(m_view, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(m_view->currentIndex().row(), 2);
}

void tst_QBaseTableView::upDownOffUsesPlainTableKeys()
{
    m_view->setCurrentIndex(m_model->index(2, 0));
    QTest::keyClick(m_view, Qt::Key_Down);
    QCOMPARE(m_view->currentIndex().row(), 3);
}

void tst_QBaseTableView::getRowByValue_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("expectedRow");

    QTest::newRow("number found") << 0 << "P00.03" << 3;
    QTest::newRow("first row") << 0 << "P00.00" << 0;
    QTest::newRow("name column") << 1 << "Name 4" << 4;
    QTest::newRow("missing") << 0 << "P99.99" << -1;
    QTest::newRow("value of another column") << 0 << "Name 1" << -1;
    QTest::newRow("column out of range") << 5 << "P00.01" << -1;
}

void tst_QBaseTableView::getRowByValue()
{
    QFETCH(int, column);
    QFETCH(QString, value);
    QFETCH(int, expectedRow);
    QCOMPARE(m_view->getRowByValue(column, value), expectedRow);
}

void tst_QBaseTableView::getCurIndexFun()
{
    QString text = QStringLiteral("stale");
    QModelIndex index = m_model->index(0, 0);
    QVERIFY(!m_view->getCurIndexFun(text, index));
    QVERIFY(text.isEmpty());
    QVERIFY(!index.isValid());

    m_view->setCurrentIndex(m_model->index(3, 0));
    QVERIFY(m_view->getCurIndexFun(text, index));
    QCOMPARE(text, QStringLiteral("P00.03"));
    QCOMPARE(index, m_model->index(3, 0));
    QVERIFY(m_view->getCurIndexFun(text, index, 1));
    QCOMPARE(text, QStringLiteral("Name 3"));
    QCOMPARE(index, m_model->index(3, 1));

    QBaseTableView noModel;
    QVERIFY(!noModel.getCurIndexFun(text, index));
}

void tst_QBaseTableView::initFirstSelectIndex()
{
    m_view->initFirstSelectIndex();
    QCOMPARE(m_view->currentIndex().row(), 0);
    QCOMPARE(selectedRow(), 0);

    m_view->setCurrentIndex(m_model->index(3, 0));
    m_view->initFirstSelectIndex();
    QCOMPARE(m_view->currentIndex().row(), 3);

    QBaseTableModel empty;
    empty.setHeadList({"Number"});
    QBaseTableView view;
    view.setModel(&empty);
    view.initFirstSelectIndex();
    QVERIFY(!view.currentIndex().isValid());
}

void tst_QBaseTableView::showAndHideSignals()
{
    QSignalSpy shown(m_view, &QBaseTableView::SigShow);
    QSignalSpy hidden(m_view, &QBaseTableView::SigHide);
    m_view->show();
    QCOMPARE(shown.count(), 1);
    QCOMPARE(hidden.count(), 0);
    m_view->hide();
    QCOMPARE(hidden.count(), 1);
}

QTEST_MAIN(tst_QBaseTableView)
#include "tst_QBaseTableView.moc"
