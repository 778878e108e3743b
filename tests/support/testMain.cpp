// Test entry point: an offscreen QApplication, and a failure for every broken connection.
#include <QApplication>
#include <QString>
#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

void watchMessages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QLatin1String("QObject::connect")))
        ADD_FAILURE() << "Qt warning: " << message.toStdString();
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    previousHandler = qInstallMessageHandler(watchMessages);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
