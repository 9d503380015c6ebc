// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "engine/evaluator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/calcerror.h"
#include "engine/keywords.h"
#include "engine/numbersyntax.h"
#include "engine/numbertext.h"

namespace tallimo {

namespace {

using Kind = CalcError::Kind;

[[noreturn]] void Fail(Kind kind, const char *what) { throw CalcError(kind, what); }

Value Checked(Value result)
{
    if (std::isnan(result))
        Fail(Kind::InvalidOperation, "invalid floating point operation");
    if (std::isinf(result))
        Fail(Kind::Overflow, "floating point overflow");
    return result;
}

constexpr Value TwoTo63 = 9223372036854775808.0L;

std::int64_t TruncToInt64(Value x)
{
    const Value whole = std::trunc(x);
    if (!(std::fabs(whole) < TwoTo63) && whole != -TwoTo63)
        Fail(Kind::InvalidOperation, "integer conversion out of range");
    return static_cast<std::int64_t>(whole);
}

std::int64_t RoundToInt64(Value x)
{
    const Value whole = std::nearbyint(x);
    if (!(std::fabs(whole) < TwoTo63) && whole != -TwoTo63)
        Fail(Kind::InvalidOperation, "integer conversion out of range");
    return static_cast<std::int64_t>(whole);
}

Value Factorial(Value left)
{
    const Value n = std::trunc(left);
    Value product = 1;
    for (Value i = 2; i <= n; ++i)
        product = Checked(product * i);  // overflows at 1755!, so the loop stays short
    return product;
}

Value IntegerPower(Value base, std::int64_t exponent)
{
    Value result = 1;
    std::int64_t remaining = exponent < 0 ? -exponent : exponent;
    while (remaining > 0) {
        while (remaining % 2 == 0) {
            remaining /= 2;
            base = Checked(base * base);
        }
        --remaining;
        result = Checked(result * base);
    }
    if (exponent < 0) {
        if (result == 0)
            Fail(Kind::DivisionByZero, "division by zero");
        result = Checked(1 / result);
    }
    return result;
}

Value Power(Value left, Value right)
{
    if (right == 0)
        return 1;
    if (left == 0 && right > 0)
        return 0;
    if (right == std::trunc(right) && std::fabs(right) <= 2147483647)
        return IntegerPower(left, static_cast<std::int64_t>(right));
    if (left == 0)
        Fail(Kind::DivisionByZero, "division by zero");
    if (left < 0)
        Fail(Kind::InvalidOperation, "invalid floating point operation");
    return Checked(std::exp(Checked(right * std::log(left))));
}

Value Remainder(Value left, Value right)
{
    const std::int64_t divisor = TruncToInt64(right);
    const std::int64_t dividend = TruncToInt64(left);
    if (divisor == 0)
        Fail(Kind::DivisionByZero, "integer division by zero");
    if (divisor == -1)
        return 0;
    return static_cast<Value>(dividend % divisor);
}

Value Logarithm(Value x, Value (*log)(Value))
{
    if (x == 0)
        Fail(Kind::DivisionByZero, "division by zero");
    if (x < 0)
        Fail(Kind::InvalidOperation, "invalid floating point operation");
    return log(x);
}

Value ToRadians(Value degrees) { return degrees * Pi / 180; }
Value ToDegrees(Value radians) { return radians * 180 / Pi; }

Value SqrtOrFail(Value x)
{
    if (x < 0)
        Fail(Kind::InvalidOperation, "invalid floating point operation");
    return std::sqrt(x);
}

enum class Arity { None, Left, Binary, Right };

struct Pass {
    Arity arity;
    QStringView first;
    QStringView second;  // empty when the pass has one word
};

// The precedence, tightest first.
constexpr Pass Passes[] = {
    {Arity::None, u"PI", {}},         {Arity::Left, u"!", {}},       {Arity::Binary, u"^", {}},
    {Arity::Right, u"SQR", {}},       {Arity::Right, u"SQRT", {}},   {Arity::Binary, u"%", {}},
    {Arity::Right, u"INT", u"TRUNC"}, {Arity::Right, u"ROUND", {}},  {Arity::Right, u"ABS", {}},
    {Arity::Right, u"FRAC", {}},      {Arity::Right, u"ARCTAN", {}}, {Arity::Right, u"SIN", {}},
    {Arity::Right, u"COS", {}},       {Arity::Right, u"TAN", {}},    {Arity::Right, u"ARCSIN", {}},
    {Arity::Right, u"ARCCOS", {}},    {Arity::Right, u"LN", {}},     {Arity::Right, u"LOG2", {}},
    {Arity::Right, u"LOG10", {}},     {Arity::Binary, u"*", u"/"},   {Arity::Binary, u"+", u"-"},
};

constexpr int NoPass = -1;

// The pass of each one-character symbol, taken from the table, so that a symbol finds its pass
// without comparing it with every word.
constexpr auto SymbolPasses = [] {
    std::array<int, 128> passes{};
    for (int &pass : passes)
        pass = NoPass;
    for (size_t p = 0; p < std::size(Passes); ++p) {
        for (const QStringView word : {Passes[p].first, Passes[p].second}) {
            if (word.size() == 1)
                passes[word[0].unicode()] = static_cast<int>(p);
        }
    }
    return passes;
}();

bool Belongs(const Pass &pass, const QString &token)
{
    // Symbols compare exactly; words in upper case. Upper-casing leaves the symbols alone.
    const auto is = [&token](QStringView word) {
        return token.size() == word.size() && EqualsUpper(token, word);
    };
    return is(pass.first) || (!pass.second.isEmpty() && is(pass.second));
}

class FlatEvaluation {
public:
    FlatEvaluation(TokenList &tokens, const RegionalSettings &regional)
        : tokens_(tokens), regional_(regional)
    {
    }

    // Each pass walks the list once, keeping and computing in place: what it keeps and computes
    // goes to the front of the list, so that long lines cost time in proportion to their length
    // and no list is allocated. An operator takes the last result as its left operand; a
    // function takes the token that follows it. Passes whose words the list lacks are skipped:
    // a pass writes only numbers and the tangent's marker, which belong to no pass.
    void Run()
    {
        const std::uint32_t present = PassesPresent();
        for (size_t p = 0; p < std::size(Passes); ++p) {
            if (present & (std::uint32_t{1} << p))
                RunPass(Passes[p]);
        }
    }

private:
    std::uint32_t PassesPresent() const
    {
        std::uint32_t present = 0;
        for (const QString &token : std::as_const(tokens_)) {
            if (!token.isEmpty() && token.front().isDigit())
                continue;  // a number; no word of a pass begins with a digit
            if (token.size() == 1 && token.front().unicode() < SymbolPasses.size()) {
                const int pass = SymbolPasses[token.front().unicode()];
                if (pass != NoPass)
                    present |= std::uint32_t{1} << pass;
                continue;
            }
            for (size_t p = 0; p < std::size(Passes); ++p) {
                if (Belongs(Passes[p], token)) {
                    present |= std::uint32_t{1} << p;
                    break;
                }
            }
        }
        return present;
    }

    // tokens_[0, kept) hold what the pass kept and computed so far; the walk reads ahead of it.
    void RunPass(const Pass &pass)
    {
        qsizetype kept = 0;
        for (qsizetype i = 0; i < tokens_.size(); ++i) {
            if (!Belongs(pass, tokens_[i])) {
                if (kept != i)
                    tokens_[kept] = std::move(tokens_[i]);
                ++kept;
            } else if (pass.arity == Arity::None) {
                tokens_[kept++] = Text(Pi);
            } else if (pass.arity == Arity::Left) {
                tokens_[kept - 1] = Text(Factorial(LeftOperand(kept)));
            } else if (pass.arity == Arity::Binary) {
                const QChar op = tokens_.at(i).at(0);
                const Value right = TextToValue(Following(i), regional_);
                const Value left = LeftOperand(kept);
                tokens_[kept - 1] = Text(Binary(op, left, right));
            } else {
                const QString word = AsciiUpper(tokens_[i]);
                QString result = Function(word, Following(i));
                tokens_[kept++] = std::move(result);
            }
        }
        tokens_.resize(kept);
    }

    // The token after the one at the index, which the walk then skips.
    const QString &Following(qsizetype &index) const
    {
        if (index + 1 >= tokens_.size())
            Fail(Kind::Syntax, "missing operand");
        return tokens_[++index];
    }

    // The last token kept, when there is one.
    Value LeftOperand(qsizetype kept) const
    {
        if (kept == 0)
            Fail(Kind::Syntax, "missing operand");
        return TextToValue(tokens_[kept - 1], regional_);
    }

    QString Text(Value value) const { return NumberText(Checked(value), regional_); }

    static Value Binary(QChar op, Value left, Value right)
    {
        switch (op.unicode()) {
        case '^':
            return Power(left, right);
        case '%':
            return Remainder(left, right);
        case '*':
            return left * right;
        case '/':
            if (right == 0)
                Fail(left == 0 ? Kind::InvalidOperation : Kind::DivisionByZero,
                     left == 0 ? "invalid floating point operation" : "division by zero");
            return left / right;
        case '+':
            return left + right;
        default:
            return left - right;
        }
    }

    QString Function(const QString &word, const QString &argument) const
    {
        if (word == u"SIN" && is180multiple(argument, regional_))
            return Text(0);
        if (word == u"COS" && is90multiple(argument, regional_))
            return Text(0);
        if (word == u"TAN") {
            if (is180multiple(argument, regional_))
                return Text(0);
            if (is90multiple(argument, regional_))
                return QString::fromUtf16(TanMarker);
        }
        const Value x = TextToValue(argument, regional_);
        if (word == u"SQR")
            return Text(x * x);
        if (word == u"SQRT")
            return Text(SqrtOrFail(x));
        if (word == u"INT" || word == u"TRUNC")
            return Text(static_cast<Value>(TruncToInt64(x)));
        if (word == u"ROUND")
            return Text(static_cast<Value>(RoundToInt64(x)));
        if (word == u"ABS")
            return Text(std::fabs(x));
        if (word == u"FRAC")
            return Text(x - std::trunc(x));
        if (word == u"ARCTAN")
            return Text(ToDegrees(std::atan(x)));
        if (word == u"SIN")
            return Text(std::sin(ToRadians(x)));
        if (word == u"COS")
            return Text(std::cos(ToRadians(x)));
        if (word == u"TAN")
            return Text(std::tan(ToRadians(x)));
        if (word == u"ARCSIN")
            return Text(ToDegrees(std::atan2(x, SqrtOrFail(1 - Checked(x * x)))));
        if (word == u"ARCCOS")
            return Text(ToDegrees(std::atan2(SqrtOrFail(1 - Checked(x * x)), x)));
        if (word == u"LN")
            return Text(Logarithm(x, [](Value v) { return std::log(v); }));
        if (word == u"LOG2")
            return Text(Logarithm(x, [](Value v) { return std::log2(v); }));
        return Text(Logarithm(x, [](Value v) { return std::log10(v); }));
    }

    TokenList &tokens_;
    const RegionalSettings &regional_;
};

// The value at double precision, tested for integrality; throws when it cannot be truncated.
std::optional<std::int64_t> IntegralAngle(const QString &text, const RegionalSettings &regional)
{
    const double angle = static_cast<double>(TextToValue(text, regional));
    if (angle != std::trunc(angle))
        return std::nullopt;
    return TruncToInt64(angle);
}

}  // namespace

Value EvaluateFlat(TokenList &tokens, const RegionalSettings &regional)
{
    if (tokens.isEmpty())
        Fail(Kind::Syntax, "empty brackets");
    FlatEvaluation(tokens, regional).Run();
    if (tokens.size() != 1)
        Fail(Kind::Syntax, "the expression does not reduce to one value");
    return TextToValue(tokens.first(), regional);
}

Value EvaluateTokens(TokenList &tokens, const RegionalSettings &regional)
{
    if (tokens.isEmpty())
        Fail(Kind::Syntax, "empty expression");
    const QString open = QStringLiteral("(");
    const QString close = QStringLiteral(")");

    // The token a reduced list is left with is the number text a pass wrote, and the value
    // EvaluateFlat returns is read from it, so the list holds the text of the value returned.
    // One walk with a stack of the open brackets: each ")" reduces the group of the nearest "("
    // before it, and each "(" left open at the end groups everything after it. A list without
    // brackets is computed where it stands.
    const bool bracketed = std::any_of(tokens.cbegin(), tokens.cend(),
                                       [&open](const QString &token) { return token == open; });
    if (!bracketed) {
        if (tokens.size() > 1)
            return EvaluateFlat(tokens, regional);
    } else {
        TokenList reduced;
        reduced.reserve(tokens.size());
        TokenList group;
        std::vector<qsizetype> opened;
        const auto reduceGroup = [&] {
            const qsizetype first = opened.back();
            opened.pop_back();
            group.clear();
            for (qsizetype i = first + 1; i < reduced.size(); ++i)
                group << std::move(reduced[i]);
            // A group of one token is written anew ("(5.0)" gives "5"); a group that passes
            // reduced already holds the text of its value.
            const bool single = group.size() == 1;
            const Value value = EvaluateFlat(group, regional);
            QString result = single ? NumberText(value, regional) : std::move(group.first());
            reduced.resize(first + 1);
            reduced.last() = std::move(result);
        };
        for (QString &token : tokens) {
            if (token == close && !opened.empty()) {
                reduceGroup();
                continue;
            }
            if (token == open)
                opened.push_back(reduced.size());
            reduced << std::move(token);
        }
        tokens = TokenList();
        while (!opened.empty())
            reduceGroup();
        tokens = std::move(reduced);
        if (tokens.size() > 1)
            return EvaluateFlat(tokens, regional);
    }

    if (EqualsUpper(tokens.first(), u"PI"))
        return Pi;
    return TextToValue(tokens.first(), regional);
}

bool is180multiple(const QString &text, const RegionalSettings &regional)
{
    const auto angle = IntegralAngle(text, regional);
    return angle && *angle % 180 == 0;
}

bool is90multiple(const QString &text, const RegionalSettings &regional)
{
    const auto angle = IntegralAngle(text, regional);
    return angle && *angle % 90 == 0 && (*angle / 90) % 2 != 0;
}

}  // namespace tallimo
