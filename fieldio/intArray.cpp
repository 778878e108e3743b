// intArray: growth, stack operations and search.
#include "fieldio/intArray.h"

int& intArray::at(int i)
{
    if (i >= capacity) {
        while (i >= capacity)
            capacity += step;
        data.resize(static_cast<std::size_t>(capacity));
    }
    if (i > last)
        last = i;
    return data[static_cast<std::size_t>(i)];
}

void intArray::push(int v)
{
    at(last + 1) = v;
}

int intArray::pop()
{
    if (last < 0)
        return 0;
    return data[static_cast<std::size_t>(last--)];
}

int intArray::find(int v, int from) const
{
    for (int k = from < 0 ? 0 : from; k < last; ++k)
        if (data[static_cast<std::size_t>(k)] == v)
            return k;
    return -1;
}

int intArray::get(int i) const
{
    if (i < 0 || i > last)
        return 0;
    return data[static_cast<std::size_t>(i)];
}
