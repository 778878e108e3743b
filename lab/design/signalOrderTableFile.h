// Signal-order lists as Diffractive Element Files: an n x 8 real field, one order per i.
#pragma once

#include <QString>
#include <memory>

class signalOrderList;

// Writes the list as a real field of sizeI = n orders and sizeJ = 8 with saveDE20File, the pitch
// of the optical parameters; column j of row k holds word j of order k: 0 fx, 1 fy, 2 the target
// amplitude, 3 .. 5 aux0 .. aux2, 6 and 7 the real and imaginary part of the complex amplitude,
// each copied unchanged. Returns saveDE20File's result.
bool saveSignalOrdersDE20File(QString fileName, const signalOrderList& orders);

// A new list with one order per row of the table, read with readDE20File(fileName, 1) and added
// in row order with signalOrderList::addOrder. A file that does not load, or a field whose sizeJ
// is not 8, gives an empty list.
std::unique_ptr<signalOrderList> loadSignalOrdersDE20File(QString fileName);
