// SPDX-FileCopyrightText: The Tallimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>

namespace tallimo {

// The one error type of the engine and the common functions. The window turns any of them into
// its message; the kind lets tests and the command-line tool tell the faults apart.
class CalcError : public std::runtime_error {
public:
    enum class Kind {
        Conversion,  // a text that does not follow the number syntax
        Syntax,      // a malformed expression: missing operand, stray bracket, ...
        DivisionByZero,
        InvalidOperation,  // sqrt(-1), 0/0, ln(-1), an integer conversion out of range, ...
        Overflow,
        Unwritable,  // a number that a numeral or money text cannot express
        FileAccess,  // a file that cannot be read or written
        OutOfMemory,  // memory ran out while a line was evaluated
    };

    CalcError(Kind kind, const std::string &message) : std::runtime_error(message), kind_(kind) {}

    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}  // namespace tallimo
