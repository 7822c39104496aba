// The marks of presence in the windows: the destination list's icons and tool tips, and the
// Address Book dialog's rows, fed by a source whose states the test sets.
#include "addressbook/PresenceMarks.h"
#include "addressbook/AddressBookDialogFixture.h"
#include "addressbook/DestinationComboBox.h"
#include "addressbook/DestinationIcons.h"
#include "addressbook/PresenceTexts.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

#include <gtest/gtest.h>

namespace tq {
namespace {

// States as the test sets them; everybody else is not checked.
class FixedPresence : public PresenceSource {
public:
    bool isEnabled() const override { return enabled; }
    UserPresence userPresence(const QString &name, const QString &host) const override
    {
        return enabled ? users.value(name + QLatin1Char('/') + host) : UserPresence();
    }
    GroupPresence groupPresence(const QString &group) const override { return groups.value(group); }
    void set(const QString &user, PresenceState state, QTime since = QTime(14, 5))
    {
        users[user] = {state, QDateTime(QDate::currentDate(), since)};
        Q_EMIT presenceChanged();
    }

    bool enabled = true;
    QHash<QString, UserPresence> users;
    QHash<QString, GroupPresence> groups;
};

QImage imageOf(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// How many pixels of `image` inside `area` have exactly the colour.
int pixelsOf(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x)
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    }
    return count;
}

class DestinationMarksTest : public ::testing::Test {
protected:
    DestinationMarksTest()
    {
        DestinationList list;
        list.add({DestinationList::broadcastText(), kBroadcastCode});
        list.add({QStringLiteral("Ann/10.0.0.5"), kUserCode});
        list.add({QStringLiteral("Bob/10.0.0.6"), kUserCode});
        list.add({QStringLiteral("Udo/10.0.0.7:u"), kUserCode});
        list.add({DestinationList::allUsersText(), kAllUsersCode});
        list.add({DestinationList::groupText(QStringLiteral("Team")), kFirstGroupCode});
        box.setDestinations(list);
        presence.set(QStringLiteral("Ann/10.0.0.5"), PresenceState::Reachable, QTime(14, 5));
        presence.set(QStringLiteral("Bob/10.0.0.6"), PresenceState::NotReachable, QTime(9, 30));
        presence.groups[QStringLiteral("Team")] = {1, 3};
        presence.groups[addressbook::topLevelName()] = {1, 2};
    }
    int row(const char *text) const { return box.findText(QString::fromLatin1(text)); }
    QString tip(const char *text) const { return box.itemData(row(text), Qt::ToolTipRole).toString(); }
    QImage icon(const char *text) const { return imageOf(box.itemIcon(row(text))); }

    DestinationComboBox box;
    FixedPresence presence;
};

TEST_F(DestinationMarksTest, UsersCarryTheirMarkAndGroupsTheirCountOnceASourceIsSet)
{
    const QImage plainUser = imageOf(destinationIcon(DestinationKind::User));
    EXPECT_EQ(icon("Ann/10.0.0.5"), plainUser) << "no source, no marks";
    EXPECT_EQ(tip("Ann/10.0.0.5"), QString());

    box.setPresenceSource(&presence);
    EXPECT_EQ(tip("Ann/10.0.0.5"), QStringLiteral("Reachable since 14:05"));
    EXPECT_EQ(tip("Bob/10.0.0.6"), QStringLiteral("Not reachable since 09:30"));
    EXPECT_EQ(tip("Udo/10.0.0.7:u"), QStringLiteral("Not checked"));
    EXPECT_EQ(tip("< Team >"), QStringLiteral("1 of 3 reachable"));
    EXPECT_EQ(tip("< All users >"), QStringLiteral("1 of 2 reachable"));
    EXPECT_EQ(tip("< All (broadcast) >"), QString());
    EXPECT_EQ(icon("Ann/10.0.0.5"),
              imageOf(withPresenceMark(destinationIcon(DestinationKind::User), PresenceState::Reachable)));
    EXPECT_NE(icon("Ann/10.0.0.5"), plainUser);
    EXPECT_NE(icon("Ann/10.0.0.5"), icon("Bob/10.0.0.6"));
    EXPECT_EQ(icon("Udo/10.0.0.7:u"), plainUser);

    // The source's news reach the list without a refill; what the field holds stays.
    box.setEditText(QStringLiteral("typed by the user"));
    const QImage reachable = icon("Ann/10.0.0.5");
    presence.set(QStringLiteral("Ann/10.0.0.5"), PresenceState::NotReachable, QTime(15, 0));
    EXPECT_EQ(tip("Ann/10.0.0.5"), QStringLiteral("Not reachable since 15:00"));
    EXPECT_EQ(icon("Ann/10.0.0.5"), icon("Bob/10.0.0.6"));
    EXPECT_NE(icon("Ann/10.0.0.5"), reachable);
    EXPECT_EQ(box.currentText(), QStringLiteral("typed by the user"));

    // A refill keeps the marks.
    box.setBroadcastPresent(false);
    EXPECT_EQ(tip("Bob/10.0.0.6"), QStringLiteral("Not reachable since 09:30"));

    // Presence switched off: no marks, no counts.
    presence.enabled = false;
    Q_EMIT presence.presenceChanged();
    EXPECT_EQ(icon("Bob/10.0.0.6"), plainUser);
    EXPECT_EQ(tip("< Team >"), QString());
}

TEST_F(DestinationMarksTest, ASourceThatGoesAwayLeavesTheListAlone)
{
    auto source = std::make_unique<FixedPresence>();
    source->set(QStringLiteral("Ann/10.0.0.5"), PresenceState::Reachable);
    box.setPresenceSource(source.get());
    source.reset();
    box.setBroadcastPresent(false); // refills, asking no source
    EXPECT_EQ(tip("Ann/10.0.0.5"), QString());
}

TEST(PresenceTexts, SinceCarriesTheDateWhenItIsNotToday)
{
    const QDateTime now(QDate(2026, 3, 12), QTime(10, 0));
    EXPECT_EQ(presenceToolTip({PresenceState::Unknown, QDateTime(QDate(2026, 3, 12), QTime(8, 7))}, now),
              QStringLiteral("Unknown host since 08:07"));
    const QString yesterday =
        presenceToolTip({PresenceState::NotReachable, QDateTime(QDate(2026, 3, 11), QTime(23, 59))}, now);
    EXPECT_TRUE(yesterday.startsWith(QStringLiteral("Not reachable since ")));
    EXPECT_TRUE(yesterday.endsWith(QStringLiteral(" 23:59")));
    EXPECT_TRUE(yesterday.contains(QStringLiteral("11"))) << yesterday.toStdString();
    EXPECT_EQ(groupPresenceText({0, 0}), QString());
    EXPECT_EQ(reachableAgainText(QStringLiteral("Bob")), QStringLiteral("Bob is reachable again"));
}

class AddressBookMarksTest : public test::AddressBookDialogTest {
protected:
    int rowOf(const char *name) const
    {
        for (int row = 0; row < list->model()->rowCount(); ++row) {
            if (cell(row).data().toString() == QLatin1String(name))
                return row;
        }
        return -1;
    }
    // The tool tip the list shows when the pointer rests on the row's name.
    QString shownTip(int row)
    {
        QToolTip::hideText();
        const QPoint at = centreOf(row, 0);
        QHelpEvent event(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(list->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    int markPixels(int row, PresenceState state)
    {
        return pixelsOf(list->viewport()->grab().toImage(), list->visualRect(cell(row)), presenceMarkColour(state));
    }
    FixedPresence presence;
};

TEST_F(AddressBookMarksTest, RowsShowTheMarkAndTheToolTipOfTheirState)
{
    put(top, "Ann", "10.0.0.5");
    put(top, "Bob", "10.0.0.6");
    put(top, "Off", "10.0.0.8", false);
    ASSERT_TRUE(book.CreateGroup(QStringLiteral("Team")));
    presence.set(QStringLiteral("Ann/10.0.0.5"), PresenceState::Reachable, QTime(14, 5));
    presence.set(QStringLiteral("Off/10.0.0.8"), PresenceState::Reachable);
    presence.groups[QStringLiteral("Team")] = {3, 7};
    open();
    dialog->setPresenceSource(&presence);

    const int ann = rowOf("Ann");
    const int bob = rowOf("Bob");
    const int off = rowOf("Off");
    const int team = rowOf("Team");
    EXPECT_EQ(shownTip(ann), QStringLiteral("Reachable since 14:05"));
    EXPECT_EQ(shownTip(bob), QStringLiteral("Not checked"));
    EXPECT_EQ(shownTip(off), QStringLiteral("Not checked")) << "a deactivated user is not looked at";
    EXPECT_EQ(shownTip(team), QStringLiteral("3 of 7 reachable"));
    EXPECT_GT(markPixels(ann, PresenceState::Reachable), 0);
    EXPECT_EQ(markPixels(bob, PresenceState::Reachable), 0);
    EXPECT_EQ(markPixels(off, PresenceState::Reachable), 0);

    presence.set(QStringLiteral("Bob/10.0.0.6"), PresenceState::Unknown, QTime(8, 0));
    EXPECT_EQ(shownTip(bob), QStringLiteral("Unknown host since 08:00"));
    EXPECT_GT(markPixels(bob, PresenceState::Unknown), 0);
}

} // namespace
} // namespace tq
