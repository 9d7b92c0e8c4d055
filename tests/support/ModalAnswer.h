#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Runs `answer` on the next modal widget as soon as it is shown, so that a test never waits for a person.
inline void answerModal(const std::function<void(QWidget*)>& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start(5);
}

// The same for a modal dialog: `answer` gets the dialog to accept, reject or fill.
inline void answerModalDialog(const std::function<void(QDialog*)>& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start(5);
}

// The same for the next modal dialog of class T; other modal windows (a progress dialog) are passed over.
template <typename T>
void answerModalOfType(const std::function<void(T*)>& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        }
    });
    timer->start(5);
}
