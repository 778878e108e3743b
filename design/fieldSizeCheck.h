// The size check that opens every design operation on two fields.
#pragma once

// true when an operand of opI x opJ elements covers a loop over loopI x loopJ; otherwise the
// "Error!" box naming the function, and false.
bool operandCovers(int loopI, int loopJ, int opI, int opJ, const char* function);

// true when a field of fieldI x fieldJ elements has exactly the expected size; otherwise the
// "Error!" box naming the function, and false.
bool sizesMatch(int expectedI, int expectedJ, int fieldI, int fieldJ, const char* function);

template<typename Loop, typename Operand>
bool operandCovers(const Loop& loop, const Operand& operand, const char* function)
{
    return operandCovers(loop.getSizeI(), loop.getSizeJ(), operand.getSizeI(), operand.getSizeJ(),
                         function);
}

template<typename Expected, typename Field>
bool sizesMatch(const Expected& expected, const Field& field, const char* function)
{
    return sizesMatch(expected.getSizeI(), expected.getSizeJ(), field.getSizeI(), field.getSizeJ(),
                      function);
}
