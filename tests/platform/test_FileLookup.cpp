// Finding data files made on case-insensitive systems.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/FileLookup.h"
#include "support/TempFolder.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileLookupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        QDir(dir_.path()).mkpath("Pics/Sub");
        touch("Pics/Sub/Room01.JPG");
        touch("Title.JPG");
    }
    void touch(const QString& name) { ASSERT_FALSE(dir_.write(name).isEmpty()); }
    TempFolder dir_{TempFolder::Entered};
};

TEST_F(FileLookupTest, NamesAreFoundInAnyCaseAndWithBackslashesAnExactOneFirst) {
    touch("title.jpg");
    QString resolved;
    EXPECT_EQ(FindFile("Title.JPG", &resolved), FileMatch::Exact);
    EXPECT_EQ(resolved, "Title.JPG");
    EXPECT_EQ(ResolveFileName("title.jpg"), "title.jpg");
    EXPECT_EQ(FindFile("TITLE.JPG"), FileMatch::OtherCase);
    EXPECT_EQ(FindFile("pics\\sub\\room01.jpg", &resolved), FileMatch::OtherCase);
    EXPECT_EQ(resolved, "Pics/Sub/Room01.JPG");
    // Absolute paths are matched from the root.
    EXPECT_EQ(ResolveFileName(dir_.path() + "/PICS/sub/ROOM01.jpg"),
              dir_.path() + "/Pics/Sub/Room01.JPG");
    // Missing names come back with slashes.
    EXPECT_EQ(FindFile("pics\\none.jpg"), FileMatch::Missing);
    EXPECT_EQ(ResolveFileName("pics\\none.jpg"), "pics/none.jpg");
    EXPECT_EQ(FindFile(""), FileMatch::Missing);
    EXPECT_EQ(CurrentDirectoryWithSeparator(), QDir::currentPath() + "/");
}

}  // namespace

// ---- the game folder is the boundary -----------------------------------------

struct Boundary {
    QString name;  // "@" stands for the other folder's path, "~" for its name
    FileMatch match;
};

class FolderBoundary : public FileLookupTest, public ::testing::WithParamInterface<Boundary> {
  protected:
    void SetUp() override {
        FileLookupTest::SetUp();
        ASSERT_FALSE(outside_.write("secret.JPG").isEmpty());
        QFile::link(outside_.filePath("secret.JPG"), "out.JPG");
        QFile::link("Title.JPG", "in.JPG");
        QFile::link("/dev/zero", "zero.JPG");
        ASSERT_EQ(mkfifo("pipe.JPG", 0600), 0);
    }
    TempFolder outside_;
};

TEST_P(FolderBoundary, NamesLeadingOutOrToSpecialFilesAreMissing) {
    QString name = GetParam().name;
    name.replace("@", outside_.path()).replace("~", QFileInfo(outside_.path()).fileName());
    QString resolved;
    EXPECT_EQ(FindFile(name, &resolved), GetParam().match) << name.toStdString();
    if (GetParam().match == FileMatch::Missing) {
        QFile file;
        // Never opened, and never waited on: a pipe would block here for ever.
        EXPECT_FALSE(OpenRegularFile(file, ResolveFileName(name)));
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, FolderBoundary, ::testing::Values(
    Boundary{"in.JPG", FileMatch::Exact}, Boundary{"pics/../TITLE.jpg", FileMatch::OtherCase},
    Boundary{"../~/secret.JPG", FileMatch::Missing}, Boundary{"..\\~\\SECRET.jpg", FileMatch::Missing},
    Boundary{"@/secret.JPG", FileMatch::Missing}, Boundary{"out.JPG", FileMatch::Missing},
    Boundary{"OUT.jpg", FileMatch::Missing}, Boundary{"zero.JPG", FileMatch::Missing},
    Boundary{"/dev/zero", FileMatch::Missing}, Boundary{"pipe.JPG", FileMatch::Missing},
    Boundary{"Pics", FileMatch::Missing}, Boundary{"/etc/passwd", FileMatch::Missing},
    Boundary{QString(300, 'a') + ".JPG", FileMatch::Missing}));
// clang-format on

// ---- lookups that do not grow with the folder ---------------------------------

TEST_F(FileLookupTest, WrongCaseNamesFollowTheFolderAsItChanges) {
    EXPECT_EQ(ResolveFileName("title.jpg"), "Title.JPG");
    // Made after the folder was listed for the name above.
    touch("Shop.JPG");
    EXPECT_EQ(ResolveFileName("SHOP.jpg"), "Shop.JPG");
    touch("shop.JPG");
    EXPECT_EQ(ResolveFileName("SHOP.jpg"), "Shop.JPG");  // the lowest of equal names
    ASSERT_TRUE(QFile::remove("Shop.JPG"));
    EXPECT_EQ(ResolveFileName("SHOP.jpg"), "shop.JPG");
    ASSERT_TRUE(QFile::remove("shop.JPG"));
    EXPECT_EQ(FindFile("SHOP.jpg"), FileMatch::Missing);
    // Short names are spelt out: the same choice among equal names.
    touch("ab");
    touch("Ab");
    EXPECT_EQ(ResolveFileName("AB"), "Ab");
}

TEST_F(FileLookupTest, ShortNamesAreFoundWithoutListingTheFolder) {
    if (geteuid() == 0) GTEST_SKIP() << "root lists a folder it may not read";
    touch("Pics/V");
    touch("Pics/Wav");
    touch("Pics/Theme.wav");
    // Looked up, never listed: a folder that cannot be listed gives the same answers.
    ASSERT_EQ(chmod("Pics", 0300), 0);
    EXPECT_EQ(ResolveFileName("pics/v"), "Pics/V");
    EXPECT_EQ(ResolveFileName("pics/WAV"), "Pics/Wav");
    EXPECT_EQ(FindFile("pics/x"), FileMatch::Missing);
    EXPECT_EQ(FindFile("pics/theme.WAV"), FileMatch::Missing);  // long: needs the listing
    ASSERT_EQ(chmod("Pics", 0700), 0);
    EXPECT_EQ(ResolveFileName("pics/theme.WAV"), "Pics/Theme.wav");
}
