#include "base/AppSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cantorel;

namespace {

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(AppSettings, WritesAtOnceForEveryReaderAndCreatesItsFolder)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/cantorel/cantorel.conf");
    AppSettings settings(path);
    EXPECT_EQ(settings.problem(), "");
    EXPECT_EQ(settings.value("online/server", "https://default").toString(), "https://default");
    QString error;
    ASSERT_TRUE(settings.setValue("online/server", "http://127.0.0.1:9", &error)) << error.toStdString();
    EXPECT_EQ(AppSettings(path).value("online/server").toString(), "http://127.0.0.1:9");
    EXPECT_TRUE(contents(path).contains("server=http://127.0.0.1:9"));
}

TEST(AppSettings, AFileItCannotReadIsLeftAloneAndTheDefaultsHold)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("cantorel.conf");
    const QByteArray garbage("\x00\x01[\xff\xfe\nnot = a [settings\n\x7f", 32);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(garbage);
    }
    AppSettings settings(path);
    EXPECT_TRUE(settings.problem().contains(path));
    EXPECT_EQ(settings.value("desktop/locked", false).toBool(), false);
    QString error;
    EXPECT_FALSE(settings.setValue("desktop/locked", true, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(settings.value("desktop/locked").toBool()); // for the run
    EXPECT_EQ(contents(path), garbage);
}
