// Pictures of the help file: only from the game folder, each file decoded once
// however its tags spell it, within the window's budget, the rest as alt text.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTextBrowser>

#include "platform/FileLookup.h"
#include "platform/HelpPictures.h"
#include "platform/HelpViewer.h"
#include "platform/PictureReader.h"
#include "support/GameFixture.h"
#include "support/TempFolder.h"

namespace {

bool WritePng(const QString& path, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image.save(path, "png");
}

// Every picture name the prepared page hands to the layout.
QStringList Sources(const QString& html) {
    QStringList sources;
    static const QRegularExpression source(QStringLiteral("src=\"([^\"]*)\""));
    for (const auto& match : source.globalMatch(html))
        sources << match.captured(1);
    return sources;
}

// The page as the reader sees it: what stands outside the tags.
QString TextOf(const QString& html) {
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString(html).remove(tag);
}

class HelpPicturesTest : public ::testing::Test {
  protected:
    void SetUp() override { SetGameFolder(dir_.path()); }
    void TearDown() override { SetGameFolder(QString()); }
    TempFolder dir_{TempFolder::Entered};
    TempFolder outside_;
};

TEST_F(HelpPicturesTest, EachFileIsDecodedOnceAndOnlyFromTheGameFolder) {
    ASSERT_TRUE(WritePng(dir_.filePath("big.png"), 800, 600));
    ASSERT_TRUE(WritePng(outside_.filePath("secret.png"), 8, 8));
    ASSERT_TRUE(QFile::link(outside_.filePath("secret.png"), dir_.filePath("link.png")));
    ASSERT_TRUE(QFile::link(dir_.filePath("big.png"), dir_.filePath("same.png")));
    const QString secret = outside_.filePath("secret.png");
    QString html = QStringLiteral("<html><body>");
    for (int i = 1; i <= 8; ++i)
        html += QStringLiteral("<img src=\"big.png?%1\" alt=\"copy %1\">").arg(i);
    html += QStringLiteral(
                "<IMG SRC='BIG.PNG#top'><img alt=x src=./big.png><img src=same.png>"
                "<img src=\"link.png\" alt=\"link\"><img src=\"%1\" alt=\"absolute\">"
                "<img src=\"file://%1\" alt=\"file\"><img src=\"http://example.com/a.png\""
                " alt=\"web\"><img src=\"missing.png\" alt=\"a <b>bold</b> one\">"
                "<img alt=\"no source\"></body></html>")
                .arg(secret);

    HelpPictures pictures;
    const QString page = pictures.prepare(html);
    EXPECT_EQ(pictures.decodedCount(), 1);
    EXPECT_EQ(pictures.decodedBytes(), 800 * 600 * 4);
    const QStringList sources = Sources(page);
    ASSERT_EQ(sources.size(), 10);  // SRC= in capitals is the eleventh
    EXPECT_EQ(page.count(sources.first()), 11);
    EXPECT_EQ(pictures.picture(QUrl(sources.first())).size(), QSize(800, 600));
    // What the page does not name through prepare() is never decoded.
    EXPECT_TRUE(pictures.picture(QUrl("big.png")).isNull());
    EXPECT_TRUE(pictures.picture(QUrl("help-picture:7")).isNull());
    EXPECT_EQ(TextOf(page), "linkabsolutefileweba &lt;b&gt;bold&lt;/b&gt; oneno source");
    EXPECT_FALSE(page.contains(secret));
}

TEST_F(HelpPicturesTest, PastTheBudgetOrRefusedByTheReaderPicturesAreTheirAltText) {
    // Two pictures of 36 MB each: the second does not fit in what the first leaves.
    ASSERT_TRUE(WritePng(dir_.filePath("one.png"), 3000, 3000));
    ASSERT_TRUE(WritePng(dir_.filePath("two.png"), 3000, 3000));
    ASSERT_TRUE(WritePng(dir_.filePath("small.png"), 100, 100));
    ASSERT_TRUE(WritePng(dir_.filePath("huge.png"), 4200, 4200));  // 70 MB alone
    ASSERT_FALSE(dir_.write("broken.png", "\x89PNG\r\n\x1A\nnothing").isEmpty());
    HelpPictures pictures;
    const QString page = pictures.prepare(
        "<body><img src=huge.png alt=HUGE><img src=one.png alt=ONE><img src=two.png alt=TWO>"
        "<img src=small.png alt=SMALL><img src=broken.png alt=BROKEN><img src=two.png alt=AGAIN>");
    EXPECT_EQ(pictures.decodedCount(), 2);
    EXPECT_LE(pictures.decodedBytes(), kHelpPictureBytes);
    EXPECT_EQ(TextOf(page), "HUGETWOBROKENAGAIN");
    EXPECT_EQ(Sources(page).size(), 2);
}

class HelpWindowPictures : public GameFixture {
  protected:
    void TearDown() override {
        CloseHelpViewer();
        GameFixture::TearDown();
    }
};

// The help window lays out the prepared page: the pictures it shows come from
// the decoded set, the others read as their alt text.
TEST_F(HelpWindowPictures, ShowsThePicturesItDecodedAndTheAltTextOfTheRest) {
    ASSERT_TRUE(WritePng(dataDir() + "/lamp.png", 40, 30));
    writeFile("Lanternwick.HLP",
              "<html><body><p>before<img src=\"lamp.png?1\" alt=\"LAMP\"><img src=\"lamp.png?2\">"
              "<img src=\"../lamp.png\" alt=\"OUTSIDE\">after</p></body></html>");
    ShowHelpContents("Lanternwick.HLP", MainForm().window);
    const QString text = HelpViewerText();
    EXPECT_TRUE(text.startsWith("before"));
    EXPECT_EQ(text.count(QChar::ObjectReplacementCharacter), 2);
    EXPECT_FALSE(text.contains("LAMP"));
    EXPECT_TRUE(text.contains("OUTSIDE"));
}

}  // namespace
