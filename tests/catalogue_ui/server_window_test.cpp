// The catalogue window on the throwaway PostgreSQL server, with another
// connection for another user.
#include "catalogue_ui/catalogue_window.h"
#include "pg_server.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

using stk::Column;

class CatalogueWindowOnServer : public testing::Test {
protected:
    void SetUp() override { stk::test::make_database(db); }
    std::optional<stk::test::PgDatabase> db;
};

TEST_F(CatalogueWindowOnServer, ShowsAnotherUsersArticleWhenActivated)
{
    auto other = stk::Catalogue::connect(db->conninfo());
    ASSERT_TRUE(other) << other.failure->line();
    ASSERT_TRUE(other.value->add(stk::test::worked_article("PMP-100")));

    stk::CatalogueWindow w;
    w.setCompanyParameters("50", "2");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const auto settled = [&] { return !w.model()->isConnecting() && !w.model()->isLoading(); };
    w.openLocation(QString::fromStdString(db->conninfo()));
    ASSERT_TRUE(QTest::qWaitFor(settled, 20000));
    ASSERT_TRUE(w.model()->isOpen()) << w.stateLine().toStdString();
    EXPECT_EQ(w.model()->index(0, static_cast<int>(Column::total)).data().toString(), "662.0747");

    // Another user adds an article: it shows when the window becomes active.
    ASSERT_TRUE(other.value->add(stk::test::worked_article("VAN-20")));
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&w, &activation);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled() && w.model()->rowCount() == 2; }));
}

}  // namespace
