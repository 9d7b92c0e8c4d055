#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeItemComboBox.h"
#include "QHexDlg.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QSortedModifyFunDelegate_Servo.h"
#include "QSortedModifyFunModel_Servo.h"
#include "QSortedModifyFunView_Servo.h"
#include "QStatistics.h"
#include "QSystemSetting.h"
#include "QTestHost.h"
#include "drive/QSimulatedDriveLink.h"

#include <QApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {
const char kAlias[] = "drive";

void addEvent(const QString& funIndex)
{
    tagFuncodeModifyData event;
    event.timeStamp = 1700000000;
    QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->addFuncodeModifyEvent(
        QString::fromLatin1(kAlias), funIndex, event));
}
} // namespace

class tst_QSortedModifyFunDelegate_Servo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void editorsFollowShowTypeAndRight_data();
    void editorsFollowShowTypeAndRight();
    void spinBoxWritesOnReturnOnly();
    void spinBoxWritesAtOnceWithModifyTypeOne();
    void comboBoxWritesItemValue();
    void hexDialogWritesWhenAccepted_data();
    void hexDialogWritesWhenAccepted();

private:
    QModelIndex cell(const QString& funIndex, int column) const;
    QSortedModifyFunView_Servo* m_view = nullptr;
    QSortedModifyFunModel_Servo* m_model = nullptr;
    QDeviceServo* m_device = nullptr;
};

void tst_QSortedModifyFunDelegate_Servo::initTestCase()
{
    QString error;
    QVERIFY2(QTestHost::setUp(&error), qPrintable(error));
}

void tst_QSortedModifyFunDelegate_Servo::init()
{
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
    QVERIFY(QDatabaseManager::self()->getStatisticsDatabase()->clearDevice(QString::fromLatin1(kAlias)));
    m_device = QTestHost::addDrive(QStringLiteral("TST3"), QString::fromLatin1(kAlias));
    QVERIFY(m_device);
    QTestHost::link(QString::fromLatin1(kAlias))->setFrozen(true);
    QTestHost::select(QString::fromLatin1(kAlias));
    QCommuParams params = m_device->getCommuParams();
    params.refreshInterval = 0;
    m_device->setCommuParams(params);
    for (const char* number : {"P00.02", "P00.03", "P00.04", "P00.07", "P00.10"}) {
        addEvent(QString::fromLatin1(number));
    }
    QVERIFY(QTestHost::readAll(m_device));
    m_view = new QSortedModifyFunView_Servo;
    m_model = new QSortedModifyFunModel_Servo(m_view);
    m_view->setModel(m_model);
    m_view->resize(900, 300);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view));
    QCOMPARE(m_model->rowCount(), 5);
}

void tst_QSortedModifyFunDelegate_Servo::cleanup()
{
    delete m_view;
    m_view = nullptr;
    m_model = nullptr;
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(0);
    QTestHost::clearProject();
}

QModelIndex tst_QSortedModifyFunDelegate_Servo::cell(const QString& funIndex, int column) const
{
    return m_model->index(m_model->getAllFunIndexes().indexOf(funIndex), column);
}

void tst_QSortedModifyFunDelegate_Servo::editorsFollowShowTypeAndRight_data()
{
    QTest::addColumn<QString>("funIndex");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("editorClass");
    QTest::newRow("decimal") << "P00.02" << 3 << "QDoubleSpinBox";
    QTest::newRow("enumerated, axis Z") << "P00.03" << 5 << "QFuncodeItemComboBox";
    QTest::newRow("read only") << "P00.07" << 3 << "";
    QTest::newRow("bit view has no editor") << "P00.10" << 4 << "";
    QTest::newRow("not an axis column") << "P00.02" << 2 << "";
}

void tst_QSortedModifyFunDelegate_Servo::editorsFollowShowTypeAndRight()
{
    QFETCH(QString, funIndex);
    QFETCH(int, column);
    QFETCH(QString, editorClass);
    QSortedModifyFunDelegate_Servo delegate;
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 80, 24);
    QWidget parent;
    QWidget* editor = delegate.createEditor(&parent, option, cell(funIndex, column));
    QCOMPARE(editor ? QString::fromLatin1(editor->metaObject()->className()) : QString(), editorClass);
    if (editorClass == QLatin1String("QFuncodeItemComboBox")) {
        QCOMPARE(editor->objectName(), QStringLiteral("FUNCODE_COMBOX"));
    }
}

void tst_QSortedModifyFunDelegate_Servo::spinBoxWritesOnReturnOnly()
{
    const QModelIndex index = cell(QStringLiteral("P00.02"), QSortedModifyFunModel_Servo::COL_AXIS_Y);
    QSignalSpy changed(m_view, &QSortedModifyFunView_Servo::sigDataChanged);

    // Leaving the editor without Return writes nothing.
    m_view->edit(index);
    auto* spin = m_view->findChild<QDoubleSpinBox*>();
    QVERIFY(spin);
    QCOMPARE(spin->value(), 3000.0);
    spin->setValue(1500);
    // What the delegate does when the editor loses the focus.
    emit m_view->itemDelegate()->commitData(spin);
    QCOMPARE(m_device->getScaledCurValueStr(QStringLiteral("P00.02"), 1), QStringLiteral("3000"));
    QCOMPARE(changed.count(), 0);
    emit m_view->itemDelegate()->closeEditor(spin, QAbstractItemDelegate::NoHint);
    QTRY_VERIFY(!m_view->findChild<QDoubleSpinBox*>());

    m_view->edit(index);
    spin = m_view->findChild<QDoubleSpinBox*>();
    QTRY_VERIFY(spin && spin->isVisible());
    spin->setValue(1500);
    QTest::keyClick(spin, Qt::Key_Return);
    QTRY_COMPARE(m_device->getScaledCurValueStr(QStringLiteral("P00.02"), 1), QStringLiteral("1500"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(3).toInt(), 1);
}

void tst_QSortedModifyFunDelegate_Servo::spinBoxWritesAtOnceWithModifyTypeOne()
{
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(1);
    const QModelIndex index = cell(QStringLiteral("P00.02"), QSortedModifyFunModel_Servo::COL_AXIS_X);
    m_view->edit(index);
    auto* spin = m_view->findChild<QDoubleSpinBox*>();
    QVERIFY(spin);
    spin->setValue(2222);
    emit m_view->itemDelegate()->commitData(spin);
    QTRY_COMPARE(m_device->getScaledCurValueStr(QStringLiteral("P00.02"), 0), QStringLiteral("2222"));
}

void tst_QSortedModifyFunDelegate_Servo::comboBoxWritesItemValue()
{
    const QModelIndex index = cell(QStringLiteral("P00.03"), QSortedModifyFunModel_Servo::COL_AXIS_X);
    m_view->edit(index);
    auto* combo = m_view->findChild<QFuncodeItemComboBox*>();
    QVERIFY(combo);
    combo->setCurrentIndex(2);
    QTest::keyClick(combo, Qt::Key_Enter);
    QTRY_COMPARE(m_device->getCurValue(QStringLiteral("P00.03"), 0), qint64(2));
}

void tst_QSortedModifyFunDelegate_Servo::hexDialogWritesWhenAccepted_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<qint64>("value");
    QTest::newRow("accepted") << true << qint64(0x1FF);
    QTest::newRow("cancelled") << false << qint64(255);
}

void tst_QSortedModifyFunDelegate_Servo::hexDialogWritesWhenAccepted()
{
    QFETCH(bool, accept);
    QFETCH(qint64, value);
    const QModelIndex index = cell(QStringLiteral("P00.04"), QSortedModifyFunModel_Servo::COL_AXIS_X);
    bool seen = false;
    QTimer::singleShot(0, this, [&seen, accept]() {
        auto* dialog = qobject_cast<QHexDlg*>(QApplication::activeModalWidget());
        if (!dialog) {
            return;
        }
        seen = true;
        if (!accept) {
            dialog->reject();
            return;
        }
        dialog->findChild<QLineEdit*>()->setText(QStringLiteral("1FF"));
        dialog->accept();
    });
    m_view->edit(index);
    QVERIFY(seen);
    // The answered dialog does not come back on the screen, and the editor goes.
    QHexDlg* editor = m_view->findChild<QHexDlg*>();
    QVERIFY(!editor || !editor->isVisible() || editor->testAttribute(Qt::WA_DontShowOnScreen));
    QTRY_VERIFY(m_view->findChild<QHexDlg*>() == nullptr);
    QCOMPARE(m_device->getCurValue(QStringLiteral("P00.04"), 0), value);
}

QTEST_MAIN(tst_QSortedModifyFunDelegate_Servo)
#include "tst_QSortedModifyFunDelegate_Servo.moc"
