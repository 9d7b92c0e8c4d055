#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeGroupWidget_Servo.h"
#include "QFuncodeModel_Servo.h"
#include "QFuncodeView_Servo.h"
#include "QProjectCore.h"
#include "QSimulatedDriveLink.h"
#include "QTestHost.h"

#include <QScrollBar>
#include <QTest>

#include <memory>

// Costs of the function-code tables on the shipped drive model with the longest group: building the
// group tabs for a drive, rendering one visible page, and what periodic reading asks of the drive link
// while the user pages through the longest group.
class bench_tables : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();

    void groupWidgetInit();
    void dataOfVisiblePage();
    void readsWhileScrolling();

private:
    std::unique_ptr<QFuncodeView_Servo> longestGroupView();

    QDeviceServo* m_device = nullptr;
    QString m_longestGroup;
};

void bench_tables::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
    m_device = QTestHost::addDrive(QStringLiteral("SD330"), QStringLiteral("Bench"));
    QVERIFY(m_device);
    QCommuParams params = m_device->getCommuParams();
    params.refreshInterval = 3600 * 1000; // ticks are driven by hand
    m_device->setCommuParams(params);
    QTestHost::select(QStringLiteral("Bench"));
    QVERIFY(QTestHost::readAll(m_device, 20000));

    const QDeviceServo::FuncodeGroupMap& groups = m_device->getNormalFuncodeGroupMap();
    int codes = 0;
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        codes += it.value().size();
        if (m_longestGroup.isEmpty() || it.value().size() > groups.value(m_longestGroup).size()) {
            m_longestGroup = it.key();
        }
    }
    qInfo("SD330: %d groups, %d normal codes, longest group \"%s\" with %d codes", int(groups.size()), codes,
          qPrintable(m_longestGroup), int(groups.value(m_longestGroup).size()));
}

void bench_tables::cleanupTestCase()
{
    QTestHost::clearProject();
}

std::unique_ptr<QFuncodeView_Servo> bench_tables::longestGroupView()
{
    auto view = std::make_unique<QFuncodeView_Servo>();
    view->setModelGroup(m_longestGroup);
    view->onInitModelData(m_device->getNormalFuncodeGroupMap());
    view->updateAxisColumns();
    view->resize(1400, 700);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) {
        qWarning("view not exposed");
    }
    if (!QTest::qWaitFor([this]() { return !m_device->isReadBusy(); }, 5000)) {
        qWarning("first reads did not finish");
    }
    return view;
}

void bench_tables::groupWidgetInit()
{
    QFuncodeGroupWidget_Servo widget;
    QVERIFY(widget.getpFuncodeGroupNum() > 0);
    QBENCHMARK
    {
        widget.init();
    }
}

void bench_tables::dataOfVisiblePage()
{
    auto view = longestGroupView();
    QFuncodeModel_Servo* model = view->getModel();
    const int first = model->rowCount() / 2;
    const int page = view->verticalScrollBar()->pageStep();
    const QList<int> roles{Qt::DisplayRole,    Qt::ToolTipRole,    Qt::DecorationRole, Qt::TextAlignmentRole,
                           Qt::BackgroundRole, Qt::ForegroundRole, Qt::CheckStateRole};
    // The benchmark runs this function several times: report the page once.
    static bool reported = false;
    if (!reported) {
        reported = true;
        qInfo("visible page: %d rows x %d columns x %d roles", page, model->columnCount(), int(roles.size()));
    }
    int valid = 0;
    QBENCHMARK
    {
        valid = 0;
        for (int row = first; row < first + page; ++row) {
            for (int column = 0; column < model->columnCount(); ++column) {
                const QModelIndex index = model->index(row, column);
                for (int role : roles) {
                    valid += model->data(index, role).isValid() ? 1 : 0;
                }
            }
        }
    }
    QVERIFY(valid > 0);
}

void bench_tables::readsWhileScrolling()
{
    auto view = longestGroupView();
    QSimulatedDriveLink* link = QTestHost::link("Bench");
    QScrollBar* bar = view->verticalScrollBar();
    const int page = bar->pageStep();
    int ticks = 0;
    int requests = 0;
    int items = 0;
    int maxItems = 0;
    QBENCHMARK_ONCE
    {
        for (int value = 0; value <= bar->maximum(); value += page) {
            bar->setValue(value);
            link->resetCounters();
            view->OnReadFuncode();
            QVERIFY(QTest::qWaitFor([this]() { return !m_device->isReadBusy(); }, 5000));
            ++ticks;
            requests += link->readRequestCount();
            items += link->readItemCount();
            maxItems = qMax(maxItems, link->readItemCount());
        }
    }
    // One tick asks for one row above the page to one row below it, every axis.
    QCOMPARE(maxItems, (page + 2) * m_device->getAxisNum());
    static bool reported = false;
    if (reported) {
        return;
    }
    reported = true;
    qInfo(
        "scrolling \"%s\" (%d rows, page %d rows): %d ticks, %.2f requests/tick, %.1f items/tick, at most %d "
        "items in a tick (axes: %d)",
        qPrintable(m_longestGroup), view->getModel()->rowCount(), page, ticks, double(requests) / ticks,
        double(items) / ticks, maxItems, m_device->getAxisNum());
}

QTEST_MAIN(bench_tables)
#include "bench_tables.moc"
