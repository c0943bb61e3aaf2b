// Finding data files made on case-insensitive systems.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/FileLookup.h"

namespace {

class FileLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QDir(dir_.path()).mkpath("Pics/Sub");
        touch("Pics/Sub/Room01.JPG");
        touch("Title.JPG");
        previous_ = QDir::currentPath();
        QDir::setCurrent(dir_.path());
    }
    void TearDown() override { QDir::setCurrent(previous_); }
    void touch(const QString& name) {
        QFile f(dir_.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QTemporaryDir dir_;
    QString previous_;
};

TEST_F(FileLookupTest, ExactNameIsUsedAsIs) {
    QString resolved;
    EXPECT_EQ(FindFile("Title.JPG", &resolved), FileMatch::Exact);
    EXPECT_EQ(resolved, "Title.JPG");
}

TEST_F(FileLookupTest, OtherCaseAndBackslashesAreFound) {
    QString resolved;
    EXPECT_EQ(FindFile("pics\\sub\\room01.jpg", &resolved), FileMatch::OtherCase);
    EXPECT_EQ(resolved, "Pics/Sub/Room01.JPG");
    EXPECT_TRUE(QFile::exists(ResolveFileName("TITLE.jpg")));
}

TEST_F(FileLookupTest, AbsolutePathsAreMatchedFromTheRoot) {
    const QString wrongCase = dir_.path() + "/PICS/sub/ROOM01.jpg";
    EXPECT_EQ(ResolveFileName(wrongCase), dir_.path() + "/Pics/Sub/Room01.JPG");
}

TEST_F(FileLookupTest, ExactMatchWinsOverAnotherCase) {
    touch("title.jpg");
    EXPECT_EQ(ResolveFileName("title.jpg"), "title.jpg");
    EXPECT_EQ(FindFile("TITLE.JPG"), FileMatch::OtherCase);
}

TEST_F(FileLookupTest, MissingNamesComeBackWithSlashes) {
    EXPECT_EQ(FindFile("pics\\none.jpg"), FileMatch::Missing);
    EXPECT_EQ(ResolveFileName("pics\\none.jpg"), "pics/none.jpg");
    EXPECT_EQ(FindFile(""), FileMatch::Missing);
}

TEST_F(FileLookupTest, CurrentDirectoryEndsInSeparator) {
    EXPECT_EQ(CurrentDirectoryWithSeparator(), QDir::currentPath() + "/");
}

}  // namespace
