#pragma once

#include "QDriveModel.h"
#include "QFuncodeLineSplitter_Servo.h"
#include "QFuncodeTextPool.h"
#include "tagExportDevInfo_Servo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>

// Reads the lines of a function-code file (QFuncodeFileLayout_Servo), one at a time, into a device
// record. The lines come from a comma-separated file (tokens that may still hold a name's commas) or from
// the cells of a worksheet (exact fields). Empty lines are skipped; reading ends at "import end sign" or
// at the end of the input. A line that cannot be read stops the reading with an error number of
// QFuncodeHelperBase and a detail that names the line.
//
// When the drive model of the file is known, each value is checked against its text with the code's
// description: a text that a person changed wins over the raw value beside it (the raw value is made
// from the text, and the code's textTakenAxes says so), and a number that a spreadsheet shortened ("15" for
// "15.0") is shown again as the drive shows it.
//
// Limits, so that no file makes the reading run long or take much memory: at most kMaxCodes function
// codes, no field longer than kMaxFieldChars, a line that needs its commas told apart at most
// kMaxSplitLineChars long; reading stops after kMaxReadMilliseconds or when the cancel flag is set. A
// failure quotes at most a short excerpt of the field it names.
class QFuncodeFileParser_Servo
{
    Q_DECLARE_TR_FUNCTIONS(QFuncodeFileParser_Servo)

public:
    static const int kMaxCodes = 200000;
    static const int kMaxFieldChars = 4096;
    static const int kMaxSplitLineChars = 1024;
    static const int kMaxReadMilliseconds = 20000;

    // Gives the description of a drive model by its name, or null.
    typedef std::function<QDriveModelPtr(const QString& modelName)> ModelLookup;

    // requireMark: the first line must carry the import mark; otherwise it may start at the device line.
    explicit QFuncodeFileParser_Servo(bool requireMark, ModelLookup lookup = ModelLookup());

    typedef QFuncodeLineSplitter_Servo::Tokens Tokens;

    // True to go on with the next line; false after an error or the end sign. longest: the size of the
    // longest token when the tokens were cut from one line of text, one comma apart; -1 when not known.
    bool addLine(int line, const Tokens& tokens, bool exactCells, int longest = -1);
    bool addLine(int line, const QStringList& tokens, bool exactCells);
    // The end of the input. False (with an error) when the file was incomplete or held no code.
    bool finish();

    // Reading stops with FILE_ERR_CANCELLED once *cancel or *stop is true (checked between lines); stop is
    // the reader's own, for a part of a file whose reading is no longer needed.
    void setCancelFlag(const std::atomic_bool* cancel, const std::atomic_bool* stop = nullptr)
    {
        m_cancel = cancel;
        m_stop = stop;
    }

    // A file read in parts by two parsers. The front parser reads the first parts as one file; the back
    // parser goes on from it once it reads function codes (same drive model, same reading clock) and reads
    // the last parts, from the last one back, each as a piece of its own numbered from line 1. What each of
    // those gave is kept apart (PartEnd) and joined onto the front parser in file order.
    struct PartEnd
    {
        int firstCode = 0; // the part's codes in the back parser's result
        int codes = 0;
        int lines = 0; // lines the part holds
        int lastLine = 0;
        int error = 0;
        int errorLine = 0;
        QString errorText;
        bool ended = false; // an error or the end sign: the parts after it are not of the file
    };
    bool readsCodes() const { return m_state == READ_CODES; }
    void continueAfter(const QFuncodeFileParser_Servo& front);
    void startPart();
    PartEnd endPart(int lines) const;
    // The texts kept to be shared by the codes still to come, let go once there are none (the records keep
    // theirs).
    void dropTexts();
    // Takes the part's codes, its error or its end; false (nothing taken) when the codes come to the limit,
    // which is counted over the whole file.
    bool appendPart(QFuncodeFileParser_Servo* back, const PartEnd& part, int linesBefore);
    bool hasEnded() const { return m_state == ENDED; }

    int error() const { return m_error; }
    QString errorDetail() const;
    tagExportDevInfo_Servo& result() { return m_info; }

private:
    enum enState
    {
        EXPECT_MARK,
        EXPECT_DEVICE,
        EXPECT_HEADING,
        READ_CODES,
        ENDED
    };

    bool addMark(int line, const Tokens& tokens);
    bool addDevice(int line, const Tokens& tokens);
    bool addCode(int line, const Tokens& tokens, bool exactCells, int longest);
    typedef QFuncodeLineSplitter_Servo::AnchorInts AnchorInts;
    // anchorInts: the integers from the authority on, when the splitter read them already.
    bool toRecord(int line, const QStringRef* fields, tagExportFuncode_Servo* funcode,
                  const AnchorInts* anchorInts = nullptr);
    bool integerFields(int line, const QStringRef* fields, const AnchorInts* anchorInts, qint64* ints);
    QString groupName(const QStringRef& group);
    static void reconcileValues(const tagSubFuncode_Servo& fun, tagExportFuncode_Servo* funcode);
    const tagSubFuncode_Servo* description(const QStringRef& funIndex);
    bool fail(int error, int line, const QString& what);
    bool withinLimits(int line, const Tokens& tokens, int longest);
    bool stillWanted(int line);
    bool fieldsWithinLimit(int line, const Tokens& tokens);
    static bool isEmptyLine(const Tokens& tokens);
    static bool isBlank(const Tokens& tokens);
    static bool containsText(const Tokens& tokens, const QString& text, int longest = -1);
    static bool looksLikeCodeLine(const Tokens& tokens);
    static QStringList texts(const Tokens& tokens);

    bool m_requireMark;
    ModelLookup m_lookup;
    QDriveModelPtr m_model;
    QFuncodeLineSplitter_Servo m_splitter;
    enState m_state;
    tagExportDevInfo_Servo m_info;
    int m_error = 0;
    int m_errorLine = 0; // 0: the error is of the whole file
    QString m_errorText;
    int m_lastLine = 0;
    int m_linesRead = 0;
    const std::atomic_bool* m_cancel = nullptr;
    const std::atomic_bool* m_stop = nullptr;
    QElapsedTimer m_clock;
    QString m_lastGroup; // shared by the codes of a group
    QFuncodeTextPool m_texts;
    // The rows of the model's codes found last and to be tried next: a file lists them in the model's order.
    int m_lastRow = -1;
    int m_nextRow = 0;
    int m_partStart = 0;     // the first code of the part read
    Tokens m_fields;         // the fields of a line whose tokens had to be told apart
    AnchorInts m_anchorInts; // and its integers from the authority on
};
