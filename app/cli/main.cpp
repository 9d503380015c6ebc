// tallimo-sheet: evaluates saved sheets line by line, for scripts and batch work.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <unistd.h>

#include <cstdio>
#include <new>

#include "common/textcodec.h"
#include "engine/rounding.h"
#include "sheetbatch.h"

using namespace tallimo;

namespace {

constexpr int ExitLineFailed = 1;
constexpr int ExitUsage = 2;

void Print(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
}

int Usage(const QCommandLineParser &parser, const QString &message)
{
    Print(stderr, message + QLatin1Char('\n') + parser.helpText());
    return ExitUsage;
}

std::optional<QByteArray> ReadInput(const QString &name)
{
    QFile file(name);
    const bool opened = name == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : file.open(QIODevice::ReadOnly);
    if (!opened)
        return std::nullopt;
    return file.readAll();
}

// The lines of a sheet file: line breaks CR LF or LF, a last line break ends the last line.
QStringList SheetLines(QByteArray bytes)
{
    QString text = DecodeSheetBytes(bytes);
    bytes = QByteArray();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
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
    parser.addOptions({decimalsOption, moneyOption, tsvOption});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Sheet files; none or - reads standard input."),
                                 QStringLiteral("[files...]"));

    if (!parser.parse(QCoreApplication::arguments()))
        return Usage(parser, parser.errorText());
    if (parser.isSet(helpOption)) {
        Print(stdout, parser.helpText());
        return 0;
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
            auto bytes = ReadInput(input);
            if (!bytes) {
                Print(stderr, QStringLiteral("%1: cannot be read\n").arg(input));
                return ExitUsage;
            }
            EvaluateSheet(SheetLines(std::move(*bytes)), options,
                          [&](int index, const BatchLine &line) {
                              if (!PrintLine(input, index, line, tsv, inBlocks))
                                  status = ExitLineFailed;
                          });
        } catch (const std::bad_alloc &) {
            std::fflush(stdout);
            Print(stderr, QStringLiteral("%1: too large for the memory available\n").arg(input));
            return ExitUsage;
        }
    }
    std::fflush(stdout);
    return status;
}
