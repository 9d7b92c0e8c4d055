#include "QHexDlg.h"

#include "QOkCancel.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <limits>

QHexDlg::QHexDlg(QWidget* parent, int bits) : QBaseDlg(parent), m_bits(qBound(1, bits, 64))
{
    setObjectName(QStringLiteral("HEXDLG"));
    setTitle(tr("STR_HEX_TITLE"));
    m_max = m_bits < 64 ? qint64(mask()) : std::numeric_limits<qint64>::max();

    m_explain = new QLabel(this);
    m_explain->setObjectName(QStringLiteral("HEX_EXPLAIN"));
    m_explain->setWordWrap(true);
    m_explain->setVisible(false);

    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("HEX_EDIT"));
    const int digits = (m_bits + 3) / 4;
    m_edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^(0[xX])?[0-9A-Fa-f]{0,%1}$").arg(digits)), m_edit));
    m_edit->setPlaceholderText(tr("STR_HEX_PLACEHOLDER"));
    m_decimal = new QLabel(this);
    m_decimal->setObjectName(QStringLiteral("HEX_DECIMAL"));
    m_range = new QLabel(this);
    m_range->setObjectName(QStringLiteral("HEX_RANGE"));
    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("HEX_HINT"));
    m_hint->setStyleSheet(QStringLiteral("color: #D9443A;"));
    m_hint->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(tr("STR_HEX_VALUE"), m_edit);
    form->addRow(QString(), m_decimal);
    form->addRow(QString(), m_range);

    auto* bitHolder = new QWidget(this);
    bitHolder->setObjectName(QStringLiteral("HEX_BITS"));
    buildBitGrid(bitHolder);

    m_buttons = new QOkCancel(this, 0);
    connect(m_buttons, &QOkCancel::SigOk, this, &QHexDlg::accept);
    connect(m_buttons, &QOkCancel::SigCancel, this, &QHexDlg::reject);
    connect(m_edit, &QLineEdit::textChanged, this, &QHexDlg::onTextChanged);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, TitleHeight + 10, 16, 12);
    layout->setSpacing(8);
    layout->addWidget(m_explain);
    layout->addLayout(form);
    layout->addWidget(bitHolder);
    layout->addWidget(m_hint);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_range->setText(tr("STR_HEX_RANGE").arg(rangeText(m_min), rangeText(m_max)));
    setInitialData(0);
}

QHexDlg::~QHexDlg() = default;

quint64 QHexDlg::mask() const
{
    return m_bits >= 64 ? std::numeric_limits<quint64>::max() : ((quint64(1) << m_bits) - 1);
}

void QHexDlg::buildBitGrid(QWidget* holder)
{
    if (m_bits > 32) {
        holder->setVisible(false);
        return;
    }
    const int count = m_bits <= 16 ? 16 : 32;
    auto* grid = new QGridLayout(holder);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(0);
    QFont small = holder->font();
    small.setPointSizeF(small.pointSizeF() * 0.8);
    for (int bit = count - 1; bit >= 0; --bit) {
        // Highest bit first, 16 bits a line, like the bits are written in the hexadecimal text.
        const int line = (count - 1 - bit) / 16;
        const int column = 15 - bit % 16;
        auto* number = new QLabel(QString::number(bit), holder);
        number->setFont(small);
        number->setAlignment(Qt::AlignCenter);
        auto* box = new QCheckBox(holder);
        box->setObjectName(QStringLiteral("HEX_BIT_%1").arg(bit));
        box->setToolTip(tr("STR_HEX_BIT").arg(bit));
        box->setProperty("bit", bit);
        box->setEnabled(bit < m_bits);
        connect(box, &QCheckBox::toggled, this, &QHexDlg::onBitToggled);
        grid->addWidget(number, line * 2, column, Qt::AlignHCenter);
        grid->addWidget(box, line * 2 + 1, column, Qt::AlignHCenter);
        m_bitBoxes.append(box);
    }
}

void QHexDlg::setExplain(const QString& text)
{
    m_explain->setText(text);
    m_explain->setVisible(!text.isEmpty());
}

void QHexDlg::setRange(qint64 min, qint64 max)
{
    if (min > max) {
        qSwap(min, max);
    }
    m_min = min;
    m_max = max;
    m_range->setText(tr("STR_HEX_RANGE").arg(rangeText(m_min), rangeText(m_max)));
    updateState();
}

void QHexDlg::setNoInitialData()
{
    m_edit->clear();
    updateState();
}

void QHexDlg::setInitialData(qint64 value)
{
    m_value = value;
    m_edit->setText(toHexText(value));
    m_edit->selectAll();
    updateState();
}

QString QHexDlg::toHexText(qint64 value) const
{
    return QString::number(quint64(value) & mask(), 16).toUpper();
}

QString QHexDlg::rangeText(qint64 value) const
{
    return QStringLiteral("0x%1 (%2)").arg(toHexText(value)).arg(value);
}

QHexDlg::TextState QHexDlg::parse(const QString& text, qint64* value, quint64* raw) const
{
    QString digits = text.trimmed();
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        digits.remove(0, 2);
    }
    if (digits.isEmpty()) {
        return TextEmpty;
    }
    bool ok = false;
    const quint64 number = digits.toULongLong(&ok, 16);
    if (!ok) {
        return TextNotHex;
    }
    *raw = number;
    if (number > mask()) {
        return TextOutOfRange;
    }
    const bool negative = m_min < 0 && m_bits < 64 && ((number >> (m_bits - 1)) & 1) != 0;
    *value = negative ? qint64(number) - qint64(quint64(1) << m_bits) : qint64(number);
    return (*value < m_min || *value > m_max) ? TextOutOfRange : TextOk;
}

bool QHexDlg::currentValue(qint64* value) const
{
    qint64 parsed = 0;
    quint64 raw = 0;
    if (parse(m_edit->text(), &parsed, &raw) != TextOk) {
        return false;
    }
    if (value) {
        *value = parsed;
    }
    return true;
}

void QHexDlg::accept()
{
    qint64 value = 0;
    if (!currentValue(&value)) {
        return;
    }
    m_value = value;
    m_result = true;
    QBaseDlg::accept();
}

void QHexDlg::onTextChanged()
{
    updateState();
}

void QHexDlg::onBitToggled()
{
    auto* box = qobject_cast<QCheckBox*>(sender());
    if (!box) {
        return;
    }
    qint64 value = 0;
    quint64 raw = 0;
    parse(m_edit->text(), &value, &raw);
    const quint64 bit = quint64(1) << box->property("bit").toInt();
    raw = box->isChecked() ? (raw | bit) : (raw & ~bit);
    m_edit->setText(QString::number(raw & mask(), 16).toUpper());
}

void QHexDlg::syncBits(quint64 raw)
{
    for (QCheckBox* box : qAsConst(m_bitBoxes)) {
        const QSignalBlocker blocker(box);
        box->setChecked((raw >> box->property("bit").toInt()) & 1);
    }
}

void QHexDlg::updateState()
{
    qint64 value = 0;
    quint64 raw = 0;
    const TextState state = parse(m_edit->text(), &value, &raw);
    syncBits(state == TextOk || state == TextOutOfRange ? raw : 0);
    m_decimal->setText(state == TextOk ? tr("STR_HEX_DECIMAL").arg(value) : QString());
    switch (state) {
    case TextOk:
        m_hint->clear();
        break;
    case TextEmpty:
        m_hint->setText(tr("STR_HEX_EMPTY"));
        break;
    case TextNotHex:
        m_hint->setText(tr("STR_HEX_NOT_HEX").arg(m_edit->text()));
        break;
    case TextOutOfRange:
        m_hint->setText(tr("STR_HEX_OUT_OF_RANGE").arg(rangeText(m_min), rangeText(m_max)));
        break;
    }
    m_hint->setVisible(state != TextOk);
    m_buttons->setOkBtnEnabled(state == TextOk);
}
