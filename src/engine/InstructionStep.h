#pragma once

#include "engine/CheckedPowers.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <cmath>

// One instruction of a compiled term on a register file, with the value and the math flag that
// Evaluate gives: the evaluator and the domain service, which runs a term's parts one by one, share
// this one step, so that they can never disagree about a part. A template over the instruction
// (CCompiledTerm::SInstruction) so that the compiled term's own file can include it.
template <class Instruction> inline void RunInstruction(const Instruction& in, double* r)
{
    using EOp = decltype(in.op);
    const double a = r[in.a];
    switch (in.op) {
    case EOp::Add:
        r[in.dst] = a + r[in.b];
        break;
    case EOp::Sub:
        r[in.dst] = a - r[in.b];
        break;
    case EOp::Mul:
        r[in.dst] = a * r[in.b];
        break;
    case EOp::Div: {
        const double b = r[in.b];
        if (b == 0 || std::isnan(b)) {
            g_mathError = 1;
            r[in.dst] = 1.0;
        } else {
            r[in.dst] = a / b;
        }
        break;
    }
    case EOp::Pow:
        r[in.dst] = CheckedPow(a, r[in.b]);
        break;
    case EOp::Square:
        r[in.dst] = CheckedSquare(a);
        break;
    case EOp::Cube:
        r[in.dst] = CheckedCube(a);
        break;
    case EOp::Neg:
        r[in.dst] = -a;
        break;
    case EOp::Call:
        r[in.dst] = g_functionTable[in.function].compute(a);
        break;
    }
}
