#include "QMyMessageBox.h"

#include "QScreenManager.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

std::function<int(const QMyMessageBox::Call&)>& hookSlot()
{
    static std::function<int(const QMyMessageBox::Call&)> hook;
    return hook;
}

QList<QMyMessageBox::Call>& recordSlot()
{
    static QList<QMyMessageBox::Call> calls;
    return calls;
}

QMyMessageBox::Call makeCall(QMyMessageBox::Kind kind, const QString& title, const QString& text,
                             const QStringList& buttons, const QString& detail = QString())
{
    QMyMessageBox::Call call;
    call.kind = kind;
    call.title = title;
    call.text = text;
    call.detail = detail;
    call.buttons = buttons;
    return call;
}

} // namespace

int QMyMessageBox::information(QWidget* parent, const QString& title, const QString& text)
{
    return run(parent, makeCall(Information, title, text, {tr("STR_OK")}), {1});
}

int QMyMessageBox::question(QWidget* parent, const QString& title, const QString& text)
{
    return run(parent, makeCall(Question, title, text, {tr("STR_YES"), tr("STR_NO")}), {1, 0});
}

int QMyMessageBox::question(QWidget* parent, const QString& title, const QString& text,
                            const QString& firstButtonText, const QString& secondButtonText)
{
    return run(parent, makeCall(Question, title, text, {firstButtonText, secondButtonText}), {1, 2});
}

int QMyMessageBox::success(QWidget* parent, const QString& title, const QString& text, const QString& detail)
{
    return run(parent, makeCall(Success, title, text, {tr("STR_OK")}, detail), {1});
}

int QMyMessageBox::warning(QWidget* parent, const QString& title, const QString& text)
{
    return run(parent, makeCall(Warning, title, text, {tr("STR_OK")}), {1});
}

void QMyMessageBox::setTestHook(std::function<int(const QMyMessageBox::Call&)> hook)
{
    hookSlot() = std::move(hook);
}

bool QMyMessageBox::hasTestHook()
{
    return static_cast<bool>(hookSlot());
}

QList<QMyMessageBox::Call> QMyMessageBox::recordedCalls()
{
    return recordSlot();
}

void QMyMessageBox::clearRecordedCalls()
{
    recordSlot().clear();
}

int QMyMessageBox::run(QWidget* parent, const Call& call, const QList<int>& answers)
{
    if (hookSlot()) {
        recordSlot().append(call);
        return hookSlot()(call);
    }
    QMyMessageBox box(parent, call, answers);
    QScreenManager::self()->moveToCenter(&box);
    box.exec();
    return box.answer();
}

QMyMessageBox::QMyMessageBox(QWidget* parent, const Call& call, const QList<int>& answers)
    : QBaseDlg(parent), m_answers(answers)
{
    setObjectName(QStringLiteral("MSGBOX"));
    setTitle(call.title);

    auto* text = new QLabel(call.text, this);
    text->setObjectName(QStringLiteral("MSGBOX_TEXT"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setMinimumWidth(300);
    text->setMaximumWidth(560);

    auto* body = new QHBoxLayout;
    body->setSpacing(14);
    body->addWidget(makeIconLabel(call.kind), 0, Qt::AlignTop);
    body->addWidget(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    if (!call.detail.isEmpty()) {
        m_detailButton = new QPushButton(tr("STR_SHOW_DETAIL"), this);
        m_detailButton->setObjectName(QStringLiteral("MSGBOX_DETAIL_BTN"));
        m_detailButton->setAutoDefault(false);
        connect(m_detailButton, &QPushButton::clicked, this, &QMyMessageBox::onToggleDetail);
        buttons->addWidget(m_detailButton);
    }
    buttons->addStretch(1);
    for (int i = 0; i < call.buttons.size(); ++i) {
        auto* button = new QPushButton(call.buttons.at(i), this);
        button->setObjectName(QStringLiteral("MSGBOX_BTN_%1").arg(i));
        button->setMinimumWidth(80);
        button->setDefault(i == 0);
        const int answer = m_answers.value(i, 0);
        connect(button, &QPushButton::clicked, this, [this, answer]() {
            m_answer = answer;
            done(answer == 0 ? QDialog::Rejected : QDialog::Accepted);
        });
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, TitleHeight + 16, 20, 14);
    layout->setSpacing(14);
    layout->addLayout(body);
    if (!call.detail.isEmpty()) {
        m_detail = new QPlainTextEdit(call.detail, this);
        m_detail->setObjectName(QStringLiteral("MSGBOX_DETAIL"));
        m_detail->setReadOnly(true);
        m_detail->setMaximumHeight(120);
        m_detail->setVisible(false);
        layout->addWidget(m_detail);
    }
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QMyMessageBox::~QMyMessageBox() = default;

QWidget* QMyMessageBox::makeIconLabel(Kind kind)
{
    QString path;
    switch (kind) {
    case Question:
        path = QStringLiteral(":/img/dialog/question");
        break;
    case Success:
        path = QStringLiteral(":/img/dialog/success");
        break;
    case Warning:
        path = QStringLiteral(":/img/dialog/warning");
        break;
    case Information:
        path = QStringLiteral(":/img/dialog/information");
        break;
    }
    auto* label = new QLabel(this);
    label->setObjectName(QStringLiteral("MSGBOX_ICON"));
    label->setPixmap(QIcon(path).pixmap(32, 32));
    label->setFixedSize(32, 32);
    return label;
}

void QMyMessageBox::onToggleDetail()
{
    if (!m_detail) {
        return;
    }
    const bool show = !m_detail->isVisible();
    m_detail->setVisible(show);
    m_detailButton->setText(show ? tr("STR_HIDE_DETAIL") : tr("STR_SHOW_DETAIL"));
}
