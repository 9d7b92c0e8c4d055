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
    void initTestCase();
    void titleBarSitsAboveTheLayout();
    void title();
    void maxButtonAndDoubleClick_data();
    void maxButtonAndDoubleClick();
    void dragTitleBarMovesTheDialog();
    void edgeResize_data();
    void edgeResize();
    void endsExecRejected_data();
    void endsExecRejected();
    void adjustSizeFitsTheScreen();

private:
    static void sendMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons);
};

namespace {
// A dialog laid out the way the host's dialogs are: one layout with a top margin of 40.
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
} // namespace

void tst_QBaseDlg::initTestCase()
{
    initServoResources();
}

void tst_QBaseDlg::sendMouse(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void tst_QBaseDlg::titleBarSitsAboveTheLayout()
{
    SampleDlg dlg;
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
    QDlgTitleBar* bar = dlg.titleBar();
    QCOMPARE(dlg.layout()->indexOf(bar), -1);
    QVERIFY(bar->geometry().top() <= 1);
    QVERIFY(bar->geometry().bottom() < QBaseDlg::TitleHeight);
    QCOMPARE(bar->width(), dlg.width() - 2);
    QVERIFY(dlg.content->geometry().top() >= QBaseDlg::TitleHeight);

    dlg.resize(520, 260);
    QCOMPARE(bar->width(), 518);
}

void tst_QBaseDlg::title()
{
    SampleDlg dlg;
    dlg.setTitle(QStringLiteral("Find function code"));
    QCOMPARE(dlg.title(), QStringLiteral("Find function code"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Find function code"));
    auto* label = dlg.findChild<QLabel*>(QStringLiteral("DLG_TITLE"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Find function code"));
}

void tst_QBaseDlg::maxButtonAndDoubleClick_data()
{
    QTest::addColumn<bool>("maxButton");
    QTest::newRow("maximise allowed") << true;
    QTest::newRow("maximise not allowed") << false;
}

void tst_QBaseDlg::maxButtonAndDoubleClick()
{
    QFETCH(bool, maxButton);
    SampleDlg dlg;
    dlg.showMaxBtn(maxButton);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto* button = dlg.findChild<QToolButton*>(QStringLiteral("DLG_MAXBTN"));
    QVERIFY(button);
    QCOMPARE(button->isVisible(), maxButton);
    QCOMPARE(dlg.isMaxBtnShown(), maxButton);

    QTest::mouseDClick(dlg.titleBar(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    QTRY_COMPARE(bool(dlg.windowState() & Qt::WindowMaximized), maxButton);
    QTest::mouseDClick(dlg.titleBar(), Qt::LeftButton, Qt::NoModifier, QPoint(60, 20));
    QTRY_VERIFY(!(dlg.windowState() & Qt::WindowMaximized));
}

void tst_QBaseDlg::dragTitleBarMovesTheDialog()
{
    SampleDlg dlg;
    dlg.move(100, 100);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QPoint start = dlg.pos();
    QDlgTitleBar* bar = dlg.titleBar();
    sendMouse(bar, QEvent::MouseButtonPress, QPoint(80, 20), Qt::LeftButton);
    sendMouse(bar, QEvent::MouseMove, QPoint(110, 35), Qt::LeftButton);
    sendMouse(bar, QEvent::MouseButtonRelease, QPoint(110, 35), Qt::NoButton);
    QTRY_COMPARE(dlg.pos(), start + QPoint(30, 15));
}

void tst_QBaseDlg::edgeResize_data()
{
    QTest::addColumn<bool>("permit");
    QTest::addColumn<QSize>("expectedSize");
    QTest::newRow("resizing permitted") << true << QSize(440, 330);
    QTest::newRow("resizing not permitted") << false << QSize(400, 300);
}

void tst_QBaseDlg::edgeResize()
{
    QFETCH(bool, permit);
    QFETCH(QSize, expectedSize);
    SampleDlg dlg;
    dlg.setPermitDefaultResize(permit);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    const QPoint corner(dlg.width() - 2, dlg.height() - 2);
    sendMouse(&dlg, QEvent::MouseButtonPress, corner, Qt::LeftButton);
    sendMouse(&dlg, QEvent::MouseMove, corner + QPoint(40, 30), Qt::LeftButton);
    sendMouse(&dlg, QEvent::MouseButtonRelease, corner + QPoint(40, 30), Qt::NoButton);
    QTRY_COMPARE(dlg.size(), expectedSize);
}

void tst_QBaseDlg::endsExecRejected_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("close()") << "close";
    QTest::newRow("close button") << "button";
    QTest::newRow("Escape") << "escape";
}

void tst_QBaseDlg::endsExecRejected()
{
    QFETCH(QString, how);
    SampleDlg dlg;
    bool answered = false;
    QTimer::singleShot(0, &dlg, [&]() {
        QBaseDlg* modal = &dlg;
        answered = QApplication::activeModalWidget() == &dlg;
        if (how == "close") {
            modal->close();
        } else if (how == "button") {
            modal->findChild<QToolButton*>(QStringLiteral("DLG_CLOSEBTN"))->click();
        } else {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(answered);
    QVERIFY(!dlg.isVisible());
}

void tst_QBaseDlg::adjustSizeFitsTheScreen()
{
    const QRect area = QScreenManager::self()->availableGeometry();
    SampleDlg dlg;
    dlg.resize(area.width() * 2, area.height() * 2);
    const QSize adjusted = dlg.getAdjustSize();
    QVERIFY(adjusted.width() <= area.width() * 8 / 10);
    QVERIFY(adjusted.height() <= area.height() * 8 / 10);

    dlg.resize(300, 200);
    QCOMPARE(dlg.getAdjustSize(), QSize(300, 200));
}

QTEST_MAIN(tst_QBaseDlg)
#include "tst_QBaseDlg.moc"
