#include "QMyMessageBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

class tst_QMyMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void hookAnswersAndRecords_data();
    void hookAnswersAndRecords();
    void callsWithoutHookAreNotRecorded();
    void shownBoxAnswers_data();
    void shownBoxAnswers();
    void successDetailExpands();
};

namespace {

// Runs `answer` on the modal box as soon as it is shown.
void whenModal(const std::function<void(QWidget*)>& answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

int callKind(const QString& kind)
{
    if (kind == "information") {
        return QMyMessageBox::information(nullptr, "Import", "File opened");
    }
    if (kind == "question") {
        return QMyMessageBox::question(nullptr, "Function codes", "Clear the records?");
    }
    if (kind == "question2") {
        return QMyMessageBox::question(nullptr, "Import", "Motor type differs", "Write", "Skip");
    }
    if (kind == "success") {
        return QMyMessageBox::success(nullptr, "Export", "Exported", "/tmp/a.csv");
    }
    return QMyMessageBox::warning(nullptr, "Import", "Drive offline");
}

} // namespace

void tst_QMyMessageBox::cleanup()
{
    QMyMessageBox::setTestHook(nullptr);
    QMyMessageBox::clearRecordedCalls();
}

void tst_QMyMessageBox::hookAnswersAndRecords_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("hookAnswer");
    QTest::addColumn<int>("expectedKind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QStringList>("buttons");

    QTest::newRow("information") << "information" << 1 << int(QMyMessageBox::Information) << "Import"
                                 << "File opened"
                                 << "" << QStringList{"STR_OK"};
    QTest::newRow("question declined") << "question" << 0 << int(QMyMessageBox::Question) << "Function codes"
                                       << "Clear the records?"
                                       << "" << QStringList{"STR_YES", "STR_NO"};
    QTest::newRow("question with own buttons") << "question2" << 2 << int(QMyMessageBox::Question) << "Import"
                                               << "Motor type differs"
                                               << "" << QStringList{"Write", "Skip"};
    QTest::newRow("success") << "success" << 1 << int(QMyMessageBox::Success) << "Export"
                             << "Exported"
                             << "/tmp/a.csv" << QStringList{"STR_OK"};
    QTest::newRow("warning") << "warning" << 1 << int(QMyMessageBox::Warning) << "Import"
                             << "Drive offline"
                             << "" << QStringList{"STR_OK"};
}

void tst_QMyMessageBox::hookAnswersAndRecords()
{
    QFETCH(QString, kind);
    QFETCH(int, hookAnswer);
    QFETCH(int, expectedKind);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, detail);
    QFETCH(QStringList, buttons);

    int hookCalls = 0;
    bool boxShown = false;
    QString hookTitle;
    QMyMessageBox::setTestHook([&](const QMyMessageBox::Call& call) -> int {
        ++hookCalls;
        boxShown = boxShown || QApplication::activeModalWidget();
        hookTitle = call.title;
        return hookAnswer;
    });
    QVERIFY(QMyMessageBox::hasTestHook());
    QCOMPARE(callKind(kind), hookAnswer);
    QCOMPARE(hookCalls, 1);
    QCOMPARE(hookTitle, title);
    // Nothing is shown while a hook answers.
    QVERIFY(!boxShown);

    const QList<QMyMessageBox::Call> calls = QMyMessageBox::recordedCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(int(calls.first().kind), expectedKind);
    QCOMPARE(calls.first().title, title);
    QCOMPARE(calls.first().text, text);
    QCOMPARE(calls.first().detail, detail);
    QCOMPARE(calls.first().buttons, buttons);

    QMyMessageBox::clearRecordedCalls();
    QVERIFY(QMyMessageBox::recordedCalls().isEmpty());
}

void tst_QMyMessageBox::callsWithoutHookAreNotRecorded()
{
    whenModal([](QWidget* modal) { modal->findChild<QPushButton*>("MSGBOX_BTN_0")->click(); });
    QCOMPARE(QMyMessageBox::information(nullptr, "Import", "File opened"), 1);
    QVERIFY(QMyMessageBox::recordedCalls().isEmpty());
    QVERIFY(!QMyMessageBox::hasTestHook());
}

void tst_QMyMessageBox::shownBoxAnswers_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("button"); // -1: Escape
    QTest::addColumn<int>("expected");

    QTest::newRow("information OK") << "information" << 0 << 1;
    QTest::newRow("information closed") << "information" << -1 << 0;
    QTest::newRow("question yes") << "question" << 0 << 1;
    QTest::newRow("question no") << "question" << 1 << 0;
    QTest::newRow("question closed") << "question" << -1 << 0;
    QTest::newRow("own buttons, first") << "question2" << 0 << 1;
    QTest::newRow("own buttons, second") << "question2" << 1 << 2;
    QTest::newRow("own buttons, closed") << "question2" << -1 << 0;
    QTest::newRow("warning OK") << "warning" << 0 << 1;
    QTest::newRow("success OK") << "success" << 0 << 1;
}

void tst_QMyMessageBox::shownBoxAnswers()
{
    QFETCH(QString, kind);
    QFETCH(int, button);
    QFETCH(int, expected);

    QString shownText;
    bool wasMessageBox = false;
    whenModal([&](QWidget* modal) {
        wasMessageBox = qobject_cast<QMyMessageBox*>(modal) != nullptr;
        if (auto* text = modal->findChild<QLabel*>("MSGBOX_TEXT")) {
            shownText = text->text();
        }
        auto* target = modal->findChild<QPushButton*>(QStringLiteral("MSGBOX_BTN_%1").arg(button));
        if (button < 0 || !target) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        target->click();
    });
    QCOMPARE(callKind(kind), expected);
    QVERIFY(wasMessageBox);
    QVERIFY(!shownText.isEmpty());
}

void tst_QMyMessageBox::successDetailExpands()
{
    QString detailText;
    QList<bool> shown; // detail visible at start, after one click, after two
    whenModal([&](QWidget* modal) {
        auto* detail = modal->findChild<QPlainTextEdit*>("MSGBOX_DETAIL");
        auto* toggle = modal->findChild<QPushButton*>("MSGBOX_DETAIL_BTN");
        if (detail && toggle) {
            detailText = detail->toPlainText();
            shown << detail->isVisible();
            toggle->click();
            shown << detail->isVisible();
            toggle->click();
            shown << detail->isVisible();
        }
        modal->close();
    });
    QMyMessageBox::success(nullptr, "Export", "Exported", "/data/export/drive1.csv");
    QCOMPARE(detailText, QStringLiteral("/data/export/drive1.csv"));
    QCOMPARE(shown, (QList<bool>{false, true, false}));
}

QTEST_MAIN(tst_QMyMessageBox)
#include "tst_QMyMessageBox.moc"
