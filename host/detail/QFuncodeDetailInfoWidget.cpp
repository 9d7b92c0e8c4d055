#include "QFuncodeDetailInfoWidget.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QProjectCore.h"
#include "QScreenManager.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "tagSubFuncode_Servo.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {
const int kMaxAxes = 3;
// Distance between the cursor and the card, so that the card never sits under the cursor.
const int kCursorGap = 12;
const int kRemarkWidth = 300;
const int kInfoIconSize = 16;

QString infoOrDash(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("-") : text;
}
} // namespace

QFuncodeDetailInfoWidget::QFuncodeDetailInfoWidget(QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags | Qt::Tool | Qt::FramelessWindowHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setObjectName(QStringLiteral("FUNCODE_INFO_WIDGET"));
    buildUi();
    showEmpty();
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeChanged_Servo, this,
            &QFuncodeDetailInfoWidget::onFuncodeChanged);
}

QFuncodeDetailInfoWidget::~QFuncodeDetailInfoWidget() = default;

QStringList QFuncodeDetailInfoWidget::captionTexts()
{
    QStringList captions;
    for (int axis = 0; axis < kMaxAxes; ++axis) {
        captions << tr("STR_INFO_AXIS_VALUE").arg(QDeviceServo::getAxisName(axis));
    }
    return captions << tr("STR_DETAIL_RANGE") << tr("STR_DETAIL_DEFAULT") << tr("STR_DETAIL_UNIT")
                    << tr("STR_DETAIL_EFFECT") << tr("STR_DETAIL_RIGHT") << tr("STR_DETAIL_REMARK");
}

void QFuncodeDetailInfoWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        const QStringList captions = captionTexts();
        for (int row = 0; row < m_captions.size(); ++row) {
            m_captions.at(row)->setText(captions.value(row) + QLatin1Char(':'));
        }
        m_empty->setText(tr("STR_NO_FUNCODE_INFO"));
        if (m_hasInfo) {
            setCurServoFuncode(m_funIndex);
        }
    }
    QWidget::changeEvent(event);
}

void QFuncodeDetailInfoWidget::buildUi()
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("FUNCODE_INFO_FRAME"));
    frame->setStyleSheet(
        QStringLiteral("#FUNCODE_INFO_FRAME { background: #fffff4; border: 1px solid #9a9a9a; }"));
    outer->addWidget(frame);

    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(6);
    m_title = new QLabel(frame);
    m_title->setObjectName(QStringLiteral("INFO_TITLE"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    column->addWidget(m_title);

    m_content = new QWidget(frame);
    auto* grid = new QGridLayout(m_content);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    column->addWidget(m_content);
    const QStringList captions = captionTexts();
    for (int axis = 0; axis < kMaxAxes; ++axis) {
        QLabel* caption = nullptr;
        m_axisValues.append(
            addRow(captions.at(axis), QStringLiteral("INFO_VALUE_%1").arg(axis), nullptr, &caption));
        m_axisCaptions.append(caption);
    }
    m_range = addRow(captions.at(kMaxAxes), QStringLiteral("INFO_RANGE"));
    m_default = addRow(captions.at(kMaxAxes + 1), QStringLiteral("INFO_DEFAULT"));
    m_unit = addRow(captions.at(kMaxAxes + 2), QStringLiteral("INFO_UNIT"));
    m_effect = addRow(captions.at(kMaxAxes + 3), QStringLiteral("INFO_EFFECT"), &m_effectIcon);
    m_right = addRow(captions.at(kMaxAxes + 4), QStringLiteral("INFO_RIGHT"), &m_rightIcon);
    m_remark = addRow(captions.at(kMaxAxes + 5), QStringLiteral("INFO_REMARK"), nullptr, &m_remarkCaption);
    m_remark->setWordWrap(true);

    m_empty = new QLabel(tr("STR_NO_FUNCODE_INFO"), frame);
    m_empty->setObjectName(QStringLiteral("INFO_EMPTY"));
    column->addWidget(m_empty);
}

QLabel* QFuncodeDetailInfoWidget::addRow(const QString& caption, const QString& objectName,
                                         QLabel** iconLabel, QLabel** captionOut)
{
    auto* grid = static_cast<QGridLayout*>(m_content->layout());
    // An empty grid still reports one row.
    const int row = grid->count() == 0 ? 0 : grid->rowCount();
    auto* captionLabel = new QLabel(caption + QLatin1Char(':'), m_content);
    captionLabel->setStyleSheet(QStringLiteral("color: #555555;"));
    m_captions.append(captionLabel);
    grid->addWidget(captionLabel, row, 0, Qt::AlignLeft | Qt::AlignTop);
    if (captionOut) {
        *captionOut = captionLabel;
    }

    auto* value = new QLabel(m_content);
    value->setObjectName(objectName);
    value->setTextFormat(Qt::PlainText);
    if (!iconLabel) {
        grid->addWidget(value, row, 1, Qt::AlignLeft | Qt::AlignTop);
        return value;
    }
    auto* valueBox = new QWidget(m_content);
    auto* line = new QHBoxLayout(valueBox);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    *iconLabel = new QLabel(valueBox);
    line->addWidget(*iconLabel);
    value->setParent(valueBox);
    line->addWidget(value, 1);
    grid->addWidget(valueBox, row, 1);
    return value;
}

QDeviceServo* QFuncodeDetailInfoWidget::device() const
{
    QDeviceManager* manager = QProjectCore::self()->getDevMgr();
    if (!manager) {
        return nullptr;
    }
    return m_alias.isEmpty() ? manager->getSelectServo() : manager->getDeviceServo(m_alias);
}

void QFuncodeDetailInfoWidget::setCurServoFuncode(const QString& funIndex)
{
    m_funIndex = funIndex.trimmed();
    m_alias.clear();
    QDeviceServo* servo = device();
    const tagSubFuncode_Servo* fun =
        (servo && !m_funIndex.isEmpty()) ? servo->getFuncodePtrByFunIndex(m_funIndex) : nullptr;
    if (!fun) {
        showEmpty();
        return;
    }
    m_alias = servo->getAliasName();
    m_hasInfo = true;
    m_empty->hide();
    m_title->show();
    m_content->show();
    fillDescription(fun, servo);
    fillValues();
    adjustSize();
}

void QFuncodeDetailInfoWidget::showEmpty()
{
    m_hasInfo = false;
    m_alias.clear();
    m_title->clear();
    m_title->hide();
    m_content->hide();
    m_empty->show();
    adjustSize();
}

void QFuncodeDetailInfoWidget::fillDescription(const tagSubFuncode_Servo* fun, const QDeviceServo* device)
{
    static const char* const rightKeys[] = {"STR_DETAIL_RW_0", "STR_DETAIL_RW_1", "STR_DETAIL_RW_2",
                                            "STR_DETAIL_RW_3"};
    m_title->setText(QStringLiteral("%1  %2").arg(fun->funIndex, fun->funName));
    m_range->setText(tr("STR_DETAIL_RANGE_TEXT")
                         .arg(device->getScaledValueString(fun->showType, fun->precision, fun->minVal),
                              device->getScaledValueString(fun->showType, fun->precision, fun->maxVal)));
    m_default->setText(
        infoOrDash(device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal)));
    m_unit->setText(infoOrDash(fun->unit));
    m_effect->setText(infoOrDash(QDeviceServo::getEffectStr(fun->effectStyle)));
    m_effectIcon->setPixmap(
        QDeviceServo::getEffectIcon(fun->effectStyle).pixmap(kInfoIconSize, kInfoIconSize));
    const bool knownRight = fun->rwLevel >= 0 && fun->rwLevel <= 3;
    m_right->setText(knownRight ? tr(rightKeys[fun->rwLevel]) : QStringLiteral("-"));
    m_rightIcon->setPixmap(QDeviceServo::getRWLevelIcon(fun->rwLevel).pixmap(kInfoIconSize, kInfoIconSize));
    m_remark->setText(fun->remark);
    // A long remark wraps at a fixed width, a short one keeps its own; the height is fixed to the lines
    // so that the card, a window of its own, is sized for all of them.
    const int width = qMin(m_remark->fontMetrics().horizontalAdvance(fun->remark) + 2, kRemarkWidth);
    m_remark->setFixedWidth(width);
    m_remark->setFixedHeight(qMax(m_remark->heightForWidth(width), m_remark->fontMetrics().height()));
    m_remark->setVisible(!fun->remark.isEmpty());
    m_remarkCaption->setVisible(!fun->remark.isEmpty());
}

void QFuncodeDetailInfoWidget::fillValues()
{
    const QDeviceServo* servo = device();
    const int axes = servo ? servo->getAxisNum() : 0;
    for (int axis = 0; axis < kMaxAxes; ++axis) {
        const bool shown = axis < axes;
        m_axisCaptions.at(axis)->setVisible(shown);
        m_axisValues.at(axis)->setVisible(shown);
        m_axisValues.at(axis)->setText(shown ? infoOrDash(servo->getScaledCurValueStr(m_funIndex, axis))
                                             : QString());
    }
}

void QFuncodeDetailInfoWidget::onFuncodeChanged(QString aliasName, QStringList funIndexList)
{
    if (!m_hasInfo || aliasName != m_alias || !funIndexList.contains(m_funIndex)) {
        return;
    }
    if (!device()) {
        showEmpty();
        return;
    }
    fillValues();
}

QPoint QFuncodeDetailInfoWidget::placeFor(const QPoint& globalPos, const QSize& size, const QRect& area)
{
    QPoint pos(globalPos.x() + kCursorGap, globalPos.y() + kCursorGap);
    if (pos.x() + size.width() > area.right() + 1) {
        pos.setX(globalPos.x() - kCursorGap - size.width());
    }
    if (pos.y() + size.height() > area.bottom() + 1) {
        pos.setY(globalPos.y() - kCursorGap - size.height());
    }
    // Clamp last, the left and top edges winning, for points off the screen or cards larger than it.
    pos.setX(qMax(area.left(), qMin(pos.x(), area.right() + 1 - size.width())));
    pos.setY(qMax(area.top(), qMin(pos.y(), area.bottom() + 1 - size.height())));
    return pos;
}

void QFuncodeDetailInfoWidget::moveFunDetailInfoWidget(const QPoint& globalPos)
{
    adjustSize();
    const QScreen* screen = QGuiApplication::screenAt(globalPos);
    const QRect area = screen ? screen->availableGeometry() : QScreenManager::self()->availableGeometry();
    move(placeFor(globalPos, frameGeometry().size(), area));
}
