#pragma once

#include <QElapsedTimer>
#include <QString>

class QJsonObject;
class QTextStream;

// Where servo-cli writes: results to standard output, messages and the progress bar to standard error.
// The bar is drawn only when standard error is a terminal, so that logs and pipes get no carriage
// returns; --quiet keeps messages and the bar away, but never errors.
class QCliConsole
{
public:
    explicit QCliConsole(bool quiet);
    ~QCliConsole();

    void message(const QString& text);
    void error(const QString& text);
    // "label [#####.....] done/total"; redrawn at most every tenth of a second and when done.
    void progress(const QString& label, int done, int total);
    void endProgress();

    void out(const QString& text);
    // One JSON document, the whole result of a run.
    void outJson(const QJsonObject& document);

    bool hasBar() const { return m_bar; }

private:
    void writeErr(const QString& text);

    bool m_quiet = false;
    bool m_bar = false;
    bool m_barShown = false;
    QElapsedTimer m_lastDraw;
    QTextStream* m_out = nullptr;
    QTextStream* m_err = nullptr;
};
