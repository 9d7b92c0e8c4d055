#include "QBaseDlg.h"
#include "QDlgTitleBar.h"
#include "QScreenManager.h"
#include "ServoResources.h"

#include <QLabel>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest>

class tst_QBaseDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initServoResources(); }
    void titleBarSitsAboveTheLayout();
    void dragResizeAndMaximise_data();
    void dragResizeAndMaximise();
    void endsExecRejected();
    void adjustSizeFitsTheScreen();
};

namespace {
// A dialog laid out the way the host's dialogs are: one layout with a top margin of the title height.
class SampleDlg : public QBaseDlg
{
public:
    SampleDlg()
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(2, TitleHeight, 2, 2);
        content = new QLabel(QStringLiteral("content"), this);
        layout->addWidget(content);
        resize(400, 300);
    }
    QLabel* content = nullptr;
};

void drag(QWidget* target, const QPoint& from, const QPoint& to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, target->mapToGlobal(from), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, to, target->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, to, target->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    for (QMouseEvent* event : {&press, &move, &release}) {
        QApplication::sendEvent(target, event);
    }
}
} // namespace

void tst_QBaseDlg::titleBarSitsAboveTheLayout()
{
    SampleDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QDlgTitleBar* bar = dlg.titleBar();
    QCOMPARE(dlg.layout()->indexOf(bar), -1);
    QVERIFY(bar->geometry().bottom() < QBaseDlg::TitleHeight);
    QVERIFY(dlg.content->geometry().top() >= QBaseDlg::TitleHeight);
    dlg.resize(520, 260);
    QCOMPARE(bar->width(), 518);
}

void tst_QBaseDlg::dragResizeAndMaximise_data()
{
    QTest::addColumn<bool>("permit");
    QTest::newRow("resizing and maximising permitted") << true;
    QTest::newRow("resizing and maximising not permitted") << false;
}

void tst_QBaseDlg::dragResizeAndMaximise()
{
    QFETCH(bool, permit);
    SampleDlg dlg;
    dlg.setPermitDefaultResize(permit);
    dlg.showMaxBtn(permit);
    dlg.move(100, 100);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QPoint start = dlg.pos();
    drag(dlg.titleBar(), QPoint(80, 20), QPoint(110, 35));
    QTRY_COMPARE(dlg.pos(), start + QPoint(30, 15));
    const QPoint corner(dlg.width() - 2, dlg.height() - 2);
    drag(&dlg, corner, corner + QPoint(40, 30));
    QTRY_COMPARE(dlg.size(), permit ? QSize(440, 330) : QSize(400, 300));
    QCOMPARE(dlg.findChild<QToolButton*>(QStringLiteral("DLG_MAXBTN"))->isVisible(), permit);
    QTest::mouseDClick(dlg.titleBar(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    QTRY_COMPARE(bool(dlg.windowState() & Qt::WindowMaximized), permit);
}

void tst_QBaseDlg::endsExecRejected()
{
    SampleDlg dlg;
    for (bool byButton : {true, false}) {
        bool wasModal = false;
        QTimer::singleShot(0, &dlg, [&]() {
            wasModal = QApplication::activeModalWidget() == &dlg;
            byButton ? dlg.findChild<QToolButton*>(QStringLiteral("DLG_CLOSEBTN"))->click()
                     : QTest::keyClick(&dlg, Qt::Key_Escape);
        });
        QCOMPARE(dlg.exec(), int(QDialog::Rejected));
        QVERIFY(wasModal && !dlg.isVisible());
    }
}

void tst_QBaseDlg::adjustSizeFitsTheScreen()
{
    const QRect area = QScreenManager::self()->availableGeometry();
    SampleDlg dlg;
    dlg.resize(area.size() * 2);
    QVERIFY(dlg.getAdjustSize().width() <= area.width() * 8 / 10);
    QVERIFY(dlg.getAdjustSize().height() <= area.height() * 8 / 10);
    dlg.resize(300, 200);
    QCOMPARE(dlg.getAdjustSize(), QSize(300, 200));
}

QTEST_MAIN(tst_QBaseDlg)
#include "tst_QBaseDlg.moc"
