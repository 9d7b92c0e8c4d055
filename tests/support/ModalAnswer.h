#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include <functional>

// Answers modal windows from a timer through QApplication::activeModalWidget(), so that a test never waits
// for a person. Arm the answer before the call that opens the window:
//     answerModalDialog([](QDialog* dialog) { dialog->accept(); });
//     editor->open();                                  // runs exec() and returns when answered
// The host's own message boxes (QMyMessageBox) are better answered through their hook: QTestMessageBoxes.h.

// Runs `answer` on the next modal window of class T as soon as it is shown; other modal windows (a progress
// dialog) are passed over.
template <typename T>
void answerModalOfType(const std::function<void(T*)>& answer)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, answer]() {
        if (auto* modal = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        }
    });
    timer->start(5);
}

// The next modal window of any kind.
inline void answerModal(const std::function<void(QWidget*)>& answer)
{
    answerModalOfType<QWidget>(answer);
}

// The next modal dialog: `answer` gets it to accept, reject or fill.
inline void answerModalDialog(const std::function<void(QDialog*)>& answer)
{
    answerModalOfType<QDialog>(answer);
}

// Runs `action`; a modal window that it opens is handed to `inspect` (when given) and closed. Whether one
// opened: an action that opens none leaves no answer armed behind it.
inline bool closeModalOpenedBy(const std::function<void()>& action,
                               const std::function<void(QWidget*)>& inspect = {})
{
    bool opened = false;
    QTimer::singleShot(0, [&opened, inspect]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            if (inspect) {
                inspect(modal);
            }
            modal->close();
        }
    });
    action();
    QCoreApplication::processEvents();
    return opened;
}

// Chooses `path` in the next file dialog and accepts it; `suggested` gets the name the dialog offered. When
// the dialog asks whether to replace an existing file, the answer is yes and `replaceAsked` is set.
inline void chooseInFileDialog(const QString& path, QString* suggested = nullptr,
                               bool* replaceAsked = nullptr)
{
    answerModalOfType<QFileDialog>([path, suggested, replaceAsked](QFileDialog* files) {
        if (suggested) {
            *suggested = files->selectedFiles().value(0);
        }
        auto* confirm = new QTimer(files);
        QObject::connect(confirm, &QTimer::timeout, [confirm, replaceAsked]() {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                return;
            }
            confirm->stop();
            if (replaceAsked) {
                *replaceAsked = true;
            }
            box->button(QMessageBox::Yes)->click();
        });
        confirm->start(5);
        files->selectFile(path);
        static_cast<QDialog*>(files)->accept();
    });
}

// Presses `button` in the next Qt message box (a QMessageBox, not the host's own); `text` gets its text.
inline void answerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr)
{
    answerModalOfType<QMessageBox>([button, text](QMessageBox* box) {
        if (text) {
            *text = box->text();
        }
        box->button(button)->click();
    });
}
