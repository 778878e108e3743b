// complexMultiply3DNow as one portable loop.
#include "lab/fields/complexMultiply3DNow.h"

#include "fields/complexDataField2D.h"

void complexMultiply3DNow(const complexFloat* a, const complexFloat* b, int n, complexFloat* out)
{
    for (int k = 0; k < n; ++k)
        out[k] = elementMultiply(a[k], b[k]);
}
