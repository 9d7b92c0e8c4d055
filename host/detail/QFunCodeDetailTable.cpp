#include "QFunCodeDetailTable.h"

#include "QBaseTableView.h"
#include "QDatabaseManager.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFunCodeAxisValueModel.h"
#include "QFunCodeDetailDelegate.h"
#include "QFunCodeRelateParamModel.h"
#include "QFuncodeScaling.h"
#include "QLibSetting.h"
#include "QProjectCore.h"
#include "QRecordDB_Servo.h"
#include "QServoWriteRules.h"
#include "QSignalManager.h"
#include "QSoftCore.h"
#include "QSystemSetting.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const int kMinimumWidth = 600;
const int kIconSize = 16;
const int kColumnPadding = 16;
// Remarks and value lists wrap at this width so that the window keeps a readable shape.
const int kWideTextWidth = 460;

QDeviceServo* selectedServo()
{
    QDeviceManager* manager = QProjectCore::self()->getDevMgr();
    return manager ? manager->getSelectServo() : nullptr;
}

QString orDash(const QString& text)
{
    return text.trimmed().isEmpty() ? QStringLiteral("-") : text;
}
} // namespace

QFunCodeDetailTable::QFunCodeDetailTable(const QString& funIndex, QWidget* parent)
    : QBaseDlg(parent), m_funIndex(funIndex.trimmed())
{
    buildFrame();
    initDetailForm();
    finishLayout();
}

QFunCodeDetailTable::QFunCodeDetailTable(const QString& time, const QString& funIndex, bool bRelate,
                                         const tagModifyFuncode_Servo& record, QWidget* parent)
    : QBaseDlg(parent), m_funIndex(funIndex.trimmed()), m_time(time), m_relateForm(true), m_relate(bRelate)
{
    buildFrame();
    initRelateForm(record);
    finishLayout();
}

QFunCodeDetailTable::~QFunCodeDetailTable()
{
    // The editor is destroyed with the view after this object has stopped being a detail table; its
    // last commit must find nobody listening.
    m_closing = true;
    if (m_axisModel) {
        disconnect(m_axisModel, nullptr, this, nullptr);
    }
}

void QFunCodeDetailTable::setVisible(bool visible)
{
    // Before the window goes: hiding it takes the focus from an open editor, which would commit.
    m_closing = !visible;
    QBaseDlg::setVisible(visible);
}

void QFunCodeDetailTable::buildFrame()
{
    qRegisterMetaType<tagSubFuncodePtr_Servo>("tagSubFuncodePtr_Servo");
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(16, TitleHeight + 8, 16, 16);
    m_layout->setSpacing(8);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("DETAIL_TITLE"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
    m_title->setFont(titleFont);
    m_title->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_layout->addWidget(m_title);

    m_subTitle = new QLabel(this);
    m_subTitle->setObjectName(QStringLiteral("DETAIL_SUBTITLE"));
    m_subTitle->hide();
    m_layout->addWidget(m_subTitle);

    m_fields = new QGridLayout;
    m_fields->setHorizontalSpacing(12);
    m_fields->setVerticalSpacing(6);
    m_fields->setColumnStretch(1, 1);
    m_fields->setColumnStretch(3, 1);
    m_layout->addLayout(m_fields);

    m_note = new QLabel(this);
    m_note->setObjectName(QStringLiteral("DETAIL_NOTE"));
    m_note->setWordWrap(true);
    m_note->setStyleSheet(QStringLiteral("color: #b35c00; font-weight: bold;"));
    m_note->hide();
    m_layout->addWidget(m_note);

    m_view = new QBaseTableView(this);
    m_view->setObjectName(QStringLiteral("DETAIL_TABLE"));
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_layout->addWidget(m_view, 1);

    m_hint = new QLabel(this);
    m_hint->setObjectName(QStringLiteral("DETAIL_HINT"));
    m_hint->setWordWrap(true);
    m_hint->setStyleSheet(QStringLiteral("color: gray;"));
    m_hint->hide();
    m_layout->addWidget(m_hint);
}

void QFunCodeDetailTable::buildHeader(const tagSubFuncode_Servo* fun)
{
    m_title->setText(fun ? QStringLiteral("%1  %2").arg(fun->funIndex, fun->funName) : m_funIndex);
}

void QFunCodeDetailTable::addField(int row, int column, const QString& label, QWidget* value)
{
    auto* caption = new QLabel(label + QLatin1Char(':'), this);
    caption->setStyleSheet(QStringLiteral("color: #555555;"));
    m_fields->addWidget(caption, row, column * 2, Qt::AlignLeft | Qt::AlignTop);
    m_fields->addWidget(value, row, column * 2 + 1, Qt::AlignLeft | Qt::AlignTop);
}

void QFunCodeDetailTable::addWideField(int row, const QString& label, QWidget* value)
{
    auto* caption = new QLabel(label + QLatin1Char(':'), this);
    caption->setStyleSheet(QStringLiteral("color: #555555;"));
    m_fields->addWidget(caption, row, 0, Qt::AlignLeft | Qt::AlignTop);
    m_fields->addWidget(value, row, 1, 1, 3);
}

QLabel* QFunCodeDetailTable::valueLabel(const QString& text, const QString& objectName)
{
    auto* label = new QLabel(orDash(text), this);
    label->setObjectName(objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* QFunCodeDetailTable::iconText(const QIcon& icon, const QString& text, const QString& objectName)
{
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);
    if (!icon.isNull()) {
        auto* iconLabel = new QLabel(box);
        iconLabel->setPixmap(icon.pixmap(kIconSize, kIconSize));
        row->addWidget(iconLabel);
    }
    QLabel* textLabel = valueLabel(text, objectName);
    textLabel->setParent(box);
    row->addWidget(textLabel);
    row->addStretch();
    return box;
}

void QFunCodeDetailTable::buildDescription(const tagSubFuncode_Servo* fun, const QDeviceServo* device)
{
    const QString minText = device->getScaledValueString(fun->showType, fun->precision, fun->minVal);
    const QString maxText = device->getScaledValueString(fun->showType, fun->precision, fun->maxVal);
    const QString rightKeys[] = {tr("STR_DETAIL_RW_0"), tr("STR_DETAIL_RW_1"), tr("STR_DETAIL_RW_2"),
                                 tr("STR_DETAIL_RW_3")};
    const QString rightText = (fun->rwLevel >= 0 && fun->rwLevel <= 3) ? rightKeys[fun->rwLevel] : QString();

    addField(0, 0, tr("STR_DETAIL_NUMBER"), valueLabel(fun->funIndex, QStringLiteral("DETAIL_NUMBER")));
    addField(0, 1, tr("STR_DETAIL_GROUP"), valueLabel(fun->groupName, QStringLiteral("DETAIL_GROUP")));
    addField(1, 0, tr("STR_DETAIL_NAME"), valueLabel(fun->funName, QStringLiteral("DETAIL_NAME")));
    addField(1, 1, tr("STR_DETAIL_UNIT"), valueLabel(fun->unit, QStringLiteral("DETAIL_UNIT")));
    addField(2, 0, tr("STR_DETAIL_RANGE"),
             valueLabel(tr("STR_DETAIL_RANGE_TEXT").arg(minText, maxText), QStringLiteral("DETAIL_RANGE")));
    addField(2, 1, tr("STR_DETAIL_DEFAULT"),
             valueLabel(device->getScaledValueString(fun->showType, fun->precision, fun->defaultVal),
                        QStringLiteral("DETAIL_DEFAULT")));
    addField(3, 0, tr("STR_DETAIL_EFFECT"),
             iconText(QDeviceServo::getEffectIcon(fun->effectStyle),
                      QDeviceServo::getEffectStr(fun->effectStyle), QStringLiteral("DETAIL_EFFECT")));
    addField(3, 1, tr("STR_DETAIL_RIGHT"),
             iconText(QDeviceServo::getRWLevelIcon(fun->rwLevel), rightText, QStringLiteral("DETAIL_RIGHT")));
    addField(4, 0, tr("STR_DETAIL_DATA_TYPE"),
             valueLabel(QDeviceServo::getDataTypeStr(fun->dataType), QStringLiteral("DETAIL_DATA_TYPE")));
    addField(4, 1, tr("STR_DETAIL_STORE"),
             valueLabel(fun->isStore ? tr("STR_DETAIL_YES") : tr("STR_DETAIL_NO"),
                        QStringLiteral("DETAIL_STORE")));
    addField(5, 0, tr("STR_DETAIL_CANOPEN"), valueLabel(fun->canopenAddr, QStringLiteral("DETAIL_CANOPEN")));

    int row = 6;
    QLabel* related = valueLabel(relatedText(fun, device), QStringLiteral("DETAIL_RELATED"));
    related->setWordWrap(true);
    addWideField(row++, tr("STR_DETAIL_RELATED"), related);
    const QString values = valueListText(fun);
    if (!values.isEmpty()) {
        QLabel* list = valueLabel(values, QStringLiteral("DETAIL_VALUE_LIST"));
        list->setWordWrap(true);
        addWideField(row++, fun->showType == 6 ? tr("STR_DETAIL_MENU_DIGITS") : tr("STR_DETAIL_ITEMS"), list);
    }
    QLabel* remark = valueLabel(fun->remark, QStringLiteral("DETAIL_REMARK"));
    remark->setWordWrap(true);
    remark->setMaximumWidth(kWideTextWidth);
    addWideField(row, tr("STR_DETAIL_REMARK"), remark);
}

QString QFunCodeDetailTable::relatedText(const tagSubFuncode_Servo* fun, const QDeviceServo* device) const
{
    const QStringList numbers = device->getReleParamListByFunIndex(fun->funIndex);
    if (numbers.isEmpty()) {
        return tr("STR_DETAIL_NONE");
    }
    QStringList parts;
    for (const QString& number : numbers) {
        const tagSubFuncode_Servo* related = device->getFuncodePtrByFunIndex(number);
        parts.append(related ? QStringLiteral("%1 %2").arg(number, related->funName) : number);
    }
    return parts.join(QStringLiteral(", "));
}

QString QFunCodeDetailTable::valueListText(const tagSubFuncode_Servo* fun) const
{
    if (fun->showType == 2) {
        return QFuncodeScaling::enumItems(fun->enumText).join(QLatin1Char('\n'));
    }
    if (fun->showType != 6) {
        return QString();
    }
    QStringList lines;
    const QList<QFuncodeScaling::MenuDigit> digits = QFuncodeScaling::menuDigits(fun->enumText);
    for (const QFuncodeScaling::MenuDigit& digit : digits) {
        lines.append(tr("STR_DETAIL_MENU_DIGIT")
                         .arg(digit.digit)
                         .arg(digit.name, digit.options.join(QStringLiteral("; "))));
    }
    return lines.join(QLatin1Char('\n'));
}

QString QFunCodeDetailTable::editHint() const
{
    const QSystemSetting* setting = QLibSetting::self()->getSystemSetting();
    const bool onLeave = setting && setting->getFuncodeModifyType() == 1;
    return onLeave ? tr("STR_DETAIL_EDIT_HINT_ON_LEAVE") : tr("STR_DETAIL_EDIT_HINT");
}

void QFunCodeDetailTable::setNote(const QString& text)
{
    m_note->setText(text);
    m_note->setVisible(!text.isEmpty());
}

QString QFunCodeDetailTable::noteText() const
{
    return m_note->text();
}

void QFunCodeDetailTable::initDetailForm()
{
    setTitle(tr("STR_FUNCODE_DETAIL"));
    QDeviceServo* device = selectedServo();
    m_alias = device ? device->getAliasName() : QString();
    tagSubFuncode_Servo* fun = device ? device->getFuncodePtrByFunIndex(m_funIndex) : nullptr;
    buildHeader(fun);

    m_axisModel = new QFunCodeAxisValueModel(this);
    m_axisModel->setFuncode(m_alias, m_funIndex);
    m_view->setModel(m_axisModel);
    if (!device) {
        setNote(tr("STR_DETAIL_NO_DEVICE"));
        m_view->hide();
        return;
    }
    if (!fun) {
        setNote(tr("STR_DETAIL_UNKNOWN_CODE").arg(m_alias, m_funIndex));
        m_view->hide();
        return;
    }
    buildDescription(fun, device);
    m_view->setItemDelegateForColumn(QFunCodeAxisValueModel::COL_EDIT,
                                     new QFunCodeDetailDelegate(m_axisModel, m_view));
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    connect(m_axisModel, &QFunCodeAxisValueModel::sigValueEdited, this, &QFunCodeDetailTable::onValueEdited);
    connect(QSoftCore::getCore()->getSignalManager(), &QSignalManager::SigFuncodeChanged_Servo, this,
            &QFunCodeDetailTable::onFuncodeChanged);
    // Whoever writes the edit (the write road) tells why the drive did not take it.
    connect(QSignalManager::self(), &QSignalManager::SigFuncodeWriteFailed, this,
            [this](const QString& alias, const QString& funIndex, int axis, const QString& reason) {
                if (alias == m_alias && funIndex == m_funIndex) {
                    setNote(tr("STR_WRITE_NOTICE").arg(funIndex, QDeviceServo::getAxisName(axis), reason));
                }
            });
    if (m_axisModel->isCodeEditable()) {
        m_hint->setText(editHint());
        m_hint->show();
    } else {
        const bool writable = QServoWriteRules::hasWriteRight(*fun);
        setNote(writable ? tr("STR_DETAIL_CODE_NOT_EDITABLE") : tr("STR_DETAIL_READ_ONLY_CODE"));
    }
    if (device->isDeviceOnline()) {
        device->readFuncode(QList<tagSubFuncode_Servo*>{fun});
    }
}

void QFunCodeDetailTable::disableModify()
{
    m_modifyDisabled = true;
    if (!m_axisModel) {
        return;
    }
    m_axisModel->setModifyEnabled(false);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_hint->hide();
    if (m_axisModel->rowCount() > 0) {
        setNote(tr("STR_DETAIL_MODIFY_DISABLED"));
    }
}

void QFunCodeDetailTable::onValueEdited(int axisIndex, const QVariant& value)
{
    QDeviceServo* device = m_axisModel ? m_axisModel->device() : nullptr;
    tagSubFuncode_Servo* fun = m_axisModel ? m_axisModel->funcode() : nullptr;
    if (!device || !fun || m_modifyDisabled || m_closing) {
        return;
    }
    // The window only reports the edit; the one who opened it writes the value and records the change.
    const QString oldVal = device->getScaledCurValueStr(m_funIndex, axisIndex);
    emit sigDataChanged(oldVal, value, fun, axisIndex);
    m_axisModel->refreshValues();
}

void QFunCodeDetailTable::onFuncodeChanged(QString aliasName, QStringList funIndexList)
{
    if (!m_axisModel || aliasName != m_alias || !funIndexList.contains(m_funIndex)) {
        return;
    }
    m_axisModel->refreshValues();
}

void QFunCodeDetailTable::initRelateForm(const tagModifyFuncode_Servo& record)
{
    setTitle(tr("STR_RELATE_PARAM_DETAIL"));
    QDeviceServo* device = selectedServo();
    m_alias = device ? device->getAliasName() : QString();
    const tagSubFuncode_Servo* fun = device ? device->getFuncodePtrByFunIndex(m_funIndex) : nullptr;
    buildHeader(fun);
    m_subTitle->setText(tr("STR_DETAIL_CHANGE_TIME").arg(orDash(m_time)));
    m_subTitle->show();

    m_relateModel = new QFunCodeRelateParamModel(this);
    m_view->setModel(m_relateModel);

    const tagModifyFuncode_Servo change = lookUpRecord(record);
    if (!change.isEmpty()) {
        showChange(change, fun);
    }
    if (!change.isEmpty() && !change.relateParamMap.isEmpty()) {
        fillRelateRows(change, device);
        return;
    }
    if (!device) {
        setNote(tr("STR_DETAIL_NO_DEVICE"));
        return;
    }
    fillCurrentRelateRows(device);
}

tagModifyFuncode_Servo QFunCodeDetailTable::lookUpRecord(const tagModifyFuncode_Servo& record) const
{
    if (!record.isEmpty() || m_alias.isEmpty()) {
        return record;
    }
    const QRecordDB_Servo* records = QDatabaseManager::self()->getRecordDatabase_Servo();
    return records ? records->getModifyFunCode(m_alias, m_time, m_funIndex) : tagModifyFuncode_Servo();
}

void QFunCodeDetailTable::showChange(const tagModifyFuncode_Servo& record, const tagSubFuncode_Servo* fun)
{
    if (record.oldVal.isEmpty() && record.newVal.isEmpty()) {
        return;
    }
    const QString text =
        tr("STR_DETAIL_CHANGE_VALUE")
            .arg(QDeviceServo::getAxisName(record.axisIndex), orDash(recordValueText(record.oldVal, fun)),
                 orDash(recordValueText(record.newVal, fun)));
    addWideField(0, tr("STR_DETAIL_CHANGE"), valueLabel(text, QStringLiteral("DETAIL_CHANGE")));
}

QString QFunCodeDetailTable::recordValueText(const QString& value, const tagSubFuncode_Servo* fun) const
{
    // Records keep an enumerated value as its position in the code's list.
    if (!fun || fun->showType != 2) {
        return value;
    }
    bool ok = false;
    const int position = value.toInt(&ok);
    const QString item = ok ? QDeviceManager::getRefStr(fun->enumText, position) : QString();
    return item.isEmpty() ? value : item;
}

void QFunCodeDetailTable::fillRelateRows(const tagModifyFuncode_Servo& record, const QDeviceServo* device)
{
    // The code's own order of related parameters first, then anything else the record kept.
    QStringList numbers;
    const QStringList related = device ? device->getReleParamListByFunIndex(m_funIndex) : QStringList();
    for (const QString& number : related) {
        if (record.relateParamMap.contains(number)) {
            numbers.append(number);
        }
    }
    for (auto it = record.relateParamMap.cbegin(); it != record.relateParamMap.cend(); ++it) {
        if (!numbers.contains(it.key())) {
            numbers.append(it.key());
        }
    }
    QList<QFunCodeRelateParamModel::Row> rows;
    for (const QString& number : numbers) {
        const tagSubFuncode_Servo* fun = device ? device->getFuncodePtrByFunIndex(number) : nullptr;
        const QPair<QString, QString> values = record.relateParamMap.value(number);
        rows.append({number, fun ? fun->funName : QString(), values.first, values.second,
                     fun ? fun->unit : QString()});
    }
    m_relateModel->setRows(rows);
}

void QFunCodeDetailTable::fillCurrentRelateRows(const QDeviceServo* device)
{
    const QStringList related = device->getReleParamListByFunIndex(m_funIndex);
    if (related.isEmpty()) {
        setNote(tr("STR_DETAIL_NO_RELATED"));
        return;
    }
    QList<QFunCodeRelateParamModel::Row> rows;
    for (const QString& number : related) {
        const tagSubFuncode_Servo* fun = device->getFuncodePtrByFunIndex(number);
        const QString current = device->getScaledCurValueStr(number, QDeviceServo::AXIS_X);
        rows.append({number, fun ? fun->funName : QString(), current, current, fun ? fun->unit : QString()});
    }
    m_relateModel->setRows(rows);
    setNote(tr("STR_DETAIL_RELATE_CURRENT"));
}

void QFunCodeDetailTable::finishLayout()
{
    QHeaderView* header = m_view->horizontalHeader();
    header->setStretchLastSection(true);
    m_view->resizeColumnsToContents();
    for (int column = 0; column < header->count(); ++column) {
        m_view->setColumnWidth(column, m_view->columnWidth(column) + kColumnPadding);
    }
    if (m_axisModel) {
        // At most three axis rows: the table takes exactly their room and never scrolls.
        m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        const int rows = qMax(1, m_axisModel->rowCount());
        m_view->setFixedHeight(header->sizeHint().height() +
                               rows * m_view->verticalHeader()->defaultSectionSize() +
                               2 * m_view->frameWidth());
    }
    // The layout keeps every caption and value whole; the window only starts wider than that.
    const QSize natural = sizeHint().expandedTo(QSize(kMinimumWidth, 0));
    resize(natural.expandedTo(minimumSizeHint()));
}
