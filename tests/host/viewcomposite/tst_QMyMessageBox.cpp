#include "ModalAnswer.h"
#include "QMyMessageBox.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {
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
    return QMyMessageBox::success(nullptr, "Export", "Exported", "/tmp/a.csv");
}
} // namespace

class tst_QMyMessageBox : public QObject
{
    Q_OBJECT

private slots:
    void shownBoxAnswers_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("button"); // -1: Escape
        QTest::addColumn<int>("expected");
        QTest::newRow("information OK") << "information" << 0 << 1;
        QTest::newRow("information closed") << "information" << -1 << 0;
        QTest::newRow("question no") << "question" << 1 << 0;
        QTest::newRow("own buttons, second") << "question2" << 1 << 2;
        QTest::newRow("own buttons, closed") << "question2" << -1 << 0;
        QTest::newRow("success OK") << "success" << 0 << 1;
    }

    void shownBoxAnswers()
    {
        QFETCH(QString, kind);
        QFETCH(int, button);
        QFETCH(int, expected);

        QString shownText;
        QString detail;
        answerModal([&](QWidget* modal) {
            shownText = modal->findChild<QLabel*>("MSGBOX_TEXT")->text();
            if (auto* detailEdit = modal->findChild<QPlainTextEdit*>("MSGBOX_DETAIL")) {
                detail = detailEdit->toPlainText();
            }
            auto* target = modal->findChild<QPushButton*>(QString("MSGBOX_BTN_%1").arg(button));
            button < 0 ? QTest::keyClick(modal, Qt::Key_Escape) : target->click();
        });
        QCOMPARE(callKind(kind), expected);
        QVERIFY(!shownText.isEmpty());
        QCOMPARE(detail, kind == "success" ? QString("/tmp/a.csv") : QString());
        QVERIFY(QMyMessageBox::recordedCalls().isEmpty());
    }
};

QTEST_MAIN(tst_QMyMessageBox)
#include "tst_QMyMessageBox.moc"
