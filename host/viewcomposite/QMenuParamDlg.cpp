#include "QMenuParamDlg.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QItemComboBox.h"
#include "QOkCancel.h"
#include "QProjectCore.h"
#include "tagSubFuncode_Servo.h"

#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace {

const qint64 kIntMin = std::numeric_limits<int>::min();
const qint64 kIntMax = std::numeric_limits<int>::max();

// A bound text of the code; the default when it is empty or no number.
qint64 boundOf(const QString& text, qint64 fallback)
{
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok) {
        return fallback;
    }
    return qBound(kIntMin, qint64(qRound64(number)), kIntMax);
}

const tagSubFuncode_Servo* selectedDriveFuncode(const QString& funIndex)
{
    QProjectCore* core = QProjectCore::self();
    QDeviceManager* manager = core ? core->getDevMgr() : nullptr;
    QDeviceServo* servo = manager ? manager->getSelectServo() : nullptr;
    return servo ? servo->getFuncodePtrByFunIndex(funIndex, false) : nullptr;
}

} // namespace

QMenuParamDlg::QMenuParamDlg(QWidget* parent) : QBaseDlg(parent)
{
    setObjectName(QStringLiteral("MENUPARAMDLG"));
    setTitle(tr("STR_MENU_PARAM_TITLE"));
    m_min = kIntMin;
    m_max = kIntMax;

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("MENU_HEADING"));
    m_heading->setTextFormat(Qt::PlainText);
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    m_editorHolder = new QWidget(this);
    m_editorHolder->setObjectName(QStringLiteral("MENU_EDITORS"));
    auto* form = new QFormLayout(m_editorHolder);
    form->setContentsMargins(0, 0, 0, 0);
    m_value = new QLabel(this);
    m_value->setObjectName(QStringLiteral("MENU_VALUE"));
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("MENU_HINT"));
    m_hint->setStyleSheet(QStringLiteral("color: #D9443A;"));
    m_hint->setWordWrap(true);
    m_buttons = new QOkCancel(this, 0);
    connect(m_buttons, &QOkCancel::SigOk, this, &QMenuParamDlg::accept);
    connect(m_buttons, &QOkCancel::SigCancel, this, &QMenuParamDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, TitleHeight + 10, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(m_heading);
    layout->addWidget(m_editorHolder);
    layout->addWidget(m_value);
    layout->addWidget(m_hint);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setFuncode(nullptr, 0);
}

QMenuParamDlg::~QMenuParamDlg() = default;

void QMenuParamDlg::setInitData(const QString& funIndex, int value)
{
    m_known = true;
    load(funIndex, value);
}

void QMenuParamDlg::setUnknownValue(const QString& funIndex)
{
    m_known = false;
    load(funIndex, 0);
}

void QMenuParamDlg::load(const QString& funIndex, int value)
{
    const tagSubFuncode_Servo* code = selectedDriveFuncode(funIndex);
    showCode(code, value);
    if (!code) {
        m_heading->setText(funIndex);
        m_heading->setVisible(!funIndex.isEmpty());
    }
}

void QMenuParamDlg::setFuncode(const tagSubFuncode_Servo* code, int value)
{
    m_known = true;
    showCode(code, value);
}

void QMenuParamDlg::showCode(const tagSubFuncode_Servo* code, int value)
{
    m_initial = value;
    m_accepted = value;
    m_result = false;
    m_min = code ? boundOf(code->minVal, kIntMin) : kIntMin;
    m_max = code ? boundOf(code->maxVal, kIntMax) : kIntMax;
    if (m_min > m_max) {
        qSwap(m_min, m_max);
    }
    m_heading->setText(code ? QStringLiteral("%1  %2").arg(code->funIndex, code->funName) : QString());
    m_heading->setVisible(code != nullptr);
    clearEditors();
    const QMenuParamLayout layout = code ? QMenuParamLayout::parse(code->enumText) : QMenuParamLayout();
    if (layout.isEmpty()) {
        buildRawEditor();
    } else {
        buildDigitEditors(layout);
    }
    updateState();
}

void QMenuParamDlg::clearEditors()
{
    m_combos.clear();
    m_raw = nullptr;
    auto* form = static_cast<QFormLayout*>(m_editorHolder->layout());
    while (form->rowCount() > 0) {
        form->removeRow(0);
    }
}

void QMenuParamDlg::buildDigitEditors(const QMenuParamLayout& layout)
{
    auto* form = static_cast<QFormLayout*>(m_editorHolder->layout());
    const QList<QMenuParamLayout::Field> fields = layout.fields();
    for (const QMenuParamLayout::Field& field : fields) {
        auto* combo = new QItemComboBox(m_editorHolder);
        combo->setObjectName(QStringLiteral("MENU_DIGIT_%1").arg(field.digit));
        combo->setProperty("digit", field.digit);
        for (const QMenuParamLayout::Option& option : field.options) {
            combo->addItem(option.text, option.value);
        }
        const int present = QMenuParamLayout::digitOf(m_initial, field.digit);
        int row = m_known ? combo->findData(present) : -1;
        if (row < 0 && m_known) {
            // Keep a choice the description does not know, so that OK without a change writes it back.
            combo->insertItem(0, tr("STR_MENU_UNKNOWN_OPTION").arg(present), present);
            row = 0;
        }
        combo->setCurrentIndex(row);
        connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &QMenuParamDlg::updateState);
        auto* label = new QLabel(field.name.isEmpty() ? tr("STR_MENU_DIGIT").arg(field.digit) : field.name,
                                 m_editorHolder);
        label->setToolTip(tr("STR_MENU_DIGIT").arg(field.digit));
        form->addRow(label, combo);
        m_combos.append(combo);
    }
}

void QMenuParamDlg::buildRawEditor()
{
    auto* form = static_cast<QFormLayout*>(m_editorHolder->layout());
    m_raw = new QSpinBox(m_editorHolder);
    m_raw->setObjectName(QStringLiteral("MENU_RAW"));
    // The spin box keeps the value in range itself; a start value outside the range stays visible
    // through the hint until the user changes it.
    m_raw->setRange(int(qMin(m_min, qint64(m_initial))), int(qMax(m_max, qint64(m_initial))));
    m_raw->setValue(m_initial);
    if (!m_known) {
        m_raw->clear();
    }
    connect(m_raw, QOverload<int>::of(&QSpinBox::valueChanged), this, &QMenuParamDlg::updateState);
    form->addRow(tr("STR_MENU_RAW_VALUE"), m_raw);
}

qint64 QMenuParamDlg::currentValue() const
{
    if (m_raw) {
        return m_raw->value();
    }
    qint64 value = m_initial;
    for (const QComboBox* combo : m_combos) {
        value = QMenuParamLayout::withDigit(value, combo->property("digit").toInt(),
                                            combo->currentData().toInt());
    }
    return value;
}

bool QMenuParamDlg::isComplete() const
{
    if (m_raw) {
        return !m_raw->cleanText().isEmpty();
    }
    for (const QComboBox* combo : m_combos) {
        if (combo->currentIndex() < 0) {
            return false;
        }
    }
    return true;
}

bool QMenuParamDlg::isCurrentValueAcceptable() const
{
    const qint64 value = currentValue();
    return isComplete() && value >= m_min && value <= m_max;
}

int QMenuParamDlg::getVal() const
{
    return m_result ? m_accepted : m_initial;
}

QString QMenuParamDlg::boundText() const
{
    return tr("STR_MENU_OUT_OF_RANGE").arg(m_min).arg(m_max);
}

void QMenuParamDlg::updateState()
{
    const bool acceptable = isCurrentValueAcceptable();
    const bool complete = isComplete();
    m_value->setText(
        tr("STR_MENU_VALUE").arg(complete ? QString::number(currentValue()) : QStringLiteral("\u2014")));
    m_hint->setText(acceptable || !complete ? QString() : boundText());
    m_hint->setVisible(complete && !acceptable);
    m_buttons->setOkBtnEnabled(acceptable);
}

void QMenuParamDlg::accept()
{
    if (!isCurrentValueAcceptable()) {
        return;
    }
    m_accepted = int(currentValue());
    m_result = true;
    QBaseDlg::accept();
}
