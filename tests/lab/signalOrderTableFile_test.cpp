// Signal-order tables in element files: the column layout, the round trip of every word and of
// the list statistics, and files that give no table.
#include "lab/design/signalOrderTableFile.h"

#include "base/phasedeckGlobals.h"
#include "design/signalOrderList.h"
#include "fields/DataField2D.h"
#include "lab/fieldio/diffractiveElementFile.h"
#include "support/messageRecorder.h"

#include <QTemporaryDir>
#include <boost/make_shared.hpp>
#include <gtest/gtest.h>

namespace {

signalOrder order(float fx, float fy, float a, float aux, complexFloat c)
{
    signalOrder o;
    o.aux0 = aux;
    o.aux1 = aux + 0.25f;
    o.aux2 = aux + 0.5f;
    o.fx = fx;
    o.fy = fy;
    o.targetAmplitude = a;
    o.amplitude = c;
    return o;
}

class SignalOrderTableTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saved = opticalParameters;
        opticalParameters.defaultPixelSizeX = 8e-6;
        opticalParameters.defaultPixelSizeY = 9e-6;
        orders.addOrder(order(3.0f, -4.0f, 2.0f, 10.0f, {0.5f, -0.75f}));
        orders.addOrder(order(-1500.0f, 0.0f, 0.5f, -1.0f, {0.0f, 0.0f}));
        orders.addOrder(order(0.0f, 2e4f, 1.25f, 7.0f, {-3.0f, 1e-3f}));
    }
    void TearDown() override { opticalParameters = saved; }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    OpticalParameters saved;
    signalOrderList orders;
    MessageRecorder messages;
};

TEST_F(SignalOrderTableTest, OneOrderPerRowInTheEightColumns)
{
    ASSERT_TRUE(saveSignalOrdersDE20File(path("orders.de"), orders));
    const auto table = readDE20File(path("orders.de"), 1);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->getSizeI(), 3);
    ASSERT_EQ(table->getSizeJ(), 8);
    EXPECT_EQ(table->getDx(), double(8e-6f));
    EXPECT_EQ(table->getDy(), double(9e-6f));
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const signalOrder& o = orders.at(unsigned(k));
        const float columns[8] = {o.fx,   o.fy,   o.targetAmplitude, o.aux0,
                                  o.aux1, o.aux2, o.amplitude.re,    o.amplitude.im};
        for (int j = 0; j < 8; ++j)
            EXPECT_EQ(table->getValue(k, j), columns[j]) << "column " << j;
    }
}

TEST_F(SignalOrderTableTest, LoadedListMatchesTheSavedOne)
{
    ASSERT_TRUE(saveSignalOrdersDE20File(path("orders.de"), orders));
    const std::unique_ptr<signalOrderList> loaded = loadSignalOrdersDE20File(path("orders.de"));
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->size(), orders.size());
    for (int k = 0; k < orders.size(); ++k) {
        SCOPED_TRACE(k);
        const signalOrder& a = orders.at(unsigned(k));
        const signalOrder& b = loaded->at(unsigned(k));
        const float wordsA[8] = {
            a.aux0, a.aux1, a.aux2, a.fx, a.fy, a.targetAmplitude, a.amplitude.re, a.amplitude.im};
        const float wordsB[8] = {
            b.aux0, b.aux1, b.aux2, b.fx, b.fy, b.targetAmplitude, b.amplitude.re, b.amplitude.im};
        for (int w = 0; w < 8; ++w)
            EXPECT_EQ(wordsA[w], wordsB[w]) << "word " << w;
    }
    // The statistics are those of adding the same orders.
    EXPECT_EQ(loaded->getMinX(), orders.getMinX());
    EXPECT_EQ(loaded->getMaxY(), orders.getMaxY());
    EXPECT_EQ(loaded->getMaxRadius(), orders.getMaxRadius());
    EXPECT_EQ(loaded->getSumTargetIntensity(), orders.getSumTargetIntensity());
    EXPECT_EQ(loaded->getMinTargetIntensity(), orders.getMinTargetIntensity());
    EXPECT_TRUE(messages.messages().empty());
}

TEST_F(SignalOrderTableTest, FilesWithoutATableGiveAnEmptyList)
{
    auto notATable = boost::make_shared<DataField2D>(4, 5, 0.0, 0.0, 1.0, 1.0, 1.0f);
    ASSERT_TRUE(saveDE20File(path("field.de"), notATable));
    const char* names[] = {"field.de", "missing.de"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const auto loaded = loadSignalOrdersDE20File(path(name));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(loaded->size(), 0);
    }
    // Only the missing file is reported, by the reader.
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.messages()[0].text, QStringLiteral("Error when reading the file."));
}

} // namespace
