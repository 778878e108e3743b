// Runs the event loop until a condition holds, for tests of what Qt delivers later.
#pragma once

#include <QTest>

// True once condition() holds; gives up after about two seconds.
template<typename Condition>
bool eventually(Condition condition)
{
    for (int k = 0; k < 200 && !condition(); ++k)
        QTest::qWait(10);
    return condition();
}
