#include "presence/FindStationsDialog.h"

#include "addressbook/AddressBookNames.h"
#include "platform/Prompter.h"
#include "presence/FoundStations.h"
#include "protocol/Ipv4Range.h"
#include "protocol/ProbeEngine.h"
#include "protocol/ProbeRun.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tq {
namespace {

enum Column { AddressColumn = 0, HostNameColumn = 1, PortColumn = 2 };
// The address in host byte order, for keeping the rows in address order.
constexpr int kAddressRole = Qt::UserRole;

} // namespace

FindStationsDialog::FindStationsDialog(SettingsStore settings, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , m_settings(std::move(settings))
    , m_store(m_settings)
    , m_prompter(prompter)
    , m_engine(new ProbeEngine(this))
{
    setObjectName(QStringLiteral("findStationsDialog"));
    setWindowTitle(tr("Find Stations"));
    createControls();
    m_rangeEdit->setText(Ipv4Range::ownNetwork());
    m_portEdit->setText(QString::number(tcpPort(m_settings)));
    fillGroups();
    updateButtons();

    connect(m_engine, &ProbeEngine::resultReady, this, &FindStationsDialog::showResult);
    connect(m_engine, &ProbeEngine::progress, this, [this](int done, int) { m_progress->setValue(done); });
    connect(m_engine, &ProbeEngine::finished, this, &FindStationsDialog::onScanEnded);
}

FindStationsDialog::~FindStationsDialog() = default;

void FindStationsDialog::createControls()
{
    m_rangeEdit = new QLineEdit(this);
    m_rangeEdit->setObjectName(QStringLiteral("rangeEdit"));
    m_rangeEdit->setToolTip(tr("A network such as 192.168.1.0/24 (a /%1 at most), or two addresses such as "
                               "192.168.1.1-192.168.1.50")
                                .arg(Ipv4Range::kWidestPrefix));
    m_portEdit = new QLineEdit(this);
    m_portEdit->setObjectName(QStringLiteral("portEdit"));
    m_portEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), this));
    m_portEdit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 16);
    m_startButton = new QPushButton(tr("&Start"), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->setDefault(true);
    m_cancelButton = new QPushButton(tr("&Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);

    auto *rangeRow = new QHBoxLayout;
    rangeRow->addWidget(m_rangeEdit, 1);
    auto *portLabel = new QLabel(tr("&Port:"), this);
    portLabel->setBuddy(m_portEdit);
    rangeRow->addWidget(portLabel);
    rangeRow->addWidget(m_portEdit);
    rangeRow->addWidget(m_startButton);
    rangeRow->addWidget(m_cancelButton);
    auto *rangeLabel = new QLabel(tr("&Addresses:"), this);
    rangeLabel->setBuddy(m_rangeEdit);

    m_errorLabel = new QLabel(this);
    m_errorLabel->setObjectName(QStringLiteral("errorLabel"));
    m_errorLabel->setWordWrap(true);
    m_errorLabel->setTextFormat(Qt::PlainText);
    m_errorLabel->setStyleSheet(QStringLiteral("color: #b00020;"));
    m_errorLabel->hide();
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setValue(0);
    m_statusLabel =
        new QLabel(tr("Press Start to ask every address of the range whether a station listens there."), this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->setWordWrap(true);

    m_results = new QTreeWidget(this);
    m_results->setObjectName(QStringLiteral("resultList"));
    m_results->setHeaderLabels({tr("Address"), tr("Host name"), tr("Port")});
    m_results->setRootIsDecorated(false);
    m_results->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->header()->setStretchLastSection(false);
    m_results->header()->setSectionResizeMode(HostNameColumn, QHeaderView::Stretch);

    m_groupCombo = new QComboBox(this);
    m_groupCombo->setObjectName(QStringLiteral("groupCombo"));
    m_groupCombo->setEditable(true);
    m_groupCombo->setInsertPolicy(QComboBox::NoInsert);
    m_groupCombo->lineEdit()->setMaxLength(255);
    m_addButton = new QPushButton(tr("A&dd"), this);
    m_addButton->setObjectName(QStringLiteral("addButton"));
    m_addButton->setAutoDefault(false);
    auto *groupLabel = new QLabel(tr("Add the picked stations to the &group:"), this);
    groupLabel->setBuddy(m_groupCombo);
    auto *groupRow = new QHBoxLayout;
    groupRow->addWidget(groupLabel);
    groupRow->addWidget(m_groupCombo, 1);
    groupRow->addWidget(m_addButton);
    m_addedLabel = new QLabel(this);
    m_addedLabel->setObjectName(QStringLiteral("addedLabel"));
    m_addedLabel->setWordWrap(true);
    m_addedLabel->setTextFormat(Qt::PlainText);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("closeButton"));
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(rangeLabel);
    layout->addLayout(rangeRow);
    layout->addWidget(m_errorLabel);
    layout->addWidget(m_progress);
    layout->addWidget(m_statusLabel);
    layout->addWidget(m_results, 1);
    layout->addLayout(groupRow);
    layout->addWidget(m_addedLabel);
    layout->addWidget(buttons);
    resize(560, 440);

    connect(m_startButton, &QPushButton::clicked, this, &FindStationsDialog::startScan);
    connect(m_rangeEdit, &QLineEdit::returnPressed, this, &FindStationsDialog::startScan);
    connect(m_cancelButton, &QPushButton::clicked, m_engine, &ProbeEngine::cancel);
    connect(m_addButton, &QPushButton::clicked, this, &FindStationsDialog::addPicked);
    connect(m_results, &QTreeWidget::itemSelectionChanged, this, &FindStationsDialog::updateButtons);
    connect(buttons, &QDialogButtonBox::rejected, this, &FindStationsDialog::reject);
}

void FindStationsDialog::fillGroups()
{
    const QString typed = m_groupCombo->currentText();
    m_groupCombo->clear();
    m_groupCombo->addItem(addressbook::topLevelName());
    for (const GroupEntry &group : m_store.ListGroups()) {
        if (group.name != addressbook::junkSendersName())
            m_groupCombo->addItem(group.name);
    }
    if (!typed.isEmpty())
        m_groupCombo->setCurrentText(typed);
}

void FindStationsDialog::setNameLookup(ReverseNameLookup::Lookup lookup)
{
    m_nameLookup = std::move(lookup);
}

bool FindStationsDialog::isScanning() const
{
    return m_engine->isRunning();
}

void FindStationsDialog::updateButtons()
{
    const bool scanning = isScanning();
    m_startButton->setEnabled(!scanning);
    m_rangeEdit->setReadOnly(scanning);
    m_portEdit->setReadOnly(scanning);
    m_cancelButton->setEnabled(scanning);
    m_addButton->setEnabled(!m_results->selectedItems().isEmpty());
}

void FindStationsDialog::showError(const QString &text)
{
    m_errorLabel->setText(text);
    m_errorLabel->setVisible(!text.isEmpty());
}

void FindStationsDialog::startScan()
{
    if (isScanning())
        return;
    const Ipv4Range range = Ipv4Range::parse(m_rangeEdit->text());
    if (!range.isValid()) {
        showError(range.error());
        m_rangeEdit->setFocus(Qt::OtherFocusReason);
        m_rangeEdit->selectAll();
        return;
    }
    bool numeric = false;
    const int port = m_portEdit->text().toInt(&numeric);
    if (!numeric || port < 1 || port > 65535) {
        showError(tr("The port must be a number from 1 to 65535."));
        m_portEdit->setFocus(Qt::OtherFocusReason);
        m_portEdit->selectAll();
        return;
    }
    showError({});

    QList<ProbeTarget> targets;
    for (const QString &address : range.dottedAddresses())
        targets.append({address, port});
    ProbeRun run(targets, ProbeOptions::forScan());
    if (m_nameLookup)
        run.setNameLookup(m_nameLookup);
    if (!m_engine->start(std::move(run)))
        return;
    m_results->clear();
    m_addedLabel->clear();
    m_probed = static_cast<int>(targets.size());
    m_found = 0;
    m_progress->setRange(0, m_probed);
    m_progress->setValue(0);
    m_statusLabel->setText(tr("Asking %n address(es)...", nullptr, m_probed));
    updateButtons();
}

void FindStationsDialog::showResult(const ProbeResult &result)
{
    if (result.outcome != ProbeOutcome::Reachable)
        return;
    ++m_found;
    auto *item = new QTreeWidgetItem({result.address, result.hostName, QString::number(result.target.port)});
    const auto address = static_cast<uint>(Ipv4Range::parse(result.address).addresses().value(0));
    item->setData(AddressColumn, kAddressRole, address);
    int row = 0;
    while (row < m_results->topLevelItemCount()
           && m_results->topLevelItem(row)->data(AddressColumn, kAddressRole).toUInt() < address)
        ++row;
    m_results->insertTopLevelItem(row, item);
}

void FindStationsDialog::onScanEnded(bool cancelled)
{
    const QString found = tr("%n station(s) found", nullptr, m_found);
    m_statusLabel->setText(cancelled ? tr("Cancelled: %1.").arg(found)
                                     : tr("%1 among %n address(es).", nullptr, m_probed).arg(found));
    if (!cancelled)
        m_progress->setValue(m_progress->maximum());
    updateButtons();
    Q_EMIT scanFinished();
}

void FindStationsDialog::addPicked()
{
    QList<FoundStation> picked;
    for (int row = 0; row < m_results->topLevelItemCount(); ++row) {
        const QTreeWidgetItem *item = m_results->topLevelItem(row);
        if (item->isSelected())
            picked.append({item->text(AddressColumn), item->text(HostNameColumn), item->text(PortColumn).toInt()});
    }
    if (picked.isEmpty())
        return;
    const QString group = m_groupCombo->currentText().trimmed();
    if (addressbook::hasForbiddenCharacter(group)) {
        addressbook::showForbiddenNameMessage(m_prompter);
        m_groupCombo->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString level = group.isEmpty() ? addressbook::topLevelName() : group;
    const FiledStations filed = fileFoundStations(m_store, level, picked, tcpPort(m_settings));

    QStringList lines;
    if (!filed.added.isEmpty()) {
        QStringList names;
        for (const FiledStations::User &user : filed.added)
            names.append(user.name);
        lines.append(tr("Added to \"%1\": %2.").arg(level, names.join(QStringLiteral(", "))));
    }
    if (!filed.alreadyThere.isEmpty())
        lines.append(tr("Already in the address book: %1.").arg(filed.alreadyThere.join(QStringLiteral(", "))));
    if (lines.isEmpty())
        lines.append(tr("Nothing was added."));
    m_addedLabel->setText(lines.join(u'\n'));
    if (filed.added.isEmpty())
        return;
    m_changed = true;
    fillGroups();
    Q_EMIT addressBookChanged();
}

void FindStationsDialog::done(int result)
{
    m_engine->cancel();
    QDialog::done(result);
}

} // namespace tq
