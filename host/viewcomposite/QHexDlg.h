#pragma once

#include "QBaseDlg.h"

#include <QList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QOkCancel;

// Edits a hexadecimal value of a given bit width (1 to 64). The text takes at most the digits that the
// width allows (an optional "0x" in front); beside it the decimal value, the allowed range, and for
// widths up to 32 a grid of bit check boxes that follows the text. OK is disabled, with a red hint,
// while the text is empty, not hexadecimal, or outside the range: a value outside the range cannot be
// accepted. With a negative minimum the value is read as a two's complement number of the width.
class QHexDlg : public QBaseDlg
{
    Q_OBJECT
public:
    explicit QHexDlg(QWidget* parent = nullptr, int bits = 32);
    ~QHexDlg() override;

    // The remark of the code being edited (hidden when empty).
    void setExplain(const QString& text);
    // Allowed values, both included (default: every unsigned value of the width).
    void setRange(qint64 min, qint64 max);
    void setInitialData(qint64 value);
    // Opens on a value that is not known: the field starts empty, and only a typed value can be accepted.
    void setNoInitialData();

    // After the dialog closed: true when it was accepted, and the accepted value.
    bool getResult() const { return m_result; }
    qint64 getModifyData() const { return m_value; }

    int bits() const { return m_bits; }
    qint64 minimum() const { return m_min; }
    qint64 maximum() const { return m_max; }
    // The value the text stands for; false when the text cannot be accepted.
    bool currentValue(qint64* value) const;
    // The hexadecimal text of a value at this width (upper case, no prefix, no padding).
    QString toHexText(qint64 value) const;

public slots:
    // Accepts only a text that stands for a value in range.
    void accept() override;

private slots:
    void onTextChanged();
    void onBitToggled();

private:
    enum TextState
    {
        TextOk,
        TextEmpty,
        TextNotHex,
        TextOutOfRange
    };
    TextState parse(const QString& text, qint64* value, quint64* raw) const;
    quint64 mask() const;
    QString rangeText(qint64 value) const;
    void buildBitGrid(QWidget* holder);
    void syncBits(quint64 raw);
    void updateState();

    int m_bits = 32;
    qint64 m_min = 0;
    qint64 m_max = 0;
    qint64 m_value = 0;
    bool m_result = false;
    QLabel* m_explain = nullptr;
    QLineEdit* m_edit = nullptr;
    QLabel* m_decimal = nullptr;
    QLabel* m_range = nullptr;
    QLabel* m_hint = nullptr;
    QList<QCheckBox*> m_bitBoxes;
    QOkCancel* m_buttons = nullptr;
};
