// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// tallimo-sheet: evaluates saved sheets line by line, for scripts and batch work.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include "app/cli/linestream.h"
#include "app/cli/pdfdocument.h"
#include "app/cli/pdfmodule.h"
#include "app/cli/sheetbatch.h"
#include "common/dateline.h"
#include "common/programinfo.h"
#include "common/sheetfile.h"
#include "common/textcodec.h"
#include "engine/calcerror.h"
#include "engine/rounding.h"

using namespace tallimo;

namespace {

constexpr int ExitLineFailed = 1;
constexpr int ExitUsage = 2;

// Writes the text as UTF-8. Most lines are ASCII, which goes out without a converted copy.
void Print(FILE *stream, QStringView text)
{
    if (!IsAscii(text)) {
        const QByteArray bytes = text.toUtf8();
        std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
        return;
    }
    char chunk[256];
    while (!text.isEmpty()) {
        const qsizetype size = std::min<qsizetype>(text.size(), sizeof chunk);
        for (qsizetype k = 0; k < size; ++k)
            chunk[k] = static_cast<char>(text[k].unicode());
        std::fwrite(chunk, 1, static_cast<size_t>(size), stream);
        text = text.mid(size);
    }
}

// The help text, naming the program by its name rather than by the path it was started with.
QString HelpText(const QCommandLineParser &parser)
{
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    const QString called = QCoreApplication::arguments().constFirst();
    if (text.startsWith(usage + called))
        text.replace(usage.size(), called.size(), QCoreApplication::applicationName());
    return text;
}

int Usage(const QCommandLineParser &parser, const QString &message)
{
    Print(stderr, message + QLatin1Char('\n') + HelpText(parser));
    return ExitUsage;
}

// Standard input is read line by line as it comes, unless it is a regular file.
bool StreamsStandardInput()
{
    struct stat status {};
    return fstat(STDIN_FILENO, &status) != 0 || !S_ISREG(status.st_mode);
}

// A named file, or standard input redirected from a file, is read whole as the window reads it,
// however large: the window's cap on a file is for the lines it lays out, and the tool's only
// limit, for a file as for a pipe, is the memory. A named file is opened without waiting, so that
// a FIFO is refused rather than waited on. Throws CalcError with the reason a file cannot be read.
QByteArray ReadInput(const QString &name)
{
    const bool standardInput = name == QLatin1String("-");
    const int descriptor = standardInput ? STDIN_FILENO
                                         : ::open(QFile::encodeName(name).constData(),
                                                  O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        throw CalcError(CalcError::Kind::FileAccess,
                        std::string("Cannot open the file: ") + std::strerror(errno));
    QFile file;
    struct stat status {};
    if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(descriptor, QIODevice::ReadOnly,
                   standardInput ? QFileDevice::DontCloseHandle : QFileDevice::AutoCloseHandle)) {
        if (!standardInput)
            ::close(descriptor);
        throw CalcError(CalcError::Kind::FileAccess, standardInput ? "Cannot read standard input."
                                                                   : "It is not a regular file.");
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CalcError(CalcError::Kind::FileAccess,
                        "Cannot read the file: " + file.errorString().toStdString());
    return bytes;
}

// The status to end with once everything is written: a write error on standard output (a full
// disk, a closed pipe) is named on standard error and ends the program as a failure.
int AfterOutput(int status)
{
    errno = 0;
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    const int error = errno;
    QString message =
        QStringLiteral("%1: cannot write the output").arg(QCoreApplication::applicationName());
    if (error != 0)
        message += QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
    Print(stderr, message + QLatin1Char('\n'));
    return ExitUsage;
}

// A terminal sees each line as it is done; a file or pipe gets the output in blocks, flushed
// before the next input is read and at the end.
bool WriteInBlocks()
{
    if (isatty(fileno(stdout)))
        return false;
    std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    return true;
}

// Names a failed line on standard error. Returns false for a failed line.
bool ReportFailure(const QString &input, int index, const BatchLine &line)
{
    const bool failed = line.status == BatchLine::Status::Error;
    if (failed)
        Print(stderr, QStringLiteral("%1:%2: %3\n").arg(input).arg(index + 1).arg(line.error));
    return !failed;
}

// Prints one evaluated line and names a failed line on standard error. Returns false for a
// failed line.
bool PrintLine(const QString &input, int index, const BatchLine &line, bool tsv, bool inBlocks)
{
    const bool failed = !ReportFailure(input, index, line);
    Print(stdout, tsv ? TsvRow(index + 1, line) : line.line);
    std::fputc('\n', stdout);
    if (!inBlocks)
        std::fflush(stdout);
    return !failed;
}

}  // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = MakeToolApplication(argc, argv);
    if (!app) {
        std::fprintf(stderr, "tallimo-sheet: PDF documents need the module %s, which cannot be "
                             "loaded\n", PdfModuleName);
        return ExitUsage;
    }
    QCoreApplication::setApplicationName(QStringLiteral("tallimo-sheet"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Evaluates each line of the sheets named (or of standard input) as Enter does in the "
        "calculator, and prints the evaluated sheets. A failed line ends its expression: the "
        "next line starts afresh."));
    const QCommandLineOption decimalsOption({QStringLiteral("d"), QStringLiteral("decimals")},
                                            QStringLiteral("Decimals of the results, 0 to 15."),
                                            QStringLiteral("N"), QStringLiteral("2"));
    const QCommandLineOption moneyOption(QStringLiteral("money"),
                                         QStringLiteral("Result texts as money amounts."));
    const QCommandLineOption tsvOption(
        QStringLiteral("tsv"),
        QStringLiteral("One tab-separated row per line: number, status, line, result texts."));
    const QCommandLineOption pdfOption(
        QString::fromLatin1(PdfOptionName),
        QStringLiteral("Writes the evaluated sheets to OUT as one PDF document, each sheet from a "
                       "new page."),
        QStringLiteral("OUT"));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addOptions({decimalsOption, moneyOption, tsvOption, pdfOption});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Sheet files; none or - reads standard input."),
                                 QStringLiteral("[files...]"));

    if (!parser.parse(QCoreApplication::arguments()))
        return Usage(parser, parser.errorText());
    if (parser.isSet(helpOption)) {
        Print(stdout, HelpText(parser));
        return AfterOutput(0);
    }
    if (parser.isSet(versionOption)) {
        Print(stdout, QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                    QCoreApplication::applicationVersion()));
        return AfterOutput(0);
    }

    BatchOptions options;
    bool decimalsOk = false;
    options.decimals = parser.value(decimalsOption).toInt(&decimalsOk);
    if (!decimalsOk || options.decimals < 0 || options.decimals > MaxDecimals)
        return Usage(parser, QStringLiteral("The decimals must be a whole number from 0 to 15."));
    options.money = parser.isSet(moneyOption);
    options.regional = SystemRegionalSettings();

    QStringList inputs = parser.positionalArguments();
    if (inputs.isEmpty())
        inputs << QStringLiteral("-");

    const bool tsv = parser.isSet(tsvOption);
    const bool pdf = parser.isSet(pdfOption);
    if (tsv && pdf)
        return Usage(parser, QStringLiteral("A PDF document and a tab-separated listing are two "
                                            "outputs: choose one."));
    options.resultBar = tsv || pdf;
    PdfDocument document;
    // A closed pipe is a write error like a full disk: named, status 2, and the end of the run.
    std::signal(SIGPIPE, SIG_IGN);
    const bool inBlocks = WriteInBlocks();
    const auto stopOnceOutputFailed = [] {
        if (std::ferror(stdout))
            throw CalcError(CalcError::Kind::FileAccess, "cannot write the output");
    };
    int status = 0;
    for (const QString &input : std::as_const(inputs)) {
        try {
            std::fflush(stdout);
            if (pdf)
                document.StartSheet(input, DateLineText(QDateTime::currentDateTime()));
            const auto print = [&](int index, const BatchLine &line) {
                if (pdf)
                    document.AddLine(line);
                if (!(pdf ? ReportFailure(input, index, line)
                          : PrintLine(input, index, line, tsv, inBlocks)))
                    status = ExitLineFailed;
                stopOnceOutputFailed();
            };
            if (input == QLatin1String("-") && StreamsStandardInput()) {
                GrowingSheet sheet(options);
                int index = 0;
                ReadStreamedLines(
                    STDIN_FILENO,
                    [&] {
                        std::fflush(stdout);
                        stopOnceOutputFailed();
                    },
                    [&](const QString &line) { print(index++, sheet.Add(line)); });
            } else {
                const QString text = SheetTextOf(ReadInput(input));
                EvaluateSheet(text, options, print);
            }
        } catch (const CalcError &error) {
            if (std::ferror(stdout))
                break;
            std::fflush(stdout);
            Print(stderr,
                  QStringLiteral("%1: %2\n").arg(input, QString::fromStdString(error.what())));
            return ExitUsage;
        } catch (const std::bad_alloc &) {
            std::fflush(stdout);
            Print(stderr, QStringLiteral("%1: too large for the memory available\n").arg(input));
            return ExitUsage;
        }
        if (std::ferror(stdout))
            break;
    }
    if (pdf) {
        try {
            WriteWholeFile(parser.value(pdfOption), document.Bytes());
        } catch (const CalcError &error) {
            Print(stderr, QStringLiteral("%1: %2\n")
                              .arg(QCoreApplication::applicationName(),
                                   QString::fromStdString(error.what())));
            return ExitUsage;
        }
    }
    return AfterOutput(status);
}
