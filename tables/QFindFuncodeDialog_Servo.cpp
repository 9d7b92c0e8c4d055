#include "QFindFuncodeDialog_Servo.h"

#include "QBaseTableView.h"
#include "QDeviceManager.h"
#include "QDeviceServo.h"
#include "QFindFuncodeModel_Servo.h"
#include "QProjectCore.h"
#include "QSignalManager.h"
#include "QSoftCore.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

QFindFuncodeDialog_Servo::QFindFuncodeDialog_Servo(QWidget* parent) : QBaseDlg(parent)
{
    setFixedSize(725, 450);
    setTitle(tr("STR_FIND_FUNCODE"));
    m_device = QProjectCore::self()->getDevMgr()->getSelectServo();
    createWidgets();
    collectFuncodes();
    createCompleter();
    if (m_device) {
        m_table->showAxisColumns(m_device->getAxisNum(), {-1, QFindFuncodeModel_Servo::COL_AXIS_Y,
                                                          QFindFuncodeModel_Servo::COL_AXIS_Z});
    }

    connect(m_table, &QBaseTableView::doubleClicked, this, &QFindFuncodeDialog_Servo::OnSelectRow);
    connect(m_completer, QOverload<const QString&>::of(&QCompleter::highlighted), this,
            &QFindFuncodeDialog_Servo::OnCompleterClicked);
    connect(m_lineEdit, &QLineEdit::returnPressed, this,
            &QFindFuncodeDialog_Servo::on_toolButtonFindServo_clicked);
    connect(m_findButton, &QToolButton::clicked, this,
            &QFindFuncodeDialog_Servo::on_toolButtonFindServo_clicked);
    connect(m_table->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &QFindFuncodeDialog_Servo::readVisibleResults);
    connect(this, &QFindFuncodeDialog_Servo::SigSelectCode, QSoftCore::getCore()->getSignalManager(),
            &QSignalManager::SigSelectCode);
}

QFindFuncodeDialog_Servo::~QFindFuncodeDialog_Servo() = default;

void QFindFuncodeDialog_Servo::createWidgets()
{
    m_lineEdit = new QLineEdit(this);
    m_lineEdit->setObjectName(QStringLiteral("SEARCHEDIT"));
    m_lineEdit->setPlaceholderText(tr("STR_FUNCODE_NAME_INDEX"));
    m_findButton = new QToolButton(this);
    m_findButton->setObjectName(QStringLiteral("toolButtonFindServo"));
    m_findButton->setToolTip(tr("STR_FIND_FUNCODE"));
    m_findButton->setIcon(QIcon(QStringLiteral(":/img/commonImge/search")));
    m_findButton->setCursor(Qt::PointingHandCursor);

    m_model = new QFindFuncodeModel_Servo(this);
    m_table = new QBaseTableView(this);
    m_table->setObjectName(QStringLiteral("TAB_WIDGET"));
    m_table->setModel(m_model);
    static const int widths[] = {75, 230, 85, 85, 85, 70, 70, 70};
    for (int column = 0; column < int(std::size(widths)); ++column) {
        m_table->setColumnWidth(column, widths[column]);
    }
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_lineEdit);
    searchRow->addWidget(m_findButton);
    auto* layout = new QVBoxLayout(this);
    // The top margin leaves room for the dialog's own title bar.
    layout->setContentsMargins(10, QBaseDlg::TitleHeight, 10, 10);
    layout->addLayout(searchRow);
    layout->addWidget(m_table);

    setFocusProxy(m_lineEdit);
    m_lineEdit->setFocus();
}

void QFindFuncodeDialog_Servo::collectFuncodes()
{
    if (!m_device) {
        return;
    }
    const QDeviceServo::FuncodeGroupMap* maps[] = {&m_device->getNormalFuncodeGroupMap(),
                                                   &m_device->getStateFuncodeGroupMap()};
    for (const QDeviceServo::FuncodeGroupMap* groups : maps) {
        // The drive's display order of groups, so that results come as the group tables list them.
        const QStringList names = QDeviceServo::orderGroupName(groups->keys());
        for (const QString& name : names) {
            const QList<tagSubFuncode_Servo*> codes = groups->value(name);
            for (tagSubFuncode_Servo* fun : codes) {
                m_funcodes.append(fun);
                m_words.append(QStringLiteral("%1 %2").arg(fun->funIndex, fun->funName));
            }
        }
    }
}

void QFindFuncodeDialog_Servo::createCompleter()
{
    m_completer = new QCompleter(m_words, this);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setFilterMode(Qt::MatchContains);
    m_completer->popup()->setStyleSheet(QStringLiteral("background: white"));
    m_lineEdit->setCompleter(m_completer);
}

QString QFindFuncodeDialog_Servo::searchText() const
{
    return m_lineEdit->text();
}

void QFindFuncodeDialog_Servo::on_toolButtonFindServo_clicked()
{
    search(m_lineEdit->text());
}

void QFindFuncodeDialog_Servo::OnCompleterClicked(QString text)
{
    search(text);
}

void QFindFuncodeDialog_Servo::SlotlineEditFindServoFun(QString text)
{
    m_lineEdit->setText(text);
    search(text);
}

void QFindFuncodeDialog_Servo::OnSelectRow(QModelIndex index)
{
    const QDeviceServo* device = QProjectCore::self()->getDevMgr()->getSelectServo();
    if (!device || !index.isValid()) {
        return;
    }
    const QString funIndex = m_model->getFunIndex(index.row());
    if (funIndex.isEmpty()) {
        return;
    }
    emit SigSelectCode(device->getAliasName(), device->getDevName(), device->getConfigVersion(), funIndex);
}

void QFindFuncodeDialog_Servo::search(const QString& text)
{
    const QString needle = text.trimmed();
    // An empty text keeps what was found before.
    if (needle.isEmpty() || !m_device) {
        return;
    }
    QList<tagSubFuncode_Servo*> found;
    for (tagSubFuncode_Servo* fun : qAsConst(m_funcodes)) {
        if (matches(fun, needle)) {
            found.append(fun);
        }
    }
    m_model->setFuncodeList(m_device, found);
    // Values not read yet would show empty: ask the drive for the rows in view; the rest follow as they are
    // scrolled into view. A short text such as "P" matches most of the drive.
    readVisibleResults();
}

void QFindFuncodeDialog_Servo::readVisibleResults()
{
    if (!m_device || !m_table->isVisible() || m_model->rowCount() == 0) {
        return;
    }
    const QPair<int, int> window = m_table->rowsToRead();
    m_device->readFuncode(m_model->getFuncodeList().mid(window.first, window.second));
}

void QFindFuncodeDialog_Servo::showEvent(QShowEvent* event)
{
    QBaseDlg::showEvent(event);
    readVisibleResults();
}

// Either contains the other, so that a part of a number or name finds the code, and so does a whole
// completion word ("number name").
bool QFindFuncodeDialog_Servo::matches(const tagSubFuncode_Servo* fun, const QString& text)
{
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
    if (fun->funName.contains(text, cs) || fun->funIndex.contains(text, cs)) {
        return true;
    }
    return (!fun->funName.isEmpty() && text.contains(fun->funName, cs)) ||
           (!fun->funIndex.isEmpty() && text.contains(fun->funIndex, cs));
}

void QFindFuncodeDialog_Servo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        on_toolButtonFindServo_clicked();
        event->accept();
        return;
    }
    QBaseDlg::keyPressEvent(event);
}

void QFindFuncodeDialog_Servo::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setTitle(tr("STR_FIND_FUNCODE"));
        m_lineEdit->setPlaceholderText(tr("STR_FUNCODE_NAME_INDEX"));
        m_findButton->setToolTip(tr("STR_FIND_FUNCODE"));
    }
    QBaseDlg::changeEvent(event);
}
