#pragma once

#include <QDebug>
#include <QObject>
#include <QString>
#include <QStringList>

class QAbstractItemModel;
class QAbstractItemView;
class QAction;
class QMenu;
class QModelIndex;
class QSize;
class QWidget;

// What GUI suites do again and again, kept once here so that a suite reads as what the user does:
//  - QTestUi::text("STR_KEY")           the text the user sees for a translation key;
//  - QTestUi::child<QLabel>(w, "NAME")  a widget found by class and object name (null, with a warning, if
//  none);
//  - QTestUi::labelText(w, "NAME")      the text of a label found so, "<missing>" when there is none;
//  - QTestUi::action(menu, "STR_KEY")   the entry of a menu, menu bar or widget shown with the key's text;
//  - QTestUi::menu(menuBar, "STR_KEY")  the sub-menu behind such an entry;
//  - QTestUi::columnTexts(model, 0)     the texts of one column, row by row;
//  - QTestUi::show(widget, {900, 320})  a widget resized, shown and exposed (false if it never was);
//  - QTestUi::rightClick(view, index)   a right click over a row (over empty space when the index is
//  invalid),
//                                       its context menu closed again.
// Modal dialogs are answered with ModalAnswer.h, the host's message boxes with QTestMessageBoxes.h, and a
// drive's reads are waited for with QTestHost::readCodes / QTestHost::waitForReads.
class QTestUi
{
public:
    // The keys are the same in every translation context, so any context finds the text.
    static QString text(const char* key);

    template <typename T>
    static T* child(const QObject* parent, const QString& objectName = QString())
    {
        T* found = parent ? parent->findChild<T*>(objectName) : nullptr;
        if (!found) {
            qWarning().noquote() << "no child" << T::staticMetaObject.className() << objectName;
        }
        return found;
    }

    static QString labelText(const QObject* parent, const QString& objectName);
    // The entry whose text is the key's text, or the given text itself when it is no key.
    static QAction* action(const QWidget* owner, const char* key);
    static QMenu* menu(const QWidget* owner, const char* key);
    static QStringList columnTexts(const QAbstractItemModel* model, int column = 0);
    static bool show(QWidget* widget, const QSize& size);
    static void rightClick(QAbstractItemView* view, const QModelIndex& index);
};
