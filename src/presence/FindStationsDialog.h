#pragma once

#include "addressbook/AddressBookStore.h"
#include "protocol/ReverseNameLookup.h"
#include "settings/SettingsStore.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;

namespace tq {

class ProbeEngine;
class Prompter;
struct ProbeResult;

// "Find Stations": probes an address range the user gives (the network of this station's own
// address is proposed) and lists the stations that answer as they answer, with address, host
// name and port. Picked rows go into the address book, into a group picked or typed.
// Nothing is probed before the user presses Start, and nothing outside the range: the range's
// own rules leave out its network and broadcast addresses.
class FindStationsDialog : public QDialog {
    Q_OBJECT
public:
    FindStationsDialog(SettingsStore settings, Prompter &prompter, QWidget *parent = nullptr);
    ~FindStationsDialog() override;

    // Host names come from `lookup` instead of the system's reverse lookup.
    void setNameLookup(ReverseNameLookup::Lookup lookup);
    bool isScanning() const;
    bool changedAddressBook() const { return m_changed; }

    // Calls off a scan under way before closing.
    void done(int result) override;

Q_SIGNALS:
    // Users were added; whoever shows the address book reads it again.
    void addressBookChanged();
    // A scan has ended, run to its end or called off.
    void scanFinished();

private:
    void createControls();
    void fillGroups();
    void startScan();
    void showResult(const ProbeResult &result);
    void onScanEnded(bool cancelled);
    void updateButtons();
    void addPicked();
    void showError(const QString &text);

    SettingsStore m_settings;
    AddressBookStore m_store;
    Prompter &m_prompter;
    ProbeEngine *m_engine = nullptr;
    ReverseNameLookup::Lookup m_nameLookup;
    int m_probed = 0;
    int m_found = 0;
    bool m_changed = false;

    QLineEdit *m_rangeEdit = nullptr;
    QLineEdit *m_portEdit = nullptr;
    QPushButton *m_startButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QLabel *m_errorLabel = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_statusLabel = nullptr;
    QTreeWidget *m_results = nullptr;
    QComboBox *m_groupCombo = nullptr;
    QPushButton *m_addButton = nullptr;
    QLabel *m_addedLabel = nullptr;
};

} // namespace tq
