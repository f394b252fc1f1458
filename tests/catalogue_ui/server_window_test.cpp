// The catalogue window on the throwaway PostgreSQL server, with another
// connection for another user: the same behaviour as on a file.
#include "catalogue_ui/catalogue_window.h"
#include "catalogue_ui/conflict_dialog.h"
#include "pg_server.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using stk::Column;

TEST(CatalogueWindowOnServer, ShowsOtherUsersChangesAndTheirConflicts)
{
    const stk::test::PgServer server = stk::test::pg_server();
    if (server.conninfo.empty())
        GTEST_SKIP() << server.why_not;
    stk::test::PgDatabase db(server.conninfo);
    ASSERT_FALSE(db.failure()) << *db.failure();
    auto other = stk::Catalogue::connect(db.conninfo());
    ASSERT_TRUE(other) << other.failure->line();
    stk::ArticleData pump;
    pump.reference = "PMP-100";
    pump.params = {"4", "200", "2000", "10000", "500", "3"};
    ASSERT_TRUE(other.value->add(pump));

    stk::CatalogueWindow w;
    w.setCompanyParameters("50", "2");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const auto settled = [&] { return !w.model()->isConnecting() && !w.model()->isLoading(); };
    w.openLocation(QString::fromStdString(db.conninfo()));
    ASSERT_TRUE(QTest::qWaitFor(settled, 20000));
    ASSERT_TRUE(w.model()->isOpen()) << w.stateLine().toStdString();
    EXPECT_EQ(w.model()->index(0, static_cast<int>(Column::total)).data().toString(), "662.0747");

    // Another user adds an article: it shows when the window becomes active.
    stk::ArticleData valve;
    valve.reference = "VAN-20";
    ASSERT_TRUE(other.value->add(valve));
    QEvent activation(QEvent::ActivationChange);
    QApplication::sendEvent(&w, &activation);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settled() && w.model()->rowCount() == 2; }));

    // ... and changes the price this user is editing: both are shown, this user keeps theirs.
    auto theirs = other.value->get("PMP-100");
    theirs.value->params[1] = "250";
    ASSERT_TRUE(other.value->update(*theirs.value));
    EXPECT_FALSE(w.model()->setData(w.model()->index(0, static_cast<int>(Column::pst)), "30"));
    QApplication::processEvents();
    auto* dialog = w.findChild<stk::ConflictDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->values()->item(static_cast<int>(Column::pst), 1)->text(), "250");
    QTest::mouseClick(dialog->button(stk::CatalogueModel::Resolution::keep_mine), Qt::LeftButton);
    EXPECT_EQ(other.value->get("PMP-100").value->params[1], "30");
    EXPECT_EQ(w.model()->index(0, static_cast<int>(Column::pst)).data().toString(), "30");
}

}  // namespace
