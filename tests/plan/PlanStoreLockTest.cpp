#include "plan/PlanStore.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

using namespace quillora;

// The test main gives this process a private settings folder.
TEST(PlanStoreLock, AFolderWhereTheLockFileGoesRefusesTheWriteInsteadOfWaitingForever)
{
    const std::unique_ptr<PlanStore> store = openUserPlanStore();
    store->write(QStringLiteral("Company Name"), QStringLiteral("Kept Co"));
    const QString lock = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"),
                                   QStringLiteral("Quillora")).fileName()
                       + QStringLiteral(".lock");
    EXPECT_EQ(planStoreFile() + QStringLiteral(".lock"), lock) << "the file a window's socket is named after";
    ASSERT_TRUE(QDir().mkpath(lock));
    EXPECT_THROW(store->write(QStringLiteral("Company Name"), QStringLiteral("Lost")), RuntimeError);
    EXPECT_EQ(store->value(QStringLiteral("Company Name")), QStringLiteral("Kept Co"));
    ASSERT_TRUE(QDir(lock).removeRecursively());
    store->write(QStringLiteral("Company Name"), QStringLiteral("Next Co"));
    EXPECT_EQ(store->value(QStringLiteral("Company Name")), QStringLiteral("Next Co"));
}
