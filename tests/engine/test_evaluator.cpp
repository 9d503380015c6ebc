// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "engine/calcerror.h"
#include "engine/evaluator.h"
#include "engine/numbertext.h"

using namespace tallimo;

namespace {

QString KindName(CalcError::Kind kind)
{
    switch (kind) {
    case CalcError::Kind::Conversion:
        return QStringLiteral("conversion");
    case CalcError::Kind::Syntax:
        return QStringLiteral("syntax");
    case CalcError::Kind::DivisionByZero:
        return QStringLiteral("division by zero");
    case CalcError::Kind::InvalidOperation:
        return QStringLiteral("invalid");
    case CalcError::Kind::Overflow:
        return QStringLiteral("overflow");
    case CalcError::Kind::Unwritable:
        return QStringLiteral("unwritable");
    case CalcError::Kind::FileAccess:
        return QStringLiteral("file access");
    case CalcError::Kind::OutOfMemory:
        return QStringLiteral("out of memory");
    }
    return {};
}

// The value's number text, or "error: <kind>".
QString Evaluate(const QString &expression, const RegionalSettings &regional = {})
{
    TokenList tokens;
    ScanExpression(tokens, expression, regional);
    try {
        return NumberText(EvaluateTokens(tokens, regional), regional);
    } catch (const CalcError &error) {
        return QStringLiteral("error: ") + KindName(error.kind());
    }
}

}  // namespace

class TestEvaluator : public QObject {
    Q_OBJECT
private slots:
    void evaluates_data()
    {
        QTest::addColumn<QString>("result");
        const auto row = [](const char *expression, const char *result) {
            QTest::newRow(expression) << QString::fromUtf8(result);
        };
        row("20+30*(2.3+3.8)/15+50", "82.2");
        row("30+45/(2+3)+40*sin(60)+2^3", "81.6410161513776");
        row("1+2*3", "7");
        row("10-4-3", "3");
        row("2^3^2", "64");
        row("3!^2", "36");
        row("3!!", "720");
        row("2.5!", "2");
        row("(0-3)!", "1");
        row("0!", "1");
        row("sin(30)^2", "0");
        row("int(2.5)^2", "6");
        row("sqrt(2)^2", "2");
        row("2^sqr(3)", "error: conversion");
        row("2^(sqr(3))", "512");
        row("2 * 7 % 3", "2");
        row("10 % sqr(3)", "1");
        row("int(7.5) % 2", "1");
        row("7.5 % 2", "1");
        row("(0-7) % 3", "-1");
        row("round(2.5)", "2");
        row("round(3.5)", "4");
        row("round(0-2.5)", "-2");
        row("frac(0-2.75)", "-0.75");
        row("trunc(0-2.75)", "-2");
        row("abs(0-4)", "4");
        row("1/3 * 3", "0.999999999999999");
        row("2^0.5 * 2^0.5", "2.00000000000001");
        row("cos(90)", "0");
        row("cos(270)", "0");
        row("cos(-90)", "0");
        row("sin(180)", "0");
        row("sin(360)", "0");
        row("tan(180)", "0");
        row("tan(0)", "0");
        row("cos(60)", "0.5");
        row("tan(45)", "1");
        row("sin(90)", "1");
        row("tan(90)", "error: conversion");
        row("tan(-270)", "error: conversion");
        row("arcsin(0.5)", "30");
        row("arctan(1)", "45");
        row("arccos(0)", "90");
        row("arccos(1)", "0");
        row("arcsin(2)", "error: invalid");
        row("sin(PI)", "0.0548036651487895");
        row("PI", "3.14159265358979");
        row("pi+0", "3.14159265358979");
        row("ln(1)", "0");
        row("log2(8)", "3");
        row("log10(1000)", "3");
        row("ln(0)", "error: division by zero");
        row("log10(0-1)", "error: invalid");
        row("5 * (0-3)", "-15");
        row("5*(-3)", "-15");
        row("-5+3", "-2");
        row("-2^2", "-4");
        row("+4", "4");
        row("sqrt(-4)", "error: invalid");
        row("4+", "error: syntax");
        row("2^-1", "error: conversion");
        row("x-5", "error: syntax");
        row("3(4)", "error: syntax");
        row("(1+2))", "error: syntax");
        row("2(3)4", "error: syntax");
        row("((2))", "2");
        row("2*(3+4", "14");
        row("((2", "2");
        row("()", "error: syntax");
        row("2*()", "error: syntax");
        row("(", "error: syntax");
        row(")", "error: conversion");
        row("1/0", "error: division by zero");
        row("0/0", "error: invalid");
        row("10 % 0", "error: division by zero");
        row("10 % 0.5", "error: division by zero");
        row("0^(0-1)", "error: division by zero");
        row("0^(0-0.5)", "error: division by zero");
        row("sqrt(0-1)", "error: invalid");
        row("(0-8)^(1/3)", "error: invalid");
        row("0^0", "1");
        row("0^2", "0");
        row("(0-2)^3", "-8");
        row("2^(0-2)", "0.25");
        row("10^(0-5000)", "error: overflow");
        row("2^0.5", "1.4142135623731");
        row("1754!", "1.97926189010501E4930");
        row("1755!", "error: overflow");
        row("1E4000*1E4000", "error: overflow");
        row("1E4000^2", "error: overflow");
        row("1E100^(0-1.1E4932)", "error: overflow");
        row("arcsin(1E3000)", "error: overflow");
        row("1E99999999999999999999", "error: syntax");  // not a number: the scanner drops it
        row("int(1E19)", "error: invalid");
        row("1E19 % 2", "error: invalid");
        row("sin(1E19)", "error: invalid");
        row("sin(1E300)", "error: invalid");
        row("int(0-9.2E18)", "-9.2E18");
        row("CLEAR", "error: conversion");
        row("1+CLEAR", "error: conversion");
        row("sin", "error: conversion");
        row("sin(", "error: syntax");
        row("1E-5*2", "2E-5");
        row("2.5e+3", "2500");
        row("1.5", "1.5");
        row("0.1", "0.1");
    }

    void evaluates()
    {
        QFETCH(QString, result);
        QCOMPARE(Evaluate(QString::fromUtf8(QTest::currentDataTag())), result);
    }

    void aSingleNumberKeepsFullPrecision()
    {
        TokenList tokens{QStringLiteral("PI")};
        QCOMPARE(EvaluateTokens(tokens, RegionalSettings()), Pi);
        tokens = {QStringLiteral("0.12345678901234567")};
        QCOMPARE(EvaluateTokens(tokens, RegionalSettings()), 0.12345678901234567L);
        QCOMPARE(tokens.size(), 1);
    }

    void evaluatesWithCommaSeparator()
    {
        RegionalSettings comma;
        comma.decimalSeparator = QLatin1Char(',');
        QCOMPARE(Evaluate(QStringLiteral("1,5*3+sin(30)"), comma), QStringLiteral("5"));
        QCOMPARE(Evaluate(QStringLiteral("10/4"), comma), QStringLiteral("2,5"));
    }

    void angleTests_data()
    {
        QTest::addColumn<bool>("odd90");
        QTest::addColumn<bool>("of180");
        QTest::newRow("0") << false << true;
        QTest::newRow("90") << true << false;
        QTest::newRow("-90") << true << false;
        QTest::newRow("180") << false << true;
        QTest::newRow("270") << true << false;
        QTest::newRow("-540") << false << true;
        QTest::newRow("90.5") << false << false;
        QTest::newRow("45") << false << false;
    }

    void angleTests()
    {
        QFETCH(bool, odd90);
        QFETCH(bool, of180);
        const QString angle = QString::fromUtf8(QTest::currentDataTag());
        QCOMPARE(is90multiple(angle, RegionalSettings()), odd90);
        QCOMPARE(is180multiple(angle, RegionalSettings()), of180);
    }

    void survivesHostileExpressions()
    {
        QCOMPARE(Evaluate(QString(3000, QLatin1Char('(')) + QStringLiteral("1") +
                          QString(3000, QLatin1Char(')'))),
                 QStringLiteral("1"));
        QString sum = QStringLiteral("1");
        for (int i = 0; i < 20000; ++i)
            sum += QStringLiteral("+1");
        QCOMPARE(Evaluate(sum), QStringLiteral("20001"));
        QCOMPARE(Evaluate(QStringLiteral("9^9^9^9^9")), QStringLiteral("error: overflow"));
        QCOMPARE(Evaluate(QStringLiteral("1E4000!")), QStringLiteral("error: overflow"));
    }
};

QTEST_GUILESS_MAIN(TestEvaluator)
#include "test_evaluator.moc"
