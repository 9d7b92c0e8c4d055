#include "QTestUi.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <QtTest>

QString QTestUi::text(const char* key)
{
    return QCoreApplication::translate("Strings", key);
}

QString QTestUi::labelText(const QObject* parent, const QString& objectName)
{
    const QLabel* label = child<QLabel>(parent, objectName);
    return label ? label->text() : QStringLiteral("<missing>");
}

QAction* QTestUi::action(const QWidget* owner, const char* key)
{
    if (!owner) {
        return nullptr;
    }
    const QString wanted = text(key);
    for (QAction* entry : owner->actions()) {
        if (entry->text() == wanted) {
            return entry;
        }
    }
    qWarning().noquote() << "no entry" << key << "in" << owner->objectName();
    return nullptr;
}

QMenu* QTestUi::menu(const QWidget* owner, const char* key)
{
    QAction* entry = action(owner, key);
    return entry ? entry->menu() : nullptr;
}

QStringList QTestUi::columnTexts(const QAbstractItemModel* model, int column)
{
    QStringList texts;
    for (int row = 0; model && row < model->rowCount(); ++row) {
        texts << model->index(row, column).data().toString();
    }
    return texts;
}

bool QTestUi::show(QWidget* widget, const QSize& size)
{
    widget->resize(size);
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}

void QTestUi::rightClick(QAbstractItemView* view, const QModelIndex& index)
{
    const QPoint point =
        index.isValid() ? view->visualRect(index).center() : QPoint(5, view->viewport()->height() - 5);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, view->viewport()->mapToGlobal(point));
    QCoreApplication::sendEvent(view->viewport(), &event);
    if (QWidget* menu = QApplication::activePopupWidget()) {
        menu->hide();
    }
}
