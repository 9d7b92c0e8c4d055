#include "QCliConsole.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

namespace {
const int kBarWidth = 30;
const int kRedrawMs = 100;
} // namespace

QCliConsole::QCliConsole(bool quiet)
    : m_quiet(quiet), m_bar(!quiet && ::isatty(STDERR_FILENO) == 1), m_out(new QTextStream(stdout)),
      m_err(new QTextStream(stderr))
{
    m_out->setCodec("UTF-8");
    m_err->setCodec("UTF-8");
}

QCliConsole::~QCliConsole()
{
    endProgress();
    delete m_out;
    delete m_err;
}

void QCliConsole::writeErr(const QString& text)
{
    if (m_barShown) {
        // The message takes the bar's line; the bar comes back with its next step.
        *m_err << QStringLiteral("\r\033[K");
        m_barShown = false;
    }
    *m_err << text << '\n';
    m_err->flush();
}

void QCliConsole::message(const QString& text)
{
    if (!m_quiet) {
        writeErr(text);
    }
}

void QCliConsole::error(const QString& text)
{
    writeErr(text);
}

void QCliConsole::progress(const QString& label, int done, int total)
{
    if (!m_bar || total <= 0) {
        return;
    }
    if (m_barShown && done < total && m_lastDraw.isValid() && m_lastDraw.elapsed() < kRedrawMs) {
        return;
    }
    m_lastDraw.start();
    const int filled = int(qint64(kBarWidth) * qBound(0, done, total) / total);
    *m_err << QStringLiteral("\r\033[K%1 [%2%3] %4/%5")
                  .arg(label, QString(filled, QLatin1Char('#')),
                       QString(kBarWidth - filled, QLatin1Char('.')))
                  .arg(done)
                  .arg(total);
    m_err->flush();
    m_barShown = true;
}

void QCliConsole::endProgress()
{
    if (!m_barShown) {
        return;
    }
    *m_err << QStringLiteral("\r\033[K");
    m_err->flush();
    m_barShown = false;
}

void QCliConsole::out(const QString& text)
{
    endProgress();
    *m_out << text;
    m_out->flush();
}

void QCliConsole::outJson(const QJsonObject& document)
{
    out(QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented)));
}
