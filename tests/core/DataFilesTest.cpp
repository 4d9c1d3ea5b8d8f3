#include "core/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora;

namespace {

// An installed tree in a temporary folder: <root>/bin for the program and
// <root>/share/quillora for its files; the user's data folder is
// <root>/home-data (XDG_DATA_HOME) for the test's length.
class InstalledTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("bin")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("share/quillora/x")));
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("home-data/quillora/x")));
        qputenv("XDG_DATA_HOME", root.filePath(QStringLiteral("home-data")).toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", savedDataHome); }
    QString own(const QString& name) const { return root.filePath(QStringLiteral("home-data/quillora/") + name); }
    QString bin() const { return root.filePath(QStringLiteral("bin")); }
    QString beside(const QString& name) const { return bin() + QLatin1Char('/') + name; }
    QString shared(const QString& name) const { return root.filePath(QStringLiteral("share/quillora/") + name); }
    static void touch(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write("x");
    }

    QTemporaryDir root;
    const QByteArray savedDataHome = qgetenv("XDG_DATA_HOME");
};

TEST_F(InstalledTree, AFileOnlyInTheDataFolderIsFoundThereUnderAPathWithoutDotDot)
{
    touch(shared(QStringLiteral("marketing_plan.ppt")));
    touch(shared(QStringLiteral("x/o.cjs")));
    EXPECT_EQ(findDataFile(bin(), {"marketing_plan.ppt"}), shared(QStringLiteral("marketing_plan.ppt")));
    EXPECT_EQ(findDataFile(bin(), {"x", "o.cjs"}), shared(QStringLiteral("x/o.cjs")));
}

TEST_F(InstalledTree, AFileBesideTheProgramWinsOverTheDataFolder)
{
    touch(shared(QStringLiteral("HAND-M.CUR")));
    touch(beside(QStringLiteral("HAND-M.CUR")));
    EXPECT_EQ(findDataFile(bin(), {"HAND-M.CUR"}), beside(QStringLiteral("HAND-M.CUR")));

    // A folder in its place counts as being there, so it still hides the
    // installed file and the caller sees what is wrong with it.
    ASSERT_TRUE(QDir(bin()).mkpath(QStringLiteral("x/o.cjs")));
    touch(shared(QStringLiteral("x/o.cjs")));
    EXPECT_EQ(findDataFile(bin(), {"x", "o.cjs"}), beside(QStringLiteral("x/o.cjs")));
}

TEST_F(InstalledTree, AFileInNeitherPlaceIsNamedBesideTheProgram)
{
    EXPECT_EQ(findDataFile(bin(), {"marketing_plan.ppt"}), beside(QStringLiteral("marketing_plan.ppt")));
    EXPECT_EQ(findDataFile(bin(), {"x", "o.cjs"}), beside(QStringLiteral("x/o.cjs")));
    // Only share/quillora counts, not the folder above the program.
    touch(root.filePath(QStringLiteral("HAND-M.CUR")));
    EXPECT_EQ(findDataFile(bin(), {"HAND-M.CUR"}), beside(QStringLiteral("HAND-M.CUR")));
}

TEST_F(InstalledTree, TheUsersOwnFileWinsOverBothAndHasItsFixedPlaces)
{
    ASSERT_TRUE(QDir(bin()).mkpath(QStringLiteral("x")));
    for (const QString& name : {QStringLiteral("marketing_plan.ppt"), QStringLiteral("x/o.cjs")}) {
        touch(shared(name));
        touch(beside(name));
    }
    EXPECT_EQ(findDataFile(bin(), {"marketing_plan.ppt"}), beside(QStringLiteral("marketing_plan.ppt")));
    touch(own(QStringLiteral("marketing_plan.ppt")));
    touch(own(QStringLiteral("x/o.cjs")));
    EXPECT_EQ(findDataFile(bin(), {"marketing_plan.ppt"}), own(QStringLiteral("marketing_plan.ppt")));
    EXPECT_EQ(findDataFile(bin(), {"x", "o.cjs"}), own(QStringLiteral("x/o.cjs")));
    EXPECT_EQ(userTemplatePath(), own(QStringLiteral("marketing_plan.ppt")));
    EXPECT_EQ(planBackupFolder(), own(QStringLiteral("plans")));
    // Only the quillora folder in it counts.
    touch(root.filePath(QStringLiteral("home-data/HAND-M.CUR")));
    EXPECT_EQ(findDataFile(bin(), {"HAND-M.CUR"}), beside(QStringLiteral("HAND-M.CUR")));
}

TEST_F(InstalledTree, WithoutXdgDataHomeTheUsersFolderIsUnderTheHomeFolder)
{
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(userDataFolder(), QDir::homePath() + QStringLiteral("/.local/share/quillora"));
    EXPECT_EQ(userTemplatePath(), QDir::homePath() + QStringLiteral("/.local/share/quillora/marketing_plan.ppt"));
}

} // namespace
