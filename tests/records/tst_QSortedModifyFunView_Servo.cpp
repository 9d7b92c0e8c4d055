#include "QAssistantManager.h"
#include "QCommonMethod.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunCodeDetailTable.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSoftCore.h"
#include "QSortedModifyFunDetailDlg_Servo.h"
#include "QSortedModifyFunDetailModel_Servo.h"
#include "QSortedModifyFunDetailView_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {
// The text a key is shown with (the host installs the English texts).
QString english(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

const char kAlias[] = "drive";

void addEvents(const QString& alias, const QString& funIndex, int count)
{
    QList<QPair<QString, tagFuncodeModifyData>> events;
    for (int i = 0; i < count; ++i) {
        tagFuncodeModifyData event;
        event.timeStamp = 1700000000 + 60 * i;
        event.oldValue = 12 + i;
        event.newValue = 13 + i;
        events.append(qMakePair(funIndex, event));
    }
    QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvents(alias, events));
}

// Runs inspect on the modal dialog that the next call opens, then closes it. Records whether one came.
class ModalAnswer : public QObject
{
public:
    explicit ModalAnswer(std::function<void(QWidget*)> inspect) : m_inspect(std::move(inspect))
    {
        QTimer::singleShot(0, this, [this]() {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) {
                return;
            }
            m_seen = true;
            m_inspect(modal);
            modal->close();
        });
    }
    bool seen() const { return m_seen; }

private:
    std::function<void(QWidget*)> m_inspect;
    bool m_seen = false;
};

void setRefreshInterval(QDeviceServo* device, int interval)
{
    QCommuParams params = device->getCommuParams();
    params.refreshInterval = interval;
    device->setCommuParams(params);
}

QAction* actionByText(QSortedModifyFunView_Servo& view, const QString& text)
{
    const QList<QAction*> actions = view.findChildren<QAction*>();
    for (QAction* action : actions) {
        if (action->text() == text) {
            return action;
        }
    }
    return nullptr;
}
} // namespace

class tst_QSortedModifyFunView_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void togglingOrderTwiceReturnsToDescending();
    void axisColumnsFollowDrive_data();
    void axisColumnsFollowDrive();
    void zeroIntervalLeavesPageStatic();
    void readsOnlyVisibleRows();
    void readsAreDroppedBeforeReset();
    void countDoubleClickShowsHistory();
    void relateDoubleClickShowsRelatedParameters();
    void otherDoubleClickOpensNothing();
    void selectAndDeselectCurrentCode();
    void editedValueIsForwarded();
    void refreshActionNeedsOnlineDrive();
    void helpKeyOpensPageOfCurrentCode();

private:
    QSortedModifyFunModel_Servo* showPage(QSortedModifyFunView_Servo& view);
    QDeviceServo* m_device = nullptr;
    QSimulatedDriveLink* m_link = nullptr;
};

void tst_QSortedModifyFunView_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QSortedModifyFunView_Servo::init()
{
    QLibSetting::self()->getSystemSetting()->setAuthority(AUTHORITY_ENGINEER);
    QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->clearDevice(QString::fromLatin1(kAlias)));
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QString::fromLatin1(kAlias));
    QVERIFY(m_device);
    m_link = QTestHost::link(QString::fromLatin1(kAlias));
    m_link->setFrozen(true);
    QTestHost::select(QString::fromLatin1(kAlias));
}

void tst_QSortedModifyFunView_Servo::cleanup()
{
    QTestHost::clearProject();
    m_device = nullptr;
    m_link = nullptr;
}

QSortedModifyFunModel_Servo* tst_QSortedModifyFunView_Servo::showPage(QSortedModifyFunView_Servo& view)
{
    auto* model = new QSortedModifyFunModel_Servo(&view);
    new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
    view.setModel(model);
    view.resize(800, 200);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view)) {
        qWarning("the page was not shown");
    }
    return model;
}

void tst_QSortedModifyFunView_Servo::togglingOrderTwiceReturnsToDescending()
{
    addEvents(kAlias, "P00.01", 3);
    addEvents(kAlias, "P00.02", 1);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    QCOMPARE(model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
    QCOMPARE(view.sortAction()->text(), english("STR_MODIFY_TIMES_DESCEND"));

    view.slotSorted();
    QVERIFY(!model->isDescending());
    QCOMPARE(model->getAllFunIndexes(), (QStringList{"P00.02", "P00.01"}));
    QCOMPARE(view.sortAction()->text(), english("STR_MODIFY_TIMES_ASCEND"));

    view.sortAction()->trigger();
    QVERIFY(model->isDescending());
    QCOMPARE(model->getAllFunIndexes(), (QStringList{"P00.01", "P00.02"}));
    QCOMPARE(view.sortAction()->text(), english("STR_MODIFY_TIMES_DESCEND"));
}

void tst_QSortedModifyFunView_Servo::axisColumnsFollowDrive_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QList<int>>("hidden");
    QTest::newRow("one axis") << "TST1" << QList<int>{1, 4, 5};
    QTest::newRow("two axes") << "TST2" << QList<int>{5};
    QTest::newRow("three axes") << "TST3" << QList<int>{};
}

void tst_QSortedModifyFunView_Servo::axisColumnsFollowDrive()
{
    QFETCH(QString, model);
    QFETCH(QList<int>, hidden);
    QVERIFY(QTestHost::addDrive(model, QStringLiteral("axes")));
    QTestHost::select(QStringLiteral("axes"));
    QSortedModifyFunView_Servo view;
    showPage(view);
    for (int column = 0; column < QSortedModifyFunModel_Servo::COL_COUNT; ++column) {
        QVERIFY2(view.isColumnHidden(column) == hidden.contains(column), qPrintable(QString::number(column)));
    }
}

void tst_QSortedModifyFunView_Servo::zeroIntervalLeavesPageStatic()
{
    addEvents(kAlias, "P00.01", 2);
    setRefreshInterval(m_device, 0);
    QSortedModifyFunView_Servo view;
    showPage(view);
    m_link->resetCounters();
    QVERIFY(!view.isReading());
    QCoreApplication::processEvents();
    QCOMPARE(m_link->readRequestCount(), 0);

    // The same page reads as soon as the interval becomes positive, and stops again at 0.
    setRefreshInterval(m_device, 10);
    QVERIFY(view.isReading());
    QTRY_VERIFY(m_link->readRequestCount() > 0);
    setRefreshInterval(m_device, 0);
    QVERIFY(!view.isReading());

    // A hidden page does not read, whatever the interval.
    setRefreshInterval(m_device, 10);
    view.hide();
    QVERIFY(!view.isReading());
    setRefreshInterval(m_device, 20);
    QVERIFY(!view.isReading());
}

void tst_QSortedModifyFunView_Servo::readsOnlyVisibleRows()
{
    for (int i = 0; i < 60; ++i) {
        addEvents(kAlias, QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0')), 1);
    }
    setRefreshInterval(m_device, 0);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    QCOMPARE(model->rowCount(), 60);
    m_link->resetCounters();

    view.slotStartReadingFuncode();
    QTRY_VERIFY(!m_device->isReadBusy());
    const int visibleRows = view.rowAt(view.viewport()->height() - 1) - view.rowAt(0) + 1;
    QVERIFY(visibleRows > 1 && visibleRows < 60);
    // Every axis of the visible rows; the last, partly visible row may be read too.
    QVERIFY2(m_link->readItemCount() >= visibleRows * 3 && m_link->readItemCount() <= (visibleRows + 1) * 3,
             qPrintable(QString::number(m_link->readItemCount())));

    m_link->resetCounters();
    view.scrollToBottom();
    view.slotStartReadingFuncode();
    QTRY_VERIFY(!m_device->isReadBusy());
    QVERIFY(m_link->readItemCount() > 0);
    QVERIFY(m_device->hasValue(QStringLiteral("P10.59"), 0));
}

void tst_QSortedModifyFunView_Servo::readsAreDroppedBeforeReset()
{
    QList<tagSubFuncode_Servo*> codes;
    for (int i = 0; i < 40; ++i) {
        const QString number = QStringLiteral("P10.%1").arg(i, 2, 10, QLatin1Char('0'));
        addEvents(kAlias, number, 1);
        codes.append(m_device->getNormalFuncodePtrByFunIndex(number));
    }
    setRefreshInterval(m_device, 0);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    // One read stays with the drive, so that the next ones wait in the queue.
    m_link->setReplyDelay(60000);
    view.slotStartReadingFuncode();
    m_device->readFuncode(codes);
    QVERIFY(m_device->pendingReadCount() > 0);

    model->refresh(true);
    QCOMPARE(m_device->pendingReadCount(), 0);
}

void tst_QSortedModifyFunView_Servo::countDoubleClickShowsHistory()
{
    addEvents(kAlias, "P00.01", 3);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    QString title;
    int rows = -1;
    QString oldValue;
    ModalAnswer answer([&](QWidget* modal) {
        auto* dialog = qobject_cast<QSortedModifyFunDetailDlg_Servo*>(modal);
        if (!dialog) {
            return;
        }
        title = dialog->title();
        QSortedModifyFunDetailModel_Servo* detail = dialog->getView()->getModel();
        rows = detail->rowCount();
        oldValue = detail->index(0, QSortedModifyFunDetailModel_Servo::COL_OLD_VAL).data().toString();
    });
    view.slotDoubleClicked(model->index(0, QSortedModifyFunModel_Servo::COL_MODIFY_COUNT));
    QVERIFY(answer.seen());
    QCOMPARE(title, english("STR_MODIFY_DETAIL") + QStringLiteral(" (P00.01 Rated current)"));
    QCOMPARE(rows, 3);
    // Two decimals for this code; the newest event comes first.
    QCOMPARE(oldValue, QStringLiteral("14.00"));
}

void tst_QSortedModifyFunView_Servo::relateDoubleClickShowsRelatedParameters()
{
    addEvents(kAlias, "P00.00", 2);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    bool relateForm = false;
    QString funIndex;
    QString time;
    ModalAnswer answer([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFunCodeDetailTable*>(modal);
        if (!dialog) {
            return;
        }
        relateForm = dialog->isRelateForm();
        funIndex = dialog->funIndex();
        time = dialog->changeTime();
    });
    view.slotDoubleClicked(model->index(0, QSortedModifyFunModel_Servo::COL_RELATE_PARAM));
    QVERIFY(answer.seen());
    QVERIFY(relateForm);
    QCOMPARE(funIndex, QStringLiteral("P00.00"));
    QCOMPARE(time, QCommonMethod::timeStempTotimeStr(1700000000 + 60));
}

void tst_QSortedModifyFunView_Servo::otherDoubleClickOpensNothing()
{
    addEvents(kAlias, "P00.01", 1); // has no related parameters
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    for (int column :
         {int(QSortedModifyFunModel_Servo::COL_NAME), int(QSortedModifyFunModel_Servo::COL_RELATE_PARAM),
          int(QSortedModifyFunModel_Servo::COL_AXIS_X)}) {
        ModalAnswer answer([](QWidget*) {});
        view.slotDoubleClicked(model->index(0, column));
        QCoreApplication::processEvents();
        QVERIFY2(!answer.seen(), qPrintable(QString::number(column)));
    }
    // Without a selected drive not even the count opens anything.
    QTestHost::select(QString());
    ModalAnswer answer([](QWidget*) {});
    view.slotDoubleClicked(model->index(0, QSortedModifyFunModel_Servo::COL_MODIFY_COUNT));
    QCoreApplication::processEvents();
    QVERIFY(!answer.seen());
}

void tst_QSortedModifyFunView_Servo::selectAndDeselectCurrentCode()
{
    addEvents(kAlias, "P00.01", 2);
    addEvents(kAlias, "P00.02", 1);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    QSignalSpy selection(&view, &QSortedModifyFunView_Servo::sigSelectionChanged);

    view.setCurrentIndex(model->index(1, 0));
    view.slotOnSelectAll();
    QCOMPARE(m_device->getSelSubFuncodeList(), QStringList{"P00.02"});
    QCOMPARE(selection.count(), 1);

    view.setCurrentIndex(model->index(1, 0));
    view.slotOnDeselectAll();
    QVERIFY(m_device->getSelSubFuncodeList().isEmpty());
    QCOMPARE(selection.count(), 2);

    // The check box of the model reaches the view's signal too.
    model->setData(model->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    QCOMPARE(selection.count(), 3);
    QCOMPARE(m_device->getSelSubFuncodeList(), QStringList{"P00.01"});
}

void tst_QSortedModifyFunView_Servo::editedValueIsForwarded()
{
    addEvents(kAlias, "P00.02", 1);
    QVERIFY(QTestHost::readAll(m_device));
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    QSignalSpy changed(&view, &QSortedModifyFunView_Servo::sigDataChanged);
    QVERIFY(model->setData(model->index(0, QSortedModifyFunModel_Servo::COL_AXIS_Z), 1234.0, Qt::EditRole));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), QStringLiteral("3000"));
    QCOMPARE(changed.at(0).at(1).toString(), QStringLiteral("1234"));
    QCOMPARE(changed.at(0).at(3).toInt(), 2);
}

void tst_QSortedModifyFunView_Servo::refreshActionNeedsOnlineDrive()
{
    QSortedModifyFunView_Servo view;
    QSignalSpy refresh(&view, &QSortedModifyFunView_Servo::sigRefreshFuncode);
    QAction* action = actionByText(view, english("STR_REFRESH"));
    QVERIFY(action);
    action->trigger();
    QCOMPARE(refresh.count(), 1);
    m_link->setOnline(false);
    QTRY_VERIFY(!m_device->isDeviceOnline());
    action->trigger();
    QCOMPARE(refresh.count(), 1);
}

void tst_QSortedModifyFunView_Servo::helpKeyOpensPageOfCurrentCode()
{
    addEvents(kAlias, "P2.00", 1);
    QSortedModifyFunView_Servo view;
    QSortedModifyFunModel_Servo* model = showPage(view);
    view.setCurrentIndex(model->index(0, 2));
    QTest::keyClick(&view, Qt::Key_F1);
    QAssistantManager* help = QSoftCore::getCore()->getAssistantManager();
    QCOMPARE(help->lastAnchor(), QStringLiteral("P2.00"));
    QVERIFY(help->lastPageHtml().contains(QStringLiteral("Speed gain")));
    if (help->helpWindow()) {
        help->helpWindow()->hide();
    }
}

QTEST_MAIN(tst_QSortedModifyFunView_Servo)
#include "tst_QSortedModifyFunView_Servo.moc"
