// The links and carriage returns.
#include "window_helpers.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QUrl>

namespace stk::test {
namespace {

// Records what the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher()
    {
        for (const char* s : {"http", "mailto"})
            QDesktopServices::setUrlHandler(s, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char* s : {"http", "mailto"})
            QDesktopServices::unsetUrlHandler(s);
    }
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.append(url); }
};

// A link, the caption it is given (null: the one it starts with), what it opens
// and the name a screen reader reads for it.
struct LinkCase {
    const char *name, *link, *caption, *opened, *read;
};

class Links : public WindowWith<LinkCase> {};

TEST_P(Links, HandTheirAddressToTheDesktopWithoutTheSpaces)
{
    UrlCatcher catcher;
    if (GetParam().caption)
        w.model().set_caption(pos_of(GetParam().link), GetParam().caption);
    click(w, GetParam().link);
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(GetParam().opened)});
    QTest::keyClick(w.control(GetParam().link), Qt::Key_Space);  // the keyboard opens it too
    QTest::keyClick(w.control(GetParam().link), Qt::Key_Return);
    QTest::keyClick(w.control(GetParam().link), Qt::Key_A);  // any other key does not
    EXPECT_EQ(catcher.opened.size(), 3);
}

TEST_P(Links, AreLinksToAScreenReaderNamedByTheirCaptionThatItCanPress)
{
    UrlCatcher catcher;
    if (GetParam().caption)
        w.model().set_caption(pos_of(GetParam().link), GetParam().caption);
    QAccessibleInterface* link = QAccessible::queryAccessibleInterface(w.control(GetParam().link));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->role(), QAccessible::Link);
    EXPECT_EQ(link->text(QAccessible::Name), GetParam().read);
    EXPECT_EQ(link->text(QAccessible::Description), w.control(GetParam().link)->toolTip());
    ASSERT_NE(link->actionInterface(), nullptr);
    link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl(GetParam().opened)});
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, Links,
    ::testing::Values(LinkCase{"Site", "site_web", nullptr, "http://www.example.com", "www.example.com"},
                      LinkCase{"Email", "email_sup", nullptr, "mailto:support@example.com", "Nous contacter"},
                      LinkCase{"SiteWithSpaces", "site_web", "www.example.com  ", "http://www.example.com",
                               "www.example.com  "}),
    case_name);

class CarriageReturns : public Window {};

TEST_F(CarriageReturns, NeverReachATextBoxWhetherSetOrPasted)
{
    QLineEdit* nbt = box(w, "nbt");
    QSignalSpy changes(nbt, &QLineEdit::textChanged);
    nbt->setText(QStringLiteral("56\r\n78"));
    EXPECT_EQ(nbt->text(), "56\n78");
    nbt->clear();
    QApplication::clipboard()->setText(QStringLiteral("56\r\n78"));
    nbt->paste();
    EXPECT_EQ(nbt->text(), "56\n78");
    for (const QList<QVariant>& change : changes)
        EXPECT_FALSE(change.at(0).toString().contains(u'\r'));
}

}  // namespace
}  // namespace stk::test

#include "commands_test.moc"
