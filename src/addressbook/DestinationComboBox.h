#pragma once

#include "addressbook/DestinationCompleter.h"
#include "addressbook/DestinationList.h"
#include "addressbook/PresenceSource.h"

#include <QComboBox>
#include <QPointer>

namespace tq {

// The destination field: free text for any destinations, and a list of what the address book
// offers, each entry with the icon of its kind and its code. Typing completes to the first
// entry that begins with the typed text; Delete and Backspace do not complete. The icon in
// front of the field shows the kind of what the field holds now, not of the entry last chosen.
// With a presence source, a user's icon carries the mark of its state and its tool tip says
// since when; a group's tool tip says how many of its users are reachable.
class DestinationComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DestinationComboBox(QWidget *parent = nullptr);

    // Refills the list. What the field shows stays: it belongs to the user.
    void setDestinations(const DestinationList &list);
    const DestinationList &destinations() const { return m_list; }
    // Whether the list has been filled once.
    bool isFilled() const { return m_filled; }
    // Follows "UseProtocol" without a refill.
    void setBroadcastPresent(bool present);

    // The code of the entry at `index` (Qt::UserRole of the item).
    int codeAt(int index) const;

    // Where the marks come from; none (the default) shows no marks. The box follows the
    // source's changes until either goes.
    void setPresenceSource(PresenceSource *source);

Q_SIGNALS:
    // The user chose the entry at `index` from the list (not by typing).
    void entryPicked(int index);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void initStyleOption(QStyleOptionComboBox *option) const override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The icon in front of the field; none while the field is blank.
    QIcon fieldIcon() const;
    // The field leaves room for the icon whether or not an entry is selected, so the text
    // never jumps sideways when the icon comes or goes.
    void placeLineEdit();
    void fillItems();
    QIcon entryIcon(const DestinationEntry &entry) const;
    QString entryToolTip(const DestinationEntry &entry) const;
    void updatePresenceMarks();
    void noteKey(int key);
    void onTextEdited(const QString &text);

    DestinationList m_list;
    DestinationCompleter m_completer;
    bool m_filled = false;
    QPointer<PresenceSource> m_presence;
};

} // namespace tq
