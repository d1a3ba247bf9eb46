// The About window: its texts, the build's version, the mail link, the
// licence, OK.
#include "options/frmAbout.h"
#include "support/TestFiles.h"
#include "widgets/WidgetColors.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QUrl>
#include <gtest/gtest.h>

using cantorel::textColorOf;

namespace {

struct MailCatcher : QObject {
    Q_OBJECT
public Q_SLOTS:
    void open(const QUrl& url) { opened << url; }

public:
    QList<QUrl> opened;
};

} // namespace

TEST(About, ShowsTheBuildsVersionAndOpensMail)
{
    // The version the build was configured with, read from its own file.
    const QString lists = QString::fromUtf8(cantorel::testing::readFile(CANTOREL_SOURCE_DIR "/CMakeLists.txt"));
    const auto match =
        QRegularExpression(QStringLiteral(R"(project\(Cantorel VERSION (\d+)\.(\d+)\.(\d+))")).match(lists);
    ASSERT_TRUE(match.hasMatch());
    const QString expected = QStringLiteral("Version %1.%2.%3")
                                 .arg(match.captured(1).toInt())
                                 .arg(match.captured(2).toInt())
                                 .arg(match.captured(3).toInt());

    QWidget owner;
    QPointer<cantorel::frmAbout> about = cantorel::showAbout(&owner);
    ASSERT_TRUE(about);
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Cantorel"));
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("Cantorel"));
    EXPECT_EQ(about->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), expected);
    auto* mail = about->findChild<QLabel*>(QStringLiteral("Text1"));
    EXPECT_TRUE(mail->text().contains(u'@') && mail->font().underline());
    EXPECT_EQ(textColorOf(mail), QColor(255, 0, 0));
    EXPECT_FALSE(about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());

    MailCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
    const QPointF at(2, 2);
    QMouseEvent release(QEvent::MouseButtonRelease, at, mail->mapToGlobal(at), Qt::LeftButton, {}, {});
    QApplication::sendEvent(mail, &release);
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0].toString(), QStringLiteral("mailto:") + mail->text());

    EXPECT_EQ(cantorel::showAbout(&owner), about.data()) << "one About at a time";
    about->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull()) << "OK unloads the window";
    cantorel::frmAbout* again = cantorel::showAbout(&owner);
    EXPECT_EQ(again->findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), expected) << "built anew";
}

// The licence the window names is the one LICENSE holds and the desktop's
// metadata declares: a change of licence cannot miss one of the three.
TEST(About, NamesTheLicenceOfTheSources)
{
    const QString metadata = QString::fromUtf8(
        cantorel::testing::readFile(CANTOREL_SOURCE_DIR "/data/desktop/org.cantorel.Cantorel.metainfo.xml"));
    const auto declared =
        QRegularExpression(QStringLiteral("<project_license>([^<]+)</project_license>")).match(metadata);
    ASSERT_TRUE(declared.hasMatch());
    EXPECT_EQ(declared.captured(1), QStringLiteral("GPL-3.0-or-later"));
    const QString licence = QString::fromUtf8(cantorel::testing::readFile(CANTOREL_SOURCE_DIR "/LICENSE"));
    EXPECT_TRUE(licence.simplified().startsWith(QStringLiteral("GNU GENERAL PUBLIC LICENSE Version 3,")));

    cantorel::frmAbout about;
    const QString shown = about.findChild<QLabel*>(QStringLiteral("lblLicence"))->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("version 3 or later")) && shown.contains(declared.captured(1)))
        << shown.toStdString();
}

#include "frmAboutTest.moc"
