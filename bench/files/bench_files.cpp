// Function-code files of 10,000 codes: writing and reading the comma-separated form and the workbook,
// against Python's csv module and openpyxl reading the same files.
//
// Run: bench/run_benchmarks.sh, or build bench_files and run it offscreen. The Python lines need
// /usr/bin/python3 with openpyxl (Debian: python3-openpyxl); without them they are skipped with a message.
//
// For a reader's peak memory, under /usr/bin/time -v:
//   bench_files --write <folder> <codes>   writes codes.csv, codes.xlsx and codes.funcodeservo
//   bench_files --read <file>              reads one of them once

#include "QDriveModel.h"
#include "QExportDB_Servo.h"
#include "QFuncodeCsvReader_Servo.h"
#include "QFuncodeCsvWriter_Servo.h"
#include "QFuncodeScaling.h"
#include "QFuncodeXlsxFile_Servo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <unzip.h>

namespace {
const int kCodes = 10000;
const int kGroups = 50;
const int kRuns = 5;
const char* const kPython = "/usr/bin/python3";

// A text of a description in both of its languages.
QJsonObject texts(const QString& english)
{
    return QJsonObject{{"en", english}, {"zh_CN", english + QStringLiteral("（中）")}};
}

// A drive model of 10,000 codes: mostly decimal codes with decimals, every tenth enumerated, every twentieth
// hexadecimal. Every commaEvery-th code has commas in its name and in its enumerated texts.
QDriveModelPtr makeModel(int count = kCodes, int commaEvery = 1)
{
    // A group's codes have registers of their own: at most 1,000 codes to a group.
    const int groupCount = qMax(kGroups, (count + 999) / 1000);
    QJsonArray groups;
    for (int g = 0; g < groupCount; ++g) {
        QJsonArray codes;
        for (int c = 0; c < count / groupCount; ++c) {
            const int n = g * (count / groupCount) + c;
            const QString comma = n % commaEvery == 0 ? QStringLiteral(",") : QString();
            QJsonObject code{{"index", QString("P%1.%2").arg(g, 2, 10, QChar('0')).arg(c, 4, 10, QChar('0'))},
                             {"name", texts(QString("Parameter %1%2 loop %3").arg(n).arg(comma).arg(n % 7))},
                             {"min", "0"},
                             {"max", "60000"},
                             {"default", "100"}};
            if (n % 10 == 0) {
                code.insert("showType", 2);
                code.insert("items",
                            QJsonArray{texts("0:Off" + comma + " idle"), texts("1:On" + comma + " ramp 1"),
                                       texts("2:On" + comma + " ramp 2" + comma + " fast")});
                code.insert("max", "2");
                code.insert("default", "1");
            } else if (n % 20 == 5) {
                code.insert("showType", 1);
                code.insert("max", "65535");
            } else {
                code.insert("precision", n % 3);
                code.insert("max", "600");
                code.insert("default", "1");
            }
            codes.append(code);
        }
        groups.append(QJsonObject{{"name", texts(QString("P%1 Group %2").arg(g, 2, 10, QChar('0')).arg(g))},
                                  {"codes", codes}});
    }
    QJsonObject root{{"format", 1},
                     {"model", "BIG10K"},
                     {"configVersion", "1.00"},
                     {"axisNum", 3},
                     {"identity", QJsonObject{{"family", "B"}, {"firmware", "1"}, {"number", 1}}},
                     {"groups", groups}};
    QString error;
    QDriveModelPtr model = QDriveModel::fromJson(QJsonDocument(root).toJson(), &error);
    if (!model) {
        std::fprintf(stderr, "model: %s\n", qPrintable(error));
    }
    return model;
}

tagExportDevInfo_Servo makeDevice(const QDriveModelPtr& model)
{
    tagExportDevInfo_Servo info;
    info.devText = "BIG10K_1.00";
    info.axisNumText = "3";
    info.commuName = "Simulated";
    for (int row = 0; row < model->codes.size(); ++row) {
        const tagSubFuncode_Servo& fun = model->codes.at(row);
        tagExportFuncodePtr_Servo record(new tagExportFuncode_Servo);
        record->canopenAddr = 0x20000000 + row;
        record->usbCode = row;
        record->groupName = fun.groupName;
        record->funIndex = fun.funIndex;
        record->funName = fun.funName;
        record->dataType = fun.dataType;
        record->axisNum = 3;
        for (int axis = 0; axis < 3; ++axis) {
            const qint64 raw = fun.showType == 2 ? (row + axis) % 3 : (row * 7 + axis) % 600;
            record->curValue[static_cast<size_t>(axis)] = raw;
            record->valueTexts.append(QFuncodeScaling::showText(fun, raw));
        }
        info.funcodes.append(record);
    }
    return info;
}

// The best of kRuns runs, in milliseconds.
double bestOf(const std::function<bool()>& run)
{
    double best = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run()) {
            return -1;
        }
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// Milliseconds Python needs (best of kRuns), or -1 with the reason printed.
double pythonMs(const QString& script, const QString& path)
{
    if (!QFile::exists(kPython)) {
        std::printf("  (skipped: %s not found)\n", kPython);
        return -1;
    }
    QProcess python;
    python.start(kPython, {"-c", script, path, QString::number(kRuns)});
    if (!python.waitForFinished(600000) || python.exitCode() != 0) {
        std::printf("  (skipped: %s)\n",
                    qPrintable(QString::fromLocal8Bit(python.readAllStandardError()).trimmed()));
        return -1;
    }
    return QString::fromLatin1(python.readAllStandardOutput()).trimmed().toDouble();
}

const char* const kPythonCsv = R"(
import csv, sys, time
best = 1e300
for _ in range(int(sys.argv[2])):
    t = time.perf_counter()
    with open(sys.argv[1], newline='', encoding='utf-8') as f:
        rows = list(csv.reader(f))
    best = min(best, time.perf_counter() - t)
print(best * 1000)
)";

// openpyxl in its read-only mode, its fastest way to get every cell value.
const char* const kPythonXlsx = R"(
import sys, time
import openpyxl
best = 1e300
for _ in range(int(sys.argv[2])):
    t = time.perf_counter()
    wb = openpyxl.load_workbook(sys.argv[1], read_only=True)
    rows = [list(r) for r in wb.worksheets[0].iter_rows(values_only=True)]
    wb.close()
    best = min(best, time.perf_counter() - t)
print(best * 1000)
)";

void report(const char* what, double ours, double python, const char* pythonName)
{
    std::printf("%-28s %9.2f ms", what, ours);
    if (python > 0) {
        std::printf("   %-8s %9.2f ms   ratio %6.1fx", pythonName, python, python / ours);
    }
    std::printf("\n");
}

// The peak-memory modes (see the top of the file); 1 on failure.
int measureMode(const QStringList& args)
{
    if (args.value(1) == QLatin1String("--write")) {
        // Registers run out past about 60,000 codes in one model.
        const QDriveModelPtr model = makeModel(args.value(3).toInt());
        if (!model) {
            return 1;
        }
        const tagExportDevInfo_Servo device = makeDevice(model);
        const QString base = args.value(2) + QStringLiteral("/codes.");
        QString error;
        QFuncodeXlsxFile_Servo workbook;
        workbook.addFuncodes("Function codes", device);
        const bool written = QFuncodeCsvWriter_Servo::writeFile(base + "csv", device, &error) &&
                             workbook.write(base + "xlsx") == 0 &&
                             QExportDB_Servo().writeFile(base + "funcodeservo", {device});
        return written ? 0 : 1;
    }
    const QString path = args.value(2);
    QElapsedTimer timer;
    timer.start();
    tagExportDevInfo_Servo info;
    int error = 0;
    if (path.endsWith(QLatin1String(".csv"))) {
        error = QFuncodeCsvReader_Servo(true, {}).readFile(path, &info);
    } else if (path.endsWith(QLatin1String(".xlsx"))) {
        error = QFuncodeXlsxFile_Servo().read(path, &info);
    } else {
        QExportDB_Servo db;
        const QList<tagExportDevInfo_Servo> devices =
            db.openForReading(path) ? db.getImportDevInfoRecords() : QList<tagExportDevInfo_Servo>();
        error = devices.isEmpty() ? 1 : 0;
        info = devices.value(0);
    }
    std::printf("%s: error %d, %d codes, %.0f ms\n", qPrintable(path), error, info.funcodes.size(),
                timer.nsecsElapsed() / 1e6);
    return error == 0 ? 0 : 1;
}

// Milliseconds to inflate the first sheet of a workbook (the part the reader parses), best of kRuns.
double inflateSheetMs(const QString& path)
{
    return bestOf([&] {
        unzFile zip = unzOpen64(QFile::encodeName(path).constData());
        if (!zip) {
            return false;
        }
        bool ok =
            unzLocateFile(zip, "xl/worksheets/sheet1.xml", 0) == UNZ_OK && unzOpenCurrentFile(zip) == UNZ_OK;
        static char buffer[1 << 16];
        qint64 total = 0;
        int count = 0;
        while (ok && (count = unzReadCurrentFile(zip, buffer, sizeof(buffer))) > 0) {
            total += count;
        }
        ok = ok && count == 0 && unzCloseCurrentFile(zip) == UNZ_OK && total > 0;
        unzClose(zip);
        return ok;
    });
}

// Best time of reading a comma-separated file of codes function codes, or -1. The runs have the shape of
// the Python loop they are set against: a run reads into a new result and lets the previous run's result go
// as it takes its place (`rows = list(...)`), so the first run frees nothing and every later one frees the
// records of the one before. *freeMs: the best time of freeing one result alone.
double readCsvMs(const QString& path, int codes, const QFuncodeFileParser_Servo::ModelLookup& lookup,
                 double* freeMs)
{
    tagExportDevInfo_Servo rows;
    const double best = bestOf([&] {
        QFuncodeCsvReader_Servo reader(true, lookup);
        tagExportDevInfo_Servo info;
        const bool read = reader.readFile(path, &info) == 0 && info.funcodes.size() == codes;
        rows = std::move(info);
        return read;
    });
    *freeMs = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        tagExportDevInfo_Servo info;
        QFuncodeCsvReader_Servo(true, lookup).readFile(path, &info);
        QElapsedTimer timer;
        timer.start();
        info = tagExportDevInfo_Servo();
        *freeMs = std::min(*freeMs, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

// The device's codes repeated under new numbers up to count codes, for files larger than one model.
tagExportDevInfo_Servo repeated(const tagExportDevInfo_Servo& device, int count)
{
    tagExportDevInfo_Servo info = device;
    info.funcodes.clear();
    for (int i = 0; i < count; ++i) {
        auto code = tagExportFuncodePtr_Servo::create(*device.funcodes.at(i % device.funcodes.size()));
        code->funIndex = QStringLiteral("R%1.%2").arg(i / 1000).arg(i % 1000);
        info.funcodes.append(code);
    }
    return info;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc > 2) {
        return measureMode(app.arguments());
    }
    QTemporaryDir dir;
    const QDriveModelPtr model = makeModel();
    const QDriveModelPtr sparseModel = makeModel(kCodes, 100);
    if (!model || !sparseModel || !dir.isValid()) {
        return 1;
    }
    const tagExportDevInfo_Servo device = makeDevice(model);
    const QString csvPath = dir.filePath("codes.csv");
    const QString sparsePath = dir.filePath("sparse.csv");
    const QString plainPath = dir.filePath("plain.csv");
    const QString largePath = dir.filePath("large.csv");
    const QString xlsxPath = dir.filePath("codes.xlsx");
    auto lookup = [model](const QString& name) {
        return name == model->modelName ? model : QDriveModelPtr();
    };
    auto sparseLookup = [sparseModel](const QString& name) {
        return name == sparseModel->modelName ? sparseModel : QDriveModelPtr();
    };
    QString error;
    const int kLargeCodes = 10 * kCodes;
    if (!QFuncodeCsvWriter_Servo::writeFile(sparsePath, makeDevice(sparseModel), &error) ||
        !QFuncodeCsvWriter_Servo::writeFile(plainPath, repeated(device, kCodes), &error) ||
        !QFuncodeCsvWriter_Servo::writeFile(largePath, repeated(device, kLargeCodes), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    const double writeCsv =
        bestOf([&] { return QFuncodeCsvWriter_Servo::writeFile(csvPath, device, &error); });
    const double writeXlsx = bestOf([&] {
        QFuncodeXlsxFile_Servo workbook;
        workbook.addFuncodes("Function codes", device);
        return workbook.write(xlsxPath) == 0;
    });
    double freeCsv[4] = {0, 0, 0, 0};
    const double readCsv = readCsvMs(csvPath, kCodes, lookup, &freeCsv[0]);
    const double readSparse = readCsvMs(sparsePath, kCodes, sparseLookup, &freeCsv[1]);
    // Codes of no known model: the same work per line whatever the count.
    const double readPlain = readCsvMs(plainPath, kCodes, {}, &freeCsv[2]);
    const double readLarge = readCsvMs(largePath, kLargeCodes, {}, &freeCsv[3]);
    const double readXlsx = bestOf([&] {
        QFuncodeXlsxFile_Servo workbook(lookup);
        tagExportDevInfo_Servo info;
        return workbook.read(xlsxPath, &info) == 0 && info.funcodes.size() == kCodes;
    });

    std::printf("Function-code file of %d codes (csv %lld bytes, xlsx %lld bytes), best of %d runs\n", kCodes,
                QFileInfo(csvPath).size(), QFileInfo(xlsxPath).size(), kRuns);
    report("write csv", writeCsv, -1, "");
    report("write xlsx", writeXlsx, -1, "");
    std::printf("csv: each run frees the records of the run before, as the Python loop does\n");
    report("read csv, commas every line", readCsv, pythonMs(kPythonCsv, csvPath), "csv");
    report("read csv, commas in 1 %", readSparse, pythonMs(kPythonCsv, sparsePath), "csv");
    report("read csv, no model, 10,000", readPlain, pythonMs(kPythonCsv, plainPath), "csv");
    report("read csv, no model, 100,000", readLarge, pythonMs(kPythonCsv, largePath), "csv");
    std::printf("  freeing the records alone: %.2f / %.2f / %.2f / %.2f ms\n", freeCsv[0], freeCsv[1],
                freeCsv[2], freeCsv[3]);
    std::printf("  per code: %.2f us at 10,000, %.2f us at 100,000\n", readPlain * 1000 / kCodes,
                readLarge * 1000 / kLargeCodes);
    report("read xlsx", readXlsx, pythonMs(kPythonXlsx, xlsxPath), "openpyxl");
    report("  inflating its sheet alone", inflateSheetMs(xlsxPath), -1, "");
    const bool ok = readCsv > 0 && readSparse > 0 && readPlain > 0 && readLarge > 0 && readXlsx > 0 &&
                    writeCsv > 0 && writeXlsx > 0;
    return ok ? 0 : 1;
}
