// tallimo-sheet: evaluates saved sheets line by line, for scripts and batch work.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "app/cli/sheetbatch.h"
#include "common/programinfo.h"
#include "common/sheetfile.h"
#include "engine/calcerror.h"
#include "engine/rounding.h"

using namespace tallimo;

namespace {

constexpr int ExitLineFailed = 1;
constexpr int ExitUsage = 2;

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
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

// Standard input is streamed as it comes; a named file is read as the window reads it.
// Throws CalcError with the reason a file cannot be read.
QByteArray ReadInput(const QString &name)
{
    if (name != QLatin1String("-"))
        return ReadSheetFileBytes(name);
    QFile file;
    if (!file.open(stdin, QIODevice::ReadOnly))
        throw CalcError(CalcError::Kind::FileAccess, "Cannot read standard input.");
    return file.readAll();
}

// The lines of a sheet file, read as the window's import reads them.
QStringList SheetLines(QByteArray &bytes)
{
    const QString text = SheetTextOf(bytes);
    bytes = QByteArray();
    return text.split(QLatin1Char('\n'));
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

// Prints one evaluated line and names a failed line on standard error. Returns false for a
// failed line.
bool PrintLine(const QString &input, int index, const BatchLine &line, bool tsv, bool inBlocks)
{
    const bool failed = line.status == BatchLine::Status::Error;
    if (failed)
        Print(stderr, QStringLiteral("%1:%2: %3\n").arg(input).arg(index + 1).arg(line.error));
    Print(stdout, tsv ? TsvRow(index + 1, line) : line.line);
    std::fputc('\n', stdout);
    if (!inBlocks)
        std::fflush(stdout);
    return !failed;
}

}  // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tallimo-sheet"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Evaluates each line of the sheets named (or of standard input) as Enter does in the "
        "calculator, and prints the evaluated sheets."));
    const QCommandLineOption decimalsOption({QStringLiteral("d"), QStringLiteral("decimals")},
                                            QStringLiteral("Decimals of the results, 0 to 15."),
                                            QStringLiteral("N"), QStringLiteral("2"));
    const QCommandLineOption moneyOption(QStringLiteral("money"),
                                         QStringLiteral("Result texts as money amounts."));
    const QCommandLineOption tsvOption(
        QStringLiteral("tsv"),
        QStringLiteral("One tab-separated row per line: number, status, line, result texts."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addOptions({decimalsOption, moneyOption, tsvOption});
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
    options.resultBar = tsv;
    const bool inBlocks = WriteInBlocks();
    int status = 0;
    for (const QString &input : std::as_const(inputs)) {
        try {
            std::fflush(stdout);
            QByteArray bytes;
            try {
                bytes = ReadInput(input);
            } catch (const CalcError &error) {
                Print(stderr,
                      QStringLiteral("%1: %2\n").arg(input, QString::fromStdString(error.what())));
                return ExitUsage;
            }
            EvaluateSheet(SheetLines(bytes), options, [&](int index, const BatchLine &line) {
                if (!PrintLine(input, index, line, tsv, inBlocks))
                    status = ExitLineFailed;
            });
        } catch (const std::bad_alloc &) {
            std::fflush(stdout);
            Print(stderr, QStringLiteral("%1: too large for the memory available\n").arg(input));
            return ExitUsage;
        }
        if (std::ferror(stdout))
            break;
    }
    return AfterOutput(status);
}
