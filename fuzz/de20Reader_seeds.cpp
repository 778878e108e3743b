// Writes the seed corpus of the element file reader target into the folder given as argument:
// complex and real files of even and odd sizes, a signal-order table and damaged files.
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "fields/complexDataField2D.h"
#include "lab/design/signalOrderTableFile.h"
#include "lab/fieldio/diffractiveElementFile.h"

#include "fuzzSupport.h"

#include <QDir>
#include <QFile>

namespace {

boost::shared_ptr<complexDataField2D> numbered(int sizeI, int sizeJ)
{
    boost::shared_ptr<complexDataField2D> field(new complexDataField2D(sizeI, sizeJ, 0));
    for (int j = 0; j < sizeJ; ++j)
        for (int i = 0; i < sizeI; ++i)
            field->setValue(i, j, complexFloat{float(i + 10 * j), float(i) - 0.5f * j});
    return field;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string folder = seedFolder(argc, argv);
    const QDir corpus(QFile::decodeName(folder.c_str()));
    bool ok = saveComplexDE20File(corpus.filePath(QStringLiteral("complex4x2.de")), numbered(4, 2));
    ok = saveComplexDE20File(corpus.filePath(QStringLiteral("complex3x5.de")), numbered(3, 5))
         && ok;
    boost::shared_ptr<DataField2D> real(new DataField2D(3, 2, 0.0, 0.0, 8e-6, 8e-6, 1.5f));
    ok = saveDE20File(corpus.filePath(QStringLiteral("real3x2.de")), real) && ok;

    signalOrderList orders;
    signalOrder order;
    order.fx = 1000.0f;
    order.targetAmplitude = 1.0f;
    orders.addOrder(order);
    order.fy = -2000.0f;
    order.amplitude = {0.5f, -0.5f};
    orders.addOrder(order);
    ok = saveSignalOrdersDE20File(corpus.filePath(QStringLiteral("orders.de")), orders) && ok;

    QFile complete(corpus.filePath(QStringLiteral("complex4x2.de")));
    if (!complete.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = complete.readAll();
    writeSeed(folder, "truncated.de", bytes.left(44).toStdString());
    writeSeed(folder, "headerOnly.de", bytes.left(36).toStdString());
    QByteArray lower = bytes;
    lower[0] = 'd';
    lower[1] = 'e';
    writeSeed(folder, "lowerCase.de", lower.toStdString());
    return ok ? 0 : 1;
}
