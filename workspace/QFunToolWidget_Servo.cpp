#include "QFunToolWidget_Servo.h"

#include "QButtonManager.h"
#include "QCommToolButton.h"
#include "QFlowLayout.h"
#include "QLibSetting.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpacerItem>

namespace {
const int kFindBoxWidth = 100;
const int kFindBoxHeight = 30;
const int kFindBoxMargin = 2;
const int kSpacerWidth = 20;
const int kSpacerHeight = 2;
const int kVerticalMargin = 5;
} // namespace

QFunToolWidget_Servo::QFunToolWidget_Servo(QWidget* parent) : QBaseStyleWidget(parent)
{
    buildLayout();
}

void QFunToolWidget_Servo::buildLayout()
{
    m_buttonGroup = QSoftCore::getCore()->getButtonManager()->getButtonGroupByType(
        QButtonManager::BUTTON_GROUP_SERVO_FUNCODE);
    if (!m_buttonGroup) {
        return;
    }
    // The buttons wrap onto a second line on a narrow window instead of widening the page.
    auto* layout = new QFlowLayout(this, 0, kVerticalMargin);
    const QList<QAbstractButton*> buttons = m_buttonGroup->buttons();
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = qobject_cast<QCommToolButton*>(buttons.at(i));
        if (!button) {
            continue;
        }
        button->setParent(this);
        layout->addWidget(button);
        const int id = m_buttonGroup->id(button);
        if (id == QButtonManager::BTN_HELP) {
            appendModifyTypeBox(layout);
        } else if (id == QButtonManager::BTN_COMPARE) {
            // The button after compare (find) goes into the find box, so the walk skips it.
            QAbstractButton* next = i + 1 < buttons.size() ? buttons.at(i + 1) : nullptr;
            appendFindBox(layout, next);
            if (next) {
                ++i;
            }
        }
    }
    layout->setContentsMargins(0, kVerticalMargin, 0, kVerticalMargin);
    OnSetServoUpDownButtonEnable(false);
}

void QFunToolWidget_Servo::appendModifyTypeBox(QLayout* layout)
{
    m_modifyTypeBox = new QComboBox(this);
    m_modifyTypeBox->setObjectName(QStringLiteral("TOOLBAR_COMBOBOX"));
    m_modifyTypeBox->addItems({tr("STR_EFFECTIVE_PRESS_ENTER"), tr("STR_INSTANT_EFFECT")});
    m_modifyTypeBox->setCurrentIndex(QLibSetting::self()->getSystemSetting()->getFuncodeModifyType());
    m_modifyTypeBox->setCursor(Qt::PointingHandCursor);
    connect(m_modifyTypeBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QFunToolWidget_Servo::onChangedFuncodeModifyType);
    layout->addWidget(m_modifyTypeBox);
    layout->addItem(new QSpacerItem(kSpacerWidth, kSpacerHeight, QSizePolicy::Fixed, QSizePolicy::Minimum));
}

void QFunToolWidget_Servo::appendFindBox(QLayout* layout, QAbstractButton* nextButton)
{
    auto* findBox = new QWidget(this);
    findBox->setFixedSize(kFindBoxWidth, kFindBoxHeight);
    findBox->setCursor(Qt::PointingHandCursor);
    findBox->setStyleSheet(QStringLiteral("QWidget { border: 1px solid gray; }"));
    auto* boxLayout = new QHBoxLayout(findBox);
    boxLayout->setContentsMargins(kFindBoxMargin, kFindBoxMargin, kFindBoxMargin, kFindBoxMargin);
    m_findEdit = new QLineEdit(findBox);
    m_findEdit->setObjectName(QStringLiteral("FLOWDIAGRAM"));
    boxLayout->addWidget(m_findEdit);
    if (nextButton) {
        nextButton->setParent(findBox);
        boxLayout->addWidget(nextButton);
    }
    layout->addWidget(findBox);
}

QString QFunToolWidget_Servo::getFindText() const
{
    return m_findEdit ? m_findEdit->text() : QString();
}

void QFunToolWidget_Servo::setFindText(const QString& text)
{
    if (!m_findEdit) {
        return;
    }
    m_findEdit->setText(text);
    m_findEdit->setToolTip(text);
    m_findEdit->setCursorPosition(0);
}

void QFunToolWidget_Servo::OnSetServoUpDownButtonEnable(bool enable)
{
    if (!m_buttonGroup) {
        return;
    }
    for (int id : {int(QButtonManager::BTN_UP), int(QButtonManager::BTN_DOWN)}) {
        if (QAbstractButton* button = m_buttonGroup->button(id)) {
            button->setVisible(enable);
        }
    }
}

void QFunToolWidget_Servo::onChangedFuncodeModifyType(int idx)
{
    if (idx == -1) {
        return;
    }
    QLibSetting::self()->getSystemSetting()->setFuncodeModifyType(idx);
}

void QFunToolWidget_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateTexts();
    }
    QBaseStyleWidget::changeEvent(event);
}

void QFunToolWidget_Servo::retranslateTexts()
{
    if (!m_modifyTypeBox) {
        return;
    }
    m_modifyTypeBox->setItemText(0, tr("STR_EFFECTIVE_PRESS_ENTER"));
    m_modifyTypeBox->setItemText(1, tr("STR_INSTANT_EFFECT"));
}
