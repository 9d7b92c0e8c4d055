#include "QFuncodeEditorFactory.h"

#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFuncodeItemComboBox.h"
#include "QHexDlg.h"
#include "QMenuParamDlg.h"
#include "QScreenManager.h"
#include "tagSubFuncode_Servo.h"

#include <QDebug>
#include <QDialog>
#include <QDoubleSpinBox>
#include <QFontMetrics>

namespace {
// The flag the hexadecimal dialog is made with: a 32-bit value field.
const int kHexDialogBits = 32;
// Fonts the editors are measured with, so that a value never gets cut.
const int kMeasureFontPixelSize = 19;
const char kWidestSpinText[] = "65535.000";
const int kSpinPadding = 10;
// Property of a spin box opened on a value that is not known: left empty, it has nothing to write.
const char kStartedEmpty[] = "servoStartedEmpty";

QWidget* createSpinBox(QWidget* parent, const tagSubFuncode_Servo* fun, QDeviceServo* device)
{
    // Decimals and step come from the device; without one the value cannot be shown right.
    if (!device) {
        return nullptr;
    }
    auto* spin = new QDoubleSpinBox(parent);
    const double minimum = fun->minVal.toDouble();
    const double maximum = fun->maxVal.toDouble();
    qDebug().noquote() << QStringLiteral("Range:(%1,%2)").arg(minimum).arg(maximum);
    const int decimals = device->getDecimals(fun->precision);
    // Decimals first: setRange rounds its bounds to the present number of decimals.
    spin->setDecimals(decimals);
    spin->setRange(minimum, maximum);
    spin->setSingleStep(QDeviceServo::getResolution(decimals));
    return spin;
}

QWidget* createComboBox(QWidget* parent, int optionWidth, const tagSubFuncode_Servo* fun)
{
    auto* combo = new QFuncodeItemComboBox(parent);
    combo->setObjectName(QStringLiteral("FUNCODE_COMBOX"));
    combo->addMultiItemFixWidth(fun->enumText.split(QLatin1Char('\n')), optionWidth);
    return combo;
}

// The value part of an enumerated item ("3:Motor C" -> 3); ok false when it has none.
int itemValue(const QString& itemText, bool* ok)
{
    return itemText.split(QDeviceManager::getColon()).first().trimmed().toInt(ok);
}

void setComboData(QFuncodeItemComboBox* combo, const tagSubFuncode_Servo* fun, QDeviceServo* device, int axis)
{
    qint64 current = 0;
    const bool known = device && device->curValue(fun->funIndex, axis, &current);
    for (int i = 0; known && i < combo->count(); ++i) {
        bool ok = false;
        if (itemValue(combo->itemText(i), &ok) == current && ok) {
            combo->setCurrentIndex(i);
            return;
        }
    }
    // An unknown value, or one that matches no item, chooses none: nobody chose the first.
    combo->setCurrentIndex(-1);
}

void runHexDialog(QHexDlg* dlg, const tagSubFuncode_Servo* fun, QDeviceServo* device, int axis)
{
    QScreenManager::self()->moveToCenter(dlg);
    dlg->setExplain(fun->remark);
    dlg->setRange(fun->minVal.toInt(), fun->maxVal.toLongLong());
    qint64 current = 0;
    if (device && device->curValue(fun->funIndex, axis, &current)) {
        dlg->setInitialData(current);
    } else {
        dlg->setNoInitialData();
    }
    dlg->exec();
}

void runMenuDialog(QMenuParamDlg* dlg, const tagSubFuncode_Servo* fun, QDeviceServo* device, int axis)
{
    QScreenManager::self()->moveToCenter(dlg);
    if (device && device->hasValue(fun->funIndex, axis)) {
        dlg->setInitData(fun->funIndex,
                         static_cast<int>(qRound64(device->getScaledCurValue(fun->funIndex, axis))));
    } else {
        dlg->setUnknownValue(fun->funIndex);
    }
    dlg->exec();
}

QString longestItem(const QComboBox* combo)
{
    QString longest;
    for (int i = 0; i < combo->count(); ++i) {
        // Strictly longer only: the first of equally long items wins.
        if (combo->itemText(i).length() > longest.length()) {
            longest = combo->itemText(i);
        }
    }
    return longest;
}
} // namespace

QFuncodeEditorFactory::EditorKind QFuncodeEditorFactory::editorKind(int showType)
{
    switch (showType) {
    case 0:
    case 8:
    case 10:
        return EDITOR_SPIN;
    case 1:
    case 9:
        return EDITOR_HEX;
    case 2:
        return EDITOR_COMBO;
    case 6:
        return EDITOR_MENU;
    default:
        return EDITOR_NONE;
    }
}

QFuncodeEditorFactory::EditorKind QFuncodeEditorFactory::editorKind(const QWidget* editor)
{
    if (!editor) {
        return EDITOR_NONE;
    }
    if (dynamic_cast<const QDoubleSpinBox*>(editor)) {
        return EDITOR_SPIN;
    }
    if (dynamic_cast<const QHexDlg*>(editor)) {
        return EDITOR_HEX;
    }
    if (dynamic_cast<const QFuncodeItemComboBox*>(editor)) {
        return EDITOR_COMBO;
    }
    if (dynamic_cast<const QMenuParamDlg*>(editor)) {
        return EDITOR_MENU;
    }
    return EDITOR_NONE;
}

QWidget* QFuncodeEditorFactory::createEditor(QWidget* parent, int optionWidth, const tagSubFuncode_Servo* fun,
                                             QDeviceServo* device)
{
    if (!fun) {
        return nullptr;
    }
    switch (editorKind(fun->showType)) {
    case EDITOR_SPIN:
        return createSpinBox(parent, fun, device);
    case EDITOR_HEX:
        return new QHexDlg(parent, kHexDialogBits);
    case EDITOR_COMBO:
        return createComboBox(parent, optionWidth, fun);
    case EDITOR_MENU:
        return new QMenuParamDlg(parent);
    case EDITOR_NONE:
        break;
    }
    return nullptr;
}

void QFuncodeEditorFactory::setEditorData(QWidget* editor, const tagSubFuncode_Servo* fun,
                                          QDeviceServo* device, int axis)
{
    if (!editor || !fun) {
        return;
    }
    switch (editorKind(editor)) {
    case EDITOR_SPIN: {
        auto* spin = static_cast<QDoubleSpinBox*>(editor);
        const bool known = device && device->hasValue(fun->funIndex, axis);
        // An unknown value starts empty: only what the user types is written.
        spin->setProperty(kStartedEmpty, !known);
        if (known) {
            spin->setValue(device->getScaledCurValueStr(fun->funIndex, axis).toDouble());
        } else {
            spin->clear();
        }
        break;
    }
    case EDITOR_COMBO:
        setComboData(dynamic_cast<QFuncodeItemComboBox*>(editor), fun, device, axis);
        break;
    case EDITOR_HEX:
        runHexDialog(dynamic_cast<QHexDlg*>(editor), fun, device, axis);
        break;
    case EDITOR_MENU:
        runMenuDialog(dynamic_cast<QMenuParamDlg*>(editor), fun, device, axis);
        break;
    case EDITOR_NONE:
        break;
    }
}

QVariant QFuncodeEditorFactory::editorValue(QWidget* editor, bool commit)
{
    switch (editorKind(editor)) {
    case EDITOR_SPIN: {
        auto* spin = static_cast<QDoubleSpinBox*>(editor);
        if (!commit || (spin->property(kStartedEmpty).toBool() && spin->cleanText().trimmed().isEmpty())) {
            return QVariant();
        }
        spin->interpretText();
        return QVariant(spin->value());
    }
    case EDITOR_COMBO: {
        if (!commit) {
            return QVariant();
        }
        bool ok = false;
        const int value = itemValue(dynamic_cast<QFuncodeItemComboBox*>(editor)->currentText(), &ok);
        // An item without a value part carries nothing to write.
        return ok ? QVariant(value) : QVariant();
    }
    case EDITOR_HEX: {
        QHexDlg* dlg = dynamic_cast<QHexDlg*>(editor);
        return dlg->getResult() ? QVariant(static_cast<qlonglong>(dlg->getModifyData())) : QVariant();
    }
    case EDITOR_MENU: {
        QMenuParamDlg* dlg = dynamic_cast<QMenuParamDlg*>(editor);
        return dlg->result() == QDialog::Accepted ? QVariant(dlg->getVal()) : QVariant();
    }
    case EDITOR_NONE:
        break;
    }
    return QVariant();
}

void QFuncodeEditorFactory::updateEditorGeometry(QWidget* editor, const QRect& cellRect)
{
    // The dialogs are windows centred on the screen; only in-cell editors follow the cell.
    if (!editor || editor->isWindow()) {
        return;
    }
    const int width = qMax(cellRect.width(), neededWidth(editor));
    // An editor that fixed its own width would otherwise refuse to grow over the next cells.
    if (editor->maximumWidth() < width) {
        editor->setMaximumWidth(width);
    }
    editor->setGeometry(cellRect.x(), cellRect.y(), width, cellRect.height());
}

int QFuncodeEditorFactory::neededWidth(const QWidget* editor)
{
    if (!editor) {
        return 0;
    }
    QFont font = editor->font();
    font.setPixelSize(kMeasureFontPixelSize);
    const QFontMetrics metrics(font);
    switch (editorKind(editor)) {
    case EDITOR_COMBO:
        return metrics.horizontalAdvance(longestItem(dynamic_cast<const QComboBox*>(editor)));
    case EDITOR_SPIN:
        return metrics.horizontalAdvance(QLatin1String(kWidestSpinText)) + kSpinPadding;
    default:
        return 0;
    }
}

bool QFuncodeEditorFactory::isDialogEditor(const QWidget* editor)
{
    const EditorKind kind = editor ? editorKind(editor) : EDITOR_NONE;
    return kind == EDITOR_HEX || kind == EDITOR_MENU;
}
