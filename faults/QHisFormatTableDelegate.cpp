#include "QHisFormatTableDelegate.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QMyMessageBox.h"
#include "QProjectCore.h"
#include "tagHisFaultFormat_Servo.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

namespace {
QRegularExpression numberExpression()
{
    return QRegularExpression(QString::fromLatin1(tagHisFaultFormat_Servo::numberPattern()));
}
} // namespace

QHisFormatTableDelegate::QHisFormatTableDelegate(QDeviceServo* device, QObject* parent)
    : QStyledItemDelegate(parent), m_device(device)
{
}

QStringList QHisFormatTableDelegate::dataTypeItems()
{
    return {QStringLiteral("3:int16"), QStringLiteral("4:uint16"), QStringLiteral("7:int32"),
            QStringLiteral("8:uint32"), QStringLiteral("15:int64")};
}

QString QHisFormatTableDelegate::dataTypeText(int dataType)
{
    for (const QString& item : dataTypeItems()) {
        if (dataTypeCode(item) == dataType) {
            return item;
        }
    }
    return QString::number(dataType);
}

int QHisFormatTableDelegate::dataTypeCode(const QString& text)
{
    return text.section(QLatin1Char(':'), 0, 0).trimmed().toInt();
}

bool QHisFormatTableDelegate::isKeyword(const QString& param)
{
    return param.compare(QLatin1String("FAULTCODE"), Qt::CaseInsensitive) == 0 ||
           param.compare(QLatin1String("RESERVE"), Qt::CaseInsensitive) == 0;
}

bool QHisFormatTableDelegate::isValidNumber(const QString& number)
{
    static const QRegularExpression pattern = numberExpression();
    return pattern.match(number).hasMatch();
}

QWidget* QHisFormatTableDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                               const QModelIndex& index) const
{
    Q_UNUSED(option)
    switch (index.column()) {
    case COL_NUMBER: {
        auto* edit = new QLineEdit(parent);
        edit->setValidator(new QRegularExpressionValidator(numberExpression(), edit));
        return edit;
    }
    case COL_DATA_TYPE: {
        auto* combo = new QComboBox(parent);
        combo->addItems(dataTypeItems());
        return combo;
    }
    case COL_BYTE_LEN: {
        auto* spin = new QSpinBox(parent);
        spin->setRange(0, 64);
        spin->setSingleStep(4);
        return spin;
    }
    default:
        return new QLineEdit(parent);
    }
}

void QHisFormatTableDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(qMax(0, combo->findText(dataTypeText(dataTypeCode(text)))));
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->setValue(text.toInt());
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
    }
}

void QHisFormatTableDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                           const QModelIndex& index) const
{
    if (m_refusing) {
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        model->setData(index, combo->currentText());
        return;
    }
    if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        spin->interpretText();
        if (acceptByteLength(model, index, spin->value())) {
            model->setData(index, spin->value());
        }
        return;
    }
    auto* edit = qobject_cast<QLineEdit*>(editor);
    if (!edit) {
        return;
    }
    const QString text = edit->text().trimmed();
    if (index.column() == COL_NUMBER && !acceptNumber(text)) {
        return;
    }
    if (index.column() == COL_PARAM && !acceptParam(text)) {
        return;
    }
    model->setData(index, index.column() == COL_NAME ? edit->text() : text);
}

void QHisFormatTableDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                   const QModelIndex& index) const
{
    Q_UNUSED(index)
    editor->setGeometry(option.rect);
}

bool QHisFormatTableDelegate::acceptNumber(const QString& text) const
{
    if (isValidNumber(text)) {
        return true;
    }
    refuse("STR_HIS_NUMBER_INVALID");
    return false;
}

bool QHisFormatTableDelegate::acceptByteLength(const QAbstractItemModel* model, const QModelIndex& index,
                                               int length) const
{
    int total = 0;
    for (int row = 0; row < model->rowCount(index.parent()); ++row) {
        total += row == index.row() ? length : model->index(row, COL_BYTE_LEN, index.parent()).data().toInt();
    }
    if (total <= kMaxRecordBytes) {
        return true;
    }
    refuse("STR_BYTE_COLUMN_MORE_THAN_128");
    return false;
}

bool QHisFormatTableDelegate::acceptParam(const QString& text) const
{
    if (isKeyword(text)) {
        return true;
    }
    const QDeviceServo* device =
        m_device ? m_device.data() : QProjectCore::self()->getDevMgr()->getSelectServo();
    if (device && device->getFuncodePtrByFunIndex(text, false)) {
        return true;
    }
    refuse("STR_PARAM_IS_NOT_EXIST");
    return false;
}

void QHisFormatTableDelegate::refuse(const char* textKey) const
{
    m_refusing = true;
    QMyMessageBox::information(QApplication::activeWindow(), tr("STR_INFORMATION"), tr(textKey));
    m_refusing = false;
}
