// intArray: a growable array of 32-bit ints that grows in steps of 8.
#pragma once

#include <vector>

class intArray
{
public:
    // Element i (i >= 0): capacity grows in steps of 8 until i fits, keeping the contents, and
    // the last index rises to i when i lies beyond it, so reading through at() lengthens too.
    int& at(int i);
    // Appends v.
    void push(int v);
    // Removes and returns the last element; an empty array returns 0 and stays empty.
    int pop();
    // The first index k with from <= k < last whose element is v, else -1; the element at the
    // last index itself is not searched.
    int find(int v, int from) const;

    // Element i for 0 <= i <= last, 0 for any other index; never grows.
    int get(int i) const;
    // Index of the last element, -1 when empty.
    int getLast() const { return last; }
    int getCapacity() const { return capacity; }

private:
    int capacity = 0;
    int step = 8;
    int last = -1;
    std::vector<int> data;
};
