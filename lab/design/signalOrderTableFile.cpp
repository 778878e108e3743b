// Signal-order tables: the eight words of each order as one row of a real element file.
#include "lab/design/signalOrderTableFile.h"

#include "base/phasedeckGlobals.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "lab/fieldio/diffractiveElementFile.h"

bool saveSignalOrdersDE20File(QString fileName, const signalOrderList& orders)
{
    const int n = orders.size();
    boost::shared_ptr<DataField2D> table(
        new DataField2D(n, 8, 0.0, 0.0, opticalParameters.defaultPixelSizeX,
                        opticalParameters.defaultPixelSizeY, 0.0f));
    for (int k = 0; k < n; ++k) {
        const signalOrder& order = orders.at(unsigned(k));
        const float words[8] = {order.fx,   order.fy,   order.targetAmplitude, order.aux0,
                                order.aux1, order.aux2, order.amplitude.re,    order.amplitude.im};
        for (int j = 0; j < 8; ++j)
            table->setValue(k, j, words[j]);
    }
    return saveDE20File(fileName, table);
}

std::unique_ptr<signalOrderList> loadSignalOrdersDE20File(QString fileName)
{
    auto orders = std::make_unique<signalOrderList>();
    const boost::shared_ptr<DataField2D> table = readDE20File(fileName, 1);
    if (!table || table->getSizeJ() != 8 || table->getSizeI() <= 0)
        return orders;
    for (int k = 0; k < table->getSizeI(); ++k) {
        signalOrder order;
        order.aux0 = table->getValue(k, 3);
        order.aux1 = table->getValue(k, 4);
        order.aux2 = table->getValue(k, 5);
        order.fx = table->getValue(k, 0);
        order.fy = table->getValue(k, 1);
        order.targetAmplitude = table->getValue(k, 2);
        order.amplitude = {table->getValue(k, 6), table->getValue(k, 7)};
        orders->addOrder(order);
    }
    return orders;
}
