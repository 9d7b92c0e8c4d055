#include "ModalAnswer.h"
#include "QConfigDB_Servo.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QHistoryFaultTreeWidget_Servo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSimulatedDriveLink.h"
#include "QSoftCore.h"
#include "QTestHost.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

using Records = QList<QHistoryFaultTreeWidget_Servo::RecordTexts>;
Q_DECLARE_METATYPE(Records)

// The decoded fault history of the selected drive as a tree of records and their parameters.
class tst_QHistoryFaultTreeWidget_Servo : public QObject
{
    Q_OBJECT

    std::unique_ptr<QHistoryFaultTreeWidget_Servo> m_tree;
    QDeviceServo* m_drive = nullptr;

    // Everything the tree shows, item by item.
    static QStringList snapshot(const QTreeWidget* tree)
    {
        QStringList lines;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = tree->topLevelItem(i);
            lines << QStringLiteral("%1|%2|%3")
                         .arg(item->text(0), item->toolTip(0))
                         .arg(item->isFirstColumnSpanned());
            for (int j = 0; j < item->childCount(); ++j) {
                const QTreeWidgetItem* child = item->child(j);
                lines << QStringLiteral("  %1|%2|%3").arg(child->text(0), child->text(1), child->text(2));
            }
        }
        return lines;
    }

    static QHistoryFaultTreeWidget_Servo::RecordTexts record(const QString& label, int params)
    {
        QHistoryFaultTreeWidget_Servo::RecordTexts r;
        r.label = label;
        r.toolTip = label.toLower();
        for (int i = 0; i < params; ++i) {
            r.params << QStringList{label + QString::number(i), QString::number(i), "V"};
        }
        return r;
    }

    // The child row of the first record whose name is given.
    QStringList paramRow(const QString& name) const
    {
        const QTreeWidgetItem* first = m_tree->topLevelItem(0);
        for (int j = 0; first && j < first->childCount(); ++j) {
            if (first->child(j)->text(0) == name) {
                return {first->child(j)->text(0), first->child(j)->text(1), first->child(j)->text(2)};
            }
        }
        return {};
    }

    void raiseRecorded(const QString& code)
    {
        const int before = m_drive->getHistoryFaultRecords(0).size();
        QVERIFY(QTestHost::link("sd")->raiseFault(code));
        QTRY_COMPARE(m_drive->getHistoryFaultRecords(0).size(), before + 1);
    }

private slots:
    void initTestCase() { QVERIFY(QTestHost::setUp()); }

    void init()
    {
        m_drive = QTestHost::addSelectedDrive("SD110", "sd");
        QVERIFY(m_drive);
        QTestHost::link("sd")->setFrozen(true);
        m_tree = std::make_unique<QHistoryFaultTreeWidget_Servo>();
    }

    void cleanup()
    {
        QMyMessageBox::setTestHook(nullptr);
        m_tree.reset();
        QTestHost::clearProject();
        QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat("SD-A", "A110-2.15", 1101,
                                                                                {});
    }

    void recordsShowDecodedValuesWithUnits()
    {
        QSimulatedDriveLink* link = QTestHost::link("sd");
        const qint64 speed = link->rawValue("U00.00", 0);
        raiseRecorded("E.201");
        link->setFrozen(false);
        m_tree->OnRefresh();
        QCOMPARE(m_tree->topLevelItemCount(), 1);
        QCOMPARE(m_tree->topLevelItem(0)->text(0), QString("Fault record 1: E.201: Power stage overcurrent"));
        QCOMPARE(m_tree->topLevelItem(0)->toolTip(0), QString("E.201: Power stage overcurrent"));
        // The values the drive had when the fault was raised, shown through their state codes (how each
        // field is decoded and shown is the decoder's and the export rows' matter).
        const tagSubFuncode_Servo* speedCode = m_drive->getStatusFuncodeByIndex("U00.00");
        QCOMPARE(paramRow("Motor speed"),
                 QStringList({"Motor speed", m_drive->getShowStr(speedCode, speed), "rpm"}));
        // A date is shown as one, with the date's unit.
        QCOMPARE(paramRow("Time of the fault").value(2), QString("y/m/d h:m:s"));
        QVERIFY(paramRow("Time of the fault").value(1).contains('/'));
    }

    // How a parameter's texts are made is the export rows' matter; a code that is no state code is the one
    // case the tree's drive adds.
    void normalCodeIsNoStateCode()
    {
        QVERIFY(QDatabaseManager::self()->getConfigDatabase_Servo()->saveHisFaultFromat(
            "SD-A", "A110-2.15", 1101,
            {{"1~2", "Fault code", 8, 4, "FAULTCODE", 0}, {"2", "Norm", 4, 2, "P00.00", 0}}));
        m_drive->initHisFaultFormat(true);
        raiseRecorded("E.201");
        m_tree->OnRefresh();
        QCOMPARE(m_tree->topLevelItem(0)->childCount(), 1);
        const QTreeWidgetItem* child = m_tree->topLevelItem(0)->child(0);
        // Word 1 holds 0x0000, word 2 the fault code 201.
        QCOMPARE((QStringList{child->text(0), child->text(1), child->text(2)}),
                 (QStringList{"Norm", "201", ""}));
    }

    void updateInPlaceEqualsRebuild_data()
    {
        QTest::addColumn<QList<Records>>("steps");
        const Records two{record("A", 2), record("B", 1)};
        QTest::newRow("record added") << QList<Records>{two, two + Records{record("C", 3)}};
        QTest::newRow("record removed") << QList<Records>{two, {record("A", 2)}};
        QTest::newRow("newest first shifts all") << QList<Records>{two, Records{record("N", 0)} + two};
        QTest::newRow("parameters grow and shrink")
            << QList<Records>{two, {record("A", 5), record("B", 0)}, {record("A", 1), record("B", 4)}};
        QTest::newRow("emptied") << QList<Records>{two, Records{}};
        QTest::newRow("refilled after empty") << QList<Records>{two, Records{}, {record("Z", 2)}};
    }

    void updateInPlaceEqualsRebuild()
    {
        QFETCH(QList<Records>, steps);
        for (const Records& step : steps) {
            m_tree->showRecords(step);
        }
        QHistoryFaultTreeWidget_Servo rebuilt;
        rebuilt.rebuild(steps.last());
        QCOMPARE(snapshot(m_tree.get()), snapshot(&rebuilt));
        QCOMPARE(m_tree->headerItem()->text(2), rebuilt.headerItem()->text(2));
    }

    void updateKeepsItemsInPlace()
    {
        m_tree->showRecords({record("A", 2), record("B", 1)});
        QTreeWidgetItem* first = m_tree->topLevelItem(0);
        first->setExpanded(true);
        m_tree->showRecords({record("A2", 3), record("B", 1)});
        QCOMPARE(m_tree->topLevelItem(0), first);
        QVERIFY(first->isExpanded());
    }

    void liveHistoryFollowsTheDrive()
    {
        m_tree->OnRefresh();
        QCOMPARE(m_tree->topLevelItemCount(), 0);
        raiseRecorded("E.101");
        QTRY_COMPARE(m_tree->topLevelItemCount(), 1);
        raiseRecorded("E.201");
        QTRY_COMPARE(m_tree->topLevelItemCount(), 2);
        QVERIFY(m_tree->topLevelItem(0)->text(0).contains("E.201"));
    }

    void noticesOfOtherDrivesAreIgnored()
    {
        QDeviceServo* other = QTestHost::addDrive("SD110", "other");
        QTestHost::link("other")->setFrozen(true);
        // Nothing is shown before the tree was refreshed for a drive.
        QVERIFY(QTestHost::link("other")->raiseFault("E.101"));
        QTRY_COMPARE(other->getHistoryFaultRecords(0).size(), 1);
        emit QSoftCore::getCore()->getSignalManager()->SigHistoryFaultChanged("other");
        QCOMPARE(m_tree->topLevelItemCount(), 0);
        m_tree->OnRefresh();
        QCOMPARE(m_tree->lastAlias(), QString("sd"));
        emit QSoftCore::getCore()->getSignalManager()->SigHistoryFaultChanged("other");
        QCOMPARE(m_tree->topLevelItemCount(), 0);
    }

    // Refresh and clear need the drive online; export and the format editor do not.
    void menuFollowsTheDriveState()
    {
        for (bool online : {true, false}) {
            QTestHost::link("sd")->setOnline(online);
            m_tree->rightMenuClicked(QPoint());
            const QList<QAction*> actions = m_tree->menuActions();
            QCOMPARE(actions.at(0)->isEnabled(), online);
            QCOMPARE(actions.at(1)->isEnabled(), online);
            QVERIFY(actions.at(2)->isEnabled() && actions.at(3)->isEnabled());
            m_tree->contextMenu()->hide();
        }
    }

    void exportWritesOneLinePerRecordAndParameter()
    {
        raiseRecorded("E.201");
        raiseRecorded("E.101");
        QTemporaryDir dir;
        const QString path = dir.filePath("history.csv");
        answerModalDialog([path](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            QVERIFY(files && files->selectedFiles().value(0).endsWith("ExportInfo_sd"));
            files->selectFile(path);
            dialog->accept();
        });
        QMyMessageBox::setTestHook([](const QMyMessageBox::Call&) { return 1; });
        QMyMessageBox::clearRecordedCalls();
        m_tree->slotHistoryFaultaExportBtn();
        QCOMPARE(QMyMessageBox::recordedCalls().value(0).kind, QMyMessageBox::Success);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split('\n', Qt::SkipEmptyParts);
        // A heading, the column headers, then the export rows of each record (10 parameters each).
        QCOMPARE(lines.size(), 2 + 2 * 10);
        QCOMPARE(lines.at(0), QCoreApplication::translate("x", "STR_HIS_FAULT"));
        QVERIFY(lines.last().startsWith("2,E.201: Power stage overcurrent,Absolute position,"));
    }
};

QTEST_MAIN(tst_QHistoryFaultTreeWidget_Servo)
#include "tst_QHistoryFaultTreeWidget_Servo.moc"
